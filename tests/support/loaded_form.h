#pragma once
// A radio as the program has it right after start-up: data set, form fields
// with their handlers wired, form loaded, scripted platform.

#include "support/channel_slots.h"
#include "support/scripted_platform.h"
#include "ui/entry_form.h"
#include "ui/form/channel_entry.h"

#include <string>

namespace kl40::test {

class RecordingHost : public FormHost {
public:
    SaveOutcome SaveRadioFile() override {
        ++saves;
        return SaveOutcome::Cancelled;
    }
    void ShowPrintDialog() override {}
    void EndProgram() override { ended = true; }
    int saves = 0;
    bool ended = false;
};

struct LoadedForm {
    LoadedForm() {
        form.Form_Load();
        platform.clear();
    }

    // Enters one channel as the operator does and stores it.
    void store(int ch, const std::string& rx, const std::string& tx = "",
               const std::string& tone = "none ", bool scan = false) {
        ws.data.EditingChannel = false;
        ws.form.txtCh.setText(std::to_string(ch));
        ws.form.txtRx.setText(rx);
        ws.form.txtTx.setText(tx);
        ws.form.cboCTCSS.setText(tone);
        ws.form.chkScan.setChecked(scan);
        StoreChannel(ws);
    }
    // Chooses a model by its list position (0, 1, 2) as a click does.
    void chooseModel(int index) { ws.form.cboRadio.setListIndex(index); }
    std::string slot(int n) const { return EntryOf(ws, n); }
    void setSlot(int n, std::string_view entry) { SetEntry(ws, n, entry); }

    ScriptedPlatform platform;
    Workspace ws{platform};
    RecordingHost host;
    EntryForm form{ws, host};
};

} // namespace kl40::test
