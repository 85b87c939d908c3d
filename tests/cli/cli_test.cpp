#include "cli/cli_app.h"
#include "cli/radio_json.h"
#include "cli/verbs.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

namespace kl40::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Captures what a verb writes to stderr.
class StderrCapture {
public:
    StderrCapture() : old_(std::cerr.rdbuf(buffer_.rdbuf())) {}
    ~StderrCapture() { std::cerr.rdbuf(old_); }
    std::string text() const { return buffer_.str(); }

private:
    std::ostringstream buffer_;
    std::streambuf* old_;
};

class CliTest : public ::testing::Test {
protected:
    CliTest() {
        dir = fs::temp_directory_path() / ("kl40-cli-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    ~CliTest() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::string writeRadio(const std::string& text, const std::string& name = "radio.json") {
        std::ofstream(path(name)) << text;
        return path(name);
    }
    // Builds `radio` and returns the exit status; stderr goes to `errors`.
    int build(const std::string& radio, const std::string& out = "out.bin") {
        StderrCapture capture;
        const int status = RunBuild(writeRadio(radio), path(out));
        errors = capture.text();
        return status;
    }
    json decode(const std::string& image = "out.bin") {
        std::ostringstream out;
        StderrCapture capture;
        status = RunDecode(path(image), out);
        errors = capture.text();
        return status == 0 ? json::parse(out.str()) : json();
    }

    fs::path dir;
    std::string errors;
    int status = 0;
};

TEST_F(CliTest, BuildThenDecodeRoundTripsChannelsAndOptions) {
    const char* radio = R"({"model": "KL40a-64", "timeout": "3.00",
        "options": ["High/Low Power", "Enable Scan", "Busy Channel Lockout"],
        "channels": [
          {"channel": 12, "rx": 439, "tx": null, "ctcss": "103.5"},
          {"channel": 5, "rx": "435.125", "tx": "430.1250", "ctcss": "88.5", "scan": true},
          {"channel": 99, "rx": 411.2}]})";
    ASSERT_EQ(build(radio), 0) << errors;
    EXPECT_EQ(fs::file_size(path("out.bin")), 8192u);
    const json decoded = decode();
    ASSERT_EQ(status, 0) << errors;
    const json expected = json::parse(R"({"model": "KL40a-64", "timeout": "3.00",
        "options": ["Enable Scan", "Busy Channel Lockout", "High/Low Power"],
        "channels": [
          {"channel": 5, "rx": "435.1250", "tx": "430.1250", "ctcss": "88.5", "scan": true},
          {"channel": 12, "rx": "439.0000", "tx": "439.0000", "ctcss": "103.5", "scan": false},
          {"channel": 99, "rx": "411.2000", "tx": "411.2000", "ctcss": "none", "scan": false}]})");
    EXPECT_EQ(decoded, expected);

    // Decoding the decode output again builds the same image.
    std::ofstream(path("again.json")) << decoded.dump();
    ASSERT_EQ(RunBuild(path("again.json"), path("again.bin")), 0);
    std::ifstream a(path("out.bin"), std::ios::binary), b(path("again.bin"), std::ios::binary);
    std::string first((std::istreambuf_iterator<char>(a)), {}),
        second((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(first.size(), 8192u);
    EXPECT_EQ(first.substr(0, 0x13F2), second.substr(0, 0x13F2));
}

TEST_F(CliTest, RefusedInputNamesTheProblemAndWritesNothing) {
    struct Case {
        const char* radio;
        const char* mentions;
    } cases[] = {
        {R"({"channels": [{"channel": 5, "rx": "399.9"}]})",
         "channel 5: A valid frequency must be entered"},
        {R"({"channels": [{"channel": 5, "rx": "435.12345"}]})",
         "channel 5: A valid frequency must be entered"},
        {R"({"channels": [{"channel": 0, "rx": "435"}]})", "channel 0: Check data entered"},
        {R"({"channels": [{"channel": 100, "rx": "435"}]})", "channel 100: Check data entered"},
        {R"({"channels": [{"channel": 5, "rx": "abc"}]})", "channel 5: Check data entered"},
        {R"({"channels": [{"channel": 5, "rx": ""}]})", "channel 5"},
        {R"({"channels": [{"channel": 5, "rx": "435", "ctcss": "67.0"}]})", "unknown CTCSS tone"},
        {R"({"channels": [{"channel": 5, "rx": "435", "scan": "yes"}]})", "\"scan\""},
        {R"({"channels": [{"channel": 5, "rx": "435"}, {"channel": 5, "rx": "436"}]})",
         "given twice"},
        {R"({"channels": [{"channel": 5, "rx": "435", "power": 1}]})", "unknown key \"power\""},
        {R"({"model": "KL40b", "channels": []})", "unknown model"},
        {R"({"timeout": "4.00"})", "unknown timeout"},
        {R"({"options": ["Turbo"]})", "unknown option"},
        {R"({"colour": "red"})", "unknown key"},
        {R"({"channels": []})", "No data available"},
        {R"({"channels": [)", "not valid JSON"},
    };
    for (const auto& c : cases) {
        fs::remove(path("out.bin"));
        EXPECT_EQ(build(c.radio), 1) << c.radio;
        EXPECT_NE(errors.find(c.mentions), std::string::npos) << c.radio << " -> " << errors;
        EXPECT_FALSE(fs::exists(path("out.bin"))) << c.radio;
    }
}

TEST_F(CliTest, MoreThan32ScanChannelsAreRefused) {
    json radio = {{"channels", json::array()}};
    for (int ch = 1; ch <= 33; ++ch)
        radio["channels"].push_back({{"channel", ch}, {"rx", "435"}, {"scan", true}});
    EXPECT_EQ(build(radio.dump()), 1);
    EXPECT_NE(errors.find("channel 33: Only 32 scan channels allowed"), std::string::npos)
        << errors;
}

TEST_F(CliTest, DecodeRefusesUnreadableAndUnknownImages) {
    std::ofstream(path("empty.bin"));
    std::ofstream(path("big.bin")) << std::string(65001, '\xFF');
    std::ofstream(path("blank.bin")) << std::string(8192, '\xFF');
    for (const char* name : {"missing.bin", "empty.bin", "big.bin"}) {
        decode(name);
        EXPECT_EQ(status, 1) << name;
        EXPECT_NE(errors.find("Unable to open data file"), std::string::npos) << name;
    }
    decode("blank.bin");
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors.find("Error in decoding channel"), std::string::npos);
}

TEST_F(CliTest, ListPrintsTheReportRowsInColumns) {
    ASSERT_EQ(build(R"({"options": ["Enable Scan"], "channels": [
        {"channel": 5, "rx": "435.125", "tx": "430.125", "ctcss": "88.5", "scan": true},
        {"channel": 12, "rx": "439", "ctcss": "103.5"}]})"),
              0)
        << errors;
    std::ostringstream out;
    ASSERT_EQ(RunList(path("out.bin"), out), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find("KL40c Channel List"), std::string::npos);
    EXPECT_NE(text.find("Radio Configuration"), std::string::npos);
    const auto row5 = text.find("435.125         430.125         88.5            Y");
    const auto row12 = text.find("439.000         439.000         103.5           N");
    ASSERT_NE(row5, std::string::npos) << text;
    ASSERT_NE(row12, std::string::npos) << text;
    // Both rows start their frequency column at the same place on their line.
    auto column = [&](std::size_t at) { return at - text.rfind('\n', at) - 1; };
    EXPECT_EQ(column(row5), column(row12));
    EXPECT_NE(text.find("Channel Scan                     : Enabled"), std::string::npos);
    EXPECT_NE(text.find("Time out Timer                   : 2.00 minutes"), std::string::npos);
}

TEST(CliUsage, BadUsageExitsWithTwo) {
    auto run = [](std::vector<std::string> args) {
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        StderrCapture capture;
        std::ostringstream ignored;
        auto* old = std::cout.rdbuf(ignored.rdbuf());
        const int status = kl40::cli::Run(static_cast<int>(argv.size()), argv.data());
        std::cout.rdbuf(old);
        return status;
    };
    EXPECT_EQ(run({"kl40-cli"}), 2);
    EXPECT_EQ(run({"kl40-cli", "frobnicate"}), 2);
    EXPECT_EQ(run({"kl40-cli", "build", "radio.json"}), 2) << "missing -o";
    EXPECT_EQ(run({"kl40-cli", "--version"}), 0);
    EXPECT_EQ(run({"kl40-cli", "decode", "--help"}), 0);
}

} // namespace
} // namespace kl40::cli
