// The CHIRP CSV writer and reader, against files CHIRP itself wrote and
// CHIRP's reading of files written here (see chirp/README).

#include "coding/tone_table.h"
#include "formats/chirp_csv_read.h"
#include "formats/chirp_csv_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numeric>
#include <random>
#include <sstream>

namespace kl40 {
namespace {

std::string fixturePath(const std::string& name) {
    const char* source = std::getenv("KL40_SOURCE_DIR");
    return std::string(source ? source : ".") + "/tests/formats/chirp/" + name;
}

std::string readFixture(const std::string& name) {
    std::ifstream file(fixturePath(name), std::ios::binary);
    EXPECT_TRUE(file) << fixturePath(name);
    return {std::istreambuf_iterator<char>(file), {}};
}

ChannelImport read(std::string_view text) {
    auto result = ReadChirpCsv(text);
    if (const CsvError* error = std::get_if<CsvError>(&result)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<ChannelImport>(std::move(result));
}

ChannelRecord channel(int number, const char* rx, const char* tx, const char* tone, bool scan,
                      const char* name = "", const char* comment = "") {
    return ChannelRecord{number, rx, tx, tone, scan, name, comment};
}

// Every kind of row: simplex, + and - shifts up to the whole band, a split
// beyond CHIRP's 70 MHz shift limit (only a damaged image holds one), tones
// or none, scan or not, a frequency off the raster.
const std::vector<ChannelRecord> kEveryKind{
    channel(1, "435.1250", "435.1250", "none", true),
    channel(2, "438.7250", "446.3250", "88.5", false),
    channel(9, "439.0000", "434.0000", "103.5", true),
    channel(10, "400.0000", "450.0000", "241.8", false),
    channel(11, "450.0000", "400.0000", "71.9", true),
    channel(12, "435.1234", "435.1234", "none", false),
    channel(50, "400.0125", "449.9875", "none", false),
    channel(98, "420.0000", "491.0000", "151.4", true),
    channel(99, "449.9875", "449.9875", "233.6", true),
};

TEST(ChirpCsvWrite, HeaderAndOneRowOfEachKindByteForByte) {
    const std::vector<ChannelRecord> channels{
        channel(1, "435.1250", "435.1250", "none", true),
        channel(2, "438.7250", "446.3250", "88.5", false),
        channel(3, "439.0000", "434.0000", "none", true),
        channel(4, "420.0000", "491.0000", "none", true),
    };
    const std::string rows =
        "1,,435.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,,,,,,\r\n"
        "2,,438.725000,+,7.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,S,,,,,,\r\n"
        "3,,439.000000,-,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,,,,,,\r\n"
        "4,,420.000000,split,491.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,,,,,,\r\n";
    const std::string header =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";
    const ChirpCsvExport exported = WriteChirpCsv(channels, false);
    EXPECT_EQ(exported.csv, header + rows);
    EXPECT_TRUE(exported.leftOut.empty());

    // With the receive tone on, a toned channel is TSQL with the tone in both columns.
    EXPECT_EQ(WriteChirpCsv({channel(7, "435.0000", "435.0000", "103.5", true)}, true).csv,
              header + "7,,435.000000,,0.000000,TSQL,103.5,103.5,023,NN,023,Tone->Tone,FM,"
                       "12.50,,,,,,,\r\n");

    // What a file cannot hold is named, not written.
    const ChirpCsvExport partial =
        WriteChirpCsv({ChannelRecord{5, std::nullopt, "435.0000", "none", false},
                       channel(6, "43x.0000", "435.0000", "none", false),
                       channel(7, "435.0000", "435.0000", "67.0", false)},
                      false);
    EXPECT_EQ(partial.csv, header);
    EXPECT_EQ(partial.leftOut,
              (std::vector<std::string>{
                  "Channel 5 has no receive frequency: left out.",
                  "Channel 6's frequency \"43x.0000\" is not a number: left out.",
                  "Channel 7's tone \"67.0\" is not one of the radio's CTCSS tones: left out."}));
}

// Random channels on and off the raster, with names and comments, written,
// the columns shuffled, and read again: the same channels, nothing refused or
// changed.
TEST(ChirpCsvRoundTrip, RandomChannelsComeBackWithColumnsInAnyOrder) {
    std::mt19937 random(20240611);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto frequency = [&] {
        // Four-decimal steps of 100 Hz, on the 12.5 kHz raster half the time.
        const int steps = pick(0, 1) ? pick(0, 4000) * 125 : pick(0, 500000);
        char text[16];
        std::snprintf(text, sizeof text, "%d.%04d", 400 + steps / 10000, steps % 10000);
        return std::string(text);
    };
    // Names and comments of any characters a cell may hold, blanks at the
    // ends, commas, quotes and line breaks among them.
    const auto text = [&] {
        static const std::string pieces[] = {"a",    "Z",  " ",  ",",       "\"",
                                             "\r\n", "\n", "\r", "\xC3\xA9"};
        std::string made;
        for (int n = pick(0, 1) ? 0 : pick(1, 6); n > 0; --n)
            made += pieces[static_cast<std::size_t>(pick(0, std::size(pieces) - 1))];
        return made;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<int> numbers(99);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        numbers.resize(static_cast<std::size_t>(pick(0, 99)));
        std::sort(numbers.begin(), numbers.end());
        std::vector<ChannelRecord> channels;
        for (int number : numbers) {
            const std::string rx = frequency();
            channels.push_back(
                ChannelRecord{number, rx, pick(0, 2) ? frequency() : rx,
                              ToneTable[static_cast<std::size_t>(pick(0, 30))].toneText,
                              pick(0, 1) == 1, text(), text()});
        }
        const bool receiveToneOn = pick(0, 1) == 1;
        const ChirpCsvExport exported = WriteChirpCsv(channels, receiveToneOn);
        ASSERT_TRUE(exported.leftOut.empty());

        auto records = std::get<std::vector<CsvRecord>>(ReadCsvRecords(exported.csv));
        std::vector<std::size_t> order(records.front().fields.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), random);
        // Every cell quoted here, whether or not the writer quoted it.
        std::string shuffled;
        for (const CsvRecord& record : records) {
            for (std::size_t i : order) {
                shuffled += '"';
                for (const char c : record.fields[i])
                    shuffled.append(c == '"' ? 2 : 1, c);
                shuffled += i == order.back() ? "\"\n" : "\",";
            }
        }

        const ChannelImport imported = read(shuffled);
        ASSERT_EQ(imported.channels.size(), channels.size()) << shuffled;
        // Each row's line counts the line breaks in the cells above it.
        const auto breaks = [](const std::string& cell) {
            int count = 0;
            for (std::size_t at = 0; at < cell.size(); ++at)
                count += cell[at] == '\n' || (cell[at] == '\r' && cell.substr(at, 2) != "\r\n");
            return count;
        };
        for (std::size_t i = 0, line = 2; i < channels.size(); ++i) {
            ASSERT_EQ(imported.channels[i].channel, channels[i]) << shuffled;
            ASSERT_EQ(imported.channels[i].row.line, static_cast<int>(line));
            line += 1 + breaks(channels[i].name) + breaks(channels[i].comment);
        }
        ASSERT_TRUE(imported.report.rows.empty()) << FormatImportReport(imported.report, 0);
        // Only TSQL rows, toned channels with the receive tone on, earn a note.
        const bool tsql =
            receiveToneOn && std::any_of(channels.begin(), channels.end(),
                                         [](const ChannelRecord& c) { return c.tone != "none"; });
        ASSERT_EQ(imported.report.notes.size(), tsql ? 1u : 0u);
    }
}

// CHIRP's file of one memory per kind of row (chirp/chirp-memories.csv):
// what the radio makes of each Location.
TEST(ChirpCsvRead, FileWrittenByChirpReadsRowByRow) {
    struct Expected {
        int location;
        std::optional<ChannelRecord> channel; // nothing: refused
        std::string remark;                   // the reason or the change, "" for none
    };
    const std::vector<Expected> table{
        {0, {}, "the Location must be a whole number from 1 to 99"},
        {1, channel(1, "435.1250", "435.1250", "none", true, "Simplex"), ""},
        {2, channel(2, "438.7250", "446.3250", "88.5", true), ""},
        {3, channel(3, "439.0000", "434.0000", "103.5", true), ""},
        {4, channel(4, "430.0500", "445.5000", "none", false), ""},
        {5, channel(5, "440.0000", "440.0000", "241.8", false, "", "north hill"), ""},
        {6, channel(6, "441.2500", "441.2500", "71.9", true, "Club, \"north\""), ""},
        {7, channel(7, "435.1234", "435.1234", "none", true), ""},
        {8, channel(8, "446.0000", "446.0125", "none", true),
         "446.006250 MHz is not on the radio's 12.5 kHz raster: it will use 446.0000 MHz"},
        {9, channel(9, "432.5000", "432.5000", "none", true), ""},
        {10, channel(10, "433.0000", "433.0000", "82.5", true), ""},
        {20, {}, "tone mode DTCS cannot be set on the radio: it has CTCSS tones only"},
        {21, {}, "tone 67.0 Hz is not one of the radio's CTCSS tones"},
        {22, {}, "Duplex off (transmit disabled) cannot be set on the radio"},
        {23, {}, "receive frequency 145.500000 MHz is outside 400-450 MHz"},
        {24, {}, "transmit frequency 453.000000 MHz is outside 400-450 MHz"},
        {25, {}, "mode AM: the radio works in FM only"},
        {26, {}, "tone mode Cross cannot be set on the radio: it has CTCSS tones only"},
        {100, {}, "the Location must be a whole number from 1 to 99"},
    };
    const ChannelImport imported = read(readFixture("chirp-memories.csv"));
    std::map<std::string, const ImportedChannel*> channels;
    for (const ImportedChannel& c : imported.channels)
        channels[c.row.location] = &c;
    std::map<std::string, const RowRemark*> remarks;
    for (const RowRemark& r : imported.report.rows)
        remarks[r.row.location] = &r;
    for (const Expected& row : table) {
        SCOPED_TRACE("Location " + std::to_string(row.location));
        const std::string location = std::to_string(row.location);
        const auto found = channels.find(location);
        ASSERT_EQ(found != channels.end(), row.channel.has_value());
        if (row.channel) {
            EXPECT_EQ(found->second->channel, *row.channel);
        }
        const auto remark = remarks.find(location);
        ASSERT_EQ(remark != remarks.end(), !row.remark.empty());
        if (remark == remarks.end()) continue;
        EXPECT_EQ(remark->second->reason, row.remark);
        EXPECT_EQ(remark->second->kind,
                  row.channel ? RowRemark::Kind::Changed : RowRemark::Kind::Refused);
        EXPECT_EQ(remark->second->row.line, row.location == 0     ? 2
                                            : row.location == 100 ? 20
                                            : row.location < 20   ? row.location + 2
                                                                  : row.location - 7);
    }
    EXPECT_EQ(channels.size() + imported.report.rows.size() - 1, table.size());
    EXPECT_EQ(imported.report.notes,
              (std::vector<std::string>{
                  "TSQL rows were imported with their tone; the radio checks the tone on receive "
                  "only with \"Receive CTCSS enable\" ticked."}));
}

// Files written here, as CHIRP read them (chirp/kl40-export-*.chirp.txt):
// CHIRP sees the channels' frequencies, tones and scan flags, this reader
// gives back the channels, and the writer still writes those files.
TEST(ChirpCsvRead, ExportedFilesReadTheSameInChirp) {
    for (const bool receiveToneOn : {false, true}) {
        const std::string name = receiveToneOn ? "kl40-export-tsql" : "kl40-export-tone";
        SCOPED_TRACE(name);
        const std::string csv = readFixture(name + ".csv");
        EXPECT_EQ(WriteChirpCsv(kEveryKind, receiveToneOn).csv, csv);

        std::istringstream chirp(readFixture(name + ".chirp.txt"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(chirp, line);)
            lines.push_back(line);
        ASSERT_EQ(lines.size(), kEveryKind.size());
        const ChannelImport imported = read(csv);
        auto ours = imported.channels.begin();
        for (std::size_t i = 0; i < kEveryKind.size(); ++i) {
            const ChannelRecord& sent = kEveryKind[i];
            std::istringstream words(lines[i]);
            int number = 0;
            words >> number;
            EXPECT_EQ(number, sent.number) << lines[i];
            std::map<std::string, std::string> value;
            for (std::string word; words >> word;) {
                const std::size_t equals = word.find('=');
                ASSERT_NE(equals, std::string::npos) << lines[i];
                value[word.substr(0, equals)] = word.substr(equals + 1);
            }
            EXPECT_EQ(*sent.rx + "00", value["freq"]) << lines[i];
            EXPECT_EQ(*sent.tx + "00", value["tx"]) << lines[i];
            EXPECT_EQ(sent.tone == "none" ? "\"\"" : sent.tone, value["tone"]) << lines[i];
            EXPECT_EQ(sent.scan ? "\"\"" : "S", value["skip"]) << lines[i];

            // The split beyond the band is the radio's to refuse, not CHIRP's.
            if (*sent.tx == "491.0000") continue;
            ASSERT_NE(ours, imported.channels.end());
            EXPECT_EQ((ours++)->channel, sent);
        }
        EXPECT_EQ(ours, imported.channels.end());
        ASSERT_EQ(imported.report.rows.size(), 1u);
        EXPECT_EQ(imported.report.rows[0].reason,
                  "transmit frequency 491.000000 MHz is outside 400-450 MHz");
    }
}

} // namespace
} // namespace kl40
