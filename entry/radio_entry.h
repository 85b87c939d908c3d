#pragma once
// A radio as a file gives it, entered into a typed radio through the rules
// of the entry form, without the form; and the radio as files write it.

#include "core/radio.h"
#include "core/radio_record.h"

#include <optional>
#include <string>
#include <vector>

namespace kl40 {

// What storing one channel came to.
struct ChannelOutcome {
    int number = 0;
    bool stored = false;
    // What the channel entry said: the refusal when not stored, otherwise what
    // it changed ("Only 32 scan channels allowed").
    std::vector<std::string> messages;
    // The frequencies off the 12.5 kHz raster and what the radio will use.
    std::optional<std::string> rasterNote;
    // The tone, when it is none of the listed tones (the channel is then
    // refused without being entered).
    std::optional<std::string> unknownTone;

    bool refused() const { return !stored; }
};

enum class OnRefusal {
    Stop, // the first refused channel ends the apply (a radio file is all or nothing)
    Skip, // a refused channel is left out and the others are stored (an import)
};

struct ApplyOutcome {
    std::vector<ChannelOutcome> channels; // in the order stored
    // Set when OnRefusal::Stop ended the apply at this channel.
    std::optional<ChannelOutcome> stoppedAt;
};

// The record's channels in the order they are entered: ascending numbers,
// channels of one number in the order given.
std::vector<const ChannelRecord*> InEntryOrder(const RadioRecord& record);

// Takes the record's model and time-out, enters its channels in ascending
// order through the channel entry rules, then sets exactly its options
// (entering a scan channel turns "Enable Scan" on, as the form does; the
// record's own options decide). With `storeOptions` false the options are
// left as they are (an import of channels only).
ApplyOutcome EnterRadio(Radio& radio, const RadioRecord& record, OnRefusal onRefusal,
                        bool storeOptions = true);

// The radio as files and kl40-cli write it: the model's name, the time-out
// text, the option captions in the table's order, the channels ascending.
RadioRecord RecordOf(const Radio& radio);

} // namespace kl40
