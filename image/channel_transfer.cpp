#include "image/channel_transfer.h"

#include "coding/tone_table.h"
#include "core/option_table.h"
#include "entry/radio_entry.h"
#include "formats/chirp_csv_read.h"
#include "formats/chirp_csv_write.h"
#include "formats/file_formats.h"
#include "image/atomic_write.h"
#include "image/whole_file.h"

#include <algorithm>
#include <map>

namespace kl40 {

namespace {

// A message of the channel entry on one line: its lines joined as sentences.
std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, ": ");
    return text;
}

std::string lowerFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

} // namespace

std::string ChannelFileFilter() {
    return DialogFilter(FormatContent::Channels);
}

// The import's candidates as one radio record of channels only, and the row
// of each channel.
RadioRecord ImportedRecord(const ChannelImport& import, std::map<int, const FileRow*>& rows) {
    RadioRecord record;
    for (const ImportedChannel& imported : import.channels) {
        rows[imported.channel.number] = &imported.row;
        record.channels.push_back(imported.channel);
    }
    return record;
}

// Completes the import's report from what entering each channel came to;
std::size_t ReportImport(ChannelImport& import, const ApplyOutcome& outcome,
                         const std::map<int, const FileRow*>& rows, const ChannelTable& before,
                         bool scanningTurnedOn, const ChannelTable& after) {
    std::size_t stored = 0;
    for (const ChannelOutcome& channel : outcome.channels) {
        const FileRow& row = *rows.at(channel.number);
        if (channel.unknownTone) {
            import.report.refuse(row, "tone " + UnlistedToneText(*channel.unknownTone));
            continue;
        }
        if (!channel.stored) {
            import.report.refuse(row, lowerFirst(oneLine(channel.messages.front())));
            continue;
        }
        ++stored;
        if (before[static_cast<std::size_t>(channel.number)])
            import.report.change(row, "replaced channel " + std::to_string(channel.number) +
                                          " of the list");
        for (const std::string& message : channel.messages)
            import.report.change(row, "imported without scan: " + lowerFirst(oneLine(message)));
        if (channel.rasterNote) {
            // The report ends each remark with its own full stop.
            std::string note = *channel.rasterNote;
            std::replace(note.begin(), note.end(), '\n', ' ');
            if (!note.empty() && note.back() == '.') note.pop_back();
            import.report.change(row, note);
        }
    }
    // Storing a scan channel ticks "Enable Scan", as typing it in does.
    if (scanningTurnedOn)
        for (const ChannelOutcome& channel : outcome.channels) {
            const auto& stored = after[static_cast<std::size_t>(channel.number)];
            if (channel.stored && stored && stored->scan) {
                import.report.notes.push_back("\"Enable Scan\" turned on: channel " +
                                              std::to_string(channel.number) +
                                              " is a scan channel.");
                break;
            }
        }
    return stored;
}

std::size_t ImportChannels(Radio& radio, ChannelImport& import) {
    const ChannelTable before = radio.channels;
    const bool wasScanning = Has(radio.options, Option::EnableScan);
    std::map<int, const FileRow*> rows;
    RadioRecord record = ImportedRecord(import, rows);
    // The radio keeps its model and time-out.
    const RadioRecord settings = RecordOf(radio);
    record.model = settings.model;
    record.timeout = settings.timeout;
    const ApplyOutcome outcome = EnterRadio(radio, record, OnRefusal::Skip, false);
    return ReportImport(import, outcome, rows, before,
                        !wasScanning && Has(radio.options, Option::EnableScan), radio.channels);
}

ChannelExport ExportChannels(const Radio& radio) {
    // With "Receive CTCSS enable" every model mutes the receiver without the
    // channel's tone, whether or not its receive code carries it: TSQL.
    const RadioRecord record = RecordOf(radio);
    ChirpCsvExport written =
        WriteChirpCsv(record.channels, Has(radio.options, Option::ReceiveCtcss));
    ChannelExport result;
    result.csv = std::move(written.csv);
    result.channels = record.channels.size() - written.leftOut.size();
    result.leftOut = std::move(written.leftOut);
    return result;
}

} // namespace kl40
