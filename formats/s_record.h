#pragma once
// EPROM images as Motorola S-record text, the other format EPROM programmers
// load.

#include "formats/format_error.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

// An empty S0 header (S0030000FC: srec_cat warns about a file without a
// header), S1 records (16-bit addresses) of 16 data bytes from address 0, then
// the end record S9030000FC. Lines end in CRLF like the Intel HEX writer's. Images above 64 KiB get
// S2 records and an S8 end, above 16 MiB S3 and S7; more than 4 GiB throws std::length_error.
std::string WriteSRecord(const std::vector<std::uint8_t>& image);

// Reads S-record text of at most kMaxRecordFileBytes into an image from
// address 0. Takes LF or CRLF line ends, hex digits of either case, blank
// lines, records in any order and of any length, S0 headers (skipped), data in
// S1, S2 or S3 records and the record counts S5 and S6, which must match the
// data records before them. The file ends with S7, S8 or S9, or with a
// matching count record, as srec_cat writes files without a start address.
// Refuses, naming the line: a line not starting with 'S', a character that is
// not a hex digit, a byte count that does not match the record, a bad
// checksum, an unknown record type, data beyond kMaxRecordImageBytes, an
// address given twice, a gap below the highest address, a missing end record
// and anything after it.
ImageOrError ReadSRecord(std::string_view text);

} // namespace kl40
