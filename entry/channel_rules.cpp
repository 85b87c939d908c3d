#include "entry/channel_rules.h"

#include "coding/frequency_code.h"
#include "coding/tone_table.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kl40 {

namespace {

// The band the radio works in, in MHz and in units of 100 Hz.
constexpr double kLowestMHz = 400.0;
constexpr double kHighestMHz = 450.0;
constexpr std::int64_t kLowestUnits = 4'000'000;
constexpr std::int64_t kHighestUnits = 4'500'000;

// A checked frequency as the entry holds it, the eight characters of a
// formatted frequency ("435.1250"): blanks, a plus sign and leading zeros that
// the check let pass ("+0435.1250") are dropped, because the image build reads
// exactly eight characters and would read another frequency.
void dropLeadingPadding(std::string& frequency) {
    frequency.erase(0, frequency.find_first_not_of(" +0"));
}

} // namespace

bool FrequencyInBand(Frequency frequency) {
    return frequency >= Frequency{std::llround(kLowestMHz * 10000.0)} &&
           frequency <= Frequency{std::llround(kHighestMHz * 10000.0)};
}

std::string FrequencyRefusalText(std::string_view which) {
    return "A valid frequency must be entered\nThe " + std::string(which) +
           " frequency must be from 400 to 450 MHz, with at most four decimals.";
}

int ScanChannelsOtherThan(const ChannelTable& table, int target) {
    int count = 0;
    for (int n = 0; n < kChannelSlots; ++n) {
        const std::optional<Channel>& channel = table[static_cast<std::size_t>(n)];
        if (n != target && channel && channel->scan) ++count;
    }
    return count;
}

FrequencyCheck CheckFrequency(std::string_view typed) {
    // A frequency as files write it, "435.1250", taken as it stands: the
    // general check below gives the same for it.
    if (const std::optional<std::int64_t> units = StoredFrequencyUnits(typed))
        if (*units >= kLowestUnits && *units <= kHighestUnits)
            return {FrequencyCheck::Taken, std::string(typed), Frequency{*units}};
    std::string text(typed);
    // More than four decimals cannot be formatted into a frequency, so it is
    // refused like one out of range.
    if (HasExcessDecimals(text)) return {FrequencyCheck::Refused, std::move(text), {}};
    FormatFrequency(text);
    if (text.empty()) return {FrequencyCheck::Empty, {}, {}};
    // A text that is no number ("433.5.25") is refused as one out of range
    // is, naming its field, rather than failing the whole store.
    const std::optional<double> mhz = ParseDecimal(text);
    if (!mhz || *mhz < kLowestMHz || *mhz > kHighestMHz)
        return {FrequencyCheck::Refused, std::move(text), {}};
    dropLeadingPadding(text);
    return {FrequencyCheck::Taken, std::move(text), Frequency{std::llround(*mhz * 10000.0)}};
}

EnteredChannel EnterChannel(ChannelTable& table, int& channelCount, const ChannelInput& input) {
    EnteredChannel result;
    const auto refuse = [&result](std::string text) {
        result.messages.push_back(std::move(text));
        return result;
    };
    // Only channels 1 to 99 are stored: no other channel's slot (or slot 0)
    // is overwritten.
    const auto number = ParseInt16(input.number);
    if (!number || *number < 1 || *number > kHighestChannel) return refuse(kChannelNumberRefusal);
    const int target = *number;
    // The count is raised before the checks, as the form does.
    channelCount = std::max(channelCount, target);

    const FrequencyCheck receive = CheckFrequency(input.rx);
    if (receive.outcome == FrequencyCheck::Empty) return result;
    if (receive.outcome == FrequencyCheck::Refused) return refuse(FrequencyRefusalText("receive"));
    // An empty transmit frequency is the receive frequency.
    const FrequencyCheck transmit = input.tx.empty() ? receive : CheckFrequency(input.tx);
    if (transmit.outcome != FrequencyCheck::Taken) return refuse(FrequencyRefusalText("transmit"));
    if (!input.tone) return refuse(UnlistedToneText(input.toneText));

    // The radio's limit of 32 scan channels: the channel is stored without.
    bool scan = false;
    if (input.scan) {
        if (ScanChannelsOtherThan(table, target) >= kMaxScanChannels)
            result.messages.emplace_back(kScanLimitText);
        else
            scan = result.scanStored = true;
    }
    Channel& channel = table[static_cast<std::size_t>(target)].emplace();
    channel.rx = receive.value;
    channel.tx = transmit.value;
    channel.tone = *input.tone;
    channel.scan = scan;
    channel.name = input.name;
    channel.comment = input.comment;
    result.stored = target;
    return result;
}

} // namespace kl40
