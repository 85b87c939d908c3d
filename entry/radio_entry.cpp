#include "entry/radio_entry.h"

#include "coding/tone_table.h"
#include "core/option_rules.h"
#include "core/option_table.h"
#include "entry/channel_rules.h"
#include "entry/channel_text.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace kl40 {

std::vector<const ChannelRecord*> InEntryOrder(const RadioRecord& record) {
    std::vector<const ChannelRecord*> channels;
    channels.reserve(record.channels.size());
    for (const ChannelRecord& channel : record.channels)
        channels.push_back(&channel);
    const auto byNumber = [](const ChannelRecord* a, const ChannelRecord* b) {
        return a->number < b->number;
    };
    // Files list their channels in order as a rule; sorting them would cost
    // a buffer for nothing.
    if (!std::is_sorted(channels.begin(), channels.end(), byNumber))
        std::stable_sort(channels.begin(), channels.end(), byNumber);
    return channels;
}

ApplyOutcome EnterRadio(Radio& radio, const RadioRecord& record, OnRefusal onRefusal,
                        bool storeOptions) {
    ApplyOutcome outcome;
    radio.model = (FindModel(record.model) ? *FindModel(record.model) : DefaultModel()).code;
    const auto timeout = std::find(kTimeoutTexts.begin(), kTimeoutTexts.end(), record.timeout);
    radio.timeout =
        timeout == kTimeoutTexts.end() ? 0 : static_cast<int>(timeout - kTimeoutTexts.begin());

    const std::vector<const ChannelRecord*> channels = InEntryOrder(record);
    outcome.channels.reserve(channels.size());
    std::string tone;
    for (const ChannelRecord* input : channels) {
        const ChannelRecord& channel = *input;
        ChannelOutcome& result = outcome.channels.emplace_back();
        result.number = channel.number;
        tone = channel.tone;
        const int toneIndex = ToneIndex(tone);
        if (toneIndex == 0 && tone != "none") {
            result.unknownTone = channel.tone;
        } else {
            char number[12];
            const auto written = std::to_chars(number, number + sizeof number, channel.number);
            const std::string_view none;
            EnteredChannel entered = EnterChannel(
                radio.channels, radio.channelCount,
                {std::string_view(number, static_cast<std::size_t>(written.ptr - number)),
                 channel.rx ? std::string_view(*channel.rx) : none,
                 channel.tx ? std::string_view(*channel.tx) : none, toneIndex, tone, channel.scan,
                 channel.name, channel.comment});
            result.messages = std::move(entered.messages);
            result.stored = entered.stored.has_value();
            if (entered.scanStored) radio.options.set(static_cast<std::size_t>(Option::EnableScan));
            if (entered.stored)
                result.rasterNote =
                    OffRasterNote(*radio.channels[static_cast<std::size_t>(*entered.stored)]);
            else if (result.messages.empty())
                result.messages.push_back("a receive frequency must be entered");
        }
        // A radio file is refused for anything the entry had to say, even a
        // scan flag it dropped.
        if (onRefusal == OnRefusal::Stop && (!result.stored || !result.messages.empty())) {
            outcome.stoppedAt = result;
            return outcome;
        }
    }
    // The radio's options are the image's options: a radio may have scan
    // channels with scanning off.
    if (storeOptions) radio.options = OptionSetOf(record.options);
    return outcome;
}

RadioRecord RecordOf(const Radio& radio) {
    RadioRecord record;
    record.model = radio.modelFacts().name;
    record.timeout = kTimeoutTexts[static_cast<std::size_t>(std::clamp(radio.timeout, 0, 2))];
    for (const RadioOption& option : RadioOptions())
        if (radio.options[OptionIndex(option)]) record.options.emplace_back(option.caption);
    for (int n = 1; n < kChannelSlots; ++n)
        if (const auto& channel = radio.channels[static_cast<std::size_t>(n)])
            record.channels.push_back(ChannelRecordOf(n, *channel));
    return record;
}

} // namespace kl40
