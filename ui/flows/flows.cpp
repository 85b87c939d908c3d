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
#include "ui/flows/radio_file_flow.h"
#include "ui/flows/save_path.h"
#include "ui/form/channel_entry.h"

#include <algorithm>
#include <exception>

namespace kl40 {

std::string OpenedOptionConflictText(const std::string& conflict) {
    return "The options of this image do not go together: " + conflict +
           ".\nThey are kept as the image holds them; saving writes them unchanged.";
}

std::optional<std::string> OpenedImageDamageText(const std::vector<std::string>& notes) {
    if (notes.empty()) return std::nullopt;
    constexpr std::size_t kShown = 10;
    std::string text = "This image holds what no radio entered here would:";
    for (std::size_t i = 0; i < std::min(notes.size(), kShown); ++i)
        text += "\n- " + notes[i];
    if (notes.size() > kShown)
        text += "\n- and " + std::to_string(notes.size() - kShown) + " more";
    return text + "\nThe channels are shown as the image holds them; check them before saving.";
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

bool HasNamesOrComments(const Radio& radio) {
    return std::any_of(radio.channels.begin(), radio.channels.end(), [](const auto& channel) {
        return channel && (!channel->name.empty() || !channel->comment.empty());
    });
}

// Writes the radio to `target` (nothing: the operator cancelled) and tells
// the outcome.
SaveOutcome SaveTo(Workspace& ws, const std::optional<CurrentFile>& target,
                   std::string* writtenPath) {
    RadioData& data = ws.data;
    std::string text;
    std::string title;
    Icon icon = Icon::Information;
    SaveOutcome outcome = SaveOutcome::Cancelled;
    if (data.FileError) {
        text = "Save Action failed";
        title = "File Error";
        icon = Icon::Critical;
        outcome = SaveOutcome::Failed;
    } else if (target) {
        const std::string& written = target->path;
        const std::string name = DisplayName(written); // the file on disk
        // A build or write that failed has told the operator why; the save
        // is not reported as done and nothing else changes.
        if (target->radioFile) {
            if (!WriteRadioJsonFile(ws, written)) return SaveOutcome::Failed;
            text = "File " + name + " saved";
        } else {
            if (!BuildImage(ws)) return SaveOutcome::Failed;
            if (!data.FirmwareProblem.empty() &&
                !ws.platform.askYesNo(DamagedFirmwareQuestion(data), "Firmware")) {
                ws.platform.show("Save Action cancelled", "File Save", Icon::Information);
                return SaveOutcome::Cancelled;
            }
            if (!WriteImageFile(ws, written)) return SaveOutcome::Failed;
            text = "File " + name + " saved";
            if (HasNamesOrComments(data.radio)) text += std::string("\n") + kNamesOnlyInRadioFiles;
            if (BuiltWithoutProgramCode(data))
                text += "\n" + NoProgramCodeText(BuildModel(data)) + " " + kAddFirmwareHint;
            if (!data.FirmwareProblem.empty()) text += "\n" + data.FirmwareProblem;
        }
        if (writtenPath != nullptr) *writtenPath = written;
        ws.form.caption = kFileCaptionPrefix + name;
        ws.file = *target;
        // Names and comments that only a radio file keeps are still unsaved
        // after an image was written: quitting must not lose them unasked.
        data.DataChanged = !target->radioFile && HasNamesOrComments(data.radio);
        title = "File Operation";
        outcome = SaveOutcome::Saved;
    } else {
        text = "Save Action cancelled";
        title = "File Save";
    }
    // Only a written file clears DataChanged: after a cancel or a failure
    // the changes are still unsaved.
    ws.platform.show(text, title, icon);
    return outcome;
}

// Runs a save, reporting what broke it.
template <class Save> SaveOutcome Guarded(Workspace& ws, Save save) {
    try {
        return save();
    } catch (const std::exception&) {
        ws.platform.show("Error saving data", "Data Error", Icon::Exclamation);
        return SaveOutcome::Failed;
    }
}

} // namespace

SaveOutcome SaveRadioFile(Workspace& ws, std::string* writtenPath) {
    return Guarded(ws, [&] { return SaveTo(ws, ChooseSaveTarget(ws), writtenPath); });
}

SaveOutcome SaveToCurrentFile(Workspace& ws, std::string* writtenPath) {
    if (ws.file.path.empty()) return SaveRadioFile(ws, writtenPath);
    return Guarded(ws, [&] {
        // The file is known: nothing to choose, so no failure of a choice stands.
        ws.data.FileError = false;
        return SaveTo(ws, ws.file, writtenPath);
    });
}

void ClearForOpenedRadio(Workspace& ws) {
    ClearChannelList(ws, 1);
    ws.data.radio.channels.fill(std::nullopt);
    ws.form.txtRx.clear();
    ws.form.txtTx.clear();
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
    ClearForOpenedRadio(ws);
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

// Loads the image in ImageText as the opened radio named `name` in the
// titles, and notes options that do not go together.
LoadResult ShowOpenedImage(Workspace& ws, const std::string& name,
                           std::vector<std::uint8_t> previousImage) {
    const LoadResult loaded = LoadOpenedImage(ws, std::move(previousImage));
    if (loaded == LoadResult::Rejected) return loaded;
    ws.form.caption = kFileCaptionPrefix + name;
    if (loaded == LoadResult::Decoded)
        if (const auto conflict = OptionConflict(TickedOptions(ws.form), FormModel(ws.form)))
            ws.platform.show(OpenedOptionConflictText(*conflict), "Options", Icon::Exclamation);
    if (loaded == LoadResult::Decoded)
        if (const auto damage =
                OpenedImageDamageText(ImageDamage(ws.data.OpenedImage, ws.data.radio)))
            ws.platform.show(*damage, "Damaged Image", Icon::Exclamation);
    return loaded;
}

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
        const LoadResult loaded = ShowOpenedImage(ws, DisplayName(path), std::move(previousImage));
        if (loaded == LoadResult::Rejected) return OpenOutcome::Failed;
        // Saving in place what failed to decode would replace the file with
        // less than it holds.
        ws.file = loaded == LoadResult::Decoded ? CurrentFile{path, false} : CurrentFile{};
        outcome = OpenOutcome::Opened;
    }
    data.EditingChannel = true;
    data.LoadingForm = false;
    return outcome;
}

} // namespace

OpenOutcome OpenRadioFile(Workspace& ws) {
    ws.CMDDialog1.FileName.clear();
    const auto chosen = ws.platform.openFileDialog({OpenFilter(), "", false});
    if (!chosen) return FinishOpen(ws, "", "", ws.data.ImageText);
    return OpenRadioFile(ws, *chosen);
}

OpenOutcome OpenRadioFile(Workspace& ws, const std::string& path) {
    if (IsRadioFileName(path)) return OpenRadioJsonFile(ws, path);
    std::vector<std::uint8_t> previousImage = ws.data.ImageText;
    const std::string failure = OpenImageFileAt(ws, path);
    // A radio file under another name is told by its content.
    if (!ws.data.FileError && LooksLikeRadioFile(ws.data.ImageText)) {
        ws.data.ImageText = std::move(previousImage);
        return OpenRadioJsonFile(ws, path);
    }
    return FinishOpen(ws, path, failure, std::move(previousImage));
}

OpenOutcome OpenImageBytes(Workspace& ws, std::vector<std::uint8_t> image,
                           const std::string& name) {
    std::vector<std::uint8_t> previousImage = std::move(ws.data.ImageText);
    ws.data.ImageText = std::move(image);
    ws.data.FileError = false;
    const LoadResult loaded = ShowOpenedImage(ws, name, std::move(previousImage));
    ws.data.EditingChannel = true;
    ws.data.LoadingForm = false;
    if (loaded == LoadResult::Rejected) return OpenOutcome::Failed;
    ws.file = {}; // no file holds it: Save asks where
    return OpenOutcome::Opened;
}

std::string OpenFilter() {
    return OpenImageFilter() + "|" + DialogFilter(FormatContent::Radio);
}

std::string SaveFilter() {
    return SaveImageFilter() + "|" + DialogFilter(FormatContent::Radio);
}

} // namespace kl40
