#include "image/program_code.h"

#include "image/layout.h"
#include "image/templates.h"

namespace kl40 {

namespace {
constexpr std::size_t kDataAreaSize = 0x800;
constexpr const char* kModelNames[] = {"KL40a-16", "KL40a-64", "KL40c"};
} // namespace

std::string ModelName(int modelCode) {
    return modelCode >= 1 && modelCode <= 3 ? kModelNames[modelCode - 1] : "";
}

std::optional<int> ModelCodeOf(std::string_view name) {
    for (int code = 1; code <= 3; ++code)
        if (name == kModelNames[code - 1]) return code;
    return std::nullopt;
}

bool IsDataAddress(std::size_t address, int modelCode) {
    const std::size_t base = DataBase(modelCode);
    return address >= base && address < base + kDataAreaSize;
}

bool HasProgramCode(const std::vector<std::uint8_t>& image, int modelCode) {
    if (modelCode != 2 && modelCode != 3) return false;
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
