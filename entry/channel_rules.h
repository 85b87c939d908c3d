#pragma once
// The rules of the channel entry, stated once: the channel number, the
// frequencies (400 to 450 MHz, at most four decimals), the radio's tones and
// its 32 scan channels. The entry form and every reader of radio files and
// channel lists go through them.

#include "core/radio.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

inline constexpr const char* kChannelNumberRefusal =
    "Check data entered\nThe channel number must be from 1 to 99.";
inline constexpr const char* kScanLimitText = "Only 32 scan channels allowed";

// True when a frequency lies in the radio's band, 400 to 450 MHz.
bool FrequencyInBand(Frequency frequency);

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
FrequencyCheck CheckFrequency(std::string_view text);

// A channel as typed: the number and frequencies as text, the tone as a row
// of the tone list (nothing for a tone the radio lacks, `toneText`). The texts
// are the caller's, looked at while the channel is entered.
struct ChannelInput {
    std::string_view number;
    std::string_view rx;
    std::string_view tx; // "" is the receive frequency
    std::optional<int> tone = 0;
    std::string_view toneText;
    bool scan = false;
    std::string_view name{}; // kept as given: no rule applies to them
    std::string_view comment{};
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

} // namespace kl40
