#include "formats/radio_json.h"

#include "core/option_table.h"
#include "core/radio_model.h"
#include "formats/json_reading.h"
#include "formats/radio_json_fast.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>

namespace kl40 {

namespace {

using nlohmann::json;

bool isTimeout(const std::string& text) {
    return std::find(kTimeoutTexts.begin(), kTimeoutTexts.end(), text) != kTimeoutTexts.end();
}

// "\"A\", \"B\" or \"C\"", for the refusal of a value not in a list.
template <class Names> std::string expected(const Names& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i) text += i + 1 == names.size() ? " or " : ", ";
        text += "\"" + std::string(names[i]) + "\"";
    }
    return text;
}

// The entry form's message for a channel number outside 1-99, and the rule.
constexpr const char* kChannelNumberRefused =
    "Check data entered: the channel must be a whole number from 1 to 99";

// A frequency given as a string, or as a number read as the shortest decimal
// text that denotes it (411.2 -> "411.2").
std::optional<std::string> frequencyText(const json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number_integer()) return value.dump();
    if (value.is_number_float()) {
        const double d = value.get<double>();
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::fixed);
        if (ec != std::errc()) return std::nullopt;
        return std::string(buffer, end);
    }
    return std::nullopt;
}

// A string as JSON text, as json(s).dump() writes it: printable ASCII
// without quotes or backslashes needs no escapes.
std::string jsonText(const std::string& s) {
    const bool plain = std::all_of(
        s.begin(), s.end(), [](char c) { return c >= 0x20 && c <= 0x7E && c != '"' && c != '\\'; });
    return plain ? '"' + s + '"' : json(s).dump();
}

JsonError channelError(std::size_t index, const json& channel, const std::string& what) {
    std::string name = "channels[" + std::to_string(index) + "]";
    if (channel.is_object() && channel.contains("channel") &&
        channel["channel"].is_number_integer())
        name = "channel " + channel["channel"].dump();
    return {name + ": " + what};
}

// Whether the names a fast reading took are ones the radio lists.
bool namesKnown(const RadioRecord& radio) {
    return FindModel(radio.model) && isTimeout(radio.timeout) &&
           std::all_of(radio.options.begin(), radio.options.end(),
                       [](const std::string& option) { return FindOption(option) != nullptr; });
}

} // namespace

std::variant<RadioRecord, JsonError> ParseRadioJson(std::string_view text,
                                                    std::vector<std::string>* defaulted) {
    auto fast = ReadRadioJsonFast(text, RadioRecord{});
    if (!fast || !namesKnown(fast->radio)) return ParseRadioJsonThoroughly(text, defaulted);
    if (defaulted) {
        if (!fast->modelGiven) defaulted->emplace_back("model");
        if (!fast->timeoutGiven) defaulted->emplace_back("timeout");
    }
    return std::move(fast->radio);
}

std::variant<RadioRecord, JsonError> ParseRadioJsonThoroughly(std::string_view text,
                                                              std::vector<std::string>* defaulted) {
    auto parsed = ParseJsonStrictly(text);
    if (auto* error = std::get_if<JsonSyntaxError>(&parsed))
        return JsonError{"not valid JSON: " + error->message};
    const json root = std::move(std::get<json>(parsed));
    if (!root.is_object()) return JsonError{"the radio file must be a JSON object"};

    RadioRecord radio;
    for (const auto& [key, value] : root.items()) {
        if (key == "model") {
            if (!value.is_string() || !FindModel(value.get<std::string>()))
                return JsonError{"unknown model " + value.dump() + " (expected " +
                                 expected(ModelNames()) + ")"};
            radio.model = value.get<std::string>();
        } else if (key == "timeout") {
            if (!value.is_string() || !isTimeout(value.get<std::string>()))
                return JsonError{"unknown timeout " + value.dump() + " (expected " +
                                 expected(kTimeoutTexts) + ")"};
            radio.timeout = value.get<std::string>();
        } else if (key == "options") {
            if (!value.is_array()) return JsonError{"\"options\" must be a list of option names"};
            for (const auto& option : value) {
                if (!option.is_string() || !FindOption(option.get<std::string>()))
                    return JsonError{"unknown option " + option.dump()};
                radio.options.push_back(option.get<std::string>());
            }
        } else if (key == "channels") {
            if (!value.is_array()) return JsonError{"\"channels\" must be a list"};
        } else {
            return JsonError{"unknown key " + jsonText(key)};
        }
    }

    if (defaulted)
        for (const char* key : {"model", "timeout"})
            if (!root.contains(key)) defaulted->emplace_back(key);

    std::set<int> seen;
    if (root.contains("channels")) {
        const json& channels = root["channels"];
        for (std::size_t i = 0; i < channels.size(); ++i) {
            const json& c = channels[i];
            if (!c.is_object()) return channelError(i, c, "must be an object");
            ChannelRecord input;
            bool hasChannel = false;
            bool hasRx = false;
            for (const auto& [key, value] : c.items()) {
                if (key == "channel") {
                    // Read at full width: a narrowing read would wrap
                    // 4294967301 round to channel 5.
                    const bool inRange =
                        value.is_number_unsigned()
                            ? value.get<std::uint64_t>() >= 1 && value.get<std::uint64_t>() <= 99
                            : value.is_number_integer() && value.get<std::int64_t>() >= 1 &&
                                  value.get<std::int64_t>() <= 99;
                    if (!inRange) return channelError(i, c, kChannelNumberRefused);
                    input.number = value.get<int>();
                    hasChannel = true;
                } else if (key == "rx") {
                    auto f = frequencyText(value);
                    if (!f) return channelError(i, c, "\"rx\" must be a frequency in MHz");
                    input.rx = *f;
                    hasRx = true;
                } else if (key == "tx") {
                    if (value.is_null()) continue;
                    auto f = frequencyText(value);
                    if (!f) return channelError(i, c, "\"tx\" must be a frequency in MHz or null");
                    input.tx = *f;
                } else if (key == "ctcss") {
                    if (!value.is_string())
                        return channelError(i, c, "\"ctcss\" must be a tone text");
                    input.tone = value.get<std::string>();
                } else if (key == "scan") {
                    if (!value.is_boolean())
                        return channelError(i, c, "\"scan\" must be true or false");
                    input.scan = value.get<bool>();
                } else if (key == "name" || key == "comment") {
                    if (!value.is_string())
                        return channelError(i, c, jsonText(key) + " must be a text");
                    (key == "name" ? input.name : input.comment) = value.get<std::string>();
                } else {
                    return channelError(i, c, "unknown key " + jsonText(key));
                }
            }
            if (!hasChannel) return channelError(i, c, "\"channel\" is missing");
            if (!hasRx) return channelError(i, c, "\"rx\" is missing");
            if (!seen.insert(input.number).second) return channelError(i, c, "given twice");
            radio.channels.push_back(std::move(input));
        }
    }
    return radio;
}

std::string WriteRadioJson(const RadioRecord& radio) {
    // nlohmann's default object sorts keys; the text is written in schema
    // order, each value as nlohmann writes it.
    std::string out = "{\n  \"model\": " + jsonText(radio.model) + ",\n";
    out += "  \"timeout\": " + jsonText(radio.timeout) + ",\n";
    out += "  \"options\": [";
    for (std::size_t i = 0; i < radio.options.size(); ++i) {
        if (i) out += ',';
        out += jsonText(radio.options[i]);
    }
    out += "],\n";
    out += "  \"channels\": [";
    const auto optional = [](const std::optional<std::string>& s) {
        return s ? jsonText(*s) : std::string("null");
    };
    for (std::size_t i = 0; i < radio.channels.size(); ++i) {
        const ChannelRecord& c = radio.channels[i];
        out += i ? ",\n    " : "\n    ";
        out += "{\"channel\": " + std::to_string(c.number) + ", \"rx\": " + optional(c.rx) +
               ", \"tx\": " + optional(c.tx) + ", \"ctcss\": " + jsonText(c.tone) +
               ", \"scan\": " + (c.scan ? "true" : "false");
        // Left out when empty, so a radio without names is written as before.
        if (!c.name.empty()) out += ", \"name\": " + jsonText(c.name);
        if (!c.comment.empty()) out += ", \"comment\": " + jsonText(c.comment);
        out += '}';
    }
    out += radio.channels.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace kl40
