#include "ui/print_dialog.h"

#include "core/numbers.h"
#include "support/recording_printer.h"
#include "support/scripted_platform.h"

#include "support/channel_slots.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kl40 {
namespace {

using test::PrintCall;
using test::RecordedDocument;
using test::RecordingPrinter;
using test::RecordingPrintTarget;

TEST(FormatPrintLine, AMissingFrequencyLeavesItsColumnEmpty) {
    const auto channel = [](std::optional<Frequency> rx, std::optional<Frequency> tx, int tone,
                            bool scan) {
        Channel c;
        c.rx = rx;
        c.tx = tx;
        c.tone = tone;
        c.scan = scan;
        return c;
    };
    const Frequency f440{4400000}, f441{4412500};
    EXPECT_EQ(FormatPrintLine(5, channel(f440, f441, 1, true)),
              "5\t\t440.0000 \t441.2500 \t71.9 \t\tY");
    EXPECT_EQ(FormatPrintLine(12, channel(f440, f440, 0, false)),
              "12\t440.0000 \t440.0000 \tnone \t\tN");
    // From a damaged image: the number and the other columns stay in place.
    EXPECT_EQ(FormatPrintLine(7, channel(std::nullopt, f441, 1, false)),
              "7\t\t         \t441.2500 \t71.9 \t\tN");
    EXPECT_EQ(FormatPrintLine(7, channel(f440, std::nullopt, 1, true)),
              "7\t\t440.0000 \t         \t\t\tN");
}

TEST(CentredX, RoundsHalfToEvenThenHalvesTowardsZero) {
    RecordedDocument doc;
    const std::set<std::string> none;
    auto centred = [&](double pageWidth) {
        RecordingPrinter p(doc, pageWidth, none);
        p.setFontSize(18);
        return CentredX(p, "KL40c Channel List"); // 18 x 216 = 3888 twips
    };
    EXPECT_EQ(centred(11520), 3816);
    EXPECT_EQ(centred(11521), 3816);   // 7633 / 2
    EXPECT_EQ(centred(11520.6), 3816); // 7632.6 -> 7633 -> 3816
    // Halves only matter once the title is wider than the page.
    EXPECT_EQ(centred(1000.5), -1444); // -2887.5 -> -2888
    EXPECT_EQ(centred(1001.5), -1443); // -2886.5 -> -2886
    EXPECT_EQ(centred(1001), -1443);   // -2887 / 2
}

class PrintTest : public ::testing::Test {
protected:
    PrintTest() : ws(platform) {
        ws.data.radio.channelCount = 1;
        for (const char* t : {"1.00", "2.00", "3.00"})
            ws.form.cboToT.addItem(t);
        ws.form.cboToT.setListIndex(1);
    }

    void store(int n, std::string tail = ",435.0000,435.0000,none ,N") {
        test::SetEntry(ws, n, std::to_string(n) + tail);
        ws.form.lstFreq.addItem("line");
        if (ws.data.radio.channelCount < n) ws.data.radio.channelCount = n;
    }

    // What the operator does: pick a report, OK, then the printer dialog.
    const RecordedDocument& print(void (Print_Dialog::*pick)(), int copies = 1) {
        target.chooseCopies(copies);
        Print_Dialog dialog(ws, target);
        (dialog.*pick)();
        dialog.OKButton_Click();
        EXPECT_TRUE(dialog.closed());
        return *target.documents.back();
    }

    static std::vector<double> starts(const std::vector<PrintCall>& line) {
        std::vector<double> xs;
        for (const auto& c : line)
            if (!c.text.empty()) xs.push_back(c.x);
        return xs;
    }

    test::ScriptedPlatform platform;
    Workspace ws;
    RecordingPrintTarget target;
};

TEST_F(PrintTest, ChannelListLayout) {
    store(5, ",435.1250,430.1250,88.5 ,Y");
    store(12, ",436.5000,431.5000,103.5,N");
    store(13, ",437.0000,437.0000,none ,N");
    store(14, ",433.5125,439.0375,none ,N");
    store(15, ",435.1,436,none ,N"); // short fields from a damaged image
    const auto& doc = print(&Print_Dialog::optPrint_Chan_Click);

    const auto title = doc.find("KL40c Channel List");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].x, 3816);
    EXPECT_EQ(title[0].y, 36 + 3 * RecordingPrinter::lineHeight(18));
    EXPECT_EQ(title[0].font, "Courier New");
    EXPECT_EQ(title[0].size, 18);
    EXPECT_TRUE(title[0].bold);

    const auto headings = doc.lineOf(doc.find("Chan").at(0));
    EXPECT_EQ(starts(headings), (std::vector<double>{1550, 3254, 5182, 6713, 8420}));
    for (const auto& h : headings) {
        EXPECT_EQ(h.size, 10);
        EXPECT_FALSE(h.bold);
        EXPECT_EQ(h.endLine, h.text == "Scan") << h.text;
    }

    const auto rule = doc.boxes();
    ASSERT_EQ(rule.size(), 1u);
    EXPECT_EQ(rule[0].x, 1440);
    EXPECT_EQ(rule[0].x2, 11520 - 1440);
    EXPECT_EQ(rule[0].y, headings[0].y + 240 + 144); // after one blank 6-point line
    EXPECT_EQ(rule[0].y2 - rule[0].y, 50);
    EXPECT_EQ(rule[0].colour, 0u);

    // One- and two-digit channels land in the same columns.
    for (const char* ch : {"5", "12", "13", "14", "15"}) {
        const auto line = doc.lineOf(doc.find(ch).at(0));
        EXPECT_EQ(starts(line), (std::vector<double>{1723, 2880, 4800, 6720, 8640})) << ch;
        EXPECT_FALSE(line[0].bold);
        EXPECT_EQ(line[0].size, 10);
    }
    // Frequencies print in full, never cut to three decimals.
    EXPECT_EQ(doc.lineOf(doc.find("5")[0])[1].text, "435.1250 ");
    EXPECT_EQ(doc.lineOf(doc.find("14")[0])[1].text, "433.5125 ");
    EXPECT_EQ(doc.lineOf(doc.find("14")[0])[2].text, "439.0375 ");
    EXPECT_EQ(doc.lineOf(doc.find("13")[0])[3].text, "none ");
    for (const auto& c : doc.texts())
        EXPECT_EQ(c.text.find('\t'), std::string::npos) << "tab reached the printer";
    EXPECT_TRUE(doc.ended);
}

TEST_F(PrintTest, ChannelCountBoundsTheListing) {
    store(3);
    store(9);
    ws.data.radio.channelCount = 5;
    EXPECT_TRUE(print(&Print_Dialog::optPrint_Chan_Click).find("9").empty());

    store(100);
    ws.data.radio.channelCount = 250;
    EXPECT_EQ(print(&Print_Dialog::optPrint_Chan_Click).find("100").size(), 1u);
}

TEST_F(PrintTest, PageBreaksOnceBeforeTheFirstChannelAboveFifty) {
    for (int n = 1; n <= 50; ++n)
        store(n);
    EXPECT_EQ(print(&Print_Dialog::optPrint_Chan_Click).pages, 1);

    for (int n = 51; n <= 99; ++n)
        store(n);
    const auto& doc = print(&Print_Dialog::optPrint_Chan_Click);
    EXPECT_EQ(doc.pages, 2);
    EXPECT_EQ(doc.find("50")[0].page, 1);
    EXPECT_EQ(doc.find("51")[0].page, 2);
    EXPECT_EQ(doc.find("99")[0].page, 2);
}

TEST_F(PrintTest, BreakFollowsTheChannelNumberInEveryCopy) {
    store(1);
    store(60);
    print(&Print_Dialog::optPrint_All_Click, 3);
    ASSERT_EQ(target.documents.size(), 3u); // each copy a document of its own
    for (const auto& doc : target.documents) {
        EXPECT_EQ(doc->pages, 2);
        EXPECT_EQ(doc->find("60")[0].page, 2);
        const auto titles = doc->find("KL40c Channel List");
        ASSERT_EQ(titles.size(), 2u);
        EXPECT_EQ(titles[1].page, 2);
        EXPECT_EQ(titles[1].y, titles[0].y);
        EXPECT_TRUE(titles[0].bold && titles[1].bold);
        EXPECT_EQ(doc->find("Radio Configuration").size(), 1u);
        EXPECT_EQ(doc->calls.back().kind, PrintCall::Kind::EndDocument);
    }
}

TEST_F(PrintTest, OptionsReportRows) {
    ws.form.cboToT.setListIndex(2);
    ws.form.chkScan_En.setChecked(true);
    ws.form.chkBCO.setChecked(true);
    ws.form.chkSilent.setChecked(true);
    ws.form.chkHiLo.setChecked(true); // not printed
    ws.form.cboRadio.editText("KL40a-64");
    const auto& doc = print(&Print_Dialog::optPrint_Config_Click);

    const std::vector<std::pair<std::string, std::string>> rows{
        {"Radio Model", ": KL40a-64"},
        {"Time out Timer", ": 3.00 minutes"},
        {"Scan Hold Time", ": 2.00 seconds"},
        {"Channel Scan", ": Enabled"},
        {"Down deletes scan channel", ": Disabled"},
        {"Self programmed scan channels", ": Disabled"},
        {"20 Sec Display Timer", ": Disabled"},
        {"Power LED is ON Indicator", ": Disabled"},
        {"Rx CTCSS mute", ": Disabled"},
        {"Transmit inhibit if channel busy", ": Enabled"},
        {"Silent Switch", ": Enabled"},
        {"Transmit inhibit if Open LED off", ": Disabled"},
    };
    const auto title = doc.find("Radio Configuration");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_TRUE(title[0].bold);
    EXPECT_EQ(title[0].x, (11520 - 19 * 216) / 2);
    EXPECT_TRUE(doc.find("KL40c Channel List").empty());
    EXPECT_EQ(doc.boxes().size(), 1u);

    double previousY = title[0].y;
    for (const auto& [label, value] : rows) {
        const auto row = doc.lineOf(doc.find(label).at(0));
        ASSERT_EQ(row.size(), 2u) << label;
        EXPECT_EQ(starts(row), (std::vector<double>{1440, 5400})) << label;
        EXPECT_EQ(row[1].text, value) << label;
        EXPECT_TRUE(!row[0].endLine && row[1].endLine) << label;
        EXPECT_FALSE(row[0].bold);
        EXPECT_GT(row[0].y, previousY) << label;
        previousY = row[0].y;
    }
    EXPECT_EQ(doc.texts().size(), 6 + 2 * rows.size()); // blank lines, title, rows
}

// The preview lays out exactly the document one copy prints, each time the
// preview asks, and neither prints nor closes the window.
TEST_F(PrintTest, PreviewShowsWhatOneCopyPrints) {
    struct RecordingPreview : PreviewTarget {
        void ShowPreview(const std::function<void(Printer&)>& draw) override {
            for (int layout = 0; layout < 2; ++layout) { // again after a page set-up
                documents.push_back(std::make_unique<RecordedDocument>());
                RecordingPrinter printer(*documents.back(), 11520, none);
                draw(printer);
            }
        }
        std::set<std::string> none;
        std::vector<std::unique_ptr<RecordedDocument>> documents;
    } preview;
    const auto same = [](const RecordedDocument& a, const RecordedDocument& b) {
        if (a.calls.size() != b.calls.size() || a.pages != b.pages || !a.ended || !b.ended)
            return false;
        for (std::size_t i = 0; i < a.calls.size(); ++i) {
            const PrintCall &x = a.calls[i], &y = b.calls[i];
            if (x.kind != y.kind || x.page != y.page || x.text != y.text ||
                x.endLine != y.endLine || x.x != y.x || x.y != y.y || x.x2 != y.x2 ||
                x.y2 != y.y2 || x.font != y.font || x.size != y.size || x.bold != y.bold)
                return false;
        }
        return true;
    };
    for (int n : {3, 12, 60})
        store(n);
    for (auto pick : {&Print_Dialog::optPrint_All_Click, &Print_Dialog::optPrint_Chan_Click,
                      &Print_Dialog::optPrint_Config_Click}) {
        preview.documents.clear();
        int closes = 0;
        Print_Dialog dialog(ws, target, &preview, [&] { ++closes; });
        (dialog.*pick)();
        dialog.PreviewButton_Click();
        EXPECT_EQ(closes, 0);
        EXPECT_EQ(target.dialogsShown, 0) << "no printer dialog, nothing printed";
        const auto& printed = print(pick);
        target.dialogsShown = 0;
        ASSERT_EQ(preview.documents.size(), 2u);
        EXPECT_TRUE(same(*preview.documents[0], printed));
        EXPECT_TRUE(same(*preview.documents[1], printed));
    }

    // Nothing chosen: the operator is asked to choose.
    preview.documents.clear();
    Print_Dialog dialog(ws, target, &preview);
    dialog.PreviewButton_Click();
    EXPECT_TRUE(preview.documents.empty());
    EXPECT_EQ(platform.last().text, "Choose a printout to preview.");
    EXPECT_EQ(platform.last().title, "Printout Selection");
}

TEST_F(PrintTest, MoreThan75ListLinesPutOptionsOnANewPage) {
    for (int n = 1; n <= 75; ++n)
        store(n % 50 + 1); // listed lines are what count, not the channels
    EXPECT_EQ(print(&Print_Dialog::optPrint_All_Click).find("Radio Configuration")[0].page, 1);

    ws.form.lstFreq.addItem("line");
    const auto& doc = print(&Print_Dialog::optPrint_All_Click);
    EXPECT_EQ(doc.pages, 2);
    EXPECT_EQ(doc.find("Radio Configuration")[0].page, 2);
}

TEST_F(PrintTest, NothingIsPrintedWithoutAChoiceOrAfterCancel) {
    store(5);
    int closes = 0;
    auto open = [&] { return Print_Dialog(ws, target, [&] { ++closes; }); };

    auto noChoice = open(); // OK without a choice asks for one and stays open
    noChoice.OKButton_Click();
    EXPECT_EQ(target.dialogsShown, 0);
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(platform.last().text, "Choose a printout to print.");

    auto cancelled = open();
    cancelled.optPrint_All_Click();
    target.cancelDialog();
    cancelled.OKButton_Click();
    EXPECT_EQ(target.dialogsShown, 1);

    auto closedByCancel = open();
    closedByCancel.optPrint_All_Click();
    closedByCancel.CancelButton_Click();
    EXPECT_EQ(target.dialogsShown, 1);
    EXPECT_TRUE(target.documents.empty());
    EXPECT_EQ(closes, 2);
}

TEST_F(PrintTest, PrinterFailuresAreIgnored) {
    store(1);
    store(60);
    target.failing = {"newPage", "drawBox"};
    print(&Print_Dialog::optPrint_All_Click, 2);
    ASSERT_EQ(target.documents.size(), 2u);
    for (const auto& doc : target.documents) {
        EXPECT_TRUE(doc->ended);
        EXPECT_EQ(doc->find("60").size(), 1u);
        EXPECT_EQ(doc->find("Transmit inhibit if Open LED off").size(), 1u);
    }

    target.noPrinter = true;
    target.chooseCopies(2);
    Print_Dialog dialog(ws, target);
    dialog.optPrint_All_Click();
    EXPECT_NO_THROW(dialog.OKButton_Click());
    EXPECT_TRUE(dialog.closed());
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace kl40
