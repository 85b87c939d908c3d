#include "formats/chirp_csv_write.h"

#include "coding/tone_table.h"
#include "formats/megahertz.h"

#include <cstdint>
#include <optional>

namespace kl40 {

namespace {

// CHIRP's own radio drivers write an offset up to this as a shift, a larger
// one as a split.
constexpr std::int64_t kLargestShift = 70'000'000;

// CHIRP drops a row with a blank or unknown value in these columns, used or
// not, so an unused one holds CHIRP's own default.
constexpr const char* kPlaceholderTone = "88.5";

bool isListedTone(const std::string& tone) {
    for (const ToneRow& row : ToneTable)
        if (tone == row.toneText) return true;
    return false;
}

// A text cell, quoted when it holds a comma, a quote or a line break.
std::string csvText(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted.append(c == '"' ? 2 : 1, c);
    return quoted + '"';
}

std::string channelName(const ChannelRecord& channel) {
    return "Channel " + std::to_string(channel.number);
}

} // namespace

ChirpCsvExport WriteChirpCsv(const std::vector<ChannelRecord>& channels, bool receiveToneOn) {
    ChirpCsvExport out;
    out.csv = std::string(kChirpCsvHeader) + "\r\n";
    for (const ChannelRecord& channel : channels) {
        if (!channel.rx || channel.rx->empty()) {
            out.leftOut.push_back(channelName(channel) + " has no receive frequency: left out.");
            continue;
        }
        const std::optional<std::int64_t> rx = HertzFromMHz(*channel.rx);
        const std::string& txText = channel.tx && !channel.tx->empty() ? *channel.tx : *channel.rx;
        const std::optional<std::int64_t> tx = HertzFromMHz(txText);
        if (!rx || !tx) {
            out.leftOut.push_back(channelName(channel) + "'s frequency \"" +
                                  (rx ? txText : *channel.rx) + "\" is not a number: left out.");
            continue;
        }
        const bool toned = channel.tone != "none";
        if (toned && !isListedTone(channel.tone)) {
            out.leftOut.push_back(channelName(channel) + "'s tone \"" + channel.tone +
                                  "\" is not one of the radio's CTCSS tones: left out.");
            continue;
        }

        std::string duplex;
        std::int64_t offset = 0;
        if (*tx - *rx > kLargestShift || *rx - *tx > kLargestShift) {
            duplex = "split";
            offset = *tx;
        } else if (*tx != *rx) {
            duplex = *tx > *rx ? "+" : "-";
            offset = *tx > *rx ? *tx - *rx : *rx - *tx;
        }
        std::string toneMode;
        std::string rTone = kPlaceholderTone;
        std::string cTone = kPlaceholderTone;
        if (toned) {
            // A TSQL row carries the tone in both columns: CHIRP takes
            // cToneFreq, some tools that read its files take rToneFreq.
            toneMode = receiveToneOn ? "TSQL" : "Tone";
            rTone = channel.tone;
            if (receiveToneOn) cTone = channel.tone;
        }
        const std::string fields[] = {std::to_string(channel.number), csvText(channel.name),
                                      SixDecimalMHz(*rx), duplex, SixDecimalMHz(offset), toneMode,
                                      rTone, cTone, "023", "NN", "023", "Tone->Tone", "FM", "12.50",
                                      channel.scan ? "" : "S",
                                      // The radio has no power setting to name.
                                      "", csvText(channel.comment), "", "", "", ""};
        for (const std::string& field : fields)
            out.csv.append(field).append(",");
        out.csv.back() = '\r';
        out.csv += '\n';
    }
    return out;
}

} // namespace kl40
