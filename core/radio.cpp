#include "core/radio.h"

namespace kl40 {

Channel ParseChannelEntry(int number, std::string_view entry) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = entry.find(',', start);
        fields.push_back(entry.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    Channel channel;
    channel.number = number;
    const bool hasReceive = !fields.empty() && fields[0] == std::to_string(number);
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

} // namespace kl40
