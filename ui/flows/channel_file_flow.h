#pragma once
// "Import Channels..." and "Export Channels...": a channel list file (the
// field's CSV interchange format) into the form's radio through the channel
// entry, and the form's radio out to one, each with one report.

#include "formats/channel_import.h"
#include "ui/form/workspace.h"

#include <cstddef>

namespace kl40 {

// Stores the file's channels through the channel entry, each as if typed:
// channels the entry refuses are left out and named in the report with their
// row, a scan flag beyond the 32 allowed is dropped and said, frequencies off
// the raster are said, and a channel replacing one of the list is said. The
// model, the time-out and the options stay, except that storing a scan channel
// ticks "Enable Scan", as typing it in does (a note of the report says so).
// Returns the number stored; the report is completed in `import.report`.
std::size_t StoreImportedChannels(Workspace& ws, ChannelImport& import);

// "Import Channels...": the open dialog, the read, the store and the report.
void ImportChannelFile(Workspace& ws);
// "Export Channels...": the save dialog, the write and a message naming the file.
void ExportChannelFile(Workspace& ws);

} // namespace kl40
