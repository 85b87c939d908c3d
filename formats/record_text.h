#pragma once

#include "formats/format_error.h"
// Text pieces shared by the Intel HEX and S-record codecs: lines, hex digit
// pairs and address texts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kl40 {

// One line of a record file: its number counted from 1 and its text without
// the line end.
struct TextLine {
    std::size_t number = 0;
    std::string_view text;
};

// Splits at LF and drops a CR before it, so that files with CRLF and with LF
// line ends read the same. A final line end does not start another line.
std::vector<TextLine> SplitLines(std::string_view text);

// Pairs of hex digits of either case as bytes. `firstColumn` is the column of
// digits[0] in its line (counted from 1), for the message naming a character
// that is not a hex digit. An odd number of digits is refused too.
std::variant<std::vector<std::uint8_t>, std::string> HexPairs(std::string_view digits,
                                                              std::size_t firstColumn);

// Appends two upper-case hex digits.
void AppendHexByte(std::string& out, std::uint8_t byte);

// "0x01F0": upper-case, at least four digits.
std::string HexAddress(std::uint64_t address);

// A fault on `line`.
FormatError At(const TextLine& line, std::string message);
// One byte as two upper-case hex digits, for messages.
std::string Hex2(std::uint8_t byte);

} // namespace kl40
