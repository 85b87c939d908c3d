#include "programmer/programmer_settings.h"

#include "formats/json_reading.h"
#include "image/atomic_write.h"
#include "image/whole_file.h"
#include "programmer/command_line.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace kl40 {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::size_t kMaxSettingsFileSize = 64 * 1024;

// The keys of the file and the member each one sets.
struct TextKey {
    const char* key;
    std::string ProgrammerSettings::*member;
};
constexpr TextKey kTextKeys[] = {
    {"programmer", &ProgrammerSettings::programmer},
    {"device_2k", &ProgrammerSettings::device2k},
    {"device_8k", &ProgrammerSettings::device8k},
    {"read_command", &ProgrammerSettings::customRead},
    {"write_command", &ProgrammerSettings::customWrite},
};
constexpr const char* kTimeLimitKey = "time_limit_seconds";

std::optional<std::string> readSettings(const json& document, ProgrammerSettings& settings) {
    if (!document.is_object()) return "must hold one JSON object";
    for (const auto& [key, value] : document.items()) {
        if (key == kTimeLimitKey) {
            if (!value.is_number_integer() || value.get<long long>() < 1 ||
                value.get<long long>() > kMaxTimeLimitSeconds)
                return "\"" + key + "\" must be a whole number of seconds from 1 to " +
                       std::to_string(kMaxTimeLimitSeconds);
            settings.timeLimitSeconds = value.get<int>();
            continue;
        }
        const TextKey* known = nullptr;
        for (const TextKey& text : kTextKeys)
            if (key == text.key) known = &text;
        if (!known) return "unknown key \"" + key + "\"";
        if (!value.is_string()) return "\"" + key + "\" must be a text";
        settings.*(known->member) = value.get<std::string>();
    }
    if (!FindProgrammer(settings.programmer)) {
        std::string names;
        for (const std::string& name : ProgrammerNames())
            names += (names.empty() ? "\"" : ", \"") + name + "\"";
        return "unknown programmer \"" + settings.programmer + "\" (known: " + names + ")";
    }
    for (const auto& [key, command] : {std::pair{"read_command", &settings.customRead},
                                       std::pair{"write_command", &settings.customWrite}}) {
        if (command->empty()) continue;
        auto split = SplitCommandLine(*command);
        if (const auto* reason = std::get_if<std::string>(&split))
            return "\"" + std::string(key) + "\": " + *reason;
    }
    return std::nullopt;
}

} // namespace

fs::path ProgrammerSettingsFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && fs::path(config).is_absolute())
        return fs::path(config) / "kl40" / "programmer.json";
    const char* home = std::getenv("HOME");
    if (home && *home) return fs::path(home) / ".config" / "kl40" / "programmer.json";
    return {};
}

std::variant<ProgrammerSettings, std::string> LoadProgrammerSettings(const fs::path& file) {
    ProgrammerSettings settings;
    if (file.empty()) return settings;
    auto read = ReadWholeFile(file.string(), kMaxSettingsFileSize, Pipes::Refuse);
    if (const auto* error = std::get_if<FileReadError>(&read)) {
        if (error->kind == FileReadError::Kind::Open &&
            (error->error == ENOENT || error->error == ENOTDIR))
            return settings;
        return file.string() + ": cannot be read: " + error->reason;
    }
    auto parsed = ParseJsonStrictly(std::get<std::string>(read));
    if (const auto* error = std::get_if<JsonSyntaxError>(&parsed))
        return file.string() + ": not valid JSON: " + error->message;
    if (auto problem = readSettings(std::get<json>(parsed), settings))
        return file.string() + ": " + *problem;
    return settings;
}

std::optional<std::string> SaveProgrammerSettings(const fs::path& file,
                                                  const ProgrammerSettings& settings) {
    json document = json::object();
    for (const TextKey& text : kTextKeys)
        if (!(settings.*(text.member)).empty()) document[text.key] = settings.*(text.member);
    document["programmer"] = settings.programmer;
    document[kTimeLimitKey] = settings.timeLimitSeconds;
    const std::string text = document.dump(2) + "\n";
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    return WriteFileAtomically(file.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::variant<ProgrammerCommands, std::string> ResolveProgrammer(const ProgrammerSettings& settings,
                                                                std::size_t chipSize,
                                                                const std::string& where) {
    const std::optional<ProgrammerRow> row = FindProgrammer(settings.programmer);
    if (!row) return "unknown programmer \"" + settings.programmer + "\"";
    const bool custom = row->name == kCustomProgrammer;
    ProgrammerCommands commands{row->name, {}, {}, {}};
    const bool large = chipSize > 2048;
    commands.device = large ? settings.device8k : settings.device2k;
    if (commands.device.empty()) commands.device = large ? row->device8k : row->device2k;

    const auto prepare = [&](const char* key, const std::string& customText,
                             const std::string& rowText,
                             std::vector<std::string>& into) -> std::optional<std::string> {
        const std::string& text = custom ? customText : rowText;
        if (text.empty())
            return "the " + row->name + " programmer has no \"" + key + "\": set it in " + where;
        auto split = SplitCommandLine(text);
        if (const auto* reason = std::get_if<std::string>(&split))
            return "\"" + std::string(key) + "\" in " + where + ": " + *reason;
        into = std::get<std::vector<std::string>>(split);
        bool hasFile = false;
        for (const std::string& argument : into)
            hasFile = hasFile || argument.find("{file}") != std::string::npos;
        if (!hasFile)
            return "\"" + std::string(key) + "\" in " + where +
                   " has no {file}: the image file must be passed to the programmer";
        return std::nullopt;
    };
    if (auto problem =
            prepare("read_command", settings.customRead, row->readCommand, commands.read))
        return *problem;
    if (auto problem =
            prepare("write_command", settings.customWrite, row->writeCommand, commands.write))
        return *problem;
    bool needsDevice = false;
    for (const auto* line : {&commands.read, &commands.write})
        for (const std::string& argument : *line)
            needsDevice = needsDevice || argument.find("{device}") != std::string::npos;
    if (needsDevice && commands.device.empty())
        return std::string("no device name for a ") + (large ? "8,192" : "2,048") +
               "-byte EPROM: set \"" + (large ? "device_8k" : "device_2k") + "\" in " + where;
    return commands;
}

} // namespace kl40
