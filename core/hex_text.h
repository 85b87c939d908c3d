#pragma once
// Conversions between hex digit text, numbers and the byte ("binary text")
// form of the image. Hex text is upper-case, two digits per byte, most
// significant first.

#include "core/platform.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kl40 {

// Value 0-15 of an upper-case hex digit "0"-"9", "A"-"F"; -1 for any other
// character. The one reading of a hex digit in the program.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Value of a digit text in `base` (callers pass 16). Only "0"-"9" and upper-case
// "A"-"F" are digits: anything else shows "Invalid number!" and gives 0; a value
// outside the 32-bit signed range shows "Unable to convert hex code" and gives 0.
std::int32_t HexToValue(Platform& platform, std::string_view text, std::int16_t base = 16);

// Upper-case hex rendering without leading zeros; 0 gives "0".
std::string HexDigits(std::uint32_t value);

// Hex digits to binary text, one character per pair (a single digit gives one
// character of that digit's value; a final unpaired digit is dropped). Throws
// std::range_error when a pair's value lies outside 0-255 (non-hex characters).
std::string HexToBinary(std::string_view hex);

// The first character of `binary` as exactly two hex digits. An empty argument
// shows "Error in converting binary code" and gives "".
std::string BinaryToHex(Platform& platform, std::string_view binary);
// The same for one byte value.
std::string ByteToHex(std::uint8_t byte);

} // namespace kl40
