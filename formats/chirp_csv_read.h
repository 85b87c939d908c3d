#pragma once
// Reading a CHIRP generic CSV file into channels the radio can hold.

#include "formats/channel_import.h"
#include "formats/csv_records.h"

#include <cstddef>
#include <string_view>
#include <variant>

namespace kl40 {

inline constexpr std::size_t kMaxChirpCsvBytes = 1 << 20;
inline constexpr std::size_t kMaxChirpCsvRows = 1000;

// Columns are found by their header names, in any order; columns the file
// lacks take CHIRP's defaults (simplex, no tone, scanned). Each row the radio
// cannot hold is refused in the report with its reason; the rest become
// candidate channels, which still have to pass the channel entry (the scan
// channel limit, the note for a four-decimal frequency off the raster). A
// frequency with more than four decimals becomes the raster step the radio
// uses and its row is listed as changed. Names and comments are kept as
// written. A note says that TSQL rows need the receive tone option. An error
// when the text is not a CHIRP CSV file at all (no Location or Frequency
// column, broken quoting, not UTF-8, larger than the bounds above).
// With Locations::Ignored (rows pasted into the channel table, which land in
// their order) a row's Location is neither checked nor kept.
enum class Locations { Numbered, Ignored };
std::variant<ChannelImport, CsvError> ReadChirpCsv(std::string_view text,
                                                   Locations locations = Locations::Numbered);

} // namespace kl40
