// Inputs that the fuzz targets in fuzz/ found to break the tool, kept as
// ordinary tests so the faults stay fixed in every build.

#include "cli/session.h"
#include "cli/verbs.h"
#include "formats/radio_json.h"
#include "image/layout.h"

#include "entry/channel_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <variant>

namespace kl40::cli {
namespace {

namespace fs = std::filesystem;

// A transmit code in slot 0, which belongs to no channel, behind a stored
// count of 99 made the decoder count 100 channels; the build wrote that count as "10", so every
// channel above 10 was gone when the saved image was opened again.
TEST(FuzzFindings, ACodeInTheSlotOfNoChannelLosesNoChannelOnSave) {
    Session built;
    RadioRecord radio;
    radio.channels = {{1, "438.0250", "438.0250", "94.8", true},
                      {40, "420.0000", "425.5000", "none", false},
                      {98, "401.2500", "401.2500", "77.0", true}};
    ASSERT_EQ(built.Apply(radio), std::nullopt);
    ASSERT_TRUE(built.Build());
    std::vector<std::uint8_t> image = built.image;
    const auto base = static_cast<std::ptrdiff_t>(DataBase(3));
    const auto transmit = static_cast<std::ptrdiff_t>(kTransmitTableOffset);
    std::copy_n(image.begin() + base + static_cast<std::ptrdiff_t>(kSlotSize) + transmit, kSlotSize,
                image.begin() + base + transmit);
    // A stored count of 99: the decoder walks on past channel 99 to slot 0.
    image[static_cast<std::size_t>(base) + kCountOffset] = 0x99;

    Session opened;
    ASSERT_TRUE(opened.Load(image));
    ASSERT_TRUE(opened.Build());
    Session reopened;
    ASSERT_TRUE(reopened.Load(opened.image));
    EXPECT_EQ(reopened.Describe().channels, radio.channels);
    EXPECT_EQ(opened.Describe().channels, radio.channels);
}

// A number too large for a double made the JSON reader throw an exception that
// nothing caught, so `kl40-cli build` aborted.
TEST(FuzzFindings, NumbersBeyondDoubleRangeAreRefusedAsInvalidJson) {
    for (const char* text : {R"({"channels": [{"channel": 1, "rx": 1e400}]})",
                             R"({"channels": [{"channel": 1, "rx": "439", "tx": -1E400}]})",
                             R"({"model": "KL40c", "timeout": 1e999})", "[0.1e400]"}) {
        std::variant<RadioRecord, JsonError> parsed;
        ASSERT_NO_THROW(parsed = ParseRadioJson(text)) << text;
        const auto* error = std::get_if<JsonError>(&parsed);
        ASSERT_NE(error, nullptr) << text;
        EXPECT_EQ(error->message.rfind("not valid JSON: ", 0), 0u) << error->message;
        EXPECT_NE(error->message.find("number overflow"), std::string::npos) << error->message;
    }

    const fs::path dir = fs::temp_directory_path() /
                         ("kl40-fuzz-findings-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    std::ofstream(dir / "radio.json") << R"({"channels": [{"channel": 1, "rx": 1e400}]})";
    std::ostringstream errors;
    std::streambuf* old = std::cerr.rdbuf(errors.rdbuf());
    const int status = RunBuild((dir / "radio.json").string(), (dir / "out.bin").string());
    std::cerr.rdbuf(old);
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors.str().find("radio.json: not valid JSON"), std::string::npos) << errors.str();
    EXPECT_FALSE(fs::exists(dir / "out.bin"));
    fs::remove_all(dir);
}

// The entry took a frequency with leading blanks, zeros or a plus sign as
// checked, but the build reads the eight characters of a formatted frequency,
// so "00439.0375" was saved as 439.0250 MHz without a word.
TEST(FuzzFindings, PaddedFrequenciesAreSavedAsChecked) {
    auto channel = [](int number, std::string rx, std::optional<std::string> tx) {
        ChannelRecord input;
        input.number = number;
        input.rx = std::move(rx);
        input.tx = std::move(tx);
        return input;
    };
    RadioRecord radio;
    radio.channels = {channel(1, "00439.0375", std::nullopt),
                      channel(2, "  439.0375", "+0430.0125"),
                      channel(3, "+439.9875", " 0449.9875")};
    Session session;
    ASSERT_EQ(session.Apply(radio), std::nullopt);
    EXPECT_EQ(ChannelEntryText(1, *session.radio.channels[1]), "1,439.0375,439.0375,none ,N");
    EXPECT_EQ(ChannelEntryText(2, *session.radio.channels[2]), "2,439.0375,430.0125,none ,N");
    ASSERT_TRUE(session.Build());

    Session reopened;
    ASSERT_TRUE(reopened.Load(session.image));
    const RadioRecord decoded = reopened.Describe();
    ASSERT_EQ(decoded.channels.size(), 3u);
    const char* expected[][2] = {
        {"439.0375", "439.0375"}, {"439.0375", "430.0125"}, {"439.9875", "449.9875"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(decoded.channels[i].rx.value_or("none"), expected[i][0]) << "channel " << i + 1;
        EXPECT_EQ(decoded.channels[i].tx.value_or("none"), expected[i][1]) << "channel " << i + 1;
    }
}

} // namespace
} // namespace kl40::cli
