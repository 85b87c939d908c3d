#pragma once
// Channels read from a channel list file, and the one report of an import:
// how many channels were imported and what happened to each row that was
// refused or changed. The reader fills it; whoever stores the channels adds
// its own refusals and changes to the same report, so every program shows the
// same text.

#include "core/radio.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kl40 {

// Where a channel came from in the file.
struct FileRow {
    int line = 0;         // text line of the row, from 1
    std::string location; // the row's Location as written ("" when it has none)
};

struct ImportedChannel {
    FileRow row;
    ChannelRecord channel; // rx and tx as four-decimal texts ("435.1250"), tx always set
};

struct RowRemark {
    enum class Kind { Refused, Changed };
    FileRow row;
    Kind kind = Kind::Refused;
    std::string reason; // "tone 67.0 Hz is not one of the radio's CTCSS tones"
};

struct ImportReport {
    std::vector<RowRemark> rows;    // in the order found; the text sorts them by line
    std::vector<std::string> notes; // about the file as a whole

    void refuse(const FileRow& row, std::string reason);
    void change(const FileRow& row, std::string what);
};

struct ChannelImport {
    std::vector<ImportedChannel> channels; // candidates, in file order
    ImportReport report;
};

// The report as shown to the operator, one line each:
//   "12 channels imported."
//   "Line 5 (Location 7): refused: tone 67.0 Hz is not one of the radio's CTCSS tones."
//   "Line 9 (Location 40): imported without scan: only 32 scan channels allowed."
//   then the notes.
// `imported` is the number of channels actually stored.
std::string FormatImportReport(const ImportReport& report, std::size_t imported);

} // namespace kl40
