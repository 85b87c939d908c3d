#include "coding/tone_table.h"

#include <gtest/gtest.h>

#include <string>

namespace kl40 {
namespace {

TEST(ToneLookups, TrimTheArgumentAndMatchExactly) {
    std::string tone = " 71.9 ", unknown = "100.0", code = " 110.9", none = "none";
    EXPECT_EQ(ToneIndex(tone), 1);
    EXPECT_EQ(tone, "71.9");
    EXPECT_EQ(ToneIndex(unknown), 0);
    EXPECT_EQ(ToneCode(code), "2E");
    EXPECT_EQ(code, "110.9");
    EXPECT_EQ(ToneCode(none), "00");
    auto fromCode = [](std::string c) { return ToneFromCode(c); };
    EXPECT_EQ(fromCode("3F"), "71.9");
    EXPECT_EQ(fromCode(" 03 "), "241.8");
    for (const char* c : {"34", "35", "01", "40", "3e", "3", "3E0"})
        EXPECT_EQ(fromCode(c), "none") << c;
}

TEST(ToneLookups, EveryListTextRoundTrips) {
    for (int i = 0; i < kToneCount; ++i) {
        std::string list = ToneTable[static_cast<std::size_t>(i)].listText;
        EXPECT_EQ(list.size(), 5u);
        std::string code = ToneCode(list);
        std::string tone = ToneFromCode(code);
        EXPECT_EQ(tone, list);
        EXPECT_EQ(ToneIndex(tone), i);
    }
}

TEST(FillToneList, FillsTheThirtyOneItemsAndSelectsNone) {
    ComboBox box;
    int clicks = 0;
    box.onClick([&] { ++clicks; });
    FillToneList(box);
    FillToneList(box);
    EXPECT_EQ(box.items().size(), 31u);
    EXPECT_EQ(box.text(), "none ");
    EXPECT_EQ(clicks, 2);
}

} // namespace
} // namespace kl40
