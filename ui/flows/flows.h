#pragma once
// The open and save flows that move a whole radio between the data set and a
// file: an image (".bin", Intel HEX, S-record) or a radio file (".json").

#include "ui/form/workspace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

enum class SaveOutcome {
    Saved,     // the image was written and reported as saved
    Cancelled, // the operator cancelled the save dialog
    Failed,    // a failure was reported; nothing was saved
};

// Save As: the save dialog offers every format the radio can be written as
// (the image formats and the radio file); the radio is written to the file
// chosen, which becomes the current file. With `writtenPath`, a save that
// wrote a file stores its path there.
SaveOutcome SaveRadioFile(Workspace& ws, std::string* writtenPath = nullptr);
// Save: writes the current file again without a dialog, in the kind it is
// (image or radio file), with every check and message of Save As; without a
// current file, Save As.
SaveOutcome SaveToCurrentFile(Workspace& ws, std::string* writtenPath = nullptr);

// The second line of the saved message of an image while a channel has a
// name or a comment.
inline constexpr const char* kNamesOnlyInRadioFiles =
    "Channel names and comments are kept only in radio files (.json).";

// The open and save dialogs' filters: the image formats', then the radio file's.
std::string OpenFilter();
std::string SaveFilter();

enum class OpenOutcome {
    Opened,    // the file was read and now names the radio being edited
    Cancelled, // the operator cancelled the open dialog
    Failed,    // a failure was reported; the radio being edited is kept
};

// The open dialog, then the open of the chosen file as below.
OpenOutcome OpenRadioFile(Workspace& ws);
// Opens the file at `path` without the dialog: a radio file (by its name
// ".json", or by its content under any other name) through the entry rules,
// otherwise an image with its checks, messages and decode. A file opened
// becomes the current file.
OpenOutcome OpenRadioFile(Workspace& ws, const std::string& path);

// Opens an image that no file holds (one read from an EPROM) as Open opens
// an image file; `name` stands for the file's name in the titles until the
// radio is saved, and Save asks where.
OpenOutcome OpenImageBytes(Workspace& ws, std::vector<std::uint8_t> image, const std::string& name);

// Empties the form's list and fields and the channel table before an opened
// file's radio is shown.
void ClearForOpenedRadio(Workspace& ws);

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

// Told once after opening an image that holds channels no entry would make
// (a frequency missing or outside the band, a tone code of no tone, codes
// above the count): the notes of ImageDamage; nothing for a sound image.
std::optional<std::string> OpenedImageDamageText(const std::vector<std::string>& notes);

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
