#pragma once
// The entry form's fields shown in its widgets. The view keeps no state of the
// radio: after every action it copies each field of the form into its widget
// with the widget's signals blocked, so a program change never comes back as
// an operator action.

#include "ui/form/workspace.h"
#include "ui/qt/entry_form_widgets.h"

#include <QSignalBlocker>
#include <QString>

#include <string>
#include <vector>

namespace kl40::qt {

// A list line as shown: in columns, for the list's fixed-pitch font.
QString ShownListLine(const std::string& line);

// Blocks the signals of every widget that reports a change (and of the line
// edits inside the editable lists) for as long as the result is held.
std::vector<QSignalBlocker> BlockSignals(EntryFormWidgets& w);

// Copies every field into its widget: text, items, selection, check, caption,
// tool tip, enabled state and the scan box's background. Leaves the cursor of
// a line edit alone where its text is already the field's.
void MirrorFields(EntryFormWidgets& w, const EntryFields& f);

} // namespace kl40::qt
