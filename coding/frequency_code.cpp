#include "coding/frequency_code.h"

#include "core/radio_model.h"

#include "core/hex_text.h"
#include "core/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace kl40 {

namespace {

// Step counts beyond this cannot give an eight-digit code (H would need four
// hex digits); the bound also keeps every integer conversion well defined.
constexpr double kMaxStepCount = 1 << 20;

// std::floor, without a call for the values NearHarmonic meets: below 2^52
// in size a double converts to a whole number exactly.
double wholeBelow(double v) {
    if (!(std::fabs(v) < 4503599627370496.0)) return std::floor(v);
    const auto whole = static_cast<double>(static_cast<std::int64_t>(v)); // towards zero
    return whole > v ? whole - 1.0 : whole;
}

} // namespace

bool FrequencyInRange(std::string_view text, double low, double high) {
    if (text.empty()) return false;
    const std::optional<double> value = ParseDecimal(text);
    if (!value) throw std::invalid_argument("frequency is not a number");
    return *value >= low && *value <= high;
}

std::string& FormatFrequency(std::string& text) {
    if (text.empty()) return text;
    if (text.find('.') != std::string::npos) {
        // Look for the point five, four, three, two and one places from the end.
        // A text shorter than the distance is looked at from its first
        // character, which leaves a short text starting with "." as it is.
        const std::size_t length = text.size();
        for (std::size_t places = 5; places >= 1; --places) {
            const std::size_t at = length >= places ? length - places : 0;
            if (text[at] == '.') {
                text.append(5 - places, '0');
                return text;
            }
        }
    }
    text += ".0000";
    return text;
}

bool HasExcessDecimals(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) return false;
    const std::string_view decimals = text.substr(point + 1);
    if (decimals.size() <= 4) return false;
    for (char c : decimals)
        if (c < '0' || c > '9') return false;
    return true;
}

std::optional<std::array<std::uint8_t, 4>> FrequencyCode(const RadioModel& model,
                                                         std::int32_t offset, Frequency frequency) {
    // Steps of 12.5 kHz above the offset, rounded to the nearest (a frequency
    // is never half-way between two steps: a step is 125 units of 100 Hz).
    const std::int64_t units = frequency.hundredHz - std::int64_t{offset} * 125;
    const std::int64_t shifted = units + 62;
    const std::int64_t m = shifted >= 0 ? shifted / 125 : -((-shifted + 124) / 125);
    if (m < 0 || m > static_cast<std::int64_t>(kMaxStepCount)) return std::nullopt;
    const std::int64_t n = m / kPrescaler;
    const std::int64_t h = n / 2; // the divider's high part, three hex digits at most
    const std::int64_t l = m % kPrescaler + (n % 2 != 0 ? 128 : 0);
    if (h > 0xFFF) return std::nullopt;
    std::uint32_t code = 0xFF000000u | static_cast<std::uint32_t>(h << 8 | l);
    if (model.harmonicMarker) {
        if (offset == kReceiveOffset && NearHarmonic(frequency.megahertz())) code &= 0x00FFFFFFu;
    } else if (std::popcount(code) % 2 != 0) {
        code |= 0x00400000u; // the check bit
    }
    return std::array<std::uint8_t, 4>{
        static_cast<std::uint8_t>(code >> 24), static_cast<std::uint8_t>(code >> 16),
        static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)};
}

Frequency FrequencyOfCode(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::int32_t offset) {
    const int lead = (b1 >= 0x40 ? b1 - 0x40 : b1) & 1;
    const std::int64_t n = 2 * (lead * 256 + b2) + (b3 >= 128 ? 1 : 0);
    return Frequency::FromSteps(n * kPrescaler + (b3 & 0x7F) + offset);
}

std::string FrequencyText(Frequency frequency) {
    const std::int64_t units = frequency.hundredHz;
    const std::uint64_t magnitude = units < 0 ? static_cast<std::uint64_t>(-(units + 1)) + 1
                                              : static_cast<std::uint64_t>(units);
    char buffer[32];
    char* end = buffer;
    if (units < 0) *end++ = '-';
    end = std::to_chars(end, buffer + 24, magnitude / 10000).ptr;
    const auto fraction = static_cast<unsigned>(magnitude % 10000);
    *end++ = '.';
    *end++ = static_cast<char>('0' + fraction / 1000);
    *end++ = static_cast<char>('0' + fraction / 100 % 10);
    *end++ = static_cast<char>('0' + fraction / 10 % 10);
    *end++ = static_cast<char>('0' + fraction % 10);
    return std::string(buffer, end);
}

bool NearHarmonic(double mhz) {
    const double x = mhz * 1000.0;
    if (!std::isfinite(x)) return false;
    // The comb spacing is stepped in real arithmetic: four passes, for about
    // 894.91, 894.94, 894.97 and (just under) 895.00. The spacings are the
    // same every time, so they are worked out once.
    static const std::vector<double> spacings = [] {
        std::vector<double> d;
        for (double c = 894.91; c <= 895.0; c += 0.03)
            d.push_back(c / 5.0);
        return d;
    }();
    for (const double d : spacings) {
        const double k = wholeBelow(x / d);
        if (std::fabs(x - k * d) < 10.0 || std::fabs(x - (k + 1.0) * d) < 10.0) return true;
    }
    return false;
}

std::string FrequencyText(double mhz) {
    std::string text;
    if (std::isfinite(mhz)) {
        // Fifteen significant digits in scientific form, then written out in
        // plain notation with the trailing zeros dropped. to_chars keeps "." as
        // the decimal point whatever the locale.
        char buffer[64];
        const auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, mhz, std::chars_format::scientific, 14);
        if (ec != std::errc()) return text;
        const std::string_view sci(buffer, static_cast<std::size_t>(end - buffer));
        const std::size_t e = sci.find('e');
        const bool negative = sci.front() == '-';
        std::string digits;
        for (char c : sci.substr(0, e))
            if (c >= '0' && c <= '9') digits.push_back(c);
        const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        if (digits == "0") {
            text.assign(1, '0');
        } else if (exponent >= 0) {
            const auto whole = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= whole) {
                text = digits + std::string(whole - digits.size(), '0');
            } else {
                text = digits.substr(0, whole) + "." + digits.substr(whole);
            }
        } else {
            text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        if (negative && text != "0") text.insert(text.begin(), '-');
    }
    return FormatFrequency(text);
}

} // namespace kl40
