#pragma once
// Moving EPROM images between ImageText and ".bin" files.

#include "core/radio_data.h"

#include <string>

namespace kl40 {

inline constexpr const char* kOpenFilter = "Radio Data Files(*.bin)|*.bin";
inline constexpr const char* kSaveFilter = "KL40 Eprom Files (*.bin)|*.bin";
inline constexpr std::uintmax_t kMaxImageFileSize = 65000;

// Open dialog (file name cleared first), then the checks and the read.
// Returns the chosen path or "" on cancel; sets FileError.
std::string OpenImageFile(Workspace& ws, const std::string& filter);

// Reads the whole file into ImageText. On failure shows its message, leaves
// ImageText unchanged and returns false.
bool ReadImageFile(Workspace& ws, const std::string& path);

// Save dialog with overwrite prompt, starting from the remembered name.
// Returns the chosen path or "" on cancel; clears FileError on a choice.
std::string ChooseSaveFile(Workspace& ws, const std::string& filter);

// Writes the first 2048 or 8192 bytes of ImageText (by the model code in
// ConfigText) through a temporary file that then replaces the target, so a
// failed write never destroys an existing file. Shows the failure and returns
// false when nothing was written.
bool WriteImageFile(Workspace& ws, const std::string& path);

} // namespace kl40
