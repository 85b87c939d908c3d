#include "entry/channel_text.h"

#include "coding/frequency_code.h"
#include "coding/tone_table.h"

namespace kl40 {

namespace {
const ToneRow& toneRow(int tone) {
    return ToneTable[tone > 0 && tone < kToneCount ? static_cast<std::size_t>(tone) : 0];
}
} // namespace

std::string ToneListText(int tone) {
    return toneRow(tone).listText;
}

std::string ToneText(int tone) {
    return toneRow(tone).toneText;
}

std::string ChannelEntryText(int n, const Channel& channel) {
    std::string entry;
    if (channel.rx) entry = std::to_string(n) + "," + FrequencyText(*channel.rx) + ",";
    if (channel.tx)
        entry += FrequencyText(*channel.tx) + "," + ToneListText(channel.tone) +
                 (channel.scan ? ",Y" : ",N");
    return entry;
}

} // namespace kl40
