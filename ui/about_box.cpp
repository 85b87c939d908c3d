#include "ui/about_box.h"

#include "image/firmware_store.h"

#include <filesystem>
#include <system_error>
#include <utility>

#ifndef KL40_VERSION
#define KL40_VERSION "0.0.0"
#endif

namespace kl40 {

std::optional<std::string> GetKeyValue(Registry& registry, RegistryRoot root,
                                       const std::string& key, const std::string& valueName) {
    std::optional<std::string> value;
    try {
        value = registry.readText(root, key, valueName);
    } catch (...) {
        return std::nullopt;
    }
    if (!value || value->size() > kRegistryValueBuffer) return std::nullopt;
    const std::size_t end = value->find('\0');
    if (end != std::string::npos) value->resize(end);
    return value;
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

frmAbout::frmAbout(Platform& platform, Registry& registry, StartProgramFn startProgram,
                   FileExistsFn fileExists, Handler onClose)
    : platform_(platform), registry_(registry), startProgram_(std::move(startProgram)),
      fileExists_(std::move(fileExists)), onClose_(std::move(onClose)) {}

void frmAbout::Form_Load() {
    caption = std::string("About ") + kAppTitle;
    lblTitle = kAppTitle;
    lblVersion = std::string("Version ") + KL40_VERSION;
    lblDescription = std::string("This program has been designed to program KL40a ") +
                     "and KL40c radios for the UHF Amateur band only.";
    lblDisclaimer =
        "Warning: ...This program will generate eprom files for amateur UHF radios only";
    lblFirmware = "Program code of built images:";
    for (const std::string& line : DescribeFirmware(firmwareFolder))
        lblFirmware += "\n" + line;
}

void frmAbout::cmdOK_Click() {
    closed_ = true;
    if (Handler handler = onClose_) handler(); // may destroy this box
}

std::optional<std::string> frmAbout::FindSysInfo() {
    if (auto path = GetKeyValue(registry_, RegistryRoot::LocalMachine, kSysInfoKey, kSysInfoValue))
        return path;
    if (auto folder = GetKeyValue(registry_, RegistryRoot::LocalMachine, kSysInfoLocationKey,
                                  kSysInfoLocationValue)) {
        std::string program = *folder + kSysInfoProgram;
        if (fileExists_ && fileExists_(program)) return program;
    }
    return std::nullopt;
}

void frmAbout::StartSysInfo() {
    bool started = false;
    try {
        if (const auto program = FindSysInfo(); program && startProgram_)
            started = startProgram_(*program);
    } catch (...) {
        started = false;
    }
    if (!started) platform_.show(kSysInfoUnavailable, kAppTitle, Icon::None);
}

} // namespace kl40
