// Random radio files through the command line: a radio file exported as a
// channel list and built back into a radio file keeps every channel's name and
// comment, and an image decoded to a radio file builds again to the same bytes.

#include "formats/radio_json.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>

namespace kl40 {
namespace {

RadioRecord randomRecord(std::mt19937& rng) {
    const char* texts[] = {"", "Rep A", "\xC3\x9Cmlaut, \"q\"", "a;b,c", "  two  blanks "};
    const char* tones[] = {"none", "88.5", "94.8", "82.5"};
    std::uniform_int_distribution<int> percent(0, 99), step(0, 800), pick(0, 4);
    RadioRecord record;
    record.options = {"Enable Scan"};
    for (int n = 1; n <= kHighestChannel; ++n) {
        if (percent(rng) < 70) continue;
        ChannelRecord channel;
        channel.number = n;
        char rx[16];
        std::snprintf(rx, sizeof rx, "%.4f", 430.0 + step(rng) * 0.0125);
        channel.rx = channel.tx = rx;
        channel.tone = tones[pick(rng) % 4];
        channel.scan = percent(rng) < 30;
        channel.name = texts[pick(rng)];
        channel.comment = texts[pick(rng)];
        record.channels.push_back(channel);
    }
    return record;
}

TEST(RadioFileRoundTrip, ExportKeepsNamesAndDecodeBuildKeepsTheImage) {
    test::TempFolder dir;
    std::mt19937 rng(23);
    for (int round = 0; round < 8; ++round) {
        const RadioRecord record = randomRecord(rng);
        dir.writeText("radio.json", WriteRadioJson(record));

        const test::CliResult csv = test::RunCli({"export-csv", dir.file("radio.json")});
        ASSERT_EQ(csv.status, 0) << csv.errors;
        // The list builds into a radio file again, names and comments kept.
        dir.writeText("radio.csv", csv.out);
        const test::CliResult back = test::RunCli(
            {"build", dir.file("radio.csv"), "--model", "KL40c", "-o", dir.file("back.json")});
        ASSERT_EQ(back.status, 0) << back.errors;
        const auto read = ParseRadioJson(dir.readText("back.json"));
        ASSERT_TRUE(std::holds_alternative<RadioRecord>(read));
        std::map<int, std::pair<std::string, std::string>> kept;
        for (const ChannelRecord& channel : std::get<RadioRecord>(read).channels)
            kept[channel.number] = {channel.name, channel.comment};
        ASSERT_EQ(kept.size(), record.channels.size());
        for (const ChannelRecord& channel : record.channels)
            EXPECT_EQ(kept[channel.number], std::make_pair(channel.name, channel.comment))
                << channel.number;

        ASSERT_EQ(test::RunCli({"build", dir.file("radio.json"), "-o", dir.file("a.bin")}).status,
                  0);
        const test::CliResult decoded = test::RunCli({"decode", dir.file("a.bin")});
        ASSERT_EQ(decoded.status, 0) << decoded.errors;
        dir.writeText("decoded.json", decoded.out);
        const test::CliResult rebuilt =
            test::RunCli({"build", dir.file("decoded.json"), "-o", dir.file("b.bin")});
        ASSERT_EQ(rebuilt.status, 0) << rebuilt.errors;
        EXPECT_EQ(dir.readBytes("a.bin"), dir.readBytes("b.bin"));
    }
}

} // namespace
} // namespace kl40
