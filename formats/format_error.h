#pragma once
// What the EPROM programmer file readers give back: the image bytes from
// address 0, or the first fault found in the file with the line it is on.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kl40 {

// The largest EPROM image of any model; a record file may not place data
// beyond it.
inline constexpr std::size_t kMaxRecordImageBytes = 8192;

// The longest record file the readers take. An 8192-byte image written with
// one data byte per record and CRLF line ends is about 123 KiB.
inline constexpr std::size_t kMaxRecordFileBytes = 1024 * 1024;

struct FormatError {
    // Line of the file the fault is on, counted from 1; 0 for the file as a
    // whole (too large).
    std::size_t line = 0;
    // What is wrong, without the line number.
    std::string message;
};

using ImageOrError = std::variant<std::vector<std::uint8_t>, FormatError>;

// "line 12: checksum 3F, expected 40" (or the message alone for line 0): the
// text for a message box or standard error.
std::string Describe(const FormatError& error);

} // namespace kl40
