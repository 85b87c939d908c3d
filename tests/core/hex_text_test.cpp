#include "core/hex_text.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kl40 {
namespace {

void ExpectOneMessage(const test::ScriptedPlatform& ui, const char* text, const char* title,
                      Icon icon) {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.last().text, text);
    EXPECT_EQ(ui.last().title, title);
    EXPECT_EQ(ui.last().icon, icon);
}

TEST(HexToValue, ReadsUpperCaseDigitsAndReportsTheRest) {
    test::ScriptedPlatform ui;
    EXPECT_EQ(HexToValue(ui, "3E"), 62);
    EXPECT_EQ(HexToValue(ui, ""), 0);
    EXPECT_EQ(HexToValue(ui, "7FFFFFFF"), 2147483647);
    EXPECT_EQ(HexToValue(ui, "0000000000FF"), 255);
    EXPECT_TRUE(ui.messages.empty());
    for (const char* text : {"3e", " 3E", "1.5"}) {
        test::ScriptedPlatform bad;
        EXPECT_EQ(HexToValue(bad, text), 0);
        ExpectOneMessage(bad, "Invalid number!", "Calculation Error", Icon::Critical);
    }
    for (const std::string& text :
         {std::string("80000000"), std::string(400, 'F'), std::string(400, '0')}) {
        test::ScriptedPlatform big;
        EXPECT_EQ(HexToValue(big, text), 0);
        ExpectOneMessage(big, "Unable to convert hex code", "Data Error", Icon::Exclamation);
    }
}

TEST(HexToBinary, PairsDigitsIntoBytes) {
    EXPECT_EQ(HexToBinary("41"), "A");
    EXPECT_EQ(HexToBinary("F"), std::string(1, '\x0F'));
    EXPECT_EQ(HexToBinary("ABC"), std::string(1, '\xAB'));
    EXPECT_EQ(HexToBinary("ff00"), std::string("\xFF\x00", 2));
    EXPECT_THROW(HexToBinary("G0"), std::range_error);
    EXPECT_THROW(HexToBinary("-"), std::range_error);
}

TEST(BinaryToHex, RoundTripsEveryByteAndReportsEmptyText) {
    test::ScriptedPlatform ui;
    for (int v = 0; v < 256; ++v) {
        const std::string hex = ByteToHex(static_cast<std::uint8_t>(v));
        EXPECT_EQ(HexToValue(ui, hex), v);
        EXPECT_EQ(BinaryToHex(ui, HexToBinary(hex) + "Z"), hex);
    }
    EXPECT_EQ(HexDigits(0), "0");
    EXPECT_EQ(HexDigits(261), "105");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(BinaryToHex(ui, ""), "");
    ExpectOneMessage(ui, "Error in converting binary code", "Data Error", Icon::Exclamation);
}

} // namespace
} // namespace kl40
