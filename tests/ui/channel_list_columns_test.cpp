#include "ui/channel_list_columns.h"
#include "ui/form/option_boxes.h"

#include "coding/tone_table.h"
#include "ui/form/channel_entry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kl40 {
namespace {

// In a fixed-pitch font a column lines up when its field starts (or, for the
// right-aligned channel, ends) at the same character for every line.
TEST(ChannelListColumns, LineUpForEveryToneChannelAndScanFlag) {
    ComboBox tones;
    FillToneList(tones);
    ASSERT_EQ(tones.items().size(), 31u);
    std::set<std::vector<std::size_t>> layouts;
    for (const std::string& tone : tones.items()) {
        for (const int channel : {1, 9, 10, 99}) {
            for (const char scan : {'Y', 'N'}) {
                const std::string number = std::to_string(channel);
                const std::string text = ChannelListColumns(FormatListLine(
                    number + ",435.1250,430.0000," + tone + "," + std::string(1, scan)));
                const std::string toneShown = tone.substr(0, tone.find_last_not_of(' ') + 1);
                layouts.insert({text.find(number) + number.size(), text.find("435.1250"),
                                text.find("430.0000"), text.find(toneShown, 24), text.rfind(scan)});
                EXPECT_EQ(text.back(), scan) << text;
            }
        }
    }
    EXPECT_EQ(layouts.size(), 1u);
    EXPECT_EQ(ChannelListColumns("not a list line"), "not a list line");
}

} // namespace
} // namespace kl40
