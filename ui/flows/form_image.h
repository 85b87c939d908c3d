#pragma once
// The form's radio as an image and back: building the data set's radio into
// ImageText, showing a decoded image in the form, and writing ImageText to an
// image file, each telling the operator what went wrong.

#include "formats/file_formats.h"
#include "image/atomic_write.h"
#include "ui/form/workspace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

// Builds the image of the data set into ImageText (cut to the model's size)
// without writing it. The bytes outside the data area (the program code of
// the 8 KiB models) come from the opened image while the model is still the
// one it was opened as and that image holds program code, else from the
// firmware installed in `ws.FirmwareFolder`, else from the template.
// LastProgramSource says which; FirmwareProblem says why installed firmware
// could not be used ("" when nothing was wrong with it). Returns false after
// showing why the radio gives no image.
bool BuildImage(Workspace& ws);

// The model code the data set is built as (1, 2 or 3).
int BuildModel(const RadioData& data);
// True when ImageText, just built, is of an 8 KiB model and holds no program
// code: burnt as it is, it would not run a radio.
bool BuiltWithoutProgramCode(const RadioData& data);

// Decodes ImageText into the data set and the form: the model and time-out
// selectors, the option boxes, the channel table and list, the first listed
// channel shown. Returns false after showing "Error in decoding channel".
bool DecodeImage(Workspace& ws);

// Writes the first 2048 or 8192 bytes of ImageText (by the model code in
// ConfigText), as Intel HEX or S-record text when the path's extension names
// that format, the way WriteFileAtomically writes: a failed or unverified write
// never destroys an existing file. Shows the failure and returns false when
// nothing was written.
bool WriteImageFile(Workspace& ws, const std::string& path, const WriteOptions& options = {});

// Writes `content` as WriteFileAtomically does and shows why when nothing was
// written (an unverified write as a file error).
bool WriteShowingFailure(Platform& platform, const std::string& path,
                         const std::vector<std::uint8_t>& content,
                         const WriteOptions& options = {});

// The bytes WriteImageFile writes to `path` in `format` (nothing: the one
// the path's extension names), or nothing after showing why there are none.
std::optional<std::vector<std::uint8_t>> ImageFileContent(Workspace& ws, const std::string& path,
                                                          const FileFormat* format);

} // namespace kl40
