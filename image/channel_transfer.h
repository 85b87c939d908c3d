#pragma once
// Channels to and from a channel list file (the field's CSV interchange
// format): the export of the channel list and the import of a file's channels
// through the channel entry, each with one report for the operator.

#include "core/radio.h"
#include "core/radio_record.h"
#include "entry/radio_entry.h"
#include "formats/channel_import.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kl40 {

inline constexpr const char* kImportTitle = "Import Channels";
inline constexpr const char* kExportTitle = "Export Channels";

// The channel list dialogs' filter, from the table of file formats.
std::string ChannelFileFilter();

// The import's candidates as one radio record of channels only, and the file
// row of each channel.
RadioRecord ImportedRecord(const ChannelImport& import, std::map<int, const FileRow*>& rows);

// Completes the import's report from what entering each channel came to
// (`before` and `after` are the channel tables around it;
// `scanningTurnedOn` whether it turned "Enable Scan" on); returns the number
// stored.
std::size_t ReportImport(ChannelImport& import, const ApplyOutcome& outcome,
                         const std::map<int, const FileRow*>& rows, const ChannelTable& before,
                         bool scanningTurnedOn, const ChannelTable& after);

// Stores the file's channels into a radio through the channel entry rules
// (kl40-cli); the report is completed as the form's import completes it.
std::size_t ImportChannels(Radio& radio, ChannelImport& import);

struct ChannelExport {
    std::string csv;
    std::size_t channels = 0;
    std::vector<std::string> leftOut; // one sentence per channel the file cannot hold
};
// The channel list as a CSV file. The receive tone is written as on when the
// model takes tones on receive and "Receive CTCSS enable" is ticked.
ChannelExport ExportChannels(const Radio& radio);

} // namespace kl40
