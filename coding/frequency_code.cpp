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

// Writes `value` as upper-case hex digits, at least `minDigits` of them (with
// leading zeros), at `out`; returns the end.
char* putHexDigits(char* out, std::uint32_t value, std::size_t minDigits) {
    char digits[8];
    std::size_t count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[value % 16];
        value /= 16;
    } while (value != 0);
    for (; minDigits > count; --minDigits)
        *out++ = '0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

// Frequency code body T = HexDigits(H) & two-digit L, written at `out`; returns
// its end, or nothing when the frequency cannot be coded.
std::optional<char*> CodeDigits(char* out, std::int32_t offset, double mhz, double step,
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
    out = putHexDigits(out, static_cast<std::uint32_t>(h), 1);
    return putHexDigits(out, static_cast<std::uint32_t>(l), 2);
}

// std::floor, without a call for the values NearHarmonic meets: below 2^52
// in size a double converts to a whole number exactly.
double wholeBelow(double v) {
    if (!(std::fabs(v) < 4503599627370496.0)) return std::floor(v);
    const auto whole = static_cast<double>(static_cast<std::int64_t>(v)); // towards zero
    return whole > v ? whole - 1.0 : whole;
}

int HexDigitBits(char c) {
    const int value = HexDigitValue(c);
    if (value < 0) throw std::invalid_argument("frequency code digit is not hex");
    constexpr int kBits[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    return kBits[value];
}

// HexToValue of a text of up to seven digits (a code's parts): worked out
// here when every character is a hex digit, when HexToValue has nothing to
// report either.
std::int32_t hexValue(Platform& platform, std::string_view text) {
    std::int32_t value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return HexToValue(platform, text, 16);
        value = value * 16 + digit;
    }
    return value;
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
        char body[16];
        const std::optional<char*> end = CodeDigits(body, offset, mhz, step, modulus);
        const std::size_t length = end ? static_cast<std::size_t>(*end - body) : 0;
        // Only a body of three to five digits fits the eight-digit code; a longer
        // one would be cut or misread by the prefix and check-bit rules.
        if (length < 3 || length > 5) throw std::range_error("frequency code out of range");
        char code[8] = {'F', 'F', '0', '0', '0'};
        std::copy(body, body + length, code + 8 - length);
        const RadioModel* model = FindModel(ws.data.BandCode);
        if (model && model->harmonicMarker) {
            if (offset == kReceiveOffset && NearHarmonic(mhz)) code[0] = code[1] = '0';
            return std::string(code, 8);
        }
        // The check bit, as ApplyCheckBit sets it.
        int bits = 0;
        for (char c : code)
            bits += HexDigitBits(c);
        if (bits % 2 != 0) {
            code[0] = code[1] = 'F';
            code[2] = '4';
        }
        return std::string(code, 8);
    } catch (const std::exception&) {
        ws.platform.show("Unable to calculate frequency code", "Data Error", Icon::Exclamation);
        return {};
    }
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
    const std::uint64_t magnitude =
        units < 0 ? static_cast<std::uint64_t>(-(units + 1)) + 1 : static_cast<std::uint64_t>(units);
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
    const std::int64_t hi = hexValue(platform, high);
    const std::int64_t lo = hexValue(platform, low);
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
        // A whole number K of 12.5 kHz steps below 2^24, as the decoder makes
        // it (K * kChannelStep): it lies within 1.8e-16 (relative) of K/80,
        // which has at most ten significant digits, while other values of
        // fifteen significant digits are at least 5e-16 away. So the fifteen
        // digits below are those of K/80, which is written directly.
        const double steps = std::nearbyint(mhz * 80.0);
        if (steps >= 0 && steps < 16777216.0 && steps * kChannelStep == mhz) {
            const auto k = static_cast<std::uint32_t>(steps);
            const std::uint32_t fraction = k % 80 * 125; // ten-thousandths
            char buffer[16];
            char* end = std::to_chars(buffer, buffer + 8, k / 80).ptr;
            *end++ = '.';
            *end++ = static_cast<char>('0' + fraction / 1000);
            *end++ = static_cast<char>('0' + fraction / 100 % 10);
            *end++ = static_cast<char>('0' + fraction / 10 % 10);
            *end++ = static_cast<char>('0' + fraction % 10);
            return std::string(buffer, end);
        }
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
