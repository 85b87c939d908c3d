#pragma once
// Reading an image file as its name says: a raw image byte for byte, or the
// bytes an Intel HEX or S-record file holds. The program's open flow and
// kl40-cli both read images through here, so both accept and refuse the same
// files for the same reasons.

#include "image/whole_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kl40 {

struct ImageReadError {
    // Why there is no image, in kl40-cli's words ("empty file", "is a folder",
    // "not a regular file", "not a valid Intel HEX file: ...").
    std::string reason;
    // Set when the file itself could not be read.
    std::optional<FileReadError> file;
    // The file is read as records (Intel HEX, S-record), not as a raw image.
    bool recordFile = false;
    // The file was read but holds nothing.
    bool empty = false;
};

std::variant<std::vector<std::uint8_t>, ImageReadError> ReadImageFileBytes(const std::string& path);

} // namespace kl40
