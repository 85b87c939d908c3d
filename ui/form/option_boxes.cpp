#include "ui/form/option_boxes.h"

#include "coding/options.h"
#include "coding/tone_table.h"
#include "core/option_rules.h"
#include "core/option_table.h"

#include <string>
#include <string_view>

namespace kl40 {

int SelectedModelCode(const EntryFields& form) {
    const int index = form.cboRadio.listIndex();
    const auto models = RadioModels();
    return index >= 0 && static_cast<std::size_t>(index) < models.size()
               ? models[static_cast<std::size_t>(index)].code
               : DefaultModel().code;
}

int SelectedTimeout(const EntryFields& form) {
    const int index = form.cboToT.listIndex();
    return index >= 1 && index <= 2 ? index : 0;
}

void SetOptions(Workspace& ws) {
    ws.form.chkHiLo.setEnabled(ModelOrDefault(ws.data.radio.model).hasHighLowPower);
}

bool HasChannelData(const RadioData& data) {
    for (const std::optional<Channel>& channel : data.radio.channels)
        if (channel) return true;
    return false;
}

void FillModelList(ComboBox& cboRadio) {
    for (const RadioModel& model : RadioModels())
        cboRadio.addItem(std::string(model.name));
    cboRadio.setListIndex(ModelIndex(DefaultModel()));
}

void FillTimeoutList(ComboBox& cboToT) {
    for (std::string_view text : kTimeoutTexts)
        cboToT.addItem(std::string(text));
    cboToT.setListIndex(static_cast<int>(kDefaultTimeoutIndex));
}

void FillChannelNumberList(ComboBox& cboCh) {
    for (int n = 1; n <= kHighestChannel; ++n)
        cboCh.addItem(std::to_string(n));
    cboCh.addItem("0");
    cboCh.setListIndex(0);
}

void ClearOptionBoxes(EntryFields& form) {
    // Unticking runs each box's own handler; the order is fixed because the
    // handlers enable and disable one another.
    for (CheckBox* box :
         {&form.chkDispl_Blnk, &form.chkCTCSS_en, &form.chkInd_On, &form.chkBCO, &form.chkDwn_Del,
          &form.chkScan_En, &form.chkScan_Prog, &form.chkSilent, &form.chkTX_Inh, &form.chkHiLo})
        box->setChecked(false);
    GreyOptionBoxes(form);
}

void ResetOptions(RadioData& data) {
    data.radio.optionsReadFrom = 0;
}

OptionSet TickedOptions(const EntryFields& form) {
    OptionSet ticked;
    for (const RadioOption& option : RadioOptions())
        ticked[OptionIndex(option)] = BoxOf(form, OptionIndex(option)).checked();
    return ticked;
}

const RadioModel& FormModel(const EntryFields& form) {
    const RadioModel* model = FindModel(form.cboRadio.text());
    return model ? *model : DefaultModel();
}

void GreyOptionBoxes(EntryFields& form) {
    const OptionSet enabled = EnabledOptions(TickedOptions(form), FormModel(form));
    for (const RadioOption& option : RadioOptions())
        BoxOf(form, OptionIndex(option)).setEnabled(enabled[OptionIndex(option)]);
}

void FillToneList(ComboBox& cboCTCSS) {
    cboCTCSS.clear();
    for (const ToneRow& row : ToneTable)
        cboCTCSS.addItem(row.listText);
    cboCTCSS.setListIndex(0);
}

} // namespace kl40
