#pragma once
// The channel table's rows on the clipboard: copied as tab-separated text
// with a header line; pasted from that text, from tab-separated rows of the
// same columns without the header, or from a channel list in the chirp
// package's CSV layout with its header.

#include "entry/cell_edit.h"
#include "entry/channel_rows.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kl40 {

inline constexpr const char* kChannelTableHeader =
    "Channel\tReceive MHz\tTransmit MHz\tDuplex\tOffset MHz\tCTCSS\tScan\tName\tComment";

// The header, then one line per selected row as the table shows it (an empty
// row has its number and blank cells). Lines end with "\n".
std::string CopyChannelRows(const Radio& radio, const ChannelSelection& rows);

// One row of pasted text, in the table's columns, or why it cannot be read.
struct PastedRow {
    int line = 0; // text line, from 1
    RowCells cells;
    std::string refusal;              // set when the row was refused as read
    std::vector<std::string> changes; // what reading changed (a frequency put on the raster)
};

struct PastedRows {
    std::vector<PastedRow> rows;    // in text order
    std::vector<std::string> notes; // about the text as a whole
};

// The rows of pasted text, or why the text holds none. Blank lines are skipped.
std::variant<PastedRows, std::string> ReadPastedRows(std::string_view text);

// Pastes rows from channel `first` down, one channel each, in their order.
// Each row goes through the channel entry rules; a refused row leaves its
// channel as it was and is told with its line and reason in the notes. A
// paste that would run past channel 99, or of which no row lands, is refused
// as a whole.
TableOutcome PasteChannelRows(const Radio& radio, int first, std::string_view text,
                              Frequency defaultOffset = kDefaultRepeaterOffset);

} // namespace kl40
