#pragma once
// Reading a text file (a radio file, a channel list): bounded, so a device or a
// huge file cannot exhaust memory, and with the system's reason when it cannot
// be read.

#include <cstddef>
#include <string>
#include <variant>

namespace kl40 {

struct TextFileError {
    std::string reason; // e.g. "Is a directory", "larger than 1 MiB"
    bool tooLarge = false;
};

// The whole text of the file at `path`, or why it cannot be had. Never reads
// more than `limit` + 1 bytes, whatever the file is.
std::variant<std::string, TextFileError> ReadTextFile(const std::string& path, std::size_t limit);

} // namespace kl40
