#include "entry/radio_entry_report.h"

#include "core/echo_text.h"

namespace kl40 {

namespace {

// A message of the form on one line: its lines joined as sentences.
std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, ". ");
    return text;
}

} // namespace

RadioEntryReport ReportEntry(const ApplyOutcome& outcome) {
    RadioEntryReport report;
    for (const ChannelOutcome& channel : outcome.channels) {
        const auto aboutChannel = [&channel](const std::string& reason) {
            return "channel " + std::to_string(channel.number) + ": " + reason;
        };
        if (channel.unknownTone) {
            report.refusal =
                aboutChannel("unknown CTCSS tone \"" + EchoText(*channel.unknownTone) + "\"");
            return report;
        }
        if (!channel.messages.empty()) {
            report.refusal = aboutChannel(oneLine(channel.messages.front()));
            return report;
        }
        if (const auto& note = channel.rasterNote) {
            std::size_t from = 0;
            for (std::size_t end; (end = note->find('\n', from)) != std::string::npos;
                 from = end + 1)
                report.notes.push_back(aboutChannel(note->substr(from, end - from)));
            report.notes.push_back(aboutChannel(note->substr(from)));
        }
    }
    return report;
}

} // namespace kl40
