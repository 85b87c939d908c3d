#pragma once
// Channels to and from a channel list file (the field's CSV interchange
// format): the export of the channel list and the import of a file's channels
// through the channel entry, each with one report for the operator.

#include "core/radio_data.h"
#include "formats/channel_import.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kl40 {

// The channel list dialogs' filter, from the table of file formats.
std::string ChannelFileFilter();

// Stores the file's channels through the channel entry, each as if typed:
// channels the entry refuses are left out and named in the report with their
// row, a scan flag beyond the 32 allowed is dropped and said, frequencies off
// the raster are said, and a channel replacing one of the list is said. The
// model, the time-out and the options stay, except that storing a scan channel
// ticks "Enable Scan", as typing it in does (a note of the report says so).
// Returns the number stored; the report is completed in `import.report`.
std::size_t StoreImportedChannels(Workspace& ws, ChannelImport& import);
// The same into a radio without the form (kl40-cli).
std::size_t ImportChannels(Radio& radio, ChannelImport& import);

struct ChannelExport {
    std::string csv;
    std::size_t channels = 0;
    std::vector<std::string> leftOut; // one sentence per channel the file cannot hold
};
// The channel list as a CSV file. The receive tone is written as on when the
// model takes tones on receive and "Receive CTCSS enable" is ticked.
ChannelExport ExportChannels(const Radio& radio);

// "Import Channels...": the open dialog, the read, the store and the report.
void ImportChannelFile(Workspace& ws);
// "Export Channels...": the save dialog, the write and a message naming the file.
void ExportChannelFile(Workspace& ws);

} // namespace kl40
