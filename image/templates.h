#pragma once
// The firmware template of each model, compiled in from image/templates/.

#include <cstdint>
#include <string>
#include <vector>

namespace kl40 {

// A fresh copy of the model's template (2048 or 8192 bytes). A model code
// that names no model gives the default model's template.
std::vector<std::uint8_t> TemplateBytes(int modelCode);
// The same without a copy: one shared, unchanging instance.
const std::vector<std::uint8_t>& TemplateByteArray(int modelCode);

} // namespace kl40
