#include "formats/record_text.h"

namespace kl40 {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The character as the user would see it in an editor, or its code when it
// does not print.
std::string Shown(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code < 0x7F) return std::string("'") + c + "'";
    std::string shown = "character 0x";
    AppendHexByte(shown, code);
    return shown;
}

} // namespace

std::vector<TextLine> SplitLines(std::string_view text) {
    std::vector<TextLine> lines;
    std::size_t number = 1;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back({number++, line});
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::variant<std::vector<std::uint8_t>, std::string> HexPairs(std::string_view digits,
                                                              std::size_t firstColumn) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (DigitValue(digits[i]) < 0)
            return Shown(digits[i]) + " at column " + std::to_string(firstColumn + i) +
                   " is not a hex digit";
    }
    if (digits.size() % 2 != 0)
        return "odd number of hex digits (" + std::to_string(digits.size()) +
               "): the record is cut or has a digit too many";
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(
            static_cast<std::uint8_t>(DigitValue(digits[i]) * 16 + DigitValue(digits[i + 1])));
    return bytes;
}

void AppendHexByte(std::string& out, std::uint8_t byte) {
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

std::string HexAddress(std::uint64_t address) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[address & 0x0F]);
        address >>= 4;
    } while (address != 0);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return "0x" + digits;
}

FormatError At(const TextLine& line, std::string message) {
    return FormatError{line.number, std::move(message)};
}

std::string Hex2(std::uint8_t byte) {
    std::string text;
    AppendHexByte(text, byte);
    return text;
}

} // namespace kl40
