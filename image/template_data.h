#pragma once
// Tables generated at build time from image/templates/*.hex (one per model,
// in model order 1, 2, 3): lines of 32 hex digits.

#include <cstddef>

namespace kl40::template_data {
extern const char* const kLines0[];
extern const std::size_t kLineCount0;
extern const char* const kLines1[];
extern const std::size_t kLineCount1;
extern const char* const kLines2[];
extern const std::size_t kLineCount2;
} // namespace kl40::template_data
