#pragma once
// Moving EPROM images between ImageText and ".bin" files.

#include "core/radio_data.h"
#include "formats/file_formats.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

inline constexpr const char* kOpenFilter = "Radio Data Files(*.bin)|*.bin";
inline constexpr const char* kSaveFilter = "KL40 Eprom Files (*.bin)|*.bin";
// The open and save dialogs' filters: the ones above for raw images, then one
// for each record format (Intel HEX, S-record), which are read and written by
// their file name's extension.
std::string OpenImageFilter();
std::string SaveImageFilter();
inline constexpr std::uintmax_t kMaxImageFileSize = 65000;

// Open dialog (file name cleared first), then the checks and the read.
// Returns the chosen path or "" on cancel; sets FileError, and `failure` to
// the reason of a failure as OpenImageFileAt gives it.
std::string OpenImageFile(Workspace& ws, const std::string& filter, std::string* failure = nullptr);

// The checks and the read of OpenImageFile for a path given without the
// dialog (a recent file, the command line); remembers it as the dialog's file
// name and sets FileError. Returns why the file gave no image in kl40-cli's
// words ("empty file", "not a regular file", "larger than 65000 bytes"), or
// "" when it was read.
std::string OpenImageFileAt(Workspace& ws, const std::string& path);

// Reads the whole image file of 1 to 65000 bytes. On failure shows the same
// messages as ReadImageFile and returns nothing.
std::optional<std::vector<std::uint8_t>> ReadImageBytes(Platform& platform,
                                                        const std::string& path);

// Reads the whole file into ImageText. On failure shows its message, leaves
// ImageText unchanged and returns false.
bool ReadImageFile(Workspace& ws, const std::string& path);

// Save dialog with overwrite prompt, starting from the remembered name.
// Returns the chosen path or "" on cancel; clears FileError on a choice.
std::string ChooseSaveFile(Workspace& ws, const std::string& filter);

struct WriteOptions {
    // Flush the file and its folder to the device before reporting success.
    // Batch tools that write thousands of files may leave that to the system.
    bool durable = true;
    // Runs on the temporary file after it is written and before it is read
    // back for verification; lets tests damage it.
    std::function<void(const std::string& temporaryPath)> afterWrite;
    // The image format to write; nothing: the one the path's extension names
    // (a raw image for any other name).
    const FileFormat* format = nullptr;
};

// Writes the first 2048 or 8192 bytes of ImageText (as Intel HEX or
// S-record text when the path's extension names that format) (by the model code in
// ConfigText) to a temporary file beside the target, reads it back and
// compares it byte for byte, and only then lets it replace the target, so a
// failed or unverified write never destroys an existing file. Shows the
// failure and returns false when nothing was written.
bool WriteImageFile(Workspace& ws, const std::string& path, const WriteOptions& options = {});

// The bytes WriteImageFile writes to `path` in `format` (nothing: the one
// the path's extension names), or nothing after showing why there are none.
std::optional<std::vector<std::uint8_t>> ImageFileContent(Workspace& ws, const std::string& path,
                                                          const FileFormat* format);

// Writes `bytes` to `path` the way WriteImageFile writes an image (temporary
// file beside it, read back and compared, then renamed over it), without any
// message. Returns the reason when nothing was written.
std::optional<std::string> WriteFileAtomically(const std::string& path,
                                               const std::vector<std::uint8_t>& bytes,
                                               const WriteOptions& options = {});

// True when the file at `path` holds exactly `bytes`.
bool FileHoldsBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace kl40
