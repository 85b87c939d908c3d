#include "ui/flows/save_path.h"

#include "image/image_build.h"
#include "ui/flows/flows.h"
#include "ui/flows/radio_file_flow.h"

#include <filesystem>
#include <system_error>

namespace kl40 {

namespace {

// Whether `path` names the same file as `current` (one of them may not exist).
bool IsCurrentFile(const std::string& path, const std::string& current) {
    if (current.empty()) return false;
    std::error_code ec;
    return std::filesystem::equivalent(path, current, ec) || path == current;
}

} // namespace

std::string ChooseSaveFile(Workspace& ws, const std::string& filter) {
    const auto chosen = ws.platform.saveFileDialog({filter, ws.CMDDialog1.FileName, false});
    if (!chosen) return "";
    ws.CMDDialog1.FileName = *chosen;
    ws.data.FileError = false;
    return *chosen;
}

std::optional<CurrentFile> ChooseSaveTarget(Workspace& ws) {
    const std::string chosen = ChooseSaveFile(ws, SaveFilter());
    if (chosen.empty()) return std::nullopt;
    const CurrentFile target = IsRadioFileName(chosen) ? CurrentFile{chosen, true}
                                                       : CurrentFile{ImageFilePath(chosen), false};
    // A folder or a device is not a file to replace: the write says why it
    // cannot go there.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(target.path, ec) ||
        IsCurrentFile(target.path, ws.file.path))
        return target;
    const bool replace = ws.platform.askYesNo(DisplayName(target.path) +
                                                  " already exists.\nDo you want to replace it?",
                                              "Confirm Save As");
    if (!replace) return std::nullopt;
    return target;
}

} // namespace kl40
