#include "core/hex_text.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace kl40 {

namespace {

constexpr char kHexChars[] = "0123456789ABCDEF";

// Digit value for HexToValue: only "0"-"9" and upper-case "A"-"F" count.
int strictDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

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

} // namespace

std::int32_t HexToValue(Platform& platform, std::string_view text, std::int16_t base) {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    const std::size_t length = text.size();
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const int digit = strictDigit(text[i]);
        if (digit < 0) {
            platform.show("Invalid number!", "Calculation Error", Icon::Critical);
            return 0;
        }
        // Weight as a real number, so that very long texts overflow into the
        // range check below instead of wrapping.
        const double weight =
            std::pow(static_cast<double>(base), static_cast<double>(length - 1 - i));
        const double term = std::nearbyint(digit * weight);
        if (!std::isfinite(weight) || !std::isfinite(term) || term < kMin || term > kMax) {
            platform.show("Unable to convert hex code", "Data Error", Icon::Exclamation);
            return 0;
        }
        sum += static_cast<std::int64_t>(term);
        if (sum < static_cast<std::int64_t>(kMin) || sum > static_cast<std::int64_t>(kMax)) {
            platform.show("Unable to convert hex code", "Data Error", Icon::Exclamation);
            return 0;
        }
    }
    return static_cast<std::int32_t>(sum);
}

std::string HexDigits(std::uint32_t value) {
    if (value == 0) return "0";
    std::string digits;
    while (value != 0) {
        digits.insert(digits.begin(), kHexChars[value % 16]);
        value /= 16;
    }
    return digits;
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

std::string& PackHexText(std::string& hex) {
    // Byte k comes from digits 2k and 2k+1 (0-based), so a byte is never written
    // before the digits it covers have been read. Working on a copy keeps the
    // argument untouched when a pair turns out not to be hex.
    std::string packed = hex;
    const std::size_t length = hex.size();
    for (std::size_t k = 0; 2 * k < length; ++k) {
        const std::size_t count = (2 * k + 1 < length) ? 2 : 1;
        packed[k] = HexToBinary(std::string_view(hex).substr(2 * k, count))[0];
    }
    hex = std::move(packed);
    return hex;
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
