#pragma once
// Reading a radio file: bounded, and with the system's reason when it cannot
// be read.

#include <cstddef>
#include <string>
#include <variant>

namespace kl40::cli {

// A radio of 99 channels is under 10 KiB; anything above this is not one.
inline constexpr std::size_t kMaxRadioFileSize = 1024 * 1024;

struct RadioFileError {
    std::string reason; // e.g. "Is a directory", "larger than 1 MiB, which no radio file is"
};

// The whole text of the radio file at `path`, or why it cannot be had.
std::variant<std::string, RadioFileError> ReadRadioFile(const std::string& path);

} // namespace kl40::cli
