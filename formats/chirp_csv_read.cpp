#include "formats/chirp_csv_read.h"

#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/radio.h"
#include "formats/megahertz.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace kl40 {

namespace {

constexpr std::int64_t kLowestHertz = 400'000'000;
constexpr std::int64_t kHighestHertz = 450'000'000;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// One data row with the header's column positions.
class Row {
public:
    Row(const std::map<std::string, std::size_t, std::less<>>& columns, const CsvRecord& record)
        : columns_(columns), record_(record) {}

    // The trimmed cell of a column, or nothing when the file has no such column.
    std::optional<std::string_view> cell(std::string_view column) const {
        const auto found = columns_.find(column);
        if (found == columns_.end()) return std::nullopt;
        // A short row is refused; its Location is still shown when it has one.
        if (found->second >= record_.fields.size()) return std::string_view();
        return trimmed(record_.fields[found->second]);
    }
    std::string_view cellOrBlank(std::string_view column) const {
        return cell(column).value_or(std::string_view());
    }
    // A text cell as written, blanks and all ("" without the column).
    std::string text(std::string_view column) const {
        const auto found = columns_.find(column);
        if (found == columns_.end() || found->second >= record_.fields.size()) return {};
        return record_.fields[found->second];
    }

private:
    const std::map<std::string, std::size_t, std::less<>>& columns_;
    const CsvRecord& record_;
};

std::optional<int> channelNumber(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > kHighestChannel) return std::nullopt;
    return number;
}

// A frequency cell as CHIRP writes it, "435.125000", perhaps with " MHz".
std::optional<std::int64_t> frequencyCell(std::string_view text) {
    if (text.ends_with(" MHz")) text.remove_suffix(4);
    return HertzFromMHz(text);
}

// The radio's tone text for a tone cell ("88.5", "88.50"), compared exactly.
std::optional<std::string> listedTone(std::string_view text) {
    const std::optional<std::int64_t> value = HertzFromMHz(text); // millionths, as for MHz
    if (!value) return std::nullopt;
    for (const ToneRow& row : ToneTable)
        if (HertzFromMHz(row.toneText) == value) return std::string(row.toneText);
    return std::nullopt;
}

struct Outcome {
    std::optional<ChannelRecord> channel;
    std::string refusal;
    std::vector<std::string> changes;
    bool tsql = false;
};

Outcome refused(std::string reason) {
    return Outcome{std::nullopt, std::move(reason), {}, false};
}

// The channel of one row, or why the radio cannot hold it.
Outcome readRow(const Row& row, int number) {
    Outcome out;
    const std::string_view frequency = row.cellOrBlank("Frequency");
    const std::optional<std::int64_t> rx = frequencyCell(frequency);
    if (!rx) return refused("Frequency " + quoted(frequency) + " is not a frequency in MHz");

    std::int64_t tx = *rx;
    const std::string_view duplex = row.cellOrBlank("Duplex");
    if (duplex == "+" || duplex == "-" || duplex == "split") {
        const std::optional<std::string_view> offsetCell = row.cell("Offset");
        if (!offsetCell) return refused("Duplex " + std::string(duplex) + " but no Offset column");
        if (duplex == "split" && offsetCell->empty())
            return refused("Duplex split with a blank Offset (the transmit frequency)");
        // CHIRP reads a blank Offset as 0.
        const std::optional<std::int64_t> offset =
            offsetCell->empty() ? std::optional<std::int64_t>(0) : frequencyCell(*offsetCell);
        if (!offset) return refused("Offset " + quoted(*offsetCell) + " is not a frequency in MHz");
        tx = duplex == "+" ? *rx + *offset : duplex == "-" ? *rx - *offset : *offset;
    } else if (duplex == "off") {
        return refused("Duplex off (transmit disabled) cannot be set on the radio");
    } else if (!duplex.empty()) {
        return refused("unknown Duplex " + quoted(duplex));
    }
    for (const auto& [which, hertz] : {std::pair{"receive", *rx}, std::pair{"transmit", tx}})
        if (hertz < kLowestHertz || hertz > kHighestHertz)
            return refused(std::string(which) + " frequency " +
                           (hertz < 0 ? std::string("below 0") : SixDecimalMHz(hertz) + " MHz") +
                           " is outside 400-450 MHz");

    std::string tone = "none";
    const std::string_view mode = row.cellOrBlank("Tone");
    if (mode == "Tone" || mode == "TSQL") {
        // Tone sends rToneFreq; TSQL sends and checks cToneFreq. A file with
        // only one of the two columns uses it for both, as CHIRP does.
        const char* wanted = mode == "Tone" ? "rToneFreq" : "cToneFreq";
        const char* other = mode == "Tone" ? "cToneFreq" : "rToneFreq";
        const std::optional<std::string_view> cell =
            row.cell(wanted) ? row.cell(wanted) : row.cell(other);
        if (!cell)
            return refused("tone mode " + std::string(mode) + " but no " + wanted + " column");
        const std::optional<std::string> listed = listedTone(*cell);
        if (!listed) {
            if (!HertzFromMHz(*cell))
                return refused(std::string(row.cell(wanted) ? wanted : other) + " " +
                               quoted(*cell) + " is not a number");
            return refused("tone " + UnlistedToneText(*cell));
        }
        tone = *listed;
        out.tsql = mode == "TSQL";
    } else if (mode == "DTCS" || mode == "DTCS-R" || mode == "TSQL-R" || mode == "Cross") {
        return refused("tone mode " + std::string(mode) +
                       " cannot be set on the radio: it has CTCSS tones only");
    } else if (!mode.empty()) {
        return refused("unknown tone mode " + quoted(mode));
    }

    const std::string_view modulation = row.cellOrBlank("Mode");
    if (!modulation.empty() && modulation != "FM" && modulation != "NFM")
        return refused("mode " + std::string(modulation) + ": the radio works in FM only");

    const std::string_view skip = row.cellOrBlank("Skip");
    if (!skip.empty() && skip != "S" && skip != "P") return refused("unknown Skip " + quoted(skip));

    // The entry takes four decimals; a finer frequency becomes the raster
    // step the radio will use, said so in the report.
    const auto entryText = [&out](std::int64_t hertz) {
        const std::string exact = SixDecimalMHz(hertz);
        if (hertz % 100 == 0) return exact.substr(0, exact.size() - 2);
        const std::string used = RasterFrequency(exact);
        const std::string change =
            exact + " MHz is not on the radio's 12.5 kHz raster: it will use " + used + " MHz";
        if (out.changes.empty() || out.changes.back() != change) out.changes.push_back(change);
        return used;
    };
    ChannelRecord channel;
    channel.number = number;
    channel.rx = entryText(*rx);
    channel.tx = entryText(tx);
    channel.tone = tone;
    channel.scan = skip != "S";
    channel.name = row.text("Name");
    channel.comment = row.text("Comment");
    out.channel = std::move(channel);
    return out;
}

} // namespace

std::variant<ChannelImport, CsvError> ReadChirpCsv(std::string_view text, Locations locations) {
    if (text.size() > kMaxChirpCsvBytes)
        return CsvError{"The file is larger than 1 MiB: not a channel list."};
    auto records = ReadCsvRecords(text);
    if (const CsvError* error = std::get_if<CsvError>(&records)) return *error;
    const std::vector<CsvRecord>& rows = std::get<std::vector<CsvRecord>>(records);
    if (rows.empty()) return CsvError{"The file is empty."};
    if (rows.size() - 1 > kMaxChirpCsvRows)
        return CsvError{"The file has more than " + std::to_string(kMaxChirpCsvRows) +
                        " rows: not a channel list."};

    const CsvRecord& header = rows.front();
    std::map<std::string, std::size_t, std::less<>> columns;
    for (std::size_t i = 0; i < header.fields.size(); ++i)
        columns.emplace(header.fields[i], i); // the first of two equal names counts
    for (const char* needed : {"Location", "Frequency"})
        if (!columns.contains(needed))
            return CsvError{std::string("The first line names no ") + needed +
                            " column: not a CHIRP CSV file."};

    ChannelImport result;
    std::map<int, int> lineOfChannel;
    bool anyTsql = false;
    for (auto record = rows.begin() + 1; record != rows.end(); ++record) {
        const Row row(columns, *record);
        FileRow where{record->line, locations == Locations::Ignored
                                        ? std::string()
                                        : std::string(row.cellOrBlank("Location"))};
        if (record->fields.size() < header.fields.size()) {
            result.report.refuse(where, "the row has " + std::to_string(record->fields.size()) +
                                            " fields where the header has " +
                                            std::to_string(header.fields.size()));
            continue;
        }
        const std::optional<int> number =
            locations == Locations::Ignored ? 0 : channelNumber(where.location);
        if (!number) {
            result.report.refuse(where, "the Location must be a whole number from 1 to 99");
            continue;
        }
        if (const auto taken = lineOfChannel.find(*number);
            *number != 0 && taken != lineOfChannel.end()) {
            result.report.refuse(where, "the Location is already taken by line " +
                                            std::to_string(taken->second));
            continue;
        }
        Outcome outcome = readRow(row, *number);
        if (!outcome.channel) {
            result.report.refuse(where, std::move(outcome.refusal));
            continue;
        }
        for (std::string& change : outcome.changes)
            result.report.change(where, std::move(change));
        anyTsql = anyTsql || outcome.tsql;
        lineOfChannel.emplace(*number, where.line);
        result.channels.push_back({std::move(where), std::move(*outcome.channel)});
    }
    if (anyTsql)
        result.report.notes.push_back(
            "TSQL rows were imported with their tone; the radio checks the tone on receive only "
            "with \"Receive CTCSS enable\" ticked.");
    return result;
}

} // namespace kl40
