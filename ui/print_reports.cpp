#include "ui/print_reports.h"

#include "entry/channel_text.h"

#include "coding/frequency_code.h"
#include "core/option_table.h"
#include "core/radio.h"
#include "ui/channel_table_print.h"
#include "ui/guarded_printer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace kl40 {

namespace {

// Report layout, in twips.
constexpr double kTopY = 36;
constexpr double kRuleMargin = 1440;
constexpr double kRuleHeight = 50;
constexpr std::uint32_t kBlack = 0x000000;
constexpr double kChannelLineX = 1723;
constexpr double kOptionLabelX = 1440;
constexpr double kOptionValueX = 5400;
constexpr int kLastSlot = kChannelSlots - 1;
// Channels above this number go on a second page.
constexpr int kFirstPageLastChannel = 50;
// A channel list longer than this pushes the options report onto a new page.
constexpr int kListLinesBeforeOptionsPage = 75;

struct Heading {
    double x;
    const char* text;
};
constexpr std::array<Heading, 5> kColumnHeadings{{
    {1550, "Chan"},
    {3254, "Rx"},
    {5182, "Tx"},
    {6713, "CTCSS"},
    {8420, "Scan"},
}};

double RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double fraction = value - down;
    if (fraction > 0.5) return down + 1;
    if (fraction < 0.5) return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

void PrintBlankLines(Printer& printer, int count) {
    for (int i = 0; i < count; ++i)
        PrintLine(printer, " ");
}

// The rule under a title: a black box 50 twips high, an inch in from each side
// of the page, at the current vertical position.
void DrawRule(Printer& printer) {
    const double y = printer.currentY();
    printer.drawBox(kRuleMargin, y, printer.pageWidth() - kRuleMargin, y + kRuleHeight, kBlack);
}

void PrintCentred(Printer& printer, const std::string& title) {
    printer.setCurrentX(CentredX(printer, title));
    PrintLine(printer, title);
}

std::string CheckState(const CheckBox& box) {
    return box.checked() ? ": Enabled" : ": Disabled";
}

} // namespace

double CentredX(const Printer& printer, const std::string& text) {
    const double spare = RoundHalfEven(printer.pageWidth() - printer.textWidth(text));
    // A printer that reports nonsense gets its text at the left edge.
    if (!std::isfinite(spare) || std::fabs(spare) > 1e15) return 0;
    return static_cast<double>(static_cast<long long>(spare) / 2);
}

void PrintDocument(Printer& device, int choice, const Workspace& ws, const std::string& date) {
    GuardedPrinter printer(&device);
    if (choice == kPrintTable) {
        try {
            PrintChannelTable(printer, ws.data.radio, FileTitleOf(ws.file.path), date);
        } catch (...) {
        }
        printer.endDocument();
        return;
    }
    printer.setFontName(kReportFont);
    printer.setFontBold(true);
    try {
        if (choice == kPrintAll || choice == kPrintChannels) {
            PrintChannelListHeader(printer);
            PrintChannelLines(printer, ws.data);
        }
        if (choice == kPrintAll && ws.form.lstFreq.count() > kListLinesBeforeOptionsPage)
            printer.newPage();
        if (choice == kPrintAll || choice == kPrintOptions) PrintOptionsReport(printer, ws.form);
    } catch (...) {
        // Printing never reports; whatever was laid out still goes out.
    }
    printer.endDocument();
}

void PrintChannelListHeader(Printer& printer) {
    printer.setFontSize(18);
    printer.setCurrentY(kTopY);
    PrintBlankLines(printer, 3);
    printer.setFontBold(true);
    PrintCentred(printer, kChannelListTitle);

    printer.setFontSize(6);
    PrintBlankLines(printer, 1);
    printer.setFontBold(false);
    PrintBlankLines(printer, 3);

    printer.setFontSize(10);
    for (std::size_t i = 0; i < kColumnHeadings.size(); ++i) {
        printer.setCurrentX(kColumnHeadings[i].x);
        PrintText(printer, kColumnHeadings[i].text, i + 1 == kColumnHeadings.size());
    }

    printer.setFontSize(6);
    PrintBlankLines(printer, 1);
    DrawRule(printer);
    PrintBlankLines(printer, 1);
    printer.setFontBold(false);
    printer.setFontSize(10);
}

void PrintChannelLines(Printer& printer, const RadioData& data) {
    const int last = std::min<int>(data.radio.channelCount, kLastSlot);

    bool pageBroken = false;
    for (int n = 0; n <= last; ++n) {
        const std::optional<Channel>& channel = data.radio.channels[static_cast<std::size_t>(n)];
        if (!channel) continue;
        const std::string line = FormatPrintLine(n, *channel);
        if (n > kFirstPageLastChannel && !pageBroken) {
            pageBroken = true;
            printer.newPage();
            PrintBlankLines(printer, 1);
            PrintChannelListHeader(printer);
        }
        printer.setFontSize(10);
        printer.setCurrentX(kChannelLineX);
        PrintLine(printer, line);
    }
}

std::string FormatPrintLine(int n, const Channel& channel) {
    // A frequency prints in full ("433.5125") and is padded with spaces to one
    // character more than its eight, so the single tab after it always reaches
    // the next column whatever the printer's font metrics round to. A
    // frequency the channel lacks (decoded from a damaged image) leaves its
    // column empty.
    constexpr std::size_t kFrequencyCell = 9;
    const auto frequencyCell = [](const std::optional<Frequency>& frequency) {
        std::string cell = frequency ? FrequencyText(*frequency) : std::string();
        if (cell.size() < kFrequencyCell) cell.resize(kFrequencyCell, ' ');
        return cell;
    };

    // One-digit channel numbers take an extra tab so that both reach the
    // same receive column.
    std::string line = std::to_string(n);
    line += n < 10 ? "\t\t" : "\t";
    line += frequencyCell(channel.rx);
    line += "\t";
    line += frequencyCell(channel.tx);
    line += "\t";
    // The tone and scan flag are held with the transmit frequency.
    if (channel.tx) line += ToneListText(channel.tone);
    line += "\t\t";
    line += channel.tx && channel.scan ? "Y" : "N";
    return line;
}

void PrintOptionsReport(Printer& printer, const EntryFields& form) {
    printer.setFontBold(true);
    printer.setFontSize(18);
    PrintBlankLines(printer, 3);
    PrintCentred(printer, kOptionsReportTitle);

    printer.setFontSize(9);
    PrintBlankLines(printer, 1);
    DrawRule(printer);
    printer.setFontSize(6);
    PrintBlankLines(printer, 1);

    printer.setFontBold(false);
    printer.setFontSize(10);

    // The options' meaning depends on the model, so the report names it.
    const std::string& model = form.cboRadio.text();
    std::vector<std::pair<std::string, std::string>> rows{
        {"Radio Model", ": " + (model.empty() ? std::string("not chosen") : model)},
        {"Time out Timer", ": " + form.cboToT.text() + " minutes"},
        {"Scan Hold Time", ": 2.00 seconds"},
    };
    for (const RadioOption& option : RadioOptions())
        if (!option.reportLabel.empty())
            rows.emplace_back(std::string(option.reportLabel),
                              CheckState(BoxOf(form, OptionIndex(option))));
    for (const auto& [label, value] : rows) {
        printer.setCurrentX(kOptionLabelX);
        PrintText(printer, label, false);
        printer.setCurrentX(kOptionValueX);
        PrintText(printer, value, true);
    }
}

} // namespace kl40
