#pragma once
// EPROM images as Intel HEX text, the format EPROM programmers load.

#include "formats/format_error.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

// Type-00 records of 16 data bytes from address 0, then the end record
// :00000001FF. Lines end in CRLF: programmer software on Windows expects it and
// srec_cat and other Unix tools read it as well. Images above 64 KiB get
// extended linear address records (type 04); more than 4 GiB throws
// std::length_error.
std::string WriteIntelHex(const std::vector<std::uint8_t>& image);

// Reads Intel HEX text of at most kMaxRecordFileBytes into an image from
// address 0. Takes LF or CRLF line ends, hex digits of either case, blank
// lines, records in any order and of any length, address records (types 02 and
// 04) and start address records (03 and 05, which have nothing to place).
// Refuses, naming the line: a line not starting with ':', a character that is
// not a hex digit, a length byte that does not match the record, a bad
// checksum, an unknown record type, data beyond kMaxRecordImageBytes, an
// address given twice, a gap below the highest address, a missing end record
// and anything after it.
ImageOrError ReadIntelHex(std::string_view text);

} // namespace kl40
