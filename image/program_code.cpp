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

namespace {

// True when the model has a program area, `image` has its size, and every
// byte outside the data area equals the byte `reference` gives for its address.
template <class Reference>
bool ProgramAreaIs(const std::vector<std::uint8_t>& image, int modelCode, Reference reference) {
    const RadioModel* model = FindModel(modelCode);
    if (!model || !model->hasProgramArea() || image.size() != model->imageSize) return false;
    for (std::size_t address = 0; address < image.size(); ++address)
        if (!IsDataAddress(address, modelCode) && image[address] != reference(address))
            return false;
    return true;
}

} // namespace

bool IsErasedProgramArea(const std::vector<std::uint8_t>& image, int modelCode) {
    return ProgramAreaIs(image, modelCode, [](std::size_t) { return std::uint8_t{0xFF}; });
}

bool HasProgramCode(const std::vector<std::uint8_t>& image, int modelCode) {
    const RadioModel* model = FindModel(modelCode);
    if (!model || !model->hasProgramArea() || image.size() != model->imageSize) return false;
    const std::vector<std::uint8_t>& shipped = TemplateByteArray(modelCode);
    const bool isTemplate = ProgramAreaIs(
        image, modelCode, [&shipped](std::size_t address) { return shipped[address]; });
    return !isTemplate && !IsErasedProgramArea(image, modelCode);
}

bool SameProgramCode(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                     int modelCode) {
    return a.size() == b.size() &&
           ProgramAreaIs(a, modelCode, [&b](std::size_t address) { return b[address]; });
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
