#include "formats/format_error.h"

namespace kl40 {

std::string Describe(const FormatError& error) {
    if (error.line == 0) return error.message;
    return "line " + std::to_string(error.line) + ": " + error.message;
}

} // namespace kl40
