// Copying channel table rows and pasting them back, as tab-separated text or
// as a CSV channel list.

#include "formats/channel_clipboard.h"

#include "entry/channel_rules.h"

#include "support/random_radio.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kl40 {
namespace {

ChannelSelection allRows() {
    ChannelSelection rows;
    for (int n = 1; n <= kHighestChannel; ++n)
        rows.insert(n);
    return rows;
}

TEST(ChannelClipboard, CopyThenPasteGivesTheSameChannels) {
    std::mt19937 rng(99);
    for (int run = 0; run < 40; ++run) {
        const Radio radio = test::RandomRadio(rng);
        std::string text = CopyChannelRows(radio, allRows());
        if (run % 2) text.erase(0, text.find('\n') + 1); // rows typed without the header
        const TableOutcome pasted = PasteChannelRows(Radio{}, 1, text);
        ASSERT_TRUE(std::holds_alternative<TableChange>(pasted))
            << std::get<TableRefusal>(pasted).reason;
        const TableChange& change = std::get<TableChange>(pasted);
        for (const std::string& note : change.notes)
            EXPECT_NE(note.find("raster"), std::string::npos) << note;
        for (int n = 1; n <= kHighestChannel; ++n)
            ASSERT_EQ(change.radio.channels[n], radio.channels[n]) << "channel " << n << "\n"
                                                                   << text;
    }
}

TEST(ChannelClipboard, PasteLandsRowsInOrderAndReportsTheRefusedOnes) {
    Radio radio;
    radio.channels[6] =
        Channel{.rx = Frequency{4300000}, .tx = Frequency{4300000}, .name = "kept", .comment = ""};
    const std::string text = std::string(kChannelTableHeader) +
                             "\n"
                             "40\t435.1\t\t\t\t88.5\tY\tFirst\t\n"
                             "41\t447\t\t+\t2\t\tN\t\t\n"
                             "42\t435\t440\t+\t3\t\t\t\t\n"
                             "43\t435\t\n"
                             "44\t401\t400.5\tsplit\t\tnone\tN\tSplit\tc\r\n";
    const TableOutcome outcome = PasteChannelRows(radio, 5, text);
    ASSERT_TRUE(std::holds_alternative<TableChange>(outcome));
    const TableChange& change = std::get<TableChange>(outcome);
    EXPECT_EQ(change.notes, (std::vector<std::string>{
                                "Line 4: refused: the transmit frequency 440.0000 MHz does not "
                                "agree with the duplex and offset of the row",
                                "Line 5: refused: the row has 3 columns where the table has 9"}));
    const std::string expected = std::string(kChannelTableHeader) +
                                 "\n"
                                 "5\t435.1000\t435.1000\t\t\t88.5\tY\tFirst\t\n"
                                 "6\t447.0000\t449.0000\t+\t2.0000\tnone\tN\t\t\n"
                                 "7\t\t\t\t\t\t\t\t\n"
                                 "8\t\t\t\t\t\t\t\t\n"
                                 "9\t401.0000\t400.5000\tsplit\t\tnone\tN\tSplit\tc\n";
    EXPECT_EQ(CopyChannelRows(change.radio, {5, 6, 7, 8, 9}), expected);
    EXPECT_EQ(change.radio.channelCount, 9);
}

TEST(ChannelClipboard, PasteOfACsvChannelListIgnoresItsLocations) {
    const std::string csv = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Skip\n"
                            "0,R1,439.000000,-,5.000000,Tone,88.5,88.5,\n"
                            "0,R2,435.000000,,0.000000,,88.5,88.5,S\n"
                            "250,R3,146.520000,,0.000000,,88.5,88.5,\n"
                            "7,R4,433.500000,split,434.000000,,88.5,88.5,\n";
    const TableOutcome outcome = PasteChannelRows(Radio{}, 20, csv);
    ASSERT_TRUE(std::holds_alternative<TableChange>(outcome));
    const TableChange& change = std::get<TableChange>(outcome);
    ASSERT_EQ(change.notes.size(), 1u);
    EXPECT_EQ(change.notes[0],
              "Line 4: refused: receive frequency 146.520000 MHz is outside 400-450 MHz");
    EXPECT_EQ(CopyChannelRows(change.radio, {20, 21, 22, 23}),
              std::string(kChannelTableHeader) +
                  "\n"
                  "20\t439.0000\t434.0000\t-\t5.0000\t88.5\tY\tR1\t\n"
                  "21\t435.0000\t435.0000\t\t\tnone\tN\tR2\t\n"
                  "22\t\t\t\t\t\t\t\t\n"
                  "23\t433.5000\t434.0000\t+\t0.5000\tnone\tY\tR4\t\n");
}

TEST(ChannelClipboard, PasteRefusedAsAWholeChangesNothing) {
    Radio radio;
    radio.channels[98] = Channel{};
    const std::string twoRows = "1\t435\t\t\t\t\t\t\t\n2\t436\t\t\t\t\t\t\t\n";
    const struct {
        int first;
        std::string text;
        std::string reason;
    } cases[] = {
        {99, twoRows, "2 rows pasted at channel 99 would run past channel 99: nothing was pasted."},
        {0, twoRows, kChannelNumberRefusal},
        {1, "\n \n",
         "The clipboard holds no channel rows: copy rows of the channel table, "
         "tab-separated rows of its columns, or a CSV channel list with its header "
         "line."},
        {1, "435.125\n",
         "The clipboard holds no channel rows: copy rows of the channel table, "
         "tab-separated rows of its columns, or a CSV channel list with its "
         "header line.\nThe first line names no Location column: not a CHIRP "
         "CSV file."},
        {1, "1\t451\t\t\t\t\t\t\t\n",
         "No row was pasted.\nLine 1: refused: A valid frequency must be entered. The receive "
         "frequency must be from 400 to 450 MHz, with at most four decimals."},
    };
    for (const auto& c : cases) {
        const TableOutcome outcome = PasteChannelRows(radio, c.first, c.text);
        ASSERT_TRUE(std::holds_alternative<TableRefusal>(outcome)) << c.reason;
        EXPECT_EQ(std::get<TableRefusal>(outcome).reason, c.reason);
    }
}

} // namespace
} // namespace kl40
