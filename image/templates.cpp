#include "image/templates.h"

#include "image/template_data.h"

#include <array>

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

// Position 0, 1, 2 of model code 1, 2, 3 (any other code is model 3).
std::size_t modelIndex(int modelCode) {
    return modelCode == 1 ? 0 : modelCode == 2 ? 1 : 2;
}

// The templates are joined and converted once; every caller gets a copy.
const std::array<std::string, 3>& joinedTemplates() {
    using namespace template_data;
    static const std::array<std::string, 3> hex{joinLines(kLines0, kLineCount0),
                                                joinLines(kLines1, kLineCount1),
                                                joinLines(kLines2, kLineCount2)};
    return hex;
}

std::vector<std::uint8_t> packed(const std::string& hex) {
    std::vector<std::uint8_t> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(hexValue(hex[2 * i]) * 16 + hexValue(hex[2 * i + 1]));
    return bytes;
}
} // namespace

const std::string& TemplateHexText(int modelCode) {
    return joinedTemplates()[modelIndex(modelCode)];
}

const std::vector<std::uint8_t>& TemplateByteArray(int modelCode) {
    static const std::array<std::vector<std::uint8_t>, 3> bytes{
        packed(TemplateHexText(1)), packed(TemplateHexText(2)), packed(TemplateHexText(3))};
    return bytes[modelIndex(modelCode)];
}

std::string TemplateHex(int modelCode) {
    return TemplateHexText(modelCode);
}

std::vector<std::uint8_t> TemplateBytes(int modelCode) {
    return TemplateByteArray(modelCode);
}

} // namespace kl40
