#pragma once
// Radio files (JSON) in the desktop application: the whole radio, with the
// channel names and comments no image holds, opened through the entry rules
// kl40-cli uses and written as kl40-cli reads it.

#include "ui/flows/flows.h"
#include "ui/form/workspace.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kl40 {

// Whether a path's name ends in a radio file's extension (".json", any case).
bool IsRadioFileName(const std::string& path);

// Whether a file read as an image is rather a radio file's text: a JSON
// object with no byte a text file never holds. An EPROM image is never one:
// its erased bytes alone (0xFF) rule it out.
bool LooksLikeRadioFile(const std::vector<std::uint8_t>& bytes);

// Opens the radio file at `path` in place of the radio being edited. A file
// that cannot be read, holds no radio, or has a channel or options the entry
// rules refuse is reported with the reason ("Unable to open data file" and
// the reason on the next line) and changes nothing. Otherwise the form shows
// the radio, the file becomes the current file, and what the entry had to
// say about defaults and channels is told once.
OpenOutcome OpenRadioJsonFile(Workspace& ws, const std::string& path);

// Writes the radio the form holds to `path` as a radio file, the way image
// files are written (atomic and verified). Shows why and returns false when
// nothing was written.
bool WriteRadioJsonFile(Workspace& ws, const std::string& path);

} // namespace kl40
