#pragma once
// Checking and storing the channel being edited, showing a stored channel in
// the entry fields, the channel list lines, the channel count and clearing.

#include "core/radio_data.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

inline constexpr const char* kChannelNumberRefusal =
    "Check data entered\nThe channel number must be from 1 to 99.";
inline constexpr const char* kScanLimitText = "Only 32 scan channels allowed";

// Why a frequency was refused, naming its field ("receive", "transmit").
std::string FrequencyRefusalText(std::string_view which);

// The scan channels of the table other than channel `target`.
int ScanChannelsOtherThan(const ChannelTable& table, int target);

// A typed frequency through the entry's checks: 400 to 450 MHz with at most
// four decimals. Taken: `text` is as the box shows it afterwards
// ("435.1000") and `value` its frequency.
struct FrequencyCheck {
    enum Outcome { Taken, Empty, Refused } outcome = Empty;
    std::string text;
    Frequency value;
};
FrequencyCheck CheckFrequency(std::string text);

// A channel as typed: the number and frequencies as text, the tone as a row
// of the tone list (nothing for a tone the radio lacks, `toneText`).
struct ChannelInput {
    std::string number;
    std::string rx;
    std::string tx; // "" is the receive frequency
    std::optional<int> tone = 0;
    std::string toneText;
    bool scan = false;
};

// What entering a channel came to: the channel stored, and what the entry
// said (the refusal when nothing was stored, or "Only 32 scan channels
// allowed" when it was stored without its scan flag). Nothing stored and
// nothing said: the receive frequency was empty.
struct EnteredChannel {
    std::optional<int> stored;
    std::vector<std::string> messages;
    bool scanStored = false; // stored as a scan channel (which turns scanning on)
};

// Enters a channel into a channel table through the rules of the entry form,
// without the form: the checks and messages of StoreChannel. Raises
// `channelCount` to the channel's number.
EnteredChannel EnterChannel(ChannelTable& table, int& channelCount, const ChannelInput& input);

// When a store rebuilds the channel list and selects its last line.
enum class ListRefresh {
    Now,   // as every store from the form does
    Later, // left to a later store with Now: for storing many channels at once
};

// Checks the entry fields and stores them as one channel entry. After a store
// the fields are ready for the next channel: the selector shows the next free
// channel, the other fields are empty, and the stored channel's line is marked
// in the list. A refusal names the field, empties it and puts the focus in it.
// Returns the channel stored, or nothing when nothing was stored. With
// ListRefresh::Later the channel list is not rebuilt; a following store with
// ListRefresh::Now brings the list and the fields to where storing each
// channel with Now would have.
std::optional<std::int16_t> StoreChannel(Workspace& ws, ListRefresh refresh = ListRefresh::Now);

// Shows channel n in the entry fields.
void ShowChannel(Workspace& ws, std::int16_t n);

// Splits a channel entry (delimiter ',') or a list line (delimiter ' ') into
// the entry fields; runs of delimiters count as one.
void FillEntryFields(Workspace& ws, char delimiter, std::string_view text);

// The channel list line of an entry, or "" for an entry that makes none.
std::string FormatListLine(std::string_view entry);

// Raises ChannelCountText (two digits) and OptionText characters 1-2.
void SetChannelCount(Workspace& ws, std::string_view channel);

// Resets the options and the option boxes; empties the list and fields. With
// `unconfirmed` 0 and lines in the list it asks first: Yes also empties the
// channel table, No changes nothing at all. Returns false after No.
bool ClearChannelList(Workspace& ws, std::int16_t unconfirmed);

} // namespace kl40
