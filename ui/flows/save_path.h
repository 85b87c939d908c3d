#pragma once
// Choosing where Save As writes the radio.

#include "ui/form/workspace.h"

#include <optional>
#include <string>

namespace kl40 {

// Save dialog starting from the remembered name; the dialog itself asks
// nothing about existing files. Returns the chosen path or "" on cancel;
// clears FileError on a choice.
std::string ChooseSaveFile(Workspace& ws, const std::string& filter);

// Save As's dialog with every format the radio can be written as. A name with
// a radio file's extension is written as a radio file under that name; any
// other as an image whose name ends in "bin" (club.txt becomes club.bin)
// unless it names a record format. When that is an existing file other than
// the current file, the operator is asked before it is replaced. Returns the file
// to write, or nothing when the operator cancels the dialog or answers No.
std::optional<CurrentFile> ChooseSaveTarget(Workspace& ws);

} // namespace kl40
