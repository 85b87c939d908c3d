// The channel table's operations against the rules of the entry: random
// operations on random radios keep every rule, each operation does what the
// operator asked of it and nothing else, and every refusal says why.

#include "coding/frequency_code.h"
#include "entry/cell_edit.h"
#include "entry/channel_rows.h"
#include "entry/channel_rules.h"

#include "support/random_radio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kl40 {
namespace {

const std::optional<Channel>& at(const Radio& radio, int n) {
    return radio.channels[static_cast<std::size_t>(n)];
}

// The filled rows 1 to 99, sorted, to compare as a multiset.
std::vector<std::string> contents(const Radio& radio) {
    std::vector<std::string> rows;
    for (int n = 1; n <= kHighestChannel; ++n)
        if (const auto& channel = at(radio, n)) {
            std::string row;
            for (std::size_t c = 0; c < kColumnCount; ++c)
                row += CellText(*channel, static_cast<Column>(c)) + "|";
            rows.push_back(row);
        }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// What every radio the table leaves holds to.
void expectRulesKept(const Radio& radio, const Radio& before) {
    int scans = 0;
    for (int n = 1; n <= kHighestChannel; ++n) {
        const auto& channel = at(radio, n);
        if (!channel) continue;
        SCOPED_TRACE("channel " + std::to_string(n));
        scans += channel->scan;
        ASSERT_TRUE(channel->rx && channel->tx);
        for (Frequency f : {*channel->rx, *channel->tx}) {
            const FrequencyCheck check = CheckFrequency(FrequencyText(f));
            EXPECT_EQ(check.outcome, FrequencyCheck::Taken) << f.hundredHz;
            EXPECT_EQ(check.value, f);
        }
        const std::int64_t up = channel->tx->hundredHz - channel->rx->hundredHz;
        if (!channel->split) {
            EXPECT_EQ(CellText(*channel, Column::Duplex), up == 0 ? "" : up > 0 ? "+" : "-");
            EXPECT_EQ(CellText(*channel, Column::Offset),
                      up == 0 ? "" : FrequencyText(Frequency{std::abs(up)}));
        }
    }
    EXPECT_LE(scans, kMaxScanChannels);
    EXPECT_GE(radio.channelCount, before.channelCount);
    EXPECT_GE(radio.channelCount, radio.highestChannel());
}

// The cell as the table should show it after `typed` was taken.
std::string expectedCell(Column column, const std::string& typed) {
    switch (column) {
    case Column::Receive:
    case Column::Transmit:
        return FrequencyText(CheckFrequency(typed).value);
    case Column::Offset:
        return typed == "0" ? "" : FrequencyText(Frequency{std::llround(std::stod(typed) * 1e4)});
    case Column::Ctcss:
        return typed.empty() ? "none" : typed;
    case Column::Scan:
        return typed == "Y" ? "Y" : "N";
    default:
        return typed;
    }
}

const std::vector<std::string> kTypedTexts[kColumnCount] = {
    {"435.125", "400", "450", "449.9", "401.0034", "450.0001", "399", "435.12345", "x", ""},
    {"435.125", "440", "400.0125", "450", "451", "", "435.1x"},
    {"", "+", "-", "split", "plus"},
    {"0", "5", "7.6", "0.0125", "50", "60", "-1", "1.23456"},
    {"88.5", "none", "", "250.3", "100.0", "8 8"},
    {"Y", "N", "maybe"},
    {"Rep A", "", "tab\there"},
    {"a comment", "two\nlines"},
};

ChannelSelection randomSelection(std::mt19937& rng) {
    ChannelSelection rows;
    const int count = std::uniform_int_distribution<int>(0, 6)(rng);
    for (int i = 0; i < count; ++i)
        rows.insert(std::uniform_int_distribution<int>(0, 100)(rng));
    return rows;
}

TEST(ChannelTableProperty, RandomOperationsKeepTheRulesAndDoWhatWasAsked) {
    std::mt19937 rng(4040);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    int taken = 0, refused = 0;
    for (int run = 0; run < 30; ++run) {
        Radio radio = test::RandomRadio(rng);
        for (int step = 0; step < 150; ++step) {
            const Radio before = radio;
            const int op = pick(0, 9);
            const int n = pick(0, 100);
            const ChannelSelection rows = randomSelection(rng);
            TableOutcome outcome;
            std::function<void(const Radio&)> check = [](const Radio&) {};
            if (op < 5) {
                const auto column = static_cast<Column>(pick(0, kColumnCount - 1));
                const auto& texts = kTypedTexts[static_cast<std::size_t>(column)];
                const std::string typed =
                    texts[static_cast<std::size_t>(pick(0, int(texts.size()) - 1))];
                outcome = CommitCell(before, n, column, typed);
                check = [&, column, typed](const Radio& after) {
                    SCOPED_TRACE("cell " + std::to_string(int(column)) + " of " +
                                 std::to_string(n) + ": " + typed);
                    for (int k = 0; k < kChannelSlots; ++k) {
                        if (k != n) {
                            EXPECT_EQ(at(after, k), at(before, k));
                        }
                    }
                    if (column == Column::Receive && typed.empty()) {
                        EXPECT_FALSE(at(after, n));
                        return;
                    }
                    const Channel& was = at(before, n).value_or(Channel{});
                    const Channel& now = *at(after, n);
                    // An empty transmit frequency is the receive one.
                    EXPECT_EQ(CellText(now, column), column == Column::Transmit && typed.empty()
                                                         ? CellText(now, Column::Receive)
                                                         : expectedCell(column, typed));
                    if (column == Column::Duplex && (typed == "+" || typed == "-") &&
                        was.tx == was.rx) {
                        EXPECT_EQ(CellText(now, Column::Offset), "5.0000");
                    }
                    if (column == Column::Receive && at(before, n)) {
                        // The transmit frequency follows: the offset and duplex stay.
                        EXPECT_EQ(CellText(now, Column::Duplex), CellText(was, Column::Duplex));
                        EXPECT_EQ(CellText(now, Column::Offset), CellText(was, Column::Offset));
                        if (was.split) {
                            EXPECT_EQ(now.tx, was.tx);
                        }
                    }
                };
            } else if (op == 5) {
                outcome = InsertChannel(before, n);
                check = [&](const Radio& after) {
                    for (int k = 1; k < kHighestChannel; ++k)
                        EXPECT_EQ(at(after, k < n ? k : k + 1), at(before, k));
                    EXPECT_FALSE(at(after, n));
                };
            } else if (op == 6) {
                const auto direction = pick(0, 1) ? MoveDirection::Up : MoveDirection::Down;
                outcome = MoveChannels(before, rows, direction);
                check = [&, direction](const Radio& after) {
                    EXPECT_EQ(contents(after), contents(before));
                    for (int k : rows)
                        EXPECT_EQ(at(after, direction == MoveDirection::Up ? k - 1 : k + 1),
                                  at(before, k));
                };
            } else if (op == 7) {
                const Frequency step{pick(-2, 4) * 125};
                const std::string start = pick(0, 1) ? "449.5" : "435";
                outcome = FillReceive(before, rows, start, step);
                check = [&, step, start](const Radio& after) {
                    std::int64_t i = 0;
                    for (int k : rows) {
                        const Channel& was = at(before, k).value_or(Channel{});
                        const Channel& now = *at(after, k);
                        EXPECT_EQ(now.rx->hundredHz,
                                  CheckFrequency(start).value.hundredHz + i++ * step.hundredHz);
                        EXPECT_EQ(CellText(now, Column::Duplex), CellText(was, Column::Duplex));
                        EXPECT_EQ(CellText(now, Column::Offset), CellText(was, Column::Offset));
                    }
                };
            } else if (op == 8) {
                const auto key = static_cast<SortKey>(pick(0, 3));
                outcome = SortChannels(before, key);
                check = [&, key](const Radio& after) {
                    EXPECT_EQ(contents(after), contents(before));
                    const int filled = static_cast<int>(contents(before).size());
                    for (int k = 1; k <= kHighestChannel; ++k)
                        EXPECT_EQ(at(after, k).has_value(), k <= filled);
                    for (int k = 2; k <= filled && key == SortKey::Receive; ++k)
                        EXPECT_LE(at(after, k - 1)->rx, at(after, k)->rx);
                };
            } else {
                outcome = DeleteChannels(before, rows);
                check = [&](const Radio& after) {
                    for (int k = 0; k < kChannelSlots; ++k)
                        EXPECT_EQ(at(after, k), rows.contains(k) ? std::nullopt : at(before, k));
                };
            }
            if (const auto* refusal = std::get_if<TableRefusal>(&outcome)) {
                EXPECT_FALSE(refusal->reason.empty());
                ++refused;
                continue;
            }
            radio = std::get<TableChange>(outcome).radio;
            ++taken;
            expectRulesKept(radio, before);
            check(radio);
            if (::testing::Test::HasFailure()) return;
        }
    }
    // Both kinds happened often enough to mean something.
    EXPECT_GT(taken, 1000);
    EXPECT_GT(refused, 500);
}

Channel simplexAt(std::int64_t units) {
    Channel channel;
    channel.rx = channel.tx = Frequency{units};
    return channel;
}

// Channel 1 simplex at 435, 2 "+5" from 444, 3 split 435/437, 10 to 41 the
// 32 scan channels, 42 a channel without scan.
Radio sampleRadio() {
    Radio radio;
    radio.channels[1] = simplexAt(4350000);
    radio.channels[2] = simplexAt(4440000);
    radio.channels[2]->tx = Frequency{4490000};
    radio.channels[3] = simplexAt(4350000);
    radio.channels[3]->tx = Frequency{4370000};
    radio.channels[3]->split = true;
    for (std::size_t n = 10; n <= 42; ++n) {
        radio.channels[n] = simplexAt(4300000);
        radio.channels[n]->scan = n != 42;
    }
    radio.channelCount = 42;
    return radio;
}

TEST(ChannelTableRefusals, SayWhy) {
    const Radio radio = sampleRadio();
    Radio full = radio;
    full.channels[99] = simplexAt(4350000);
    const std::string transmitAt451 = "An offset of 5.0000 MHz puts the transmit frequency at "
                                      "451.0000 MHz, outside 400 to 450 MHz.";
    const struct {
        TableOutcome outcome;
        std::string reason;
    } cases[] = {
        {CommitCell(radio, 0, Column::Receive, "435"), kChannelNumberRefusal},
        {CommitCell(radio, 1, Column::Receive, "451"), FrequencyRefusalText("receive")},
        {CommitCell(radio, 1, Column::Receive, "435.12345"), FrequencyRefusalText("receive")},
        {CommitCell(radio, 50, Column::Ctcss, "88.5"),
         "Channel 50 has no receive frequency: enter it first."},
        {CommitCell(radio, 1, Column::Transmit, "399"), FrequencyRefusalText("transmit")},
        {CommitCell(radio, 2, Column::Receive, "446"), transmitAt451},
        {CommitCell(radio, 2, Column::Offset, "7"),
         "An offset of 7.0000 MHz puts the transmit frequency at 451.0000 MHz, outside 400 to "
         "450 MHz."},
        {CommitCell(radio, 1, Column::Duplex, "+", Frequency{160000}),
         "An offset of 16.0000 MHz puts the transmit frequency at 451.0000 MHz, outside 400 to "
         "450 MHz."},
        {CommitCell(radio, 1, Column::Duplex, "plus"),
         "Duplex must be blank (simplex), \"+\", \"-\" or \"split\"."},
        {CommitCell(radio, 1, Column::Offset, "5"),
         "Choose \"+\" or \"-\" as the duplex before typing an offset."},
        {CommitCell(radio, 2, Column::Offset, "1.23456"), kOffsetRefusal},
        {CommitCell(radio, 1, Column::Ctcss, "100.0"),
         "100.0 Hz is not one of the radio's CTCSS tones."},
        {CommitCell(radio, 1, Column::Scan, "maybe"), "Scan must be Y or N."},
        {CommitCell(radio, 42, Column::Scan, "Y"), kScanLimitText},
        {CommitCell(radio, 1, Column::Name, "a\tb"), "A name cannot hold a tab or a line break."},
        {InsertChannel(full, 5), "Channel 99 is in use: there is no room to insert a channel."},
        {MoveChannels(radio, {1, 5}, MoveDirection::Up),
         "Channel 1 is the first row: it cannot move up."},
        {MoveChannels(radio, {99}, MoveDirection::Down),
         "Channel 99 is the last row: it cannot move down."},
        {MoveChannels(radio, {}, MoveDirection::Up), "No channels are selected."},
        {DeleteChannels(radio, {5, 100}), kChannelNumberRefusal},
        {FillReceive(radio, {1}, "abc"), FrequencyRefusalText("start")},
        {FillReceive(radio, {1, 2}, "445.9875"),
         "Channel 2 would transmit on 451.0000 MHz, outside 400 to 450 MHz."},
        {FillReceive(radio, {97, 98, 99}, "449.9875"),
         "Channel 99 would receive on 450.0125 MHz, outside 400 to 450 MHz."},
    };
    for (const auto& c : cases) {
        const auto* refusal = std::get_if<TableRefusal>(&c.outcome);
        ASSERT_TRUE(refusal) << "taken where refused: " << c.reason;
        EXPECT_EQ(refusal->reason, c.reason);
    }
}

// Typing into the frequency, duplex and offset cells of the sample radio.
TEST(ChannelTableRepeaterEntry, DuplexFollowsTheFrequenciesExceptSplit) {
    const Radio radio = sampleRadio();
    const struct {
        int channel;
        Column column;
        const char* typed;
        const char* rx;
        const char* tx;
        const char* duplex;
        const char* offset;
    } cases[] = {
        {1, Column::Receive, "436", "436.0000", "436.0000", "", ""},
        {1, Column::Duplex, "-", "435.0000", "430.0000", "-", "5.0000"},
        {1, Column::Transmit, "436", "435.0000", "436.0000", "split", ""},
        {2, Column::Receive, "440", "440.0000", "445.0000", "+", "5.0000"},
        {2, Column::Transmit, "449", "444.0000", "449.0000", "+", "5.0000"},
        {2, Column::Transmit, "448", "444.0000", "448.0000", "split", ""},
        {2, Column::Transmit, "444", "444.0000", "444.0000", "", ""},
        {2, Column::Offset, "0", "444.0000", "444.0000", "", ""},
        {2, Column::Offset, "0.6", "444.0000", "444.6000", "+", "0.6000"},
        {2, Column::Duplex, "-", "444.0000", "439.0000", "-", "5.0000"},
        {2, Column::Duplex, "", "444.0000", "444.0000", "", ""},
        {3, Column::Receive, "436", "436.0000", "437.0000", "split", ""},
        {3, Column::Duplex, "+", "435.0000", "437.0000", "+", "2.0000"},
        {60, Column::Receive, "430", "430.0000", "430.0000", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.channel) + " " + c.typed);
        const TableOutcome outcome = CommitCell(radio, c.channel, c.column, c.typed);
        ASSERT_TRUE(std::holds_alternative<TableChange>(outcome));
        const Channel& channel = *std::get<TableChange>(outcome).radio.channels[c.channel];
        EXPECT_EQ(CellText(channel, Column::Receive), c.rx);
        EXPECT_EQ(CellText(channel, Column::Transmit), c.tx);
        EXPECT_EQ(CellText(channel, Column::Duplex), c.duplex);
        EXPECT_EQ(CellText(channel, Column::Offset), c.offset);
    }
    // An off-raster frequency is stored as typed and told.
    const auto change = std::get<TableChange>(CommitCell(radio, 60, Column::Receive, "435.1234"));
    EXPECT_EQ(change.notes, std::vector<std::string>{"435.1234 MHz is not on the radio's 12.5 kHz "
                                                     "raster: it will use 435.1250 MHz."});
    EXPECT_EQ(change.radio.channelCount, 60);
}

} // namespace
} // namespace kl40
