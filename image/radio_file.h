#pragma once
// Reading a radio file: bounded, and with the system's reason when it cannot
// be read.

#include "core/radio.h"

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace kl40 {

// A radio of 99 channels is under 10 KiB; anything above this is not one.
inline constexpr std::size_t kMaxRadioFileSize = 1024 * 1024;

struct RadioFileError {
    std::string reason; // e.g. "Is a directory", "larger than 1 MiB, which no radio file is"
};

// The whole text of the radio file at `path`, or why it cannot be had.
std::variant<std::string, RadioFileError> ReadRadioFile(const std::string& path);

// The radio of a RADIO JSON file and what the operator should know about it:
// one note for each default taken for a key left out ("no \"model\" given:
// a KL40c radio").
struct RadioFileContent {
    RadioRecord radio;
    std::vector<std::string> notes;
};

// Reads and parses the RADIO JSON file at `path`, or gives the reason it
// cannot ("cannot read the radio file: ...", "unknown key \"colour\"").
std::variant<RadioFileContent, std::string> LoadRadioFile(const std::string& path);

} // namespace kl40
