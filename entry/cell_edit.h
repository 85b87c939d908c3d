#pragma once
// Typing into one cell of the channel table: the text goes through the
// channel entry rules and becomes the radio after it, or a refusal that
// changes nothing.

#include "entry/repeater.h"
#include "entry/table_outcome.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kl40 {

// The table's editable columns, in their order after the Channel column.
enum class Column { Receive, Transmit, Duplex, Offset, Ctcss, Scan, Name, Comment };
inline constexpr std::size_t kColumnCount = 8;

// The cell as the table shows it: "435.1250", "+", "5.0000", "88.5", "Y".
// The Offset cell is blank unless the channel is "+" or "-".
std::string CellText(const Channel& channel, Column column);

// Commits `text` to one cell of channel `number`. A cell of an empty row
// creates the channel from its receive frequency; an empty Receive cell
// empties the channel. `defaultOffset` is what "+" or "-" applies to a
// simplex channel.
TableOutcome CommitCell(const Radio& radio, int number, Column column, std::string_view text,
                        Frequency defaultOffset = kDefaultRepeaterOffset);

// A whole row typed at once, as a paste brings it: the cells by Column.
using RowCells = std::array<std::string, kColumnCount>;

// Enters a row as channel `number`, replacing what was there: an all-blank
// row empties the channel; a given transmit frequency must agree with the
// row's duplex and offset. Refused: the reason, and `radio` is unchanged.
// Taken: the notes to tell (a frequency off the raster), `radio` holds it.
struct RowEntry {
    bool taken = false;
    std::string refusal;
    std::vector<std::string> notes;
};
RowEntry EnterRow(Radio& radio, int number, const RowCells& cells,
                  Frequency defaultOffset = kDefaultRepeaterOffset);

} // namespace kl40
