// The option boxes' handlers of the entry form: what goes with each box.

#include "ui/entry_form.h"

namespace kl40 {

void EntryForm::untick(CheckBox& box) {
    if (box.checked()) box.setChecked(false);
}

void EntryForm::chkHiLo_Click() {
    operatorChange();
}

// The option handlers tick and untick what goes with their box (the greying
// follows from the ticks afterwards).
void EntryForm::chkScan_En_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    // A programmed scan needs scanning: it goes off with it.
    if (!f.chkScan_En.checked()) untick(f.chkScan_Prog);
}

void EntryForm::chkScan_Prog_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (f.chkScan_Prog.checked() && !f.chkScan_En.checked()) f.chkScan_En.setChecked(true);
}

void EntryForm::chkDispl_Blnk_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (!f.chkDispl_Blnk.checked()) untick(f.chkInd_On);
}

void EntryForm::chkInd_On_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (f.chkInd_On.checked()) {
        // The LED as power indicator excludes the silent switch and the
        // transmit inhibit.
        untick(f.chkSilent);
        untick(f.chkTX_Inh);
    }
}

void EntryForm::chkCTCSS_en_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (f.chkCTCSS_en.checked()) untick(f.chkInd_On);
}

void EntryForm::chkBCO_Click() {
    operatorChange();
}

void EntryForm::chkSilent_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    // Ticked it excludes the LED as power indicator; unticked, the transmit
    // inhibit that needs it goes off.
    untick(f.chkSilent.checked() ? f.chkInd_On : f.chkTX_Inh);
}

void EntryForm::chkTX_Inh_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (f.chkTX_Inh.checked()) untick(f.chkInd_On);
}

} // namespace kl40
