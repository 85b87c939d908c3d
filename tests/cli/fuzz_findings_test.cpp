// Inputs that the fuzz targets in fuzz/ found to break the tool, kept as
// ordinary tests so the faults stay fixed in every build.

#include "cli/session.h"
#include "cli/verbs.h"
#include "formats/radio_json.h"

#include <gtest/gtest.h>

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

// A number too large for a double made the JSON reader throw an exception that
// nothing caught, so `kl40-cli build` aborted.
TEST(FuzzFindings, NumbersBeyondDoubleRangeAreRefusedAsInvalidJson) {
    for (const char* text : {R"({"channels": [{"channel": 1, "rx": 1e400}]})",
                             R"({"channels": [{"channel": 1, "rx": "439", "tx": -1E400}]})",
                             R"({"model": "KL40c", "timeout": 1e999})", "[0.1e400]"}) {
        std::variant<Radio, JsonError> parsed;
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
        Channel input;
        input.number = number;
        input.rx = std::move(rx);
        input.tx = std::move(tx);
        return input;
    };
    Radio radio;
    radio.channels = {channel(1, "00439.0375", std::nullopt),
                      channel(2, "  439.0375", "+0430.0125"),
                      channel(3, "+439.9875", " 0449.9875")};
    Session session;
    ASSERT_EQ(session.Apply(radio), std::nullopt);
    EXPECT_EQ(session.ws.data.ChannelTable[1], "1,439.0375,439.0375,none ,N");
    EXPECT_EQ(session.ws.data.ChannelTable[2], "2,439.0375,430.0125,none ,N");
    ASSERT_TRUE(session.Build());

    Session reopened;
    ASSERT_TRUE(reopened.Load(session.ws.data.ImageText));
    const Radio decoded = reopened.Describe();
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
