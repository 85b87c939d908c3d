#pragma once
// The Programmer menu's Read, Write and Verify of the operator's EPROM: the
// questions before, the flow of programmer/eprom_flows.h in the runner, and
// what the outcome does to the data set and tells the operator.

#include "ui/eprom/eprom_runner.h"
#include "ui/main_window.h"

#include <filesystem>
#include <string>

namespace kl40 {

// "Read EPROM...": asks for the model (the form's preselected) and about
// unsaved work, reads the chip and opens its image as Open opens a file,
// named "EPROM (model)" in the titles until saved. Program code that is not
// the model's installed firmware is offered for installing.
void ReadEpromIntoForm(Workspace& ws, MDI_kl40& frame, EpromRunner& runner,
                       const std::filesystem::path& settingsFile);

// "Write EPROM": the radio's image as Save builds it, written over the chip
// when the chip allows it, then read back and compared. An image of a model
// with program code that holds none is written only after the operator says
// Yes.
void WriteFormToEprom(Workspace& ws, EpromRunner& runner,
                      const std::filesystem::path& settingsFile);

// "Verify EPROM": reads the chip and compares it with the radio's image.
void VerifyEpromAgainstForm(Workspace& ws, EpromRunner& runner,
                            const std::filesystem::path& settingsFile);

// "EPROM (KL40c)": the name of a radio read from the chip until it is saved.
std::string EpromImageName(int modelCode);

// Said of a cancelled write once the tool had begun writing.
inline constexpr const char* kWriteInterrupted =
    "the write was interrupted: the chip is partly written";
// Said of a write cancelled while the chip was being read back.
inline constexpr const char* kWrittenNotReadBack =
    "Cancelled: the image was written, but not read back: verify the chip before using it.";

} // namespace kl40
