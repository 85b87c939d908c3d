#include "ui/flows/channel_file_flow.h"

#include "formats/chirp_csv_read.h"
#include "image/atomic_write.h"
#include "image/channel_transfer.h"
#include "image/whole_file.h"
#include "ui/flows/flows.h"
#include "ui/form/radio_snapshot.h"

#include <map>
#include <string>

namespace kl40 {

std::size_t StoreImportedChannels(Workspace& ws, ChannelImport& import) {
    const RadioRecord before = SnapshotOf(ws);
    const ChannelTable tableBefore = ws.data.radio.channels;
    const bool wasChanged = ws.data.DataChanged;
    const bool wasScanning = ws.form.chkScan_En.checked();
    std::map<int, const FileRow*> rows;
    RadioRecord radio = ImportedRecord(import, rows);
    radio.model = before.model;
    radio.timeout = before.timeout;
    const ApplyOutcome outcome = ApplyRadio(ws, radio, OnRefusal::Skip, false);
    const std::size_t stored =
        ReportImport(import, outcome, rows, tableBefore,
                     !wasScanning && ws.form.chkScan_En.checked(), ws.data.radio.channels);
    // Nothing stored changes nothing: what was unsaved stays so, and no more.
    if (stored == 0) ws.data.DataChanged = wasChanged;
    return stored;
}

void ImportChannelFile(Workspace& ws) {
    const auto chosen = ws.platform.openFileDialog({ChannelFileFilter(), "", false});
    if (!chosen) return;
    const std::string name = DisplayName(*chosen);
    auto text = ReadWholeFile(*chosen, kMaxChirpCsvBytes);
    if (const auto* error = std::get_if<FileReadError>(&text)) {
        ws.platform.show("Cannot read " + name + ": " + error->reason + ".", kImportTitle,
                         Icon::Exclamation);
        return;
    }
    auto read = ReadChirpCsv(std::get<std::string>(text));
    if (const auto* error = std::get_if<CsvError>(&read)) {
        ws.platform.show(name + " is not a channel list: " + error->message, kImportTitle,
                         Icon::Exclamation);
        return;
    }
    ChannelImport& import = std::get<ChannelImport>(read);
    const std::size_t stored = StoreImportedChannels(ws, import);
    ws.platform.show(FormatImportReport(import.report, stored), kImportTitle,
                     stored ? Icon::Information : Icon::Exclamation);
}

void ExportChannelFile(Workspace& ws) {
    const ChannelExport exported = ExportChannels(RadioOf(ws));
    if (exported.channels == 0) {
        ws.platform.show("There are no channels to export.", kExportTitle, Icon::Exclamation);
        return;
    }
    auto chosen = ws.platform.saveFileDialog({ChannelFileFilter(), "", true});
    if (!chosen) return;
    std::string path = *chosen;
    if (DisplayName(path).find('.') == std::string::npos) path += ".csv";
    const std::vector<std::uint8_t> bytes(exported.csv.begin(), exported.csv.end());
    if (auto failure = WriteFileAtomically(path, bytes)) {
        ws.platform.show("Cannot write " + DisplayName(path) + ": " + *failure, kExportTitle,
                         Icon::Exclamation);
        return;
    }
    std::string text = std::to_string(exported.channels) +
                       (exported.channels == 1 ? " channel" : " channels") + " exported to " +
                       DisplayName(path) + ".";
    for (const std::string& line : exported.leftOut)
        text += "\n" + line;
    ws.platform.show(text, kExportTitle, Icon::Information);
}

} // namespace kl40
