#include "core/echo_text.h"

#include <gtest/gtest.h>

namespace kl40 {
namespace {

TEST(EchoText, PassesPrintableUtf8AndEscapesEverythingElse) {
    EXPECT_EQ(EchoText(""), "\"\"");
    EXPECT_EQ(EchoText("Rep A \xC3\x9Cmlaut \xE2\x82\xAC \xF0\x9F\x93\xBB"),
              "Rep A \xC3\x9Cmlaut \xE2\x82\xAC \xF0\x9F\x93\xBB");
    EXPECT_EQ(EchoText("a\nb\tc\rd\x1b[2J\x7F"), "a\\nb\\tc\\rd\\x1b[2J\\x7f");
    // A C1 control (CSI), a stray byte, a cut-off, an overlong and a
    // surrogate sequence, a code point beyond U+10FFFF.
    EXPECT_EQ(EchoText("x\xC2\x9B" "2Jy"), "x\\xc2\\x9b2Jy");
    EXPECT_EQ(EchoText("\xFF\x80"), "\\xff\\x80");
    EXPECT_EQ(EchoText("\xE2\x82"), "\\xe2\\x82");
    EXPECT_EQ(EchoText("\xC0\xAF\xE0\x80\xAF"), "\\xc0\\xaf\\xe0\\x80\\xaf");
    EXPECT_EQ(EchoText("\xED\xA0\x80"), "\\xed\\xa0\\x80");
    EXPECT_EQ(EchoText("\xF4\x90\x80\x80"), "\\xf4\\x90\\x80\\x80");
}

} // namespace
} // namespace kl40
