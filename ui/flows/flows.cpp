#include "ui/flows/flows.h"
#include "ui/flows/form_image.h"
#include "ui/form/option_boxes.h"

#include "core/option_rules.h"
#include "image/image_build.h"
#include "image/image_decode.h"
#include "image/image_file.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "ui/flows/image_open.h"
#include "ui/flows/save_path.h"
#include "ui/form/channel_entry.h"

#include <exception>

namespace kl40 {

std::string OpenedOptionConflictText(const std::string& conflict) {
    return "The options of this image do not go together: " + conflict +
           ".\nThey are kept as the image holds them; saving writes them unchanged.";
}

std::string DisplayName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

// Asked before a save that would go without program code because the
// installed firmware is damaged: the operator may rather repair it first.
std::string DamagedFirmwareQuestion(const RadioData& data) {
    return data.FirmwareProblem + "\n" + NoProgramCodeText(BuildModel(data)) +
           "\nSave the image without program code anyway? To repair the firmware, choose File > "
           "Use Firmware From Image... with an image read from your radio's EPROM.";
}

} // namespace

SaveOutcome SaveRadioFile(Workspace& ws, std::string* writtenPath) {
    RadioData& data = ws.data;
    try {
        const std::string path = ChooseImageSavePath(ws, SaveImageFilter());
        std::string text;
        std::string title;
        Icon icon = Icon::Information;
        SaveOutcome outcome = SaveOutcome::Cancelled;
        if (data.FileError) {
            text = "Save Action failed";
            title = "File Error";
            icon = Icon::Critical;
            outcome = SaveOutcome::Failed;
        } else if (!path.empty()) {
            const std::string written = ImageFilePath(path);
            // A build or write that failed has told the operator why; the save
            // is not reported as done and nothing else changes.
            if (!BuildImage(ws)) return SaveOutcome::Failed;
            if (!data.FirmwareProblem.empty() &&
                !ws.platform.askYesNo(DamagedFirmwareQuestion(data), "Firmware")) {
                ws.platform.show("Save Action cancelled", "File Save", Icon::Information);
                return SaveOutcome::Cancelled;
            }
            if (!WriteImageFile(ws, written)) return SaveOutcome::Failed;
            if (writtenPath != nullptr) *writtenPath = written;
            const std::string name = DisplayName(written); // the file on disk
            ws.form.caption = kFileCaptionPrefix + name;
            data.DataChanged = false;
            text = "File " + name + " saved";
            if (BuiltWithoutProgramCode(data))
                text += "\n" + NoProgramCodeText(BuildModel(data)) + " " + kAddFirmwareHint;
            if (!data.FirmwareProblem.empty()) text += "\n" + data.FirmwareProblem;
            title = "File Operation";
            outcome = SaveOutcome::Saved;
        } else {
            text = "Save Action cancelled";
            title = "File Save";
        }
        // Only a written image clears DataChanged: after a cancel or a failure
        // the changes are still unsaved.
        ws.platform.show(text, title, icon);
        return outcome;
    } catch (const std::exception&) {
        ws.platform.show("Error saving data", "Data Error", Icon::Exclamation);
        return SaveOutcome::Failed;
    }
}

LoadResult LoadOpenedImage(Workspace& ws, std::vector<std::uint8_t> previousImage) {
    RadioData& data = ws.data;
    // An image of no known model is refused before anything is cleared, so
    // the radio being edited survives a wrong file.
    const std::optional<int> model = RecogniseModel(data.ImageText);
    if (!model) {
        data.ImageText = std::move(previousImage);
        ws.platform.show("Error in decoding channel", "Data Error", Icon::Exclamation);
        return LoadResult::Rejected;
    }
    // The whole image is kept: saving it again must keep its program code.
    data.OpenedImage = data.ImageText;
    data.OpenedModel = *model;
    ClearChannelList(ws, 1);
    data.radio.channels.fill(std::nullopt);
    ws.form.txtRx.clear();
    ws.form.txtTx.clear();
    data.LoadingForm = true;
    data.EditingChannel = true;
    const bool decoded = DecodeImage(ws);
    data.LoadingForm = false;
    GreyOptionBoxes(ws.form);
    // A decoded image is the file's content: nothing unsaved. A failed decode
    // leaves a data set that matches no file.
    data.DataChanged = !decoded;
    return decoded ? LoadResult::Decoded : LoadResult::DecodeFailed;
}

namespace {

// The end of the open flow once the file was read (or failed to be) into
// ImageText.
OpenOutcome FinishOpen(Workspace& ws, const std::string& path, const std::string& failure,
                       std::vector<std::uint8_t> previousImage) {
    RadioData& data = ws.data;
    OpenOutcome outcome = OpenOutcome::Cancelled;
    if (data.FileError) {
        // The second line says why, in the words kl40-cli uses.
        ws.platform.show("Unable to open data file" + (failure.empty() ? "" : "\n" + failure),
                         "File Error", Icon::Critical);
        outcome = OpenOutcome::Failed;
    } else if (!path.empty()) {
        const LoadResult loaded = LoadOpenedImage(ws, std::move(previousImage));
        if (loaded == LoadResult::Rejected) return OpenOutcome::Failed;
        ws.form.caption = kFileCaptionPrefix + DisplayName(path);
        outcome = OpenOutcome::Opened;
        if (loaded == LoadResult::Decoded)
            if (const auto conflict = OptionConflict(TickedOptions(ws.form), FormModel(ws.form)))
                ws.platform.show(OpenedOptionConflictText(*conflict), "Options", Icon::Exclamation);
    }
    data.EditingChannel = true;
    data.LoadingForm = false;
    return outcome;
}

} // namespace

OpenOutcome OpenRadioFile(Workspace& ws) {
    std::vector<std::uint8_t> previousImage = ws.data.ImageText;
    std::string failure;
    const std::string path = OpenImageFile(ws, OpenImageFilter(), &failure);
    return FinishOpen(ws, path, failure, std::move(previousImage));
}

OpenOutcome OpenRadioFile(Workspace& ws, const std::string& path) {
    std::vector<std::uint8_t> previousImage = ws.data.ImageText;
    const std::string failure = OpenImageFileAt(ws, path);
    return FinishOpen(ws, path, failure, std::move(previousImage));
}

} // namespace kl40
