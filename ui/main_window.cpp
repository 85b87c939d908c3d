#include "ui/main_window.h"
#include "ui/flows/channel_file_flow.h"

#include "image/channel_transfer.h"

#include "ui/form/channel_entry.h"
#include "ui/unsaved_work.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace kl40 {

void MDI_kl40::mnuNewFile_Click() {
    if (!OfferToSave(ws_, *this)) return;
    // The no-question clear resets the options and empties the list and the
    // entry boxes but leaves the channel table to its caller.
    ClearChannelList(ws_, 1);
    ws_.data.radio.channels.fill(std::nullopt);
    // Nor does the old radio's tone, scan flag or edit carry over into the
    // first channel of the new one.
    EntryFields& f = ws_.form;
    if (!f.cboCTCSS.items().empty()) f.cboCTCSS.setListIndex(0);
    f.chkScan.setChecked(false);
    ws_.data.EditingChannel = false;
    f.cmdReset_Pers.setCaption("Reset");
    // A new radio is not the opened one: its program code is forgotten.
    ws_.data.OpenedImage.clear();
    ws_.data.OpenedModel = 0;
    // Nor is it any file's: Save asks where, and the titles are as at start-up.
    ws_.file = {};
    ws_.form.caption = kEntryFormCaption;
    history_.restart();
}

void MDI_kl40::mnuOpenFile_Click() {
    // Asked before the file dialog: the open replaces the data set.
    if (!OfferToSave(ws_, *this)) return;
    // The dialog's file name is the file it chose.
    if (OpenRadioFile(ws_) != OpenOutcome::Opened) return;
    recent_.add(ws_.CMDDialog1.FileName);
    history_.restart();
}

void MDI_kl40::mnuSaveFile_Click() {
    SaveRadioFile();
}

void MDI_kl40::mnuSaveFileAs_Click() {
    std::string written;
    Saved(kl40::SaveRadioFile(ws_, &written), written);
}

void MDI_kl40::OpenRecentFile(const std::string& path) {
    std::error_code ec;
    // Nothing would be opened: the unsaved work is not asked about.
    if (!std::filesystem::exists(path, ec) && !ec) {
        recent_.remove(path);
        ws_.platform.show(MissingRecentFileText(path), "File Error", Icon::Exclamation);
        return;
    }
    OpenFile(path);
    // Gone between the check and the open: the open said so; the entry goes.
    if (!std::filesystem::exists(path, ec) && !ec) recent_.remove(path);
}

void MDI_kl40::OpenFile(const std::string& path) {
    if (!OfferToSave(ws_, *this)) return;
    if (OpenRadioFile(ws_, path) != OpenOutcome::Opened) return;
    recent_.add(path);
    history_.restart();
}

std::string MissingRecentFileText(const std::string& path) {
    return "The file " + path +
           " no longer exists.\nIt has been removed from the list of recent files.";
}

void MDI_kl40::mnuImportChannels_Click() {
    history_.record([this] { ImportChannelFile(ws_); });
}

void MDI_kl40::mnuExportChannels_Click() {
    ExportChannelFile(ws_);
}

void MDI_kl40::mnuUseFirmware_Click() {
    UseFirmwareFromImage(ws_);
}

void MDI_kl40::mnuKL40_Click() {
    if (OfferToSave(ws_, *this)) EndProgram();
}

void MDI_kl40::mnuUndo_Click() {
    history_.undo();
}

void MDI_kl40::mnuRedo_Click() {
    history_.redo();
}

void MDI_kl40::mnuPrint_Click() {
    ShowPrintDialog();
}

void MDI_kl40::mnuKL40_Help_Click() {
    windows_.ShowHelp();
}

void MDI_kl40::mnuKL40_About_Click() {
    windows_.ShowAbout();
}

bool MDI_kl40::QueryUnload() {
    if (!OfferToSave(ws_, *this)) return false;
    EndProgram();
    return true;
}

SaveOutcome MDI_kl40::SaveRadioFile() {
    std::string written;
    return Saved(SaveToCurrentFile(ws_, &written), written);
}

SaveOutcome MDI_kl40::Saved(SaveOutcome outcome, const std::string& written) {
    if (outcome == SaveOutcome::Saved) {
        recent_.add(written);
        // An image leaves names and comments unsaved (DataChanged stays set).
        if (!ws_.data.DataChanged) history_.saved();
    }
    return outcome;
}

void MDI_kl40::ShowPrintDialog() {
    try {
        windows_.ShowPrintDialog();
    } catch (const std::exception&) {
        // A print window that cannot be shown ends the command quietly.
    }
}

void MDI_kl40::EndProgram() {
    windows_.EndProgram();
}

} // namespace kl40
