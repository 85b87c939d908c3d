#pragma once
// Reading a radio file: bounded, so a device or a huge file cannot exhaust
// memory, and with the system's reason when it cannot be read.

#include <cstddef>
#include <string>
#include <variant>

namespace kl40::cli {

// A radio of 99 channels is under 10 KiB; anything above this is not one.
inline constexpr std::size_t kMaxRadioFileSize = 1024 * 1024;

struct RadioFileError {
    std::string reason; // e.g. "Is a directory", "larger than 1 MiB"
};

// The whole text of the radio file at `path`, or why it cannot be had. Never
// reads more than kMaxRadioFileSize + 1 bytes, whatever the file is.
std::variant<std::string, RadioFileError> ReadRadioFile(const std::string& path);

} // namespace kl40::cli
