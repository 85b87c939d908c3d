#include "core/numbers.h"

#include <gtest/gtest.h>

namespace kl40 {
namespace {

TEST(Numbers, ReadOnlyPlainDecimalsAndShortIntegers) {
    EXPECT_EQ(ParseDecimal(" 439.0125 "), 439.0125);
    EXPECT_EQ(ParseDecimal("+1."), 1.0);
    for (const char* text : {"", ".", "-", "1e3", "inf", "nan", "1.2.3", "4,5"})
        EXPECT_FALSE(ParseDecimal(text).has_value()) << text;
    EXPECT_EQ(ParseInt16(" +7 "), 7);
    EXPECT_EQ(ParseInt16("-32768"), -32768);
    for (const char* text : {"", "32768", "1.0", "+"})
        EXPECT_FALSE(ParseInt16(text).has_value()) << text;
    EXPECT_EQ(TwoDigit(5), "05");
    EXPECT_EQ(TwoDigit(100), "100");
}

} // namespace
} // namespace kl40
