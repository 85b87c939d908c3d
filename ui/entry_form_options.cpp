// The option boxes' handlers of the entry form: what goes with each box and
// its ConfigText flag.

#include "ui/entry_form.h"

#include "core/option_table.h"

#include <string>

namespace kl40 {

void EntryForm::setConfig(Option option, bool on) {
    std::string& config = ws_.data.ConfigText;
    const auto index =
        static_cast<std::size_t>(RadioOptions()[static_cast<std::size_t>(option)].configPos - 1);
    if (config.size() <= index) config.resize(index + 1, '0');
    config[index] = on ? '1' : '0';
}

void EntryForm::untick(CheckBox& box) {
    if (box.checked()) box.setChecked(false);
}

void EntryForm::chkHiLo_Click() {
    if (!operatorChange()) return;
    setConfig(Option::HighLowPower, ws_.form.chkHiLo.checked());
}

// The option handlers tick and untick what goes with their box (the greying
// follows from the ticks afterwards) and set the box's ConfigText flag.
void EntryForm::chkScan_En_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    // A programmed scan needs scanning: it goes off with it.
    if (!f.chkScan_En.checked()) untick(f.chkScan_Prog);
    setConfig(Option::EnableScan, f.chkScan_En.checked());
}

void EntryForm::chkScan_Prog_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (f.chkScan_Prog.checked() && !f.chkScan_En.checked()) f.chkScan_En.setChecked(true);
    setConfig(Option::UserProgrammedScan, f.chkScan_Prog.checked());
}

void EntryForm::chkDispl_Blnk_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (!f.chkDispl_Blnk.checked()) untick(f.chkInd_On);
    setConfig(Option::DisplayTimer, f.chkDispl_Blnk.checked());
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
    setConfig(Option::OpenLedIsPowerIndicator, f.chkInd_On.checked());
}

void EntryForm::chkCTCSS_en_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (f.chkCTCSS_en.checked()) untick(f.chkInd_On);
    setConfig(Option::ReceiveCtcss, f.chkCTCSS_en.checked());
}

void EntryForm::chkBCO_Click() {
    if (!operatorChange()) return;
    setConfig(Option::BusyChannelLockout, ws_.form.chkBCO.checked());
}

void EntryForm::chkSilent_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    // Ticked it excludes the LED as power indicator; unticked, the transmit
    // inhibit that needs it goes off.
    untick(f.chkSilent.checked() ? f.chkInd_On : f.chkTX_Inh);
    setConfig(Option::SilentSwitch, f.chkSilent.checked());
}

void EntryForm::chkTX_Inh_Click() {
    if (!operatorChange()) return;
    EntryFields& f = ws_.form;
    if (f.chkTX_Inh.checked()) untick(f.chkInd_On);
    setConfig(Option::OpenLedOffInhibitsTransmit, f.chkTX_Inh.checked());
}

} // namespace kl40
