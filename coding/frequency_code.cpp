#include "coding/frequency_code.h"

#include "core/hex_text.h"
#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace kl40 {

namespace {

// Step counts beyond this cannot give an eight-digit code (H would need four
// hex digits); the bound also keeps every integer conversion well defined.
constexpr double kMaxStepCount = 1 << 20;

// Frequency code body T = HexDigits(H) & two-digit L, or nothing when the
// frequency cannot be coded.
std::optional<std::string> CodeDigits(std::int32_t offset, double mhz, double step,
                                      std::int16_t modulus) {
    if (modulus <= 0) return std::nullopt;
    const double q = mhz / step;
    const double rounded = std::nearbyint(q - offset);
    if (!std::isfinite(rounded) || rounded < 0 || rounded > kMaxStepCount) return std::nullopt;
    const auto m = static_cast<std::int32_t>(rounded);
    const std::int32_t n = m / modulus;
    const std::int32_t a = m % modulus;
    const std::int32_t h = n / 2;
    const std::int32_t l = a + ((n % 2 != 0) ? 128 : 0);
    std::string low = HexDigits(static_cast<std::uint32_t>(l));
    if (low.size() < 2) low.insert(0, 2 - low.size(), '0');
    return HexDigits(static_cast<std::uint32_t>(h)) + low;
}

int HexDigitBits(char c) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    if (value < 0) throw std::invalid_argument("frequency code digit is not hex");
    int bits = 0;
    for (; value != 0; value >>= 1)
        bits += value & 1;
    return bits;
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

std::string FrequencyCode(Workspace& ws, std::int32_t offset, double mhz, double step,
                          std::int16_t modulus) {
    try {
        const std::optional<std::string> digits = CodeDigits(offset, mhz, step, modulus);
        // Only a body of three to five digits fits the eight-digit code; a longer
        // one would be cut or misread by the prefix and check-bit rules.
        if (!digits || digits->size() < 3 || digits->size() > 5)
            throw std::range_error("frequency code out of range");
        const std::string code = std::string("FF000").substr(0, 8 - digits->size()) + *digits;
        if (ws.data.BandCode == 3) {
            if (offset == kReceiveOffset && NearHarmonic(mhz)) return "00" + code.substr(2);
            return code;
        }
        return ApplyCheckBit(code);
    } catch (const std::exception&) {
        ws.platform.show("Unable to calculate frequency code", "Data Error", Icon::Exclamation);
        return {};
    }
}

bool NearHarmonic(double mhz) {
    const double x = mhz * 1000.0;
    if (!std::isfinite(x)) return false;
    // The comb spacing is stepped in real arithmetic: four passes, for about
    // 894.91, 894.94, 894.97 and (just under) 895.00.
    for (double c = 894.91; c <= 895.0; c += 0.03) {
        const double d = c / 5.0;
        const double k = std::floor(x / d);
        if (std::fabs(x - k * d) < 10.0 || std::fabs(x - (k + 1.0) * d) < 10.0) return true;
    }
    return false;
}

std::string ApplyCheckBit(const std::string& code) {
    if (code.size() != 8) throw std::invalid_argument("frequency code is not eight digits");
    int bits = 0;
    for (char c : code)
        bits += HexDigitBits(c);
    if (bits % 2 == 0) return code;
    return "FF4" + code.substr(3);
}

double FrequencyFromCode(Platform& platform, std::string_view code, std::int32_t offset) {
    const std::string_view high = code.substr(0, std::min<std::size_t>(4, code.size()));
    const std::string_view low = code.size() > 4 ? code.substr(4, 2) : std::string_view();
    const std::int64_t hi = HexToValue(platform, high, 16);
    const std::int64_t lo = HexToValue(platform, low, 16);
    std::int64_t n = 2 * hi;
    std::int64_t a = lo;
    if (lo >= 128) {
        n += 1;
        a -= 128;
    }
    return (static_cast<double>(n) * 64.0 + static_cast<double>(a) + offset) * kChannelStep;
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
            text = "0";
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
        if (negative && text != "0") text.insert(0, "-");
    }
    return FormatFrequency(text);
}

} // namespace kl40
