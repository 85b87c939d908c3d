#pragma once
// Reading and setting the channel table of a test's workspace through the
// entry texts the form shows ("5,435.1250,430.1250,88.5 ,Y").

#include "coding/tone_table.h"
#include "core/numbers.h"
#include "core/radio_record.h"
#include "entry/channel_text.h"
#include "ui/form/workspace.h"

#include <cmath>
#include <string>
#include <string_view>

namespace kl40::test {

// The entry text of channel n, "" when the slot is empty.
inline std::string EntryOf(const Workspace& ws, int n) {
    const auto& channel = ws.data.radio.channels[static_cast<std::size_t>(n)];
    return channel ? ChannelEntryText(n, *channel) : std::string();
}

// The channel an entry text stands for; an entry that is not one gives a
// channel without frequencies, as a damaged image does.
inline Channel ChannelFromEntry(std::string_view entry) {
    Channel channel;
    const auto fields = SplitChannelEntry(entry);
    if (fields.size() < 5) return channel;
    const auto frequency = [](std::string_view text) -> std::optional<Frequency> {
        const auto mhz = ParseDecimal(text);
        if (!mhz) return std::nullopt;
        return Frequency{std::llround(*mhz * 10000.0)};
    };
    channel.rx = frequency(fields[1]);
    channel.tx = frequency(fields[2]);
    std::string tone(fields[3]);
    channel.tone = ToneIndex(tone);
    channel.scan = fields[4] == "Y";
    return channel;
}

// Puts the channel of `entry` into slot n; "" empties the slot.
inline void SetEntry(Workspace& ws, int n, std::string_view entry) {
    auto& slot = ws.data.radio.channels[static_cast<std::size_t>(n)];
    if (entry.empty())
        slot.reset();
    else
        slot = ChannelFromEntry(entry);
}

inline void ClearEntry(Workspace& ws, int n) {
    ws.data.radio.channels[static_cast<std::size_t>(n)].reset();
}

} // namespace kl40::test
