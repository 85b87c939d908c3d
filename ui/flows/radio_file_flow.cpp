#include "ui/flows/radio_file_flow.h"

#include "core/option_rules.h"
#include "entry/radio_entry.h"
#include "entry/radio_entry_report.h"
#include "formats/file_formats.h"
#include "formats/radio_json.h"
#include "image/image_file.h"
#include "image/radio_file.h"
#include "ui/flows/form_image.h"
#include "ui/form/option_boxes.h"
#include "ui/form/radio_snapshot.h"

#include <algorithm>
#include <variant>

namespace kl40 {

namespace {

constexpr const char* kRadioFileTitle = "Radio File";

// The radio of the file at `path` as the entry rules take it, or why they
// refuse it, in kl40-cli's words; `notes` gets what they had to say.
std::variant<Radio, std::string> EnteredRadio(const std::string& path,
                                              std::vector<std::string>& notes) {
    auto loaded = LoadRadioFile(path);
    if (auto* reason = std::get_if<std::string>(&loaded)) return std::move(*reason);
    RadioFileContent& content = std::get<RadioFileContent>(loaded);
    if (auto conflict = OptionConflict(content.radio.options, content.radio.model))
        return *conflict;
    Radio radio;
    RadioEntryReport report = ReportEntry(EnterRadio(radio, content.radio, OnRefusal::Stop));
    if (report.refusal) return std::move(*report.refusal);
    notes = std::move(content.notes);
    notes.insert(notes.end(), report.notes.begin(), report.notes.end());
    return radio;
}

} // namespace

bool IsRadioFileName(const std::string& path) {
    return FormatOfPath(path, FormatContent::Radio) != nullptr;
}

bool LooksLikeRadioFile(const std::vector<std::uint8_t>& bytes) {
    const auto isBlank = [](std::uint8_t b) {
        return b == ' ' || b == '\t' || b == '\r' || b == '\n';
    };
    // Control bytes other than blanks, DEL, and bytes that are never UTF-8.
    const auto neverText = [&](std::uint8_t b) {
        return (b < 0x20 && !isBlank(b)) || b == 0x7F || b == 0xC0 || b == 0xC1 || b >= 0xF5;
    };
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), isBlank);
    const auto last = std::find_if_not(bytes.rbegin(), bytes.rend(), isBlank);
    return first != bytes.end() && *first == '{' && *last == '}' &&
           std::none_of(bytes.begin(), bytes.end(), neverText);
}

OpenOutcome OpenRadioJsonFile(Workspace& ws, const std::string& path) {
    ws.CMDDialog1.FileName = path;
    std::vector<std::string> notes;
    std::variant<Radio, std::string> entered = [&] {
        BusyPointer busy(ws.platform);
        return EnteredRadio(path, notes);
    }();
    if (auto* reason = std::get_if<std::string>(&entered)) {
        ws.platform.show("Unable to open data file\n" + *reason, kFileErrorTitle, Icon::Critical);
        return OpenOutcome::Failed;
    }
    RadioData& data = ws.data;
    ClearForOpenedRadio(ws);
    // A radio file holds no program code: later saves take it as a new radio's.
    data.OpenedImage.clear();
    data.OpenedModel = 0;
    data.FileError = false;
    data.LoadingForm = true;
    data.EditingChannel = true;
    ShowDecodedRadio(ws, std::get<Radio>(entered));
    data.LoadingForm = false;
    GreyOptionBoxes(ws.form);
    data.DataChanged = false;
    ws.form.caption = kFileCaptionPrefix + DisplayName(path);
    ws.file = {path, true};
    if (!notes.empty()) {
        std::string text = DisplayName(path) + ":";
        for (const std::string& note : notes)
            text += "\n" + note;
        ws.platform.show(text, kRadioFileTitle, Icon::Information);
    }
    return OpenOutcome::Opened;
}

bool WriteRadioJsonFile(Workspace& ws, const std::string& path) {
    SetOptions(ws);
    const Radio radio = RadioOf(ws);
    if (!radio.hasChannels()) {
        ws.platform.show("No data available", "Data Error", Icon::Exclamation);
        return false;
    }
    const std::string text = WriteRadioJson(RecordOf(radio));
    return WriteShowingFailure(ws.platform, path,
                               std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace kl40
