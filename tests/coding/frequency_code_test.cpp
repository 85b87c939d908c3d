#include "coding/frequency_code.h"
#include "core/hex_text.h"
#include "core/radio_model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace kl40 {
namespace {

// The code of `mhz` for model `model` as eight hex digits, "" for none.
std::string code(int model, std::int32_t offset, double mhz) {
    const auto bytes =
        FrequencyCode(ModelOrDefault(model), offset, Frequency{std::llround(mhz * 10000)});
    if (!bytes) return "";
    std::string text;
    for (std::uint8_t b : *bytes)
        text += ByteToHex(b);
    return text;
}

TEST(FrequencyCode, CodesTheWorkedExamples) {
    for (int model : {1, 2}) {
        EXPECT_EQ(code(model, kReceiveOffset, 439.0), "FF410500");
        EXPECT_EQ(code(model, kTransmitOffset, 439.0), "FF410630");
        EXPECT_EQ(code(model, kReceiveOffset, 439.0125), "FF010501");
        EXPECT_EQ(code(model, kReceiveOffset, 439.8125), "FF410581");
        EXPECT_EQ(code(model, kReceiveOffset, 439.0875), "FF010507");
        EXPECT_EQ(code(model, kReceiveOffset, 401.4), "FF40ED80");
    }
    EXPECT_EQ(code(3, kReceiveOffset, 439.0), "FF010500");
    EXPECT_EQ(code(3, kTransmitOffset, 439.0), "FF010630");
    EXPECT_EQ(code(3, kReceiveOffset, 401.4), "FF00ED80");
    EXPECT_EQ(code(3, kReceiveOffset, 420.0625), "0000F915");
    EXPECT_EQ(code(3, kTransmitOffset, 420.0625), "FF00FA85");
    EXPECT_EQ(code(3, kReceiveOffset, 418.45), "0000F814");  // 9.916 kHz from the comb
    EXPECT_EQ(code(3, kReceiveOffset, 400.075), "FF00EC96"); // 10 kHz: not near
    EXPECT_EQ(code(3, kReceiveOffset, 21.4), "FF000000");    // shortest body
    // Off the raster: the nearest step.
    EXPECT_EQ(code(1, kReceiveOffset, 439.0062), "FF410500");
    EXPECT_EQ(code(1, kReceiveOffset, 439.0063), "FF010501");
}

TEST(FrequencyCode, FrequenciesFarOutsideTheBandHaveNone) {
    for (int model : {1, 3})
        for (double mhz : {6600.0, 1e6, -439.0, 0.0, 19.19})
            EXPECT_EQ(code(model, kTransmitOffset, mhz), "") << model << " " << mhz;
}

// Every channel of the band codes and decodes to itself; the receive codes of
// models with a check bit have an even number of one bits.
TEST(FrequencyCode, EveryChannelOfTheBandRoundTrips) {
    for (int step = 0; step <= 4000; ++step) {
        const Frequency f = Frequency::FromSteps(32000 + step);
        for (int model : {1, 3}) {
            for (std::int32_t offset : {kReceiveOffset, kTransmitOffset}) {
                const auto bytes = FrequencyCode(ModelOrDefault(model), offset, f);
                ASSERT_TRUE(bytes) << step;
                EXPECT_EQ(FrequencyOfCode((*bytes)[1], (*bytes)[2], (*bytes)[3], offset), f);
                const std::uint32_t code = static_cast<std::uint32_t>(
                    (*bytes)[0] << 24 | (*bytes)[1] << 16 | (*bytes)[2] << 8 | (*bytes)[3]);
                if (model == 1) {
                    EXPECT_EQ(std::popcount(code) % 2, 0) << step;
                }
            }
        }
    }
    EXPECT_EQ(FrequencyText(FrequencyOfCode(0x00, 0xED, 0x80, kReceiveOffset)), "401.4000");
    EXPECT_EQ(FrequencyText(FrequencyOfCode(0x01, 0x05, 0x00, kReceiveOffset)), "439.0000");
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
