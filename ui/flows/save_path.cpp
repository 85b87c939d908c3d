#include "ui/flows/save_path.h"

#include "image/image_build.h"
#include "ui/flows/flows.h"

#include <filesystem>
#include <system_error>

namespace kl40 {

std::string ChooseSaveFile(Workspace& ws, const std::string& filter) {
    const auto chosen = ws.platform.saveFileDialog({filter, ws.CMDDialog1.FileName, true});
    if (!chosen) return "";
    ws.CMDDialog1.FileName = *chosen;
    ws.data.FileError = false;
    return *chosen;
}

std::string ChooseImageSavePath(Workspace& ws, const std::string& filter) {
    const std::string chosen = ChooseSaveFile(ws, filter);
    if (chosen.empty()) return chosen;
    const std::string written = ImageFilePath(chosen);
    std::error_code ec;
    if (written == chosen || !std::filesystem::exists(written, ec)) return chosen;
    const bool replace = ws.platform.askYesNo(
        DisplayName(written) + " already exists.\nDo you want to replace it?", "Confirm Save As");
    return replace ? chosen : std::string();
}

} // namespace kl40
