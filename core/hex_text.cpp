#include "core/hex_text.h"

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kl40 {

namespace {

constexpr char kHexChars[] = "0123456789ABCDEF";

// HexDigitValue of every character, 0xFF for -1.
constexpr std::array<std::uint8_t, 256> kStrictDigits = [] {
    std::array<std::uint8_t, 256> digits{};
    for (int c = 0; c < 256; ++c) {
        const int d = HexDigitValue(static_cast<char>(c));
        digits[static_cast<std::size_t>(c)] = d < 0 ? 0xFF : static_cast<std::uint8_t>(d);
    }
    return digits;
}();

// Digit value for HexToBinary: letters of either case, anything else by its
// character code less 48 (out-of-range values are caught by the caller).
int looseDigit(char c) {
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return static_cast<unsigned char>(c) - 48;
}

char byteChar(int value) {
    if (value < 0 || value > 255) throw std::range_error("hex pair outside 0-255");
    return static_cast<char>(static_cast<unsigned char>(value));
}

[[gnu::noinline]] std::int32_t refuseDigit(Platform& platform) {
    platform.show("Invalid number!", "Calculation Error", Icon::Critical);
    return 0;
}

[[gnu::noinline]] std::int32_t refuseRange(Platform& platform) {
    platform.show("Unable to convert hex code", "Data Error", Icon::Exclamation);
    return 0;
}

// HexToValue of any text in any base: each digit weighted as a real number,
// so that very long texts overflow into the range checks instead of wrapping.
std::int32_t weightedValue(Platform& platform, std::string_view text, std::int16_t base) {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    const std::size_t length = text.size();
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) return refuseDigit(platform);
        const double weight =
            std::pow(static_cast<double>(base), static_cast<double>(length - 1 - i));
        const double term = std::nearbyint(digit * weight);
        if (!std::isfinite(weight) || !std::isfinite(term) || term < kMin || term > kMax)
            return refuseRange(platform);
        sum += static_cast<std::int64_t>(term);
        if (sum < static_cast<std::int64_t>(kMin) || sum > static_cast<std::int64_t>(kMax))
            return refuseRange(platform);
    }
    return static_cast<std::int32_t>(sum);
}

} // namespace

std::int32_t HexToValue(Platform& platform, std::string_view text, std::int16_t base) {
    // Up to seven hex digits cannot leave the 32-bit range, so only a digit
    // that is not hex can fail: the sum is formed directly.
    if (base == 16 && text.size() <= 7) {
        std::int32_t value = 0;
        for (char c : text) {
            const std::uint8_t digit = kStrictDigits[static_cast<unsigned char>(c)];
            if (digit > 15) return refuseDigit(platform);
            value = value * 16 + digit;
        }
        return value;
    }
    return weightedValue(platform, text, base);
}

std::string HexDigits(std::uint32_t value) {
    char digits[8];
    char* first = digits + sizeof digits;
    do {
        *--first = kHexChars[value % 16];
        value /= 16;
    } while (value != 0);
    return std::string(first, digits + sizeof digits);
}

std::string HexToBinary(std::string_view hex) {
    std::string binary;
    if (hex.size() == 1) {
        binary.push_back(byteChar(looseDigit(hex[0])));
        return binary;
    }
    binary.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        binary.push_back(byteChar(looseDigit(hex[i]) * 16 + looseDigit(hex[i + 1])));
    return binary;
}

std::string BinaryToHex(Platform& platform, std::string_view binary) {
    if (binary.empty()) {
        platform.show("Error in converting binary code", "Data Error", Icon::Exclamation);
        return {};
    }
    return ByteToHex(static_cast<std::uint8_t>(binary.front()));
}

std::string ByteToHex(std::uint8_t byte) {
    return {kHexChars[byte / 16], kHexChars[byte % 16]};
}

} // namespace kl40
