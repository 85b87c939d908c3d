#pragma once
// The operator's programmer settings, shared by the desktop application and
// kl40-cli in one JSON file:
//
//   { "programmer": "minipro",            (a row of programmer/programmer_table.h)
//     "device_2k": "M2716@DIP24",         (optional: the row's device names
//     "device_8k": "27C64@DIP28",          are used when left out or "")
//     "read_command": "...",              (the "Custom" row's templates)
//     "write_command": "...",
//     "time_limit_seconds": 120 }         (1 to 3600)
//
// Every key is optional; a missing file means all defaults.

#include "programmer/programmer_table.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kl40 {

struct ProgrammerSettings {
    std::string programmer = "minipro";
    std::string device2k; // "": the programmer's own
    std::string device8k;
    std::string customRead; // used when programmer is "Custom"
    std::string customWrite;
    int timeLimitSeconds = 120;

    bool operator==(const ProgrammerSettings&) const = default;
};

inline constexpr int kMaxTimeLimitSeconds = 3600;

// $XDG_CONFIG_HOME/kl40/programmer.json, or ~/.config/kl40/programmer.json
// when the variable is unset or not an absolute path; "" when neither can be
// found.
std::filesystem::path ProgrammerSettingsFile();

// The settings in `file`; defaults when it does not exist. Otherwise the
// reason it cannot be used, naming the file ("FILE: \"time_limit_seconds\"
// must be a whole number of seconds from 1 to 3600").
std::variant<ProgrammerSettings, std::string>
LoadProgrammerSettings(const std::filesystem::path& file);

// Writes the settings to `file` atomically, making its folder; the reason
// when nothing was written.
std::optional<std::string> SaveProgrammerSettings(const std::filesystem::path& file,
                                                  const ProgrammerSettings& settings);

// What running a programmer on one chip size needs: its split command
// lines (still with {device} and {file}) and the device name.
struct ProgrammerCommands {
    std::string programmer;
    std::vector<std::string> read;
    std::vector<std::string> write;
    std::string device;
};

// The commands of the chosen programmer for a chip of `chipSize` bytes, or
// why there are none (a "Custom" programmer without a read command, a
// template without {file}); `where` names the settings file in the reason.
std::variant<ProgrammerCommands, std::string> ResolveProgrammer(const ProgrammerSettings& settings,
                                                                std::size_t chipSize,
                                                                const std::string& where);

} // namespace kl40
