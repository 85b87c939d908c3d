// Several conversions take a short way for the values they meet every day and
// keep the general computation for everything else. These tests hold each
// short way to the general computation, written out here as it stands in the
// definition of the conversion, over many values on both sides of the line.

#include "coding/frequency_code.h"
#include "coding/tone_table.h"
#include "core/hex_text.h"
#include "core/numbers.h"
#include "entry/channel_rules.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace kl40 {
namespace {

// --- The general computations ----------------------------------------------

std::optional<double> generalDecimal(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    bool point = false;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] >= '0' && text[k] <= '9')
            ++digits;
        else if (text[k] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool generalNearHarmonic(double mhz) {
    const double x = mhz * 1000.0;
    if (!std::isfinite(x)) return false;
    for (double c = 894.91; c <= 895.0; c += 0.03) {
        const double d = c / 5.0;
        const double k = std::floor(x / d);
        if (std::fabs(x - k * d) < 10.0 || std::fabs(x - (k + 1.0) * d) < 10.0) return true;
    }
    return false;
}

// Each digit weighted by a real power of the base.
std::int32_t generalHexValue(test::ScriptedPlatform& platform, std::string_view text) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) {
            platform.show("Invalid number!", "Calculation Error", Icon::Critical);
            return 0;
        }
        const double term =
            std::nearbyint(digit * std::pow(16.0, static_cast<double>(text.size() - 1 - i)));
        if (term > std::numeric_limits<std::int32_t>::max()) {
            platform.show("Unable to convert hex code", "Data Error", Icon::Exclamation);
            return 0;
        }
        sum += static_cast<std::int64_t>(term);
        if (sum > std::numeric_limits<std::int32_t>::max()) {
            platform.show("Unable to convert hex code", "Data Error", Icon::Exclamation);
            return 0;
        }
    }
    return static_cast<std::int32_t>(sum);
}

// The entry's check of a typed frequency: padded to four decimals, read,
// held to the band, leading padding dropped.
FrequencyCheck generalFrequencyCheck(std::string text) {
    if (HasExcessDecimals(text)) return {FrequencyCheck::Refused, text, {}};
    FormatFrequency(text);
    if (text.empty()) return {FrequencyCheck::Empty, {}, {}};
    const std::optional<double> mhz = generalDecimal(text);
    if (!mhz || *mhz < 400.0 || *mhz > 450.0) return {FrequencyCheck::Refused, text, {}};
    text.erase(0, text.find_first_not_of(" +0"));
    return {FrequencyCheck::Taken, text, Frequency{std::llround(*mhz * 10000.0)}};
}

// The row whose tone text is the trimmed text, compared with each row.
int generalToneRow(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    for (std::size_t row = 0; row < ToneTable.size(); ++row)
        if (text == ToneTable[row].toneText) return static_cast<int>(row);
    return 0;
}

std::optional<std::int16_t> generalInt16(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int16_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool sameDouble(std::optional<double> a, std::optional<double> b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

// --- The tests ---------------------------------------------------------------

TEST(ShortWays, ParseDecimalReadsAsFromChars) {
    std::mt19937 random(2);
    const std::string alphabet = "0123456789.+- ";
    for (int i = 0; i < 500000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 20);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % (random() % 4 == 0 ? alphabet.size() : 10)];
        ASSERT_TRUE(sameDouble(ParseDecimal(text), generalDecimal(text))) << '"' << text << '"';
    }
    for (const char* text :
         {"435.1250", "-0.0", "+7", "5.", ".5", "-.5", "123456789012345", "1234567890123456",
          "0.000000000000001", "999999999999999.9", " 440 ", "4.4.0", "", "43/.1250", "43:.1250"})
        EXPECT_TRUE(sameDouble(ParseDecimal(text), generalDecimal(text))) << text;
}

// Frequencies written as files write them ("435.1250") and texts that only
// look like them, on both sides of the band's edges.
TEST(ShortWays, FrequencyCheckAsPaddedAndRead) {
    std::mt19937 random(4);
    const std::string odd = "/:.+- ";
    for (int i = 0; i < 300000; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%03u.%04u", 395 + static_cast<unsigned>(random() % 60),
                      static_cast<unsigned>(random() % 10000));
        if (random() % 4 == 0) text[random() % 8] = odd[random() % odd.size()];
        const FrequencyCheck shortWay = CheckFrequency(text);
        const FrequencyCheck general = generalFrequencyCheck(text);
        ASSERT_EQ(shortWay.outcome, general.outcome) << text;
        ASSERT_EQ(shortWay.text, general.text) << text;
        ASSERT_EQ(shortWay.value, general.value) << text;
    }
    for (const char* text : {"400.0000", "399.9999", "450.0000", "450.0001", "435.125", "0435.125",
                             " 435.1250", "435.12500", ""}) {
        EXPECT_EQ(CheckFrequency(text).outcome, generalFrequencyCheck(text).outcome) << text;
        EXPECT_EQ(CheckFrequency(text).text, generalFrequencyCheck(text).text) << text;
    }
}

TEST(ShortWays, ToneAndChannelNumberAsLookedUpInFull) {
    std::mt19937 random(5);
    const std::string alphabet = "0123456789. n-+e";
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (random() % 2) {
            text = random() % 2 ? ToneTable[random() % kToneCount].toneText
                                : ToneTable[random() % kToneCount].listText;
            if (random() % 2) text.insert(random() % (text.size() + 1), 1, alphabet[random() % 12]);
        } else {
            for (int k = static_cast<int>(random() % 7); k > 0; --k)
                text += alphabet[random() % alphabet.size()];
        }
        std::string trimmed = text;
        ASSERT_EQ(ToneIndex(trimmed), generalToneRow(text)) << '"' << text << '"';
        ASSERT_EQ(ParseInt16(text.substr(0, 3)), generalInt16(text.substr(0, 3))) << text;
    }
}

TEST(ShortWays, NearHarmonicAsTheCombIsStepped) {
    for (std::uint32_t k = 0; k < 8000000; k += 3) {
        const double mhz = static_cast<double>(k) * kChannelStep;
        ASSERT_EQ(NearHarmonic(mhz), generalNearHarmonic(mhz)) << mhz;
    }
    for (double mhz : {-0.0, -179.0, 1e15, -1e15, 1e300, std::nan("")})
        EXPECT_EQ(NearHarmonic(mhz), generalNearHarmonic(mhz)) << mhz;
}

TEST(ShortWays, HexToValueOfShortTextsAsEachDigitWeighted) {
    std::mt19937 random(3);
    const std::string alphabet = "0123456789ABCDEFa G";
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 10);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % (random() % 8 == 0 ? alphabet.size() : 16)];
        test::ScriptedPlatform shortWay;
        test::ScriptedPlatform general;
        ASSERT_EQ(HexToValue(shortWay, text), generalHexValue(general, text)) << text;
        ASSERT_EQ(shortWay.messages.size(), general.messages.size()) << text;
        for (std::size_t m = 0; m < shortWay.messages.size(); ++m)
            EXPECT_EQ(shortWay.messages[m].text, general.messages[m].text) << text;
    }
}

} // namespace
} // namespace kl40
