#pragma once
// The open and save flows that move a whole radio between the data set and a
// ".bin" file.

#include "core/radio_data.h"

#include <string>

namespace kl40 {

enum class SaveOutcome {
    Saved,     // the image was written and reported as saved
    Cancelled, // the operator cancelled the save dialog
    Failed,    // a failure was reported; nothing was saved
};

SaveOutcome SaveRadioFile(Workspace& ws);
void OpenRadioFile(Workspace& ws);

// The part of a path after its last separator ("/" or "\").
std::string DisplayName(const std::string& path);

inline constexpr const char* kFileCaptionPrefix = "KL40 File : ";

} // namespace kl40
