#include "ui/entry_form.h"
#include "ui/form/option_boxes.h"

#include "entry/channel_text.h"

#include "core/option_rules.h"
#include "core/option_table.h"
#include "core/radio_model.h"

#include "coding/options.h"
#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/numbers.h"
#include "ui/form/channel_entry.h"
#include "ui/unsaved_work.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace kl40 {

namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kTab = 9;

bool isDigitKey(int key) {
    return key >= '0' && key <= '9';
}

// The channel selector's text as a channel number, when it is a whole number
// from 0 to 100; other text is ignored by the selector handlers.
std::optional<std::int16_t> selectorChannel(const ComboBox& cboCh) {
    const auto n = ParseInt16(cboCh.text());
    if (!n || *n < 0 || *n >= kChannelSlots) return std::nullopt;
    return n;
}

// The channel number at the start of a list line ("5        435..." -> 5).
std::optional<std::int16_t> lineChannel(const std::string& line) {
    return ParseInt16(std::string_view(line).substr(0, 2));
}

} // namespace

EntryForm::EntryForm(Workspace& ws, FormHost& host) : ws_(ws), host_(host) {
    EntryFields& f = ws_.form;
    f.cboCh.onClick([this] { cboCh_Click(); });
    // The selectors and option boxes are views of the radio's model, time-out
    // and options: whoever changes them, operator or program, the radio takes
    // the change before the handler runs.
    f.cboRadio.onClick([this] {
        ws_.data.radio.model = SelectedModelCode(ws_.form);
        cboRadio_Click();
    });
    f.cboToT.onClick([this] {
        ws_.data.radio.timeout = SelectedTimeout(ws_.form);
        cboToT_Click();
    });
    // The handlers change ticks; which boxes are greyed then follows from the
    // ticks alone, however they came about (also while the program fills the
    // form).
    const auto option = [this](CheckBox& box, void (EntryForm::*handler)()) {
        box.onClick([this, handler] {
            ws_.data.radio.options = TickedOptions(ws_.form);
            (this->*handler)();
            GreyOptionBoxes(ws_.form);
        });
    };
    option(f.chkHiLo, &EntryForm::chkHiLo_Click);
    option(f.chkScan_En, &EntryForm::chkScan_En_Click);
    option(f.chkScan_Prog, &EntryForm::chkScan_Prog_Click);
    option(f.chkDispl_Blnk, &EntryForm::chkDispl_Blnk_Click);
    option(f.chkInd_On, &EntryForm::chkInd_On_Click);
    option(f.chkCTCSS_en, &EntryForm::chkCTCSS_en_Click);
    option(f.chkBCO, &EntryForm::chkBCO_Click);
    option(f.chkSilent, &EntryForm::chkSilent_Click);
    option(f.chkTX_Inh, &EntryForm::chkTX_Inh_Click);
    // "Down Delete" has no handler of its own: the radio only takes the tick.
    f.chkDwn_Del.onClick([this] { ws_.data.radio.options = TickedOptions(ws_.form); });
    f.lstFreq.onClick([this] { lstFreq_Click(); });

    // Design-time state of the controls.
    f.lstFreq.setToolTip("Displays the channel information");
    GreyOptionBoxes(f);
}

EntryForm::~EntryForm() {
    EntryFields& f = ws_.form;
    for (ComboBox* box : {&f.cboCh, &f.cboRadio, &f.cboToT})
        box->onClick(nullptr);
    for (CheckBox* box :
         {&f.chkHiLo, &f.chkDwn_Del, &f.chkScan_En, &f.chkScan_Prog, &f.chkDispl_Blnk, &f.chkInd_On,
          &f.chkCTCSS_en, &f.chkBCO, &f.chkSilent, &f.chkTX_Inh})
        box->onClick(nullptr);
    f.lstFreq.onClick(nullptr);
}

void EntryForm::Form_Load() {
    RadioData& data = ws_.data;
    EntryFields& f = ws_.form;
    f.chkScan.setChecked(false);
    // The fills select their default items, which runs the lists' handlers;
    // LoadingForm keeps the option handlers quiet meanwhile.
    data.LoadingForm = true;
    FillModelList(f.cboRadio);
    FillChannelNumberList(f.cboCh);
    FillToneList(f.cboCTCSS);
    FillTimeoutList(f.cboToT);
    ClearOptionBoxes(f);
    ResetOptions(data);
    data.radio.channelCount = 1;
    data.LoadingForm = false;
    // Filling the form is the program's doing, not the operator's.
    data.DataChanged = false;
}

void EntryForm::cboCh_Click() {
    takeSelectorNumber();
    const auto n = selectorChannel(ws_.form.cboCh);
    if (!n) return;
    RadioData& data = ws_.data;
    EntryFields& f = ws_.form;
    ShowChannel(ws_, *n);
    data.SelectedChannel = *n;
    if (!data.radio.channels[static_cast<std::size_t>(*n)]) {
        f.txtRx.clear();
        f.txtTx.clear();
        if (!f.cboCTCSS.items().empty()) f.cboCTCSS.setListIndex(0);
        f.chkScan.setChecked(false);
        if (data.SelectedChannel == 0) data.SelectedChannel = 1;
        if (const auto again = selectorChannel(f.cboCh)) ShowChannel(ws_, *again);
    }
}

void EntryForm::cboCh_LostFocus() {
    RadioData& data = ws_.data;
    EntryFields& f = ws_.form;
    // The copy holds the number the fields were filled for: only a number the
    // operator changed shows another channel, so passing through the selector
    // never discards what was typed.
    const bool changed = f.txtCh.text() != f.cboCh.text();
    takeSelectorNumber();
    if (!data.EditingChannel) {
        f.cmdReset_Pers.setCaption("Reset");
        return;
    }
    f.cmdReset_Pers.setCaption("Update");
    const auto n = selectorChannel(f.cboCh);
    if (!n || !changed) return;
    ShowChannel(ws_, *n);
    if (!data.radio.channels[static_cast<std::size_t>(*n)]) {
        f.txtRx.clear();
        f.txtTx.clear();
        f.chkScan.setChecked(false);
    } else {
        data.SelectedChannel = static_cast<std::int16_t>(f.lstFreq.listIndex());
    }
}

void EntryForm::cboRadio_Click() {
    EntryFields& f = ws_.form;
    if (operatorChange()) SetOptions(ws_);
    const RadioModel* model = FindModel(f.cboRadio.text());
    if (model && !model->hasHighLowPower) f.chkHiLo.setChecked(false);
    GreyOptionBoxes(f);
}

void EntryForm::cboToT_Click() {
    if (operatorChange()) SetOptions(ws_);
}

bool EntryForm::operatorChange() {
    if (ws_.data.LoadingForm) return false;
    ws_.data.DataChanged = true;
    return true;
}

void EntryForm::chkScan_GotFocus() {
    ws_.form.focus = Control::chkScan;
    ws_.form.chkScan.setBackColor(kScanFocusColor);
}

void EntryForm::chkScan_LostFocus() {
    // Leaving the scan box is how a channel is stored in the normal tab order.
    RadioData& data = ws_.data;
    EntryFields& f = ws_.form;
    f.focus = Control::None;
    const bool stored = storeChannel();
    // A refused update stays an update.
    if (stored || !data.EditingChannel) f.cmdReset_Pers.setCaption("Reset");
    // A refusal has put the focus in the field to correct.
    if (f.focus == Control::None) f.focus = Control::cboCh;
    f.chkScan.setBackColor(CheckBox::kButtonFace);
}

void EntryForm::takeSelectorNumber() {
    ws_.form.txtCh.setText(ws_.form.cboCh.text());
}

bool EntryForm::storeChannel() {
    // Whatever left the copy behind (New, an import, a dialog that took the
    // focus), the channel is stored under the number the selector shows.
    takeSelectorNumber();
    const auto stored = StoreChannel(ws_);
    if (!stored) return false;
    if (const auto note =
            OffRasterNote(*ws_.data.radio.channels[static_cast<std::size_t>(*stored)]))
        ws_.platform.show(*note, "Frequency Raster", Icon::Information);
    return true;
}

void EntryForm::cmdReset_Pers_Click() {
    RadioData& data = ws_.data;
    EntryFields& f = ws_.form;
    if (data.EditingChannel) {
        // A refused update keeps the channel in edit, so the operator can
        // correct the value and press Update again.
        if (!storeChannel()) return;
        data.EditingChannel = false;
        f.cmdReset_Pers.setCaption("Reset");
        return;
    }
    data.LoadingForm = true;
    // The clear resets the options itself; after No nothing changes.
    if (ClearChannelList(ws_, 0)) f.chkScan.setChecked(false);
    data.LoadingForm = false;
}

void EntryForm::lstFreq_Click() {
    RadioData& data = ws_.data;
    EntryFields& f = ws_.form;
    const std::string line = f.lstFreq.text();
    if (line.empty()) return; // no line selected
    try {
        data.EditingChannel = true;
        const auto n = lineChannel(line);
        if (!n) return;
        data.SelectedChannel = *n;
        f.cboCh.setText(std::to_string(*n));
        if (const auto shown = selectorChannel(f.cboCh)) ShowChannel(ws_, *shown);
        f.cmdReset_Pers.setCaption("Update");
        FillEntryFields(ws_, ' ', line);
    } catch (const std::exception&) {
        // A line that cannot be split leaves the fields as far as they were filled.
    }
}

void EntryForm::cmdDelete_Click() {
    RadioData& data = ws_.data;
    EntryFields& f = ws_.form;
    takeSelectorNumber();
    const int c = ParseInt16(f.txtCh.text()).value_or(0);
    int line = -1;
    for (int i = 0; i < f.lstFreq.count(); ++i) {
        if (lineChannel(f.lstFreq.lines()[static_cast<std::size_t>(i)]) == c) {
            line = i;
            break;
        }
    }
    int k = 0;
    if (line >= 0 && c >= 0 && c < kChannelSlots) {
        data.SelectedChannel = static_cast<std::int16_t>(c);
        f.lstFreq.removeItem(line);
        data.radio.channels[static_cast<std::size_t>(c)].reset();
        // A deleted channel is a change that the next save must write.
        data.DataChanged = true;
        k = c <= 1 ? 1 : c - 1;
    } else {
        k = data.SelectedChannel <= 0 ? 1 : data.SelectedChannel - 1;
    }
    ShowChannel(ws_, static_cast<std::int16_t>(k));
}

void EntryForm::cmdSave_Click() {
    host_.SaveRadioFile();
}

void EntryForm::cmdPrint_Click() {
    try {
        host_.ShowPrintDialog();
    } catch (const std::exception&) {
        // A print window that cannot be shown ends the command quietly.
    }
}

void EntryForm::cmdExit_Click() {
    if (OfferToSave(ws_, host_)) host_.EndProgram();
}

void EntryForm::txtCh_KeyPress(int& key) {
    EntryFields& f = ws_.form;
    if (isDigitKey(key) || key == kBackspace) return;
    if (key == kTab) {
        f.focus = Control::txtRx;
    } else if (key == kEnter) {
        f.focus = f.txtCh.text().empty() ? Control::txtCh : Control::txtRx;
    } else {
        key = 0;
    }
}

void EntryForm::txtRx_KeyPress(int& key) {
    EntryFields& f = ws_.form;
    if (isDigitKey(key) || key == '.' || key == kBackspace || key == kTab) return;
    if (key == kEnter)
        f.focus = f.txtRx.text().empty() ? Control::txtRx : Control::txtTx;
    else
        key = 0;
}

void EntryForm::txtTx_KeyPress(int& key) {
    EntryFields& f = ws_.form;
    if (isDigitKey(key) || key == '.' || key == kBackspace || key == kTab) return;
    if (key == kEnter)
        f.focus = f.txtTx.text().empty() ? Control::txtTx : Control::cboCTCSS;
    else
        key = 0;
}

void EntryForm::keepTypedCharacters(TextBox& box, void (EntryForm::*filter)(int&)) {
    std::string kept;
    for (const char c : box.text()) {
        int key = static_cast<unsigned char>(c);
        // Control characters (a pasted line break or tab) type nothing here.
        if (key < ' ') continue;
        (this->*filter)(key);
        if (key != 0) kept += static_cast<char>(key);
    }
    box.setText(std::move(kept));
}

void EntryForm::txtRx_Change() {
    keepTypedCharacters(ws_.form.txtRx, &EntryForm::txtRx_KeyPress);
}

void EntryForm::txtTx_Change() {
    keepTypedCharacters(ws_.form.txtTx, &EntryForm::txtTx_KeyPress);
}

} // namespace kl40
