#pragma once
// Reading, writing and verifying an EPROM through the operator's programmer.
// Each flow runs the programmer's tool on an image file in a private
// temporary folder and tells its steps and the tool's output lines as they
// come; a window runs a flow on a worker thread and cancels it through the
// stop token.
//
// Writing reads the chip first: a chip that holds the image already is left
// alone, and one that would need a bit set (0 -> 1, which only ultraviolet
// erasure does) is refused before anything is written. After writing, the
// chip is read back and compared.

#include "programmer/eprom_bits.h"
#include "programmer/programmer_settings.h"

#include <chrono>
#include <functional>
#include <stop_token>
#include <string>

namespace kl40 {

enum class EpromStep { Reading, Checking, Writing, ReadingBack };

struct EpromProgress {
    std::function<void(EpromStep)> onStep;
    std::function<void(const std::string& line)> onLine; // the tool's output
    std::stop_token stop;
};

// The programmer as a flow runs it.
struct EpromProgrammer {
    ProgrammerCommands commands;
    std::chrono::seconds timeLimit{120};
};

struct EpromOutcome {
    enum class Result {
        Done,         // read; written and verified; verified equal
        AlreadyHeld,  // write: the chip held the image, nothing was written
        Different,    // verify: the chip differs from the image
        NeedsErasure, // write: refused before writing
        NotUsable,    // write: the chip did not read back as written
        Refused,      // write: an image without program code, not confirmed
        Failed,       // the tool failed, hung or read the wrong size
        Cancelled,
    };
    // What a write did to the chip, for a message after a cancel or failure.
    enum class ChipState {
        AsItWas,       // the write command was never started
        PartlyWritten, // the write command started and did not finish
        Written,       // the write command finished; reading back may not have
    };
    Result result = Result::Failed;
    std::string message; // for the operator, whatever the result
    Bytes chip;          // what was read from the chip (read: its contents)
    ChipState chipState = ChipState::AsItWas;
};

// Reads a chip of `size` bytes.
EpromOutcome ReadEprom(const EpromProgrammer& programmer, std::size_t size,
                       const EpromProgress& progress = {});

// Writes the image of a radio of `modelCode`. An image of a model with
// program code that holds none is written only when
// `confirmWithoutProgramCode` is given and returns true.
EpromOutcome WriteEprom(const EpromProgrammer& programmer, const Bytes& image, int modelCode,
                        const std::function<bool()>& confirmWithoutProgramCode,
                        const EpromProgress& progress = {});

// Reads the chip and compares it with the image.
EpromOutcome VerifyEprom(const EpromProgrammer& programmer, const Bytes& image,
                         const EpromProgress& progress = {});

} // namespace kl40
