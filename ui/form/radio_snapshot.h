#pragma once
// The radio as a typed snapshot, made from the form's texts in one place and
// written back through the form's own operations: the model and time-out
// selectors (their handlers run as on a click), the channel entry (every
// channel passes the checks a typed one does), and the option boxes.

#include "core/radio.h"
#include "core/radio_record.h"
#include "entry/radio_entry.h"
#include "ui/form/workspace.h"

#include <optional>
#include <string>
#include <vector>

namespace kl40 {

// The radio the data set and the form hold now.
RadioRecord SnapshotOf(const Workspace& ws);

// The radio being edited; the form's fields show it.
const Radio& RadioOf(const Workspace& ws);

// Shows a radio decoded from an image in the data set and the form, as
// opening the image does: the model and time-out selectors, the option boxes
// of the model's options, the channel table, count and list; the first
// listed channel is selected and shown.
void ShowDecodedRadio(Workspace& ws, const Radio& radio);

// Chooses the radio's model and time-out, stores its channels in ascending
// order, then sets exactly its options (storing a scan channel ticks "Enable
// Scan", as the form does; the radio's own options decide). Messages the
// channel entry shows are collected into the outcome instead of shown. With
// `storeOptions` false the options are left as they are (an import of
// channels only).
ApplyOutcome ApplyRadio(Workspace& ws, const RadioRecord& radio, OnRefusal onRefusal,
                        bool storeOptions = true);

// Ticks exactly the option boxes named (captions of core/option_table.h) and
// sets their flags directly, as decoding an image does: no interlocks.
void ApplyOptions(Workspace& ws, const std::vector<std::string>& options);

} // namespace kl40
