#pragma once
// The EPROM programmers kl40 can drive: each is the command line of its
// tool's read and write, with {device} and {file} in place of the chip's
// device name and the image file (programmer/command_line.h tells how a
// template is split), and the device names of the two chip sizes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

struct ProgrammerRow {
    std::string name;
    std::string readCommand;  // reads the whole chip into {file}
    std::string writeCommand; // writes {file} to the chip
    std::string device2k;     // a 2,048-byte EPROM (2716, 27C16)
    std::string device8k;     // an 8,192-byte EPROM (2764, 27C64)
};

// The row whose templates and device names the operator enters.
inline constexpr std::string_view kCustomProgrammer = "Custom";

// The shipped rows, then "Custom" with nothing filled in.
const std::vector<ProgrammerRow>& Programmers();
std::vector<std::string> ProgrammerNames();
// The row named `name`, or nothing.
std::optional<ProgrammerRow> FindProgrammer(std::string_view name);

} // namespace kl40
