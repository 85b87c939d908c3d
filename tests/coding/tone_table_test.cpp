#include "coding/tone_table.h"
#include "ui/form/option_boxes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kl40 {
namespace {

TEST(ToneLookups, TrimTheArgumentAndMatchExactly) {
    std::string tone = " 71.9 ", unknown = "100.0";
    EXPECT_EQ(ToneIndex(tone), 1);
    EXPECT_EQ(tone, "71.9");
    EXPECT_EQ(ToneIndex(unknown), 0);
}

// An image's tone byte has the frequency's bit 0 beside the even code of the
// tone: both the even code and that code plus one name the row; any other
// code is no tone.
TEST(ToneLookups, EveryCodeOfAnImageNamesItsRowOrNone) {
    for (int code = 0; code < 256; ++code) {
        int expected = 0;
        for (int row = 1; row < kToneCount && expected == 0; ++row)
            if (code == ToneCodeByte(row) || code == ToneCodeByte(row) + 1) expected = row;
        EXPECT_EQ(ToneRowOfCode(static_cast<std::uint8_t>(code)), expected) << code;
    }
    EXPECT_EQ(ToneCodeByte(1), 0x3E) << "71.9";
    EXPECT_EQ(ToneCodeByte(0), 0x00) << "none";
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
