#include "ui/channel_list_columns.h"

#include <array>

namespace kl40 {

std::string ChannelListColumns(std::string_view line) {
    std::array<std::string_view, 5> fields;
    std::size_t count = 0;
    std::size_t at = line.find_first_not_of(' ');
    while (at != std::string_view::npos) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (count == fields.size()) return std::string(line);
        fields[count++] = line.substr(at, end - at);
        at = line.find_first_not_of(' ', end);
    }
    if (count != fields.size()) return std::string(line);

    constexpr std::size_t kChannelWidth = 2;
    constexpr std::size_t kToneWidth = 5; // "254.1"
    const std::string gap(2, ' ');
    std::string text;
    if (fields[0].size() < kChannelWidth) text.append(kChannelWidth - fields[0].size(), ' ');
    text.append(fields[0]).append(gap).append(fields[1]).append(gap).append(fields[2]);
    text.append(gap).append(fields[3]);
    if (fields[3].size() < kToneWidth) text.append(kToneWidth - fields[3].size(), ' ');
    return text.append(gap).append(fields[4]);
}

} // namespace kl40
