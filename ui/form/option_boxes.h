#pragma once
// The form's selectors and option boxes: filling the lists, the option digits
// the model and time-out selectors set, and the boxes' ticks and greying by
// the option rule (core/option_rules.h).

#include "core/radio_model.h"
#include "ui/form/workspace.h"

namespace kl40 {

// The model code and time-out position the selectors show (the default model
// for none, the first time-out for a position past the list's).
int SelectedModelCode(const EntryFields& form);
int SelectedTimeout(const EntryFields& form);

// Enables chkHiLo for a model with high/low power, disables it otherwise.
void SetOptions(Workspace& ws);

bool HasChannelData(const RadioData& data);

void FillModelList(ComboBox& cboRadio);
void FillTimeoutList(ComboBox& cboToT);
void FillChannelNumberList(ComboBox& cboCh);

// Unticks the ten option boxes in their fixed order, then greys them by the
// option rule (core/option_rules.h).
void ClearOptionBoxes(EntryFields& form);
// The options back to a new radio's: the option digits no option sets.
void ResetOptions(RadioData& data);

// The form's ticked option boxes, and its model (the default model for a
// selector text that names none, as the build takes it).
OptionSet TickedOptions(const EntryFields& form);
const RadioModel& FormModel(const EntryFields& form);

// Enables exactly the option boxes EnabledOptions gives for the form's ticks
// and model.
void GreyOptionBoxes(EntryFields& form);

void FillToneList(ComboBox& cboCTCSS);

} // namespace kl40
