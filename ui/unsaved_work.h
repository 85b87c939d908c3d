#pragma once
// Unsaved work: when it exists, the one question that guards every way of
// discarding it, and the frame title that shows the file and marks the work.

#include "ui/entry_form.h"
#include "ui/form/workspace.h"

#include <string>

namespace kl40 {

// True while the operator has changed the data set since it was loaded, opened
// or saved, and the channel list holds a channel that a save could write.
bool HasUnsavedWork(const Workspace& ws);

// Asked before Exit, the frame's close box, New and Open discard the data set:
// with unsaved work, "Do you want to save your data?" with Yes, No and Cancel.
// Returns true when the caller may go on: nothing unsaved, No, or Yes and the
// save wrote the image. Cancel, or a save that was cancelled or failed,
// returns false and leaves everything as it was.
bool OfferToSave(Workspace& ws, FormHost& host);

// "KL40 Programming", with " - " and the name of the file last opened or
// saved once there is one.
std::string FrameTitle(const Workspace& ws);

} // namespace kl40
