#include "ui/main_window.h"

#include "entry/channel_entry.h"
#include "ui/unsaved_work.h"

#include <exception>

namespace kl40 {

void MDI_kl40::mnuNewFile_Click() {
    if (!OfferToSave(ws_, *this)) return;
    // The no-question clear resets the options and empties the list and the
    // entry boxes but leaves the channel table to its caller.
    ClearChannelList(ws_, 1);
    for (std::string& slot : ws_.data.ChannelTable)
        slot.clear();
    // A new radio is not the opened one: its program code is forgotten.
    ws_.data.OpenedImage.clear();
    ws_.data.OpenedModel = 0;
}

void MDI_kl40::mnuOpenFile_Click() {
    // Asked before the file dialog: the open replaces the data set.
    if (OfferToSave(ws_, *this)) OpenRadioFile(ws_);
}

void MDI_kl40::mnuSaveFile_Click() {
    kl40::SaveRadioFile(ws_);
}

void MDI_kl40::mnuUseFirmware_Click() {
    UseFirmwareFromImage(ws_);
}

void MDI_kl40::mnuKL40_Click() {
    if (OfferToSave(ws_, *this)) EndProgram();
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
    return kl40::SaveRadioFile(ws_);
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
