#include "core/numbers.h"

#include <cctype>
#include <charconv>

namespace kl40 {

namespace {
std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    text = trimBlanks(text);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    bool point = false;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (isDigit(text[k])) {
            ++digits;
        } else if (text[k] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    // from_chars rejects a leading '+', so skip it ourselves.
    std::string_view body = text;
    if (!body.empty() && body.front() == '+') body.remove_prefix(1);
    double value = 0;
    auto [end, ec] =
        std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != body.data() + body.size()) return std::nullopt;
    return value;
}

std::optional<std::int16_t> ParseInt16(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int16_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string TwoDigit(int number) {
    return number >= 0 && number < 10 ? "0" + std::to_string(number) : std::to_string(number);
}

} // namespace kl40
