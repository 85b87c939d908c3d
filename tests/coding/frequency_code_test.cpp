#include "coding/frequency_code.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace kl40 {
namespace {

class FrequencyCodeTest : public ::testing::Test {
protected:
    std::string code(std::int16_t band, std::int32_t offset, double mhz) {
        ws.data.BandCode = band;
        return FrequencyCode(ws, offset, mhz, kChannelStep, kPrescaler);
    }
    test::ScriptedPlatform ui;
    Workspace ws{ui};
};

TEST_F(FrequencyCodeTest, CodesTheWorkedExamples) {
    for (std::int16_t band : {0, 1, 2}) {
        EXPECT_EQ(code(band, kReceiveOffset, 439.0), "FF410500");
        EXPECT_EQ(code(band, kTransmitOffset, 439.0), "FF410630");
        EXPECT_EQ(code(band, kReceiveOffset, 439.0125), "FF010501");
        EXPECT_EQ(code(band, kReceiveOffset, 439.8125), "FF410581");
        EXPECT_EQ(code(band, kReceiveOffset, 439.0875), "FF010507");
        EXPECT_EQ(code(band, kReceiveOffset, 401.4), "FF40ED80");
    }
    EXPECT_EQ(code(3, kReceiveOffset, 439.0), "FF010500");
    EXPECT_EQ(code(3, kTransmitOffset, 439.0), "FF010630");
    EXPECT_EQ(code(3, kReceiveOffset, 401.4), "FF00ED80");
    EXPECT_EQ(code(3, kReceiveOffset, 420.0625), "0000F915");
    EXPECT_EQ(code(3, kTransmitOffset, 420.0625), "FF00FA85");
    EXPECT_EQ(code(3, kReceiveOffset, 418.45), "0000F814");  // 9.916 kHz from the comb
    EXPECT_EQ(code(3, kReceiveOffset, 400.075), "FF00EC96"); // 10 kHz: not near
    EXPECT_EQ(code(3, kReceiveOffset, 21.4), "FF000000");    // shortest body
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FrequencyCodeTest, ReportsFrequenciesThatCannotBeCoded) {
    const double inf = std::numeric_limits<double>::infinity();
    for (std::int16_t band : {1, 3}) {
        for (double mhz : {6600.0, 1e12, inf, -inf, std::nan(""), -439.0, 0.0}) {
            ui.clear();
            EXPECT_EQ(code(band, kTransmitOffset, mhz), "") << band << " " << mhz;
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.last().text, "Unable to calculate frequency code");
            EXPECT_EQ(ui.last().title, "Data Error");
            EXPECT_EQ(ui.last().icon, Icon::Exclamation);
        }
    }
    EXPECT_EQ(FrequencyCode(ws, kReceiveOffset, 439.0, 0.0, kPrescaler), "");
    EXPECT_EQ(FrequencyCode(ws, kReceiveOffset, 439.0, kChannelStep, 0), "");
    EXPECT_THROW(ApplyCheckBit("FF0105"), std::invalid_argument);
}

TEST_F(FrequencyCodeTest, EveryChannelOfTheBandRoundTrips) {
    for (int step = 0; step <= 4000; ++step) {
        std::string text = std::to_string(400.0 + step * kChannelStep).substr(0, 8);
        const std::string rx = code(1, kReceiveOffset, std::stod(text));
        ASSERT_EQ(rx.size(), 8u) << text;
        EXPECT_EQ(ApplyCheckBit(rx), rx) << text;
        const std::string tx = code(3, kTransmitOffset, std::stod(text));
        ASSERT_EQ(tx.substr(0, 2), "FF") << text;
        EXPECT_EQ(FrequencyText(FrequencyFromCode(ui, tx.substr(2), kTransmitOffset)), text);
    }
    EXPECT_EQ(FrequencyText(FrequencyFromCode(ui, "00ED80", kReceiveOffset)), "401.4000");
    EXPECT_EQ(FrequencyFromCode(ui, "010500", kReceiveOffset), 439.0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FormatFrequency, PadsToFourDecimalsAsTheScanDoes) {
    EXPECT_EQ(FrequencyText(0.0), "0.0000");
    EXPECT_EQ(FrequencyText(1e20), "100000000000000000000.0000"); // never an exponent
    auto format = [](std::string text) { return FormatFrequency(text); };
    EXPECT_EQ(format("439"), "439.0000");
    EXPECT_EQ(format("439."), "439.0000");
    EXPECT_EQ(format("439.1250"), "439.1250");
    EXPECT_EQ(format(""), "");
    EXPECT_EQ(format("1.5"), "1.5000");
    EXPECT_EQ(format(".12"), ".12"); // short text starting with "." stays as it is
    EXPECT_EQ(format("439.12345"), "439.12345.0000");
}

TEST(FrequencyEntryChecks, RangeAndDecimals) {
    EXPECT_TRUE(FrequencyInRange("450", 400.0, 450.0));
    EXPECT_TRUE(FrequencyInRange("400.0000", 400.0, 450.0));
    EXPECT_FALSE(FrequencyInRange("450.0125", 400.0, 450.0));
    EXPECT_FALSE(FrequencyInRange("", 400.0, 450.0));
    EXPECT_THROW(FrequencyInRange("43x", 400.0, 450.0), std::invalid_argument);
    EXPECT_TRUE(HasExcessDecimals("439.12345"));
    EXPECT_FALSE(HasExcessDecimals("439.1234"));
    EXPECT_FALSE(HasExcessDecimals("439.12345.0000"));
}

} // namespace
} // namespace kl40
