#pragma once
// Frequencies in whole hertz, read from and written as MHz texts, exactly:
// no floating point between a text and its hertz.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

// "435.125" -> 435125000: digits (at most five), optionally "." and up to six
// decimals. Anything else, including blanks, a sign or a seventh decimal,
// gives nothing.
std::optional<std::int64_t> HertzFromMHz(std::string_view text);

// 435125000 -> "435.125000". `hertz` must not be negative.
std::string SixDecimalMHz(std::int64_t hertz);

} // namespace kl40
