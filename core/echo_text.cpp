#include "core/echo_text.h"

#include <cstddef>

namespace kl40 {

namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes at the
// start of `text`, or 0 when the bytes there form none (a stray continuation
// byte, a cut-off or overlong sequence, a surrogate, beyond U+10FFFF).
std::size_t multiByteLength(std::string_view text) {
    const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0 || text.size() < length) return 0;
    if (at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (at(i) < 0x80 || at(i) > 0xBF) return 0;
    // U+0080 to U+009F are control characters too.
    if (lead == 0xC2 && at(1) <= 0x9F) return 0;
    return length;
}

void escapeByte(std::string& out, unsigned char byte) {
    constexpr const char* kDigits = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte / 16];
    out += kDigits[byte % 16];
}

} // namespace

std::string EchoText(std::string_view text) {
    if (text.empty()) return "\"\"";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            if (const std::size_t length = multiByteLength(text.substr(i))) {
                out.append(text, i, length);
                i += length;
            } else {
                escapeByte(out, byte);
                ++i;
            }
            continue;
        }
        if (byte >= 0x20 && byte != 0x7F)
            out += c;
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else
            escapeByte(out, byte);
        ++i;
    }
    return out;
}

} // namespace kl40
