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

std::optional<std::int64_t> StoredFrequencyUnits(std::string_view text) {
    if (text.size() != 8 || text[3] != '.') return std::nullopt;
    const auto digit = [text](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(text[k])) - '0';
    };
    const std::uint32_t d[] = {digit(0), digit(1), digit(2), digit(4),
                               digit(5), digit(6), digit(7)};
    // A character below '0' wraps round to a large value, so one test finds
    // any that is no digit.
    if ((d[0] > 9) | (d[1] > 9) | (d[2] > 9) | (d[3] > 9) | (d[4] > 9) | (d[5] > 9) | (d[6] > 9))
        return std::nullopt;
    std::int64_t units = 0;
    for (const std::uint32_t each : d)
        units = units * 10 + each;
    return units;
}

std::optional<double> ParseDecimal(std::string_view text) {
    // A stored frequency, "435.1250": the general reading below, shortened.
    if (const auto units = StoredFrequencyUnits(text)) return static_cast<double>(*units) / 1e4;
    text = trimBlanks(text);
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    std::size_t point = std::string_view::npos;
    std::int64_t whole = 0; // the digits as one number, while there are at most 15
    for (std::size_t k = i; k < text.size(); ++k) {
        if (isDigit(text[k])) {
            if (++digits <= 15) whole = whole * 10 + (text[k] - '0');
        } else if (text[k] == '.' && point == std::string_view::npos) {
            point = k;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    // At most 15 digits with digits on both sides of any point ("435.1250"):
    // the digits form a whole number below 2^53 and the scale is a power of
    // ten up to 10^15, both exact doubles, so their one rounded quotient is the
    // nearest double to the text, which is what from_chars gives.
    if (digits <= 15 && point != i && point != text.size() - 1) {
        static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const std::size_t decimals = point == std::string_view::npos ? 0 : text.size() - point - 1;
        const double value = static_cast<double>(whole) / kPowers[decimals];
        return negative ? -value : value;
    }
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
    // One or two digits, as channel numbers are written: the reading below, shortened.
    if (!text.empty() && text.size() <= 2 && isDigit(text[0]) && isDigit(text.back()))
        return static_cast<std::int16_t>(text.size() == 1 ? text[0] - '0'
                                                          : (text[0] - '0') * 10 + (text[1] - '0'));
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int16_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string TwoDigit(int number) {
    std::string text = std::to_string(number);
    if (number >= 0 && number < 10) text.insert(text.begin(), '0');
    return text;
}

} // namespace kl40
