#pragma once
// Strict number reading shared by the entry checks: no locale, "." as the
// decimal point, no exponent, no "inf"/"nan".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

// A decimal number: optional sign, digits, optional "." and digits, at least one
// digit, optional surrounding blanks. Anything else gives nothing.
std::optional<double> ParseDecimal(std::string_view text);

// A frequency as it is stored, three digits, a point and four digits
// ("435.1250"), in units of 100 Hz (4351250). Anything else gives nothing.
std::optional<std::int64_t> StoredFrequencyUnits(std::string_view text);

// A whole number in the 16-bit signed range (optional sign and surrounding
// blanks). Anything else, including a fraction, gives nothing.
std::optional<std::int16_t> ParseInt16(std::string_view text);

// Two-digit form of a channel number: below 10 a leading "0" (5 -> "05"),
// otherwise unchanged (12 -> "12", 100 -> "100").
std::string TwoDigit(int number);

} // namespace kl40
