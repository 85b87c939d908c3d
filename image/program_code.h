#pragma once
// The program code of an image: every byte outside the 2 KiB data area. A
// "KL40a-16" image is all data area and has none; the 8 KiB models keep the
// radio's program in 0x0000-0x0FFF and 0x1800-0x1FFF. The shipped templates
// of those models carry only a few known program bytes, so an image whose
// program code is the template's cannot run a radio.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

// Where the program code (the bytes outside the data area) of a build came from.
enum class ProgramSource {
    None,      // "KL40a-16": the image is all data area
    Template,  // the shipped template, which holds no program code
    Opened,    // the image that was opened, its model unchanged since
    Installed, // the firmware installed for the model
};

// "KL40a-16", "KL40a-64", "KL40c" for model codes 1, 2, 3; "" for any other.
std::string ModelName(int modelCode);
// The model code of a model name as the model selector lists it.
std::optional<int> ModelCodeOf(std::string_view name);

// True when `address` lies in the model's data area.
bool IsDataAddress(std::size_t address, int modelCode);

// True when every byte outside the data area is 0xFF, as an erased EPROM
// reads. False for "KL40a-16" and for an image of the wrong size.
bool IsErasedProgramArea(const std::vector<std::uint8_t>& image, int modelCode);

// True when the bytes outside the data area can be a program: they differ
// from the shipped template's and are not all erased. Always false for
// "KL40a-16" and for an image of the wrong size.
bool HasProgramCode(const std::vector<std::uint8_t>& image, int modelCode);

// True when `a` and `b` are images of the model whose bytes outside the data
// area are the same.
bool SameProgramCode(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                     int modelCode);

// Copies every byte outside the data area from `source` into `image`; both
// must have the model's image size (nothing is copied otherwise).
void CopyProgramCode(const std::vector<std::uint8_t>& source, std::vector<std::uint8_t>& image,
                     int modelCode);

// The first line of the warning about a build without program code.
std::string NoProgramCodeText(int modelCode);

} // namespace kl40
