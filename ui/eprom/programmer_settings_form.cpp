#include "ui/eprom/programmer_settings_form.h"

#include <charconv>

namespace kl40 {

ProgrammerSettingsForm FormOfSettings(const ProgrammerSettings& settings) {
    return {settings.programmer, settings.device2k,    settings.device8k,
            settings.customRead, settings.customWrite, std::to_string(settings.timeLimitSeconds)};
}

std::variant<ProgrammerSettings, std::string> SettingsOfForm(const ProgrammerSettingsForm& form) {
    ProgrammerSettings settings{form.programmer, form.device2k,    form.device8k,
                                form.customRead, form.customWrite, 0};
    const std::string& limit = form.timeLimit;
    int seconds = 0;
    const auto [end, error] = std::from_chars(limit.data(), limit.data() + limit.size(), seconds);
    if (limit.empty() || error != std::errc() || end != limit.data() + limit.size() ||
        seconds < 1 || seconds > kMaxTimeLimitSeconds)
        return "The time limit must be a whole number of seconds from 1 to " +
               std::to_string(kMaxTimeLimitSeconds) + ".";
    settings.timeLimitSeconds = seconds;
    // Both chip sizes must be runnable: the commands and each size's device.
    for (const std::size_t size : {std::size_t{2048}, std::size_t{8192}}) {
        const auto resolved = ResolveProgrammer(settings, size, "these settings");
        if (const auto* problem = std::get_if<std::string>(&resolved))
            return "The programmer cannot be used: " + *problem + ".";
    }
    return settings;
}

LoadedSettingsForm LoadSettingsForm(const std::filesystem::path& file) {
    const auto loaded = LoadProgrammerSettings(file);
    if (const auto* problem = std::get_if<std::string>(&loaded))
        return {FormOfSettings(ProgrammerSettings{}),
                *problem + "\nThe defaults are shown; saving replaces the file."};
    return {FormOfSettings(std::get<ProgrammerSettings>(loaded)), ""};
}

std::optional<std::string> SaveSettingsForm(const std::filesystem::path& file,
                                            const ProgrammerSettingsForm& form) {
    const auto settings = SettingsOfForm(form);
    if (const auto* problem = std::get_if<std::string>(&settings)) return *problem;
    if (file.empty()) return "No folder for the settings was found: HOME is not set.";
    if (auto failure = SaveProgrammerSettings(file, std::get<ProgrammerSettings>(settings)))
        return file.string() + ": " + *failure;
    return std::nullopt;
}

} // namespace kl40
