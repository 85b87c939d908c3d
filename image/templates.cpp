#include "image/templates.h"

#include "core/hex_text.h"
#include "core/radio_model.h"
#include "image/template_data.h"

#include <map>
#include <stdexcept>
#include <string_view>

namespace kl40 {

namespace {

std::vector<std::uint8_t> packed(const std::string& hex) {
    std::vector<std::uint8_t> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(HexDigitValue(hex[2 * i]) * 16 +
                                             HexDigitValue(hex[2 * i + 1]));
    return bytes;
}

struct Template {
    std::string hex;
    std::vector<std::uint8_t> bytes;
};

// Each model's template, joined and packed once; every caller of TemplateHex
// and TemplateBytes gets a copy. Model codes that name no model get the last
// model's template.
const Template& templateOf(int modelCode) {
    static const std::map<int, Template> templates = [] {
        std::map<int, Template> byModel;
        for (const RadioModel& model : RadioModels()) {
            const template_data::TemplateFile* file = nullptr;
            for (std::size_t i = 0; i < template_data::kTemplateFileCount; ++i)
                if (template_data::kTemplateFiles[i].name == model.templateFile)
                    file = &template_data::kTemplateFiles[i];
            if (!file) throw std::logic_error("no template file for a model");
            Template t;
            for (std::size_t i = 0; i < file->lineCount; ++i)
                t.hex += file->lines[i];
            t.bytes = packed(t.hex);
            if (t.bytes.size() != model.imageSize)
                throw std::logic_error("a template does not have its model's size");
            byModel.emplace(model.code, std::move(t));
        }
        return byModel;
    }();
    return templates.at(ModelOrDefault(modelCode).code);
}

} // namespace

const std::string& TemplateHexText(int modelCode) {
    return templateOf(modelCode).hex;
}

const std::vector<std::uint8_t>& TemplateByteArray(int modelCode) {
    return templateOf(modelCode).bytes;
}

std::string TemplateHex(int modelCode) {
    return TemplateHexText(modelCode);
}

std::vector<std::uint8_t> TemplateBytes(int modelCode) {
    return TemplateByteArray(modelCode);
}

} // namespace kl40
