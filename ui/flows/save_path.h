#pragma once
// Choosing where the save flow writes the image.

#include "ui/form/workspace.h"

#include <string>

namespace kl40 {

// Save dialog with overwrite prompt, starting from the remembered name.
// Returns the chosen path or "" on cancel; clears FileError on a choice.
std::string ChooseSaveFile(Workspace& ws, const std::string& filter);

// The save dialog (with its overwrite prompt for the name chosen). The image
// is written under the chosen name with the extension "bin" (club.txt becomes
// club.bin); when that is another name and the file exists, the operator is
// asked before it is replaced. Returns the chosen path, or "" when the
// operator cancels the dialog or answers No.
std::string ChooseImageSavePath(Workspace& ws, const std::string& filter);

} // namespace kl40
