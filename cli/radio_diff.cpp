#include "cli/radio_diff.h"

#include "core/echo_text.h"
#include "core/option_table.h"
#include "core/radio_model.h"
#include "image/program_code.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string_view>

namespace kl40::cli {

namespace {

bool holds(const std::vector<std::string>& options, std::string_view name) {
    return std::find(options.begin(), options.end(), name) != options.end();
}

// Every option either radio names: the option table's first, in its order,
// then any other by name.
std::vector<std::string> optionNames(const RadioRecord& a, const RadioRecord& b) {
    std::vector<std::string> names;
    for (const RadioOption& option : RadioOptions())
        names.emplace_back(option.caption);
    std::vector<std::string> others;
    for (const auto* options : {&a.options, &b.options})
        for (const std::string& name : *options)
            if (!holds(names, name) && !holds(others, name)) others.push_back(name);
    std::sort(others.begin(), others.end());
    names.insert(names.end(), others.begin(), others.end());
    return names;
}

std::string frequency(const std::optional<std::string>& megahertz) {
    return megahertz.value_or("none");
}

std::string yesNo(bool value) {
    return value ? "yes" : "no";
}

// A name or comment in quotes, safe to show on a terminal.
std::string quotedText(const std::string& text) {
    return text.empty() ? "\"\"" : '"' + EchoText(text) + '"';
}

std::string described(const ChannelRecord& channel) {
    std::string text = frequency(channel.rx) + " / " + frequency(channel.tx) + ", tone " +
                       channel.tone + (channel.scan ? ", scan" : ", no scan");
    if (!channel.name.empty()) text += ", name " + quotedText(channel.name);
    if (!channel.comment.empty()) text += ", comment " + quotedText(channel.comment);
    return text;
}

// "receive 435.1250 -> 435.1375; tone none -> 88.5" for the fields that differ.
std::string changes(const ChannelRecord& a, const ChannelRecord& b) {
    std::vector<std::string> fields;
    const auto field = [&fields](const char* name, const std::string& from, const std::string& to) {
        if (from != to) fields.push_back(std::string(name) + ' ' + from + " -> " + to);
    };
    field("receive", frequency(a.rx), frequency(b.rx));
    field("transmit", frequency(a.tx), frequency(b.tx));
    field("tone", a.tone, b.tone);
    field("scan", yesNo(a.scan), yesNo(b.scan));
    field("name", quotedText(a.name), quotedText(b.name));
    field("comment", quotedText(a.comment), quotedText(b.comment));
    std::string text;
    for (const std::string& change : fields)
        text += (text.empty() ? "" : "; ") + change;
    return text;
}

void channelDifferences(const RadioRecord& a, const RadioRecord& b,
                        std::vector<std::string>& lines) {
    // Each number with the channel of either side that has it.
    std::map<int, std::pair<const ChannelRecord*, const ChannelRecord*>> numbers;
    for (const ChannelRecord& channel : a.channels)
        numbers[channel.number].first = &channel;
    for (const ChannelRecord& channel : b.channels)
        numbers[channel.number].second = &channel;
    for (const auto& [number, sides] : numbers) {
        const std::string name = "channel " + std::to_string(number);
        const auto [from, to] = sides;
        if (!to)
            lines.push_back(name + " removed");
        else if (!from)
            lines.push_back(name + " added: " + described(*to));
        else if (*from != *to)
            lines.push_back(name + ": " + changes(*from, *to));
    }
}

std::string hexAddress(std::size_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04zX", address);
    return text;
}

bool hasProgramArea(const DecodedImage& image) {
    return image.bytes.size() > kDataAreaSize;
}

} // namespace

std::vector<std::string> RadioDifferences(const RadioRecord& a, const RadioRecord& b) {
    std::vector<std::string> lines;
    if (a.model != b.model) lines.push_back("model: " + a.model + " -> " + b.model);
    if (a.timeout != b.timeout)
        lines.push_back("time-out: " + a.timeout + " -> " + b.timeout + " minutes");
    for (const std::string& name : optionNames(a, b)) {
        const bool from = holds(a.options, name), to = holds(b.options, name);
        if (from != to)
            lines.push_back("option \"" + name + "\": " + (from ? "on -> off" : "off -> on"));
    }
    channelDifferences(a, b, lines);
    return lines;
}

std::optional<std::string> ProgramCodeDifference(const DecodedImage& a, const DecodedImage& b) {
    if (!hasProgramArea(a) && !hasProgramArea(b)) return std::nullopt;
    if (hasProgramArea(a) != hasProgramArea(b)) {
        const bool first = hasProgramArea(a);
        const DecodedImage& with = first ? a : b;
        const DecodedImage& without = first ? b : a;
        return std::string("program code: only the ") + (first ? "first" : "second") +
               " image has any (" + std::to_string(with.bytes.size() - kDataAreaSize) +
               " bytes); the " + (first ? "second" : "first") + ", a " +
               ModelName(without.modelCode) + " image, is all data area";
    }

    // Addresses in either model's data area hold channels and options, which
    // RadioDifferences tells about; a byte only one image has differs.
    struct Range {
        std::size_t first, last;
    };
    std::vector<Range> ranges;
    std::size_t count = 0;
    const std::size_t size = std::max(a.bytes.size(), b.bytes.size());
    for (std::size_t address = 0; address < size; ++address) {
        if (IsDataAddress(address, a.modelCode) || IsDataAddress(address, b.modelCode)) continue;
        const bool same = address < a.bytes.size() && address < b.bytes.size() &&
                          a.bytes[address] == b.bytes[address];
        if (same) continue;
        ++count;
        if (!ranges.empty() && ranges.back().last + 1 == address)
            ranges.back().last = address;
        else
            ranges.push_back({address, address});
    }
    if (count == 0) return std::nullopt;

    std::string line = "program code: " + std::to_string(count) +
                       (count == 1 ? " byte differs in " : " bytes differ in ");
    for (std::size_t i = 0; i < std::min(ranges.size(), kListedRanges); ++i) {
        const Range& range = ranges[i];
        line += (i ? ", " : "") + hexAddress(range.first);
        if (range.last != range.first) line += '-' + hexAddress(range.last);
    }
    if (ranges.size() > kListedRanges)
        line += " and " + std::to_string(ranges.size() - kListedRanges) + " more ranges";
    return line;
}

} // namespace kl40::cli
