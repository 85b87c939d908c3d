#include "cli/same_file.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "core/echo_text.h"
#include "image/firmware_store.h"
#include "image/program_code.h"

#include <iostream>

namespace kl40::cli {

namespace {
int refuse(const std::string& reason) {
    std::cerr << "kl40-cli: " << reason << '\n';
    return 1;
}
} // namespace

int RunFirmwareInstall(const std::string& imagePath, std::ostream& out) {
    auto image = ReadImage(imagePath);
    const std::string name = EchoText(imagePath);
    if (const auto* reason = std::get_if<std::string>(&image))
        return refuse(name + ": Unable to open data file: " + *reason);
    const FirmwareCheck check =
        CheckFirmwareImage(std::get<std::vector<std::uint8_t>>(image), name);
    if (!check.modelCode) return refuse(check.refusal);
    const std::string installedFile =
        FirmwareFile(DefaultFirmwareFolder(), *check.modelCode).string();
    if (InputSameAs(installedFile, {imagePath}))
        return refuse(EchoText(installedFile) + ": is the image itself; it is not replaced");
    const FirmwareCheck installed = InstallFirmware(
        DefaultFirmwareFolder(), std::get<std::vector<std::uint8_t>>(image), imagePath, name);
    if (!installed.modelCode) return refuse(installed.refusal);
    const std::string model = ModelName(*installed.modelCode);
    out << "Firmware for " << model << " installed from " << name << ": builds for " << model
        << " now take their program code from it.\n";
    return 0;
}

int RunFirmwareList(std::ostream& out) {
    for (const std::string& line : DescribeFirmware(DefaultFirmwareFolder()))
        out << line << '\n';
    return 0;
}

int RunFirmwareRemove(const std::string& model, std::ostream& out) {
    const std::optional<int> code = ModelCodeOf(model);
    if (!code)
        return refuse("unknown model \"" + EchoText(model) + "\" (" + ModelsWithProgramCode() +
                      ")");
    if (auto refusal = RemoveFirmware(DefaultFirmwareFolder(), *code)) return refuse(*refusal);
    out << "Firmware for " << model << " removed: builds for " << model
        << " use the shipped template again.\n";
    return 0;
}

} // namespace kl40::cli
