#include "ui/form_state.h"
#include "ui/form/option_boxes.h"

#include "core/option_rules.h"
#include "core/option_table.h"

#include <utility>

namespace kl40 {

FormState CaptureState(const Workspace& ws) {
    FormState state{ws.data, ws.form};
    state.data.ImageText.clear();
    state.data.OpenedImage.clear();
    return state;
}

void RestoreState(Workspace& ws, const FormState& state) {
    RadioData data = state.data;
    RadioData& now = ws.data;
    data.ImageText = std::move(now.ImageText);
    data.OpenedImage = std::move(now.OpenedImage);
    data.OpenedModel = now.OpenedModel;
    data.LastProgramSource = now.LastProgramSource;
    data.FirmwareProblem = std::move(now.FirmwareProblem);
    data.FileError = now.FileError;
    data.LoadingForm = now.LoadingForm;
    data.DataChanged = now.DataChanged;
    now = std::move(data);

    EntryFields form = state.form;
    form.caption = ws.form.caption;
    form.chkScan.setBackColor(ws.form.chkScan.backColor());
    // Field assignment keeps each field's handler and runs none.
    ws.form = std::move(form);
    GreyOptionBoxes(ws.form);
}

bool SameDataSet(const FormState& a, const FormState& b) {
    if (a.data.radio.channels != b.data.radio.channels || a.data.radio.channelCount != b.data.radio.channelCount ||
        a.data.radio.optionsReadFrom != b.data.radio.optionsReadFrom || a.form.cboRadio != b.form.cboRadio ||
        a.form.cboToT != b.form.cboToT)
        return false;
    for (const RadioOption& option : RadioOptions())
        if (BoxOf(a.form, OptionIndex(option)).checked() !=
            BoxOf(b.form, OptionIndex(option)).checked())
            return false;
    return true;
}

} // namespace kl40
