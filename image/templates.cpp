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

// Each model's template, joined and packed once. Model codes that name no
// model get the default model's template.
const std::vector<std::uint8_t>& templateOf(int modelCode) {
    static const std::map<int, std::vector<std::uint8_t>> templates = [] {
        std::map<int, std::vector<std::uint8_t>> byModel;
        for (const RadioModel& model : RadioModels()) {
            const template_data::TemplateFile* file = nullptr;
            for (std::size_t i = 0; i < template_data::kTemplateFileCount; ++i)
                if (template_data::kTemplateFiles[i].name == model.templateFile)
                    file = &template_data::kTemplateFiles[i];
            if (!file) throw std::logic_error("no template file for a model");
            std::string hex;
            for (std::size_t i = 0; i < file->lineCount; ++i)
                hex += file->lines[i];
            std::vector<std::uint8_t> bytes = packed(hex);
            if (bytes.size() != model.imageSize)
                throw std::logic_error("a template does not have its model's size");
            byModel.emplace(model.code, std::move(bytes));
        }
        return byModel;
    }();
    return templates.at(ModelOrDefault(modelCode).code);
}

} // namespace

const std::vector<std::uint8_t>& TemplateByteArray(int modelCode) {
    return templateOf(modelCode);
}

std::vector<std::uint8_t> TemplateBytes(int modelCode) {
    return TemplateByteArray(modelCode);
}

} // namespace kl40
