#pragma once
// The firmware template of each model, compiled in from image/templates/.

#include <cstdint>
#include <string>
#include <vector>

namespace kl40 {

// A fresh copy of the model's template in hex form (4096 or 16384 digits).
// A model code that names no model gives the default model's template.
std::string TemplateHex(int modelCode);
// The same template as bytes.
std::vector<std::uint8_t> TemplateBytes(int modelCode);

// The same two forms without a copy: one shared, unchanging instance each.
const std::string& TemplateHexText(int modelCode);
const std::vector<std::uint8_t>& TemplateByteArray(int modelCode);

} // namespace kl40
