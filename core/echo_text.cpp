#include "core/echo_text.h"

namespace kl40 {

std::string EchoText(std::string_view text) {
    if (text.empty()) return "\"\"";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            constexpr const char* kDigits = "0123456789abcdef";
            out += "\\x";
            out += kDigits[byte / 16];
            out += kDigits[byte % 16];
        }
    }
    return out;
}

} // namespace kl40
