#pragma once
// Tables generated at build time from image/templates/*.hex: each template
// file's lines of 32 hex digits, listed by file name.

#include <cstddef>

namespace kl40::template_data {
struct TemplateFile {
    const char* name; // e.g. "kl40c.hex"
    const char* const* lines;
    std::size_t lineCount;
};
extern const TemplateFile kTemplateFiles[];
extern const std::size_t kTemplateFileCount;
} // namespace kl40::template_data
