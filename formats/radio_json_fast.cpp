#include "formats/radio_json_fast.h"

#ifndef KL40_WITHOUT_SIMDJSON

#include <simdjson.h>

#include <bitset>
#include <cstdint>
#include <string>

namespace kl40 {

namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;

// A radio file of 99 channels is about 10 KB; anything far larger is read
// thoroughly, so the parser kept by each thread never holds much memory.
constexpr std::size_t kLargestFastText = 1 << 20;

// The text of a string value, or nothing for any other value.
std::optional<std::string_view> stringOf(const element& value) {
    std::string_view text;
    if (value.type() != element_type::STRING || value.get_string().get(text)) return std::nullopt;
    return text;
}

// One channel object into `channel`; false when it is not of the usual kind.
bool readChannel(const element& value, ChannelRecord& channel) {
    simdjson::dom::object object;
    if (value.get_object().get(object)) return false;
    constexpr unsigned Number = 1, Rx = 2, Tx = 4, Tone = 8, Scan = 16, Name = 32, Comment = 64;
    unsigned given = 0;
    for (const auto field : object) {
        const std::string_view name = field.key;
        const unsigned key = name == "channel"   ? Number
                             : name == "rx"      ? Rx
                             : name == "tx"      ? Tx
                             : name == "ctcss"   ? Tone
                             : name == "scan"    ? Scan
                             : name == "name"    ? Name
                             : name == "comment" ? Comment
                                                 : 0;
        if (key == 0 || (given & key)) return false; // an unknown key, or a key given twice
        given |= key;
        if (key == Number) {
            std::int64_t number = 0;
            if (field.value.type() != element_type::INT64 || field.value.get_int64().get(number) ||
                number < 1 || number > 99)
                return false;
            channel.number = static_cast<int>(number);
        } else if (key == Scan) {
            bool scan = false;
            if (field.value.type() != element_type::BOOL || field.value.get_bool().get(scan))
                return false;
            channel.scan = scan;
        } else if (key == Tx && field.value.type() == element_type::NULL_VALUE) {
            channel.tx.reset();
        } else {
            const auto text = stringOf(field.value);
            if (!text) return false;
            if (key == Rx)
                channel.rx.emplace(*text);
            else if (key == Tx)
                channel.tx.emplace(*text);
            else if (key == Tone)
                channel.tone.assign(*text);
            else
                (key == Name ? channel.name : channel.comment).assign(*text);
        }
    }
    return (given & Number) && (given & Rx);
}

bool readChannels(const element& value, std::vector<ChannelRecord>& channels) {
    simdjson::dom::array array;
    if (value.get_array().get(array)) return false;
    std::bitset<100> seen;
    channels.reserve(array.size());
    for (const element item : array) {
        ChannelRecord& channel = channels.emplace_back();
        if (!readChannel(item, channel) || seen.test(static_cast<std::size_t>(channel.number)))
            return false;
        seen.set(static_cast<std::size_t>(channel.number));
    }
    return true;
}

bool readOptions(const element& value, std::vector<std::string>& options) {
    simdjson::dom::array array;
    if (value.get_array().get(array)) return false;
    for (const element item : array) {
        const auto text = stringOf(item);
        if (!text) return false;
        options.emplace_back(*text);
    }
    return true;
}

} // namespace

std::optional<RadioJsonFastRead> ReadRadioJsonFast(std::string_view text, RadioRecord fresh) {
    // Escapes are left to the thorough reading: without them every string is
    // its bytes in the text, which both readers take alike. A NUL byte is
    // never valid JSON.
    if (text.size() > kLargestFastText || text.find('\\') != std::string_view::npos ||
        text.find('\0') != std::string_view::npos)
        return std::nullopt;
    thread_local simdjson::dom::parser parser;
    element root;
    simdjson::dom::object object;
    if (parser.parse(text.data(), text.size()).get(root) || root.get_object().get(object))
        return std::nullopt;

    RadioJsonFastRead read{std::move(fresh), false, false};
    bool optionsGiven = false;
    bool channelsGiven = false;
    for (const auto field : object) {
        const std::string_view key = field.key;
        if (key == "model" && !read.modelGiven) {
            const auto model = stringOf(field.value);
            if (!model) return std::nullopt;
            read.radio.model.assign(*model);
            read.modelGiven = true;
        } else if (key == "timeout" && !read.timeoutGiven) {
            const auto timeout = stringOf(field.value);
            if (!timeout) return std::nullopt;
            read.radio.timeout.assign(*timeout);
            read.timeoutGiven = true;
        } else if (key == "options" && !optionsGiven) {
            if (!readOptions(field.value, read.radio.options)) return std::nullopt;
            optionsGiven = true;
        } else if (key == "channels" && !channelsGiven) {
            if (!readChannels(field.value, read.radio.channels)) return std::nullopt;
            channelsGiven = true;
        } else {
            return std::nullopt; // an unknown key, or a key given twice
        }
    }
    return read;
}

} // namespace kl40

#else

namespace kl40 {

std::optional<RadioJsonFastRead> ReadRadioJsonFast(std::string_view, RadioRecord) {
    return std::nullopt;
}

} // namespace kl40

#endif
