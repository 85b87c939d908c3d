#pragma once
// What entering a radio file came to, in the words kl40-cli and the desktop
// application both tell it.

#include "entry/radio_entry.h"

#include <optional>
#include <string>
#include <vector>

namespace kl40 {

struct RadioEntryReport {
    // Why the first refused channel was refused ("channel 5: unknown CTCSS
    // tone \"88.4\""); nothing when every channel was taken.
    std::optional<std::string> refusal;
    // One line for each thing to know about a channel taken before it
    // ("channel 5: 435.1234 MHz is not on the radio's 12.5 kHz raster: ...").
    std::vector<std::string> notes;
};

RadioEntryReport ReportEntry(const ApplyOutcome& outcome);

} // namespace kl40
