#include "image/templates.h"

#include "image/template_data.h"

namespace kl40 {

namespace {
std::string joinLines(const char* const* lines, std::size_t count) {
    std::string hex;
    hex.reserve(count * 32);
    for (std::size_t i = 0; i < count; ++i)
        hex += lines[i];
    return hex;
}

int hexValue(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}
} // namespace

std::string TemplateHex(int modelCode) {
    using namespace template_data;
    switch (modelCode) {
    case 1:
        return joinLines(kLines0, kLineCount0);
    case 2:
        return joinLines(kLines1, kLineCount1);
    default:
        return joinLines(kLines2, kLineCount2);
    }
}

std::vector<std::uint8_t> TemplateBytes(int modelCode) {
    const std::string hex = TemplateHex(modelCode);
    std::vector<std::uint8_t> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(hexValue(hex[2 * i]) * 16 + hexValue(hex[2 * i + 1]));
    return bytes;
}

} // namespace kl40
