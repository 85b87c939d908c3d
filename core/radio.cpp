#include "core/radio.h"
#include "core/radio_record.h"

namespace kl40 {

namespace {
// True when `text` is the decimal digits of `number`, leading zeros allowed.
bool isNumber(std::string_view text, int number) {
    if (text.empty() || text.size() > 4) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value == number;
}
} // namespace

void SplitChannelEntryInto(std::vector<std::string_view>& fields, std::string_view entry,
                           char separator, Separators separators) {
    fields.clear();
    for (std::size_t start = 0;;) {
        const std::size_t end = entry.find(separator, start);
        fields.push_back(entry.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
        if (separators == Separators::Runs)
            while (start < entry.size() && entry[start] == separator)
                ++start;
    }
}

std::vector<std::string_view> SplitChannelEntry(std::string_view entry, char separator,
                                                Separators separators) {
    std::vector<std::string_view> fields;
    SplitChannelEntryInto(fields, entry, separator, separators);
    return fields;
}

ChannelRecord ParseChannelEntry(int number, std::string_view entry) {
    const std::vector<std::string_view> fields = SplitChannelEntry(entry);
    ChannelRecord channel;
    channel.number = number;
    // The entry starts with its channel number ("5", or "05" as typed) unless
    // it lacks its receive part and starts with the transmit frequency.
    const bool hasReceive = !fields.empty() && isNumber(fields[0], number);
    std::size_t next = 0;
    if (hasReceive) {
        channel.rx = fields.size() > 1 ? std::string(fields[1]) : std::string();
        next = 2;
    }
    if (fields.size() > next && !fields[next].empty()) {
        channel.tx = std::string(fields[next]);
        if (fields.size() > next + 1) {
            std::string_view tone = fields[next + 1];
            tone = tone.substr(0, tone.find_last_not_of(' ') + 1);
            channel.tone = tone == "0" || tone.empty() ? "none" : std::string(tone);
        }
        channel.scan = !entry.empty() && entry.back() == 'Y';
    }
    return channel;
}

int Radio::highestChannel() const {
    for (int n = kChannelSlots - 1; n > 0; --n)
        if (channels[static_cast<std::size_t>(n)]) return n;
    return 0;
}

} // namespace kl40
