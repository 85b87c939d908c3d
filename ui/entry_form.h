#pragma once
// Logic of the data-entry window `Freq_Input`: which event runs which
// operation, the key filters and the interlocks between the option boxes. The
// window's fields are the plain values of `Workspace::form`; a view mirrors
// them and forwards the operator's actions to the handlers below.

#include "ui/flows/flows.h"
#include "ui/form/workspace.h"

#include <cstdint>

namespace kl40 {

// What the entry form hands to the rest of the application.
class FormHost {
public:
    virtual ~FormHost() = default;
    // The save flow (dialog, build, write, messages).
    virtual SaveOutcome SaveRadioFile() = 0;
    // Shows the print selection window without blocking.
    virtual void ShowPrintDialog() = 0;
    // Ends the program at once.
    virtual void EndProgram() = 0;
};

class EntryForm {
public:
    // Background of the scan box while it holds the focus (red 0, green 0, blue 8).
    static constexpr std::uint32_t kScanFocusColor = 0x000008;

    // Wires the click handlers of the selector, model, time-out, option boxes
    // and channel list to this object.
    EntryForm(Workspace& ws, FormHost& host);
    // Unwires them again.
    ~EntryForm();
    EntryForm(const EntryForm&) = delete;
    EntryForm& operator=(const EntryForm&) = delete;

    void Form_Load();

    void cboCh_Click();
    void cboCh_LostFocus();
    void cboRadio_Click();
    void cboToT_Click();

    void chkHiLo_Click();
    void chkScan_En_Click();
    void chkScan_Prog_Click();
    void chkDispl_Blnk_Click();
    void chkInd_On_Click();
    void chkCTCSS_en_Click();
    void chkBCO_Click();
    void chkSilent_Click();
    void chkTX_Inh_Click();

    void chkScan_GotFocus();
    void chkScan_LostFocus();

    void cmdReset_Pers_Click();
    void lstFreq_Click();
    void cmdDelete_Click();
    void cmdSave_Click();
    void cmdPrint_Click();
    void cmdExit_Click();

    // Key filters: `key` is the character code; a refused key becomes 0.
    void txtCh_KeyPress(int& key);
    void txtRx_KeyPress(int& key);
    void txtTx_KeyPress(int& key);

    // The text changed other than by typing (pasted, dropped): it keeps the
    // characters its key filter would have let through when typed.
    void txtRx_Change();
    void txtTx_Change();

private:
    // Copies the selector's text into the channel box the store and Delete
    // read, so that the number shown is the number used.
    void takeSelectorNumber();
    // Stores the entry fields and tells the operator about frequencies off
    // the radio's raster; true when the channel was stored.
    bool storeChannel();
    // An option or list handler at work: false while the program fills the
    // form, otherwise the operator changed the data set.
    bool operatorChange();
    // Unticks a ticked box, running its handler.
    static void untick(CheckBox& box);
    void keepTypedCharacters(TextBox& box, void (EntryForm::*filter)(int&));

    Workspace& ws_;
    FormHost& host_;
};

} // namespace kl40
