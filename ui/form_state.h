#pragma once
// The state of the data set and the entry form at one moment, as values: what
// an undo step holds and puts back.

#include "ui/form/workspace.h"

namespace kl40 {

// Everything the operator's actions change in the data set and the entry
// form: the channel table, the option and count texts, the list, the entry
// fields with their texts and selections, the Update/Reset caption, the option
// boxes with their enabled states. The images are left out: the opened image
// changes only with New and Open, which start a new history, and the last
// build is made afresh by every save.
struct FormState {
    RadioData data;
    EntryFields form;

    bool operator==(const FormState&) const = default;
};

FormState CaptureState(const Workspace& ws);

// Puts `state` back exactly, running no handler; the option boxes are then
// greyed by their ticks (core/option_rules.h). Kept as they are now: the
// images, the flags of a flow at work, DataChanged (the caller decides it), the
// form's caption (it names the file being edited, which undo does not change)
// and the scan box's focus colour (undo moves no focus).
void RestoreState(Workspace& ws, const FormState& state);

// True when the two states hold the same data set: the channels, the channel
// count, the model, the time-out and the options, which a save writes. What is
// only derived again by every build (the option and scan texts) and what the
// form merely shows do not count.
bool SameDataSet(const FormState& a, const FormState& b);

} // namespace kl40
