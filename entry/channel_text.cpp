#include "entry/channel_text.h"

#include "coding/frequency_code.h"
#include "coding/raster.h"
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

ChannelRecord ChannelRecordOf(int n, const Channel& channel) {
    ChannelRecord record;
    record.number = n;
    record.name = channel.name;
    record.comment = channel.comment;
    if (channel.rx) record.rx = FrequencyText(*channel.rx);
    if (channel.tx) {
        record.tx = FrequencyText(*channel.tx);
        record.tone = ToneText(channel.tone);
        record.scan = channel.scan;
    }
    return record;
}

std::optional<std::string> OffRasterNote(const Channel& channel) {
    std::string note;
    const bool sameTwice = channel.tx == channel.rx;
    for (const std::optional<Frequency>* told : {&channel.rx, &channel.tx}) {
        const std::optional<Frequency>& frequency = *told;
        // A transmit frequency that is the receive frequency is told once.
        if (!frequency || (told == &channel.tx && sameTwice)) continue;
        const Frequency used = RasterFrequency(*frequency);
        if (used == *frequency) continue;
        if (!note.empty()) note += '\n';
        note += FrequencyText(*frequency) +
                " MHz is not on the radio's 12.5 kHz raster: it will use " + FrequencyText(used) +
                " MHz.";
    }
    if (note.empty()) return std::nullopt;
    return note;
}

} // namespace kl40
