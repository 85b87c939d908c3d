#pragma once
// The open and save flows that move a whole radio between the data set and a
// ".bin" file.

#include "ui/form/workspace.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kl40 {

enum class SaveOutcome {
    Saved,     // the image was written and reported as saved
    Cancelled, // the operator cancelled the save dialog
    Failed,    // a failure was reported; nothing was saved
};

// With `writtenPath`, a save that wrote the image stores the file's path there.
SaveOutcome SaveRadioFile(Workspace& ws, std::string* writtenPath = nullptr);

enum class OpenOutcome {
    Opened,    // the file was read and now names the radio being edited
    Cancelled, // the operator cancelled the open dialog
    Failed,    // a failure was reported; the radio being edited is kept
};

// The open dialog, then the open of the chosen file as below.
OpenOutcome OpenRadioFile(Workspace& ws);
// Opens the image at `path` without the dialog: the same checks, messages and
// decode as a file chosen in it.
OpenOutcome OpenRadioFile(Workspace& ws, const std::string& path);

// Replaces the radio being edited with the image now in ImageText: an image of
// no known model is refused ("Error in decoding channel") before anything is
// cleared and `previousImage` is put back; otherwise the form and the channel
// table are cleared and the image decoded, and the whole image is kept as
// OpenedImage for the program code of later saves.
enum class LoadResult { Rejected, DecodeFailed, Decoded };
LoadResult LoadOpenedImage(Workspace& ws, std::vector<std::uint8_t> previousImage);

// Told once after opening an image whose options the form would not allow
// together; `conflict` is the option rule's reason. The options are kept.
std::string OpenedOptionConflictText(const std::string& conflict);

// The part of a path after its last separator ("/" or "\").
std::string DisplayName(const std::string& path);

inline constexpr const char* kFileCaptionPrefix = "KL40 File : ";

// How the operator gives a build program code, after the warning that it has none.
inline constexpr const char* kAddFirmwareHint =
    "To add it, choose File > Use Firmware From Image... with an image read from your radio's "
    "EPROM, then save again.";

// "Use Firmware From Image...": asks for an image read from the operator's
// own EPROM and installs its program code as the firmware of its model in
// ws.FirmwareFolder, saying for which model, or why nothing was installed.
// When the open radio came from an image of that model with program code of
// its own, asks whether it should take the installed code instead (Yes: its
// next save writes the installed code; No: it keeps its own).
void UseFirmwareFromImage(Workspace& ws);

} // namespace kl40
