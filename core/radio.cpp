#include "core/radio.h"
#include "core/radio_record.h"

namespace kl40 {

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

int Radio::highestChannel() const {
    for (int n = kChannelSlots - 1; n > 0; --n)
        if (channels[static_cast<std::size_t>(n)]) return n;
    return 0;
}

} // namespace kl40
