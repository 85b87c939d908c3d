#include "image/firmware_store.h"
#include "image/image_file.h"
#include "image/program_code.h"
#include "ui/flows/flows.h"
#include "ui/flows/image_open.h"

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
    const int modelCode = *installed.modelCode;
    const std::string model = ModelName(modelCode);
    const std::string done = "Firmware for " + model + " installed from " + name + ".";
    RadioData& data = ws.data;
    // The open radio keeps the program code of the image it came from, so the
    // installed code reaches its saves only when the operator says so.
    if (data.OpenedModel == modelCode && HasProgramCode(data.OpenedImage, modelCode) &&
        !SameProgramCode(data.OpenedImage, *image, modelCode)) {
        if (ws.platform.askYesNo(done + "\nThe open radio has program code of its own, from the "
                                        "image it was opened from. Should the open radio take "
                                        "the newly installed program code?",
                                 kTitle)) {
            CopyProgramCode(*image, data.OpenedImage, modelCode);
            data.DataChanged = true; // its next save writes other bytes than its file holds
        }
        return;
    }
    ws.platform.show(done + "\nBuilds for " + model + " now take their program code from it.",
                     kTitle, Icon::Information);
}

} // namespace kl40
