#pragma once
// The "Programmer Settings..." dialog's values: the settings kl40-cli reads,
// as the operator types them, checked before they are saved.

#include "programmer/programmer_settings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace kl40 {

struct ProgrammerSettingsForm {
    std::string programmer;
    std::string device2k;
    std::string device8k;
    std::string customRead;
    std::string customWrite;
    std::string timeLimit; // seconds, as typed
};

ProgrammerSettingsForm FormOfSettings(const ProgrammerSettings& settings);

// The settings the form holds, or why they cannot be used: a time limit that
// is no whole number of seconds from 1 to 3600, or a programmer that could
// not run (a Custom row without its commands, a command without {file}).
std::variant<ProgrammerSettings, std::string> SettingsOfForm(const ProgrammerSettingsForm& form);

// The dialog's start: the saved settings, or the defaults and why the file
// could not be used.
struct LoadedSettingsForm {
    ProgrammerSettingsForm form;
    std::string problem;
};
LoadedSettingsForm LoadSettingsForm(const std::filesystem::path& file);

// Checks the form and saves it to `file`; the reason when nothing was saved.
std::optional<std::string> SaveSettingsForm(const std::filesystem::path& file,
                                            const ProgrammerSettingsForm& form);

} // namespace kl40
