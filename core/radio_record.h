#pragma once
// The radio as a file or the form writes it: texts as typed, before the
// channel entry rules have read them (core/radio.h holds the radio itself).
// Channel entries ("5,435.1250,430.1250,88.5 ,Y") and list lines are split here.

#include "core/radio_model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

struct ChannelRecord {
    int number = 0; // 1-99 (100 only from a decoded image)
    // Frequencies in MHz as text ("435.1250"). A decoded image may lack
    // either; on input a missing transmit frequency is the receive one.
    std::optional<std::string> rx;
    std::optional<std::string> tx;
    std::string tone = "none"; // a listed CTCSS tone ("88.5") or "none"
    bool scan = false;
    // The operator's name and comment for the channel ("" for none); only
    // radio files and channel lists hold them.
    std::string name{};
    std::string comment{};

    bool operator==(const ChannelRecord&) const = default;
};

struct RadioRecord {
    std::string model{DefaultModel().name};                   // as the model selector lists it
    std::string timeout{kTimeoutTexts[kDefaultTimeoutIndex]}; // as the time-out selector lists it
    std::vector<std::string> options;                         // captions of the ticked option boxes
    std::vector<ChannelRecord> channels;                      // ascending channel numbers

    bool operator==(const RadioRecord&) const = default;
};

// How separators divide the fields of a channel entry or list line.
enum class Separators {
    Each, // every separator ends a field ("5,,N" has an empty second field)
    Runs, // a run of separators counts as one (list lines, printed entries)
};

// The fields of a stored channel entry "5,435.1250,430.1250,88.5 ,Y" (or of a
// list line, split at blanks) as they stand: the tone keeps its blank. The one
// tokenizer of channel entries, under every reader of them.
std::vector<std::string_view> SplitChannelEntry(std::string_view entry, char separator = ',',
                                                Separators separators = Separators::Each);
// The same into `fields` (cleared first), for callers that split many entries
// and keep one vector.
void SplitChannelEntryInto(std::vector<std::string_view>& fields, std::string_view entry,
                           char separator = ',', Separators separators = Separators::Each);

} // namespace kl40
