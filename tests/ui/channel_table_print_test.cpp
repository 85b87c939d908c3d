#include "ui/channel_table_print.h"

#include "entry/cell_edit.h"
#include "support/random_radio.h"
#include "support/recording_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <string>

namespace kl40 {
namespace {

using test::PrintCall;
using test::RecordedDocument;
using test::RecordingPrinter;

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

std::string randomText(std::mt19937& rng) {
    std::uniform_int_distribution<int> words(0, 6), letters(1, 12), longWord(0, 9);
    std::string text;
    for (int w = words(rng); w > 0; --w) {
        const int length = longWord(rng) == 0 ? 45 : letters(rng);
        text += (text.empty() ? "" : " ") + std::string(static_cast<std::size_t>(length), 'a' + w);
        if (longWord(rng) == 1) text += "\xC3\x9C"; // a two-byte letter may end a word
    }
    return text;
}

struct Printout {
    RecordedDocument doc;
    double width = 0, height = 0;
};

PrintCall only(const std::vector<PrintCall>& calls, const std::string& what) {
    EXPECT_FALSE(calls.empty()) << what;
    return calls.empty() ? PrintCall{} : calls.front();
}

// Every used channel is printed on its row with every cell whole; names and
// comments lose no character; nothing overlaps or leaves the page; every page
// is headed and numbered.
TEST(ChannelTablePrintout, EveryCellWholeInsideThePageOnItsRow) {
    std::mt19937 rng(7);
    for (int round = 0; round < 30; ++round) {
        Radio radio = test::RandomRadio(rng);
        for (auto& slot : radio.channels)
            if (slot) {
                slot->name = randomText(rng);
                slot->comment = randomText(rng);
            }
        Printout out;
        out.width = std::uniform_int_distribution<int>(8000, 16000)(rng);
        out.height = std::uniform_int_distribution<int>(7000, 16000)(rng);
        const std::set<std::string> none;
        RecordingPrinter printer(out.doc, out.width, none, out.height);
        PrintChannelTable(printer, radio, "club.json", "2024-03-01");
        SCOPED_TRACE("round " + std::to_string(round));

        const auto width = [](const PrintCall& c) {
            return static_cast<double>(c.text.size()) * RecordingPrinter::charWidth(c.size);
        };
        const std::vector<PrintCall> texts = out.doc.texts();
        std::map<std::pair<int, double>, std::vector<PrintCall>> lines; // by page and height
        for (const PrintCall& c : texts) {
            ASSERT_GE(c.x, 0) << c.text;
            ASSERT_LE(c.x + width(c), out.width) << c.text;
            ASSERT_LE(c.y + RecordingPrinter::lineHeight(c.size), out.height) << c.text;
            lines[{c.page, c.y}].push_back(c);
        }
        for (auto& [at, line] : lines) {
            std::sort(line.begin(), line.end(),
                      [](const PrintCall& a, const PrintCall& b) { return a.x < b.x; });
            for (std::size_t i = 1; i < line.size(); ++i)
                ASSERT_LE(line[i - 1].x + width(line[i - 1]), line[i].x) << line[i].text;
        }
        for (int page = 1; page <= out.doc.pages; ++page) {
            const auto onPage = [&](const std::string& text) {
                const auto calls = out.doc.find(text);
                return std::any_of(calls.begin(), calls.end(),
                                   [&](const PrintCall& c) { return c.page == page; });
            };
            EXPECT_TRUE(onPage("club.json") && onPage("2024-03-01"));
            EXPECT_TRUE(
                onPage("Page " + std::to_string(page) + " of " + std::to_string(out.doc.pages)));
        }

        // Channel numbers are right-aligned under "Channel"; names and comments
        // start under their headings.
        const PrintCall channelHeading = only(out.doc.find("Channel"), "Channel");
        const double numberRight = channelHeading.x + width(channelHeading);
        const double nameX = only(out.doc.find("Name"), "Name").x;
        const double commentX = only(out.doc.find("Comment"), "Comment").x;
        std::vector<PrintCall> numbers;
        for (const PrintCall& c : texts)
            if (c.y > channelHeading.y && c.x + width(c) == numberRight) numbers.push_back(c);
        std::size_t row = 0;
        for (int n = 1; n <= kHighestChannel; ++n) {
            const auto& channel = radio.channels[static_cast<std::size_t>(n)];
            if (!channel) continue;
            ASSERT_LT(row, numbers.size());
            const PrintCall& number = numbers[row++];
            ASSERT_EQ(number.text, std::to_string(n));
            const double nextRow = row < numbers.size() && numbers[row].page == number.page
                                       ? numbers[row].y
                                       : std::numeric_limits<double>::max();
            std::multiset<std::string> onRow;
            std::string name, comment;
            for (const PrintCall& c : texts) {
                if (c.page != number.page || c.y < number.y || c.y >= nextRow) continue;
                if (c.y == number.y) onRow.insert(c.text);
                if (c.x == nameX) name += withoutSpaces(c.text);
                if (c.x == commentX) comment += withoutSpaces(c.text);
            }
            std::multiset<std::string> cells;
            for (Column column : {Column::Receive, Column::Transmit, Column::Duplex, Column::Offset,
                                  Column::Ctcss, Column::Scan})
                if (const std::string cell = CellText(*channel, column); !cell.empty())
                    cells.insert(cell);
            for (const std::string& cell : cells)
                EXPECT_GE(onRow.count(cell), cells.count(cell)) << n << ": " << cell;
            EXPECT_EQ(name, withoutSpaces(channel->name)) << n;
            EXPECT_EQ(comment, withoutSpaces(channel->comment)) << n;
        }
        EXPECT_EQ(row, numbers.size());
    }
}

// A comment longer than a page holds is cut at the page's foot, visibly.
TEST(ChannelTablePrintout, CommentTooLongForAPageEndsWithAMark) {
    Radio radio;
    Channel channel;
    channel.rx = channel.tx = Frequency{4351250};
    channel.comment = std::string(20000, 'x');
    radio.channels[5] = channel;
    RecordedDocument doc;
    const std::set<std::string> none;
    RecordingPrinter printer(doc, 11520, none, 6000);
    PrintChannelTable(printer, radio, kUnsavedFileTitle, "2024-03-01");
    EXPECT_EQ(doc.pages, 1);
    EXPECT_EQ(doc.find("435.1250").size(), 2U);
    const PrintCall last = doc.texts()[doc.texts().size() - 2]; // before the page number
    EXPECT_TRUE(last.text.ends_with("...")) << last.text;
}

} // namespace
} // namespace kl40
