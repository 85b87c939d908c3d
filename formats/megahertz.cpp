#include "formats/megahertz.h"

#include <cstdio>

namespace kl40 {

std::optional<std::int64_t> HertzFromMHz(std::string_view text) {
    constexpr std::size_t kMaxWholeDigits = 5;
    constexpr std::size_t kMaxDecimals = 6;
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (whole.empty() || whole.size() > kMaxWholeDigits || fraction.size() > kMaxDecimals)
        return std::nullopt;
    std::int64_t hertz = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        hertz = hertz * 10 + (c - '0');
    }
    std::int64_t scale = 1'000'000;
    for (char c : fraction) {
        if (c < '0' || c > '9') return std::nullopt;
        scale /= 10;
        hertz = hertz * 10 + (c - '0');
    }
    return hertz * scale;
}

std::string SixDecimalMHz(std::int64_t hertz) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%06lld", static_cast<long long>(hertz / 1'000'000),
                  static_cast<long long>(hertz % 1'000'000));
    return text;
}

} // namespace kl40
