#include "ui/channel_table.h"

#include "core/numbers.h"
#include "formats/channel_clipboard.h"
#include "ui/form/channel_entry.h"

#include <array>
#include <cmath>
#include <variant>

namespace kl40 {

namespace {

constexpr std::array<const char*, kTableColumnCount> kColumnTitles = {
    "Channel", "Receive MHz", "Transmit MHz", "Duplex", "Offset MHz",
    "CTCSS",   "Scan",        "Name",         "Comment"};

std::string joined(const std::vector<std::string>& lines, const char* separator) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : separator) + line;
    return text;
}

// The selection, or the current row when nothing is selected.
ChannelSelection rowsOf(const TablePlace& place) {
    return place.rows.empty() ? ChannelSelection{place.channel} : place.rows;
}

// How many rows a paste would bring; 0 when the text holds none.
int pastedRowCount(std::string_view text) {
    const auto read = ReadPastedRows(text);
    const auto* rows = std::get_if<PastedRows>(&read);
    return rows == nullptr ? 0 : static_cast<int>(rows->rows.size());
}

// Whether a change adds scan channels (moving or sorting them adds none).
bool addsScanChannels(const ChannelTable& before, const ChannelTable& after) {
    return ScanChannelsOtherThan(after, 0) > ScanChannelsOtherThan(before, 0);
}

} // namespace

std::string ColumnTitle(int column) {
    return column >= 0 && column < kTableColumnCount
               ? kColumnTitles[static_cast<std::size_t>(column)]
               : "";
}

std::string ChannelTableWindow::cellText(int channel, int column) const {
    if (channel < 1 || channel > kHighestChannel) return "";
    if (column == kNumberColumn) return std::to_string(channel);
    const std::optional<Channel>& slot = ws_.data.radio.channels[static_cast<std::size_t>(channel)];
    return slot ? CellText(*slot, CellColumn(column)) : "";
}

bool ChannelTableWindow::apply(const TableOutcome& outcome) {
    if (const auto* refusal = std::get_if<TableRefusal>(&outcome)) {
        status_ = refusal->reason;
        return false;
    }
    const TableChange& change = std::get<TableChange>(outcome);
    status_ = joined(change.notes, " ");
    if (change.radio == ws_.data.radio) return true;
    history_.record([&] {
        const ChannelTable before = ws_.data.radio.channels;
        ws_.data.radio = change.radio;
        ws_.data.DataChanged = true;
        if (addsScanChannels(before, change.radio.channels)) EnableScanning(ws_);
        RebuildChannelList(ws_);
        ShowChangedChannel(ws_, before);
    });
    return true;
}

bool ChannelTableWindow::commit(int channel, int column, std::string_view text) {
    if (!editable(column)) return false;
    return apply(CommitCell(ws_.data.radio, channel, CellColumn(column), text,
                            preferences_.repeaterOffset()));
}

bool ChannelTableWindow::commitLeaving(int channel, int column, std::string_view text) {
    // An editor left as it was opened changes nothing and has nothing to refuse.
    if (text == cellText(channel, column)) return true;
    if (commit(channel, column, text)) return true;
    status_ = "Channel " + std::to_string(channel) + ", " + ColumnTitle(column) + ": \"" +
              std::string(text) + "\" was not taken. " + status_;
    return false;
}

void ChannelTableWindow::toggleScan(int channel) {
    commit(channel, TableColumn(Column::Scan),
           cellText(channel, TableColumn(Column::Scan)) == "Y" ? "N" : "Y");
}

TablePlace ChannelTableWindow::deleteRows(const TablePlace& place) {
    apply(DeleteChannels(ws_.data.radio, rowsOf(place)));
    return place;
}

std::string ChannelTableWindow::copyRows(const TablePlace& place) const {
    return CopyChannelRows(ws_.data.radio, rowsOf(place));
}

TablePlace ChannelTableWindow::cutRows(const TablePlace& place, std::string& clipboard) {
    std::string copied = copyRows(place);
    if (apply(DeleteChannels(ws_.data.radio, rowsOf(place)))) clipboard = std::move(copied);
    return place;
}

TablePlace ChannelTableWindow::paste(const TablePlace& place, std::string_view text) {
    const TableOutcome outcome =
        PasteChannelRows(ws_.data.radio, place.channel, text, preferences_.repeaterOffset());
    if (!apply(outcome)) return place;
    const int count = pastedRowCount(text);
    const int last = place.channel + count - 1;
    TablePlace after = place;
    after.rows.clear();
    for (int n = place.channel; n <= last; ++n)
        after.rows.insert(n);
    const std::vector<std::string>& notes = std::get<TableChange>(outcome).notes;
    const std::string where =
        count == 1 ? "channel " + std::to_string(place.channel)
                   : "channels " + std::to_string(place.channel) + " to " + std::to_string(last);
    status_ = "Pasted at " + where + ".";
    if (!notes.empty()) {
        status_ += " Some rows need attention: see the report.";
        ws_.platform.show("Pasted at " + where + ".\n\n" + joined(notes, "\n"), kPasteReportTitle,
                          Icon::Exclamation);
    }
    return after;
}

TablePlace ChannelTableWindow::insertRow(const TablePlace& place) {
    if (!apply(InsertChannel(ws_.data.radio, place.channel))) return place;
    return {place.channel, place.column, {place.channel}};
}

TablePlace ChannelTableWindow::moveRows(const TablePlace& place, MoveDirection direction) {
    const ChannelSelection rows = rowsOf(place);
    if (!apply(MoveChannels(ws_.data.radio, rows, direction))) return place;
    const int by = direction == MoveDirection::Up ? -1 : 1;
    TablePlace after{place.channel + by, place.column, {}};
    for (const int n : rows)
        after.rows.insert(n + by);
    return after;
}

TablePlace ChannelTableWindow::fill(const TablePlace& place, std::string_view start,
                                    std::string_view stepKHz) {
    const std::optional<Frequency> step = ParseStepKHz(stepKHz);
    if (!step) {
        status_ = kStepRefusal;
        return place;
    }
    apply(FillReceive(ws_.data.radio, rowsOf(place), start, *step));
    return place;
}

TablePlace ChannelTableWindow::sort(const TablePlace& place, SortKey key) {
    if (!apply(SortChannels(ws_.data.radio, key))) return place;
    return {place.channel, place.column, {place.channel}};
}

std::optional<Frequency> ParseStepKHz(std::string_view text) {
    const std::optional<double> kHz = ParseDecimal(text);
    if (!kHz || *kHz < 0 || *kHz > 10000) return std::nullopt;
    // The frequency's unit is 100 Hz: one decimal of a kHz.
    const double units = *kHz * 10.0;
    if (std::abs(units - std::round(units)) > 1e-6) return std::nullopt;
    return Frequency{std::llround(units)};
}

} // namespace kl40
