#pragma once
// Opening an image file in the program: the open dialog, the read, and the
// message for each file that gives no image.

#include "ui/form/workspace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

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

} // namespace kl40
