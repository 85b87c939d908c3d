#include "image/firmware_store.h"
#include "image/flows.h"
#include "image/image_file.h"
#include "image/program_code.h"

#include <filesystem>
#include <system_error>

namespace kl40 {

void UseFirmwareFromImage(Workspace& ws) {
    constexpr const char* kTitle = "Firmware";
    const auto chosen = ws.platform.openFileDialog({OpenImageFilter(), "", false});
    if (!chosen) return;
    const std::string name = DisplayName(*chosen);

    std::error_code ec;
    if (std::filesystem::is_regular_file(*chosen, ec) &&
        std::filesystem::file_size(*chosen, ec) == 0 && !ec) {
        ws.platform.show(name + " is empty: nothing was installed.", kTitle, Icon::Exclamation);
        return;
    }
    // A file that cannot be read has been reported by the read.
    const auto image = ReadImageBytes(ws.platform, *chosen);
    if (!image) return;

    const FirmwareCheck installed = InstallFirmware(ws.FirmwareFolder, *image, *chosen, name);
    if (!installed.modelCode) {
        ws.platform.show(installed.refusal, kTitle, Icon::Exclamation);
        return;
    }
    const std::string model = ModelName(*installed.modelCode);
    ws.platform.show("Firmware for " + model + " installed from " + name + ".\nBuilds for " +
                         model + " now take their program code from it.",
                     kTitle, Icon::Information);
}

} // namespace kl40
