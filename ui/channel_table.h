#pragma once
// Logic of the "Channel Table" window: the radio's 99 channels as rows of
// cells, a second view of the radio beside the entry form. Every change goes
// through the channel table operations (entry/cell_edit.h,
// entry/channel_rows.h, formats/channel_clipboard.h), is one step of the
// frame's undo history, marks the radio changed and rebuilds the form's list.
// A refusal changes nothing and leaves its reason in the status line.

#include "entry/cell_edit.h"
#include "entry/channel_rows.h"
#include "ui/form/workspace.h"
#include "ui/preferences.h"
#include "ui/undo_history.h"

#include <string>
#include <string_view>

namespace kl40 {

inline constexpr const char* kChannelTableCaption = "Channel Table";
inline constexpr const char* kPasteReportTitle = "Paste Channels";

// The table's columns: the channel number, then the cells of entry/cell_edit.h.
inline constexpr int kTableColumnCount = 1 + static_cast<int>(kColumnCount);
inline constexpr int kNumberColumn = 0;
inline constexpr int kReceiveColumn = 1;
// Column `index` of the table as a cell column (not for the number column).
constexpr Column CellColumn(int index) {
    return static_cast<Column>(index - 1);
}
constexpr int TableColumn(Column column) {
    return static_cast<int>(column) + 1;
}
// "Channel", "Receive MHz", ... as the header shows them.
std::string ColumnTitle(int column);

// Where the operator is in the table: the current cell and the channels of
// the selected cells.
struct TablePlace {
    int channel = 1;
    int column = kReceiveColumn;
    ChannelSelection rows;

    bool operator==(const TablePlace&) const = default;
};

class ChannelTableWindow {
public:
    ChannelTableWindow(Workspace& ws, UndoHistory& history, const Preferences& preferences)
        : ws_(ws), history_(history), preferences_(preferences) {}
    ChannelTableWindow(const ChannelTableWindow&) = delete;
    ChannelTableWindow& operator=(const ChannelTableWindow&) = delete;

    // Where the window opens: the Receive cell of channel 1.
    static TablePlace OpeningPlace() { return {1, kReceiveColumn, {1}}; }

    // What a cell shows; an unused channel shows only its number.
    std::string cellText(int channel, int column) const;
    static bool editable(int column) { return column != kNumberColumn; }
    // The reason for the last refusal or the notes of the last change; ""
    // after a change with nothing to tell.
    const std::string& status() const { return status_; }
    void setStatus(std::string text) { status_ = std::move(text); }

    // Commits typed text to one cell. False: refused, the radio is unchanged
    // and the status names why (the editor keeps the text).
    bool commit(int channel, int column, std::string_view text);
    // Commits the text of an editor the operator left otherwise (clicking
    // elsewhere): a refused text cannot stay in its editor, so the cell keeps
    // its value and the status names the text that was not taken and why.
    bool commitLeaving(int channel, int column, std::string_view text);
    // Space in the Scan cell.
    void toggleScan(int channel);

    // Delete: empties the selected channels.
    TablePlace deleteRows(const TablePlace& place);
    // The selected rows as the clipboard takes them.
    std::string copyRows(const TablePlace& place) const;
    // Copies the selected rows into `clipboard`, then empties them; nothing is
    // copied when the rows cannot be emptied.
    TablePlace cutRows(const TablePlace& place, std::string& clipboard);
    // Pastes from the current row down; refused rows are told in one report
    // and the rest land. Afterwards the pasted rows are selected.
    TablePlace paste(const TablePlace& place, std::string_view text);
    // Insert: an empty channel at the current row.
    TablePlace insertRow(const TablePlace& place);
    // The selected rows one row up or down; the selection and the current
    // cell go with them.
    TablePlace moveRows(const TablePlace& place, MoveDirection direction);
    // "Fill Frequencies...": `step` is typed in kHz.
    TablePlace fill(const TablePlace& place, std::string_view start, std::string_view stepKHz);
    // "Sort Channels": the current cell stays where it is.
    TablePlace sort(const TablePlace& place, SortKey key);

private:
    // Takes an operation's outcome as one undo step; false when refused.
    bool apply(const TableOutcome& outcome);

    Workspace& ws_;
    UndoHistory& history_;
    const Preferences& preferences_;
    std::string status_;
};

// The text a step typed in kHz stands for, or nothing ("12.5" is 125).
std::optional<Frequency> ParseStepKHz(std::string_view text);
inline constexpr const char* kStepRefusal =
    "The step must be a number of kHz from 0 to 10000, with at most one decimal.";

} // namespace kl40
