#include "image/program_code.h"

#include "core/radio_model.h"
#include "image/layout.h"
#include "image/templates.h"

namespace kl40 {

std::string ModelName(int modelCode) {
    const RadioModel* model = FindModel(modelCode);
    return model ? std::string(model->name) : "";
}

std::optional<int> ModelCodeOf(std::string_view name) {
    const RadioModel* model = FindModel(name);
    return model ? std::optional<int>(model->code) : std::nullopt;
}

bool IsDataAddress(std::size_t address, int modelCode) {
    const std::size_t base = DataBase(modelCode);
    return address >= base && address < base + kDataAreaSize;
}

bool HasProgramCode(const std::vector<std::uint8_t>& image, int modelCode) {
    const RadioModel* model = FindModel(modelCode);
    if (!model || !model->hasProgramArea()) return false;
    const std::vector<std::uint8_t>& shipped = TemplateByteArray(modelCode);
    if (image.size() != shipped.size()) return false;
    for (std::size_t address = 0; address < image.size(); ++address)
        if (!IsDataAddress(address, modelCode) && image[address] != shipped[address]) return true;
    return false;
}

void CopyProgramCode(const std::vector<std::uint8_t>& source, std::vector<std::uint8_t>& image,
                     int modelCode) {
    const std::size_t size = ImageSize(modelCode);
    if (size == 0 || source.size() != size || image.size() != size) return;
    for (std::size_t address = 0; address < size; ++address)
        if (!IsDataAddress(address, modelCode)) image[address] = source[address];
}

std::string NoProgramCodeText(int modelCode) {
    return "The image holds no program code (the shipped " + ModelName(modelCode) +
           " template has none), so a radio cannot run it as it is.";
}

} // namespace kl40
