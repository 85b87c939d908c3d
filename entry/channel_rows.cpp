#include "entry/channel_rows.h"

#include "coding/frequency_code.h"
#include "entry/channel_rules.h"
#include "entry/channel_text.h"
#include "entry/repeater.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kl40 {

namespace {

std::optional<Channel>& slot(Radio& radio, int number) {
    return radio.channels[static_cast<std::size_t>(number)];
}

std::optional<TableRefusal> selectionRefusal(const ChannelSelection& rows) {
    if (rows.empty()) return TableRefusal{"No channels are selected."};
    if (*rows.begin() < 1 || *rows.rbegin() > kHighestChannel)
        return TableRefusal{kChannelNumberRefusal};
    return std::nullopt;
}

// The radio after an operation that may have stored a channel further down.
TableChange changed(Radio radio, std::vector<std::string> notes = {}) {
    radio.channelCount = std::max(radio.channelCount, radio.highestChannel());
    return {std::move(radio), std::move(notes)};
}

std::string outsideBandText(int number, const char* what, Frequency frequency) {
    return "Channel " + std::to_string(number) + " would " + what + " on " +
           FrequencyText(frequency) + " MHz, outside 400 to 450 MHz.";
}

// What a channel is sorted by: filled rows before empty ones, a row with the
// value before one without (a damaged image may lack a frequency).
using SortValue = std::tuple<int, std::int64_t, std::string>;

SortValue sortValue(const std::optional<Channel>& row, SortKey key) {
    if (!row) return {2, 0, ""};
    switch (key) {
    case SortKey::Receive:
        return row->rx ? SortValue{0, row->rx->hundredHz, ""} : SortValue{1, 0, ""};
    case SortKey::Transmit:
        return row->tx ? SortValue{0, row->tx->hundredHz, ""} : SortValue{1, 0, ""};
    case SortKey::Tone:
        return {0, row->tone, ""}; // the tone table ascends by row
    case SortKey::Name: {
        std::string folded = row->name;
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return {0, 0, std::move(folded)};
    }
    }
    return {2, 0, ""};
}

} // namespace

TableOutcome InsertChannel(const Radio& radio, int number) {
    if (number < 1 || number > kHighestChannel) return TableRefusal{kChannelNumberRefusal};
    if (radio.channels[kHighestChannel])
        return TableRefusal{"Channel 99 is in use: there is no room to insert a channel."};
    Radio result = radio;
    for (int n = kHighestChannel; n > number; --n)
        slot(result, n) = std::move(slot(result, n - 1));
    slot(result, number).reset();
    return changed(std::move(result));
}

TableOutcome MoveChannels(const Radio& radio, const ChannelSelection& rows,
                          MoveDirection direction) {
    if (auto refusal = selectionRefusal(rows)) return *refusal;
    Radio result = radio;
    if (direction == MoveDirection::Up) {
        if (*rows.begin() == 1)
            return TableRefusal{"Channel 1 is the first row: it cannot move up."};
        // In ascending order, so that a block of rows moves as a block.
        for (int n : rows)
            std::swap(slot(result, n - 1), slot(result, n));
    } else {
        if (*rows.rbegin() == kHighestChannel)
            return TableRefusal{"Channel 99 is the last row: it cannot move down."};
        for (auto n = rows.rbegin(); n != rows.rend(); ++n)
            std::swap(slot(result, *n), slot(result, *n + 1));
    }
    return changed(std::move(result));
}

TableOutcome FillReceive(const Radio& radio, const ChannelSelection& rows, std::string_view start,
                         Frequency step) {
    if (auto refusal = selectionRefusal(rows)) return *refusal;
    const FrequencyCheck first = CheckFrequency(std::string(start));
    if (first.outcome != FrequencyCheck::Taken) return TableRefusal{FrequencyRefusalText("start")};
    Radio result = radio;
    std::vector<std::string> notes;
    std::int64_t steps = 0;
    for (int n : rows) {
        const Frequency rx{first.value.hundredHz + steps++ * step.hundredHz};
        Channel channel = slot(result, n).value_or(Channel{});
        // Each channel keeps its duplex and offset; "split" its transmit frequency.
        const Duplex duplex = DuplexOf(channel);
        const Frequency tx = duplex == Duplex::Split && channel.tx
                                 ? *channel.tx
                                 : TransmitFor(rx, duplex, OffsetOf(channel));
        if (!FrequencyInBand(rx)) return TableRefusal{outsideBandText(n, "receive", rx)};
        if (!FrequencyInBand(tx)) return TableRefusal{outsideBandText(n, "transmit", tx)};
        channel.rx = rx;
        channel.tx = tx;
        if (std::optional<std::string> note = OffRasterNote(channel))
            notes.push_back("Channel " + std::to_string(n) + ": " + *note);
        slot(result, n) = std::move(channel);
    }
    return changed(std::move(result), std::move(notes));
}

TableOutcome SortChannels(const Radio& radio, SortKey key) {
    std::vector<std::pair<SortValue, std::optional<Channel>>> rows;
    for (int n = 1; n <= kHighestChannel; ++n)
        rows.emplace_back(sortValue(radio.channels[static_cast<std::size_t>(n)], key),
                          radio.channels[static_cast<std::size_t>(n)]);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Radio result = radio;
    for (int n = 1; n <= kHighestChannel; ++n)
        slot(result, n) = std::move(rows[static_cast<std::size_t>(n - 1)].second);
    return changed(std::move(result));
}

TableOutcome DeleteChannels(const Radio& radio, const ChannelSelection& rows) {
    if (auto refusal = selectionRefusal(rows)) return *refusal;
    Radio result = radio;
    for (int n : rows)
        slot(result, n).reset();
    return changed(std::move(result));
}

} // namespace kl40
