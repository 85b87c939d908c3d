// kl40-cli across the file formats: images as Intel HEX and S-record, channel
// lists as CSV, each checked against an independent reading (srec_cat, the
// diff of the decoded radios).

#include "image/channel_transfer.h"
#include "image/image_build.h"
#include "support/cli_run.h"
#include "support/loaded_form.h"
#include "support/temp_folder.h"
#include "ui/flows/channel_file_flow.h"
#include "ui/flows/form_image.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>

namespace kl40::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class FormatsCliTest : public ::testing::Test, public test::TempFolder {
protected:
    std::string path(const std::string& name) const { return file(name); }
    std::string read(const std::string& name) const { return readText(name); }
    int run(std::vector<std::string> args) {
        const test::CliResult result = test::RunCli(std::move(args));
        out = result.out;
        errors = result.errors;
        return result.status;
    }

    std::string out, errors;
};

// A random radio with channels of every kind the radio holds.
json randomRadio(std::mt19937& random) {
    static const char* models[] = {"KL40a-16", "KL40a-64", "KL40c"};
    static const char* tones[] = {"none", "71.9", "88.5", "103.5", "151.4", "241.8"};
    json radio = {{"model", models[random() % 3]},
                  {"timeout", std::to_string(1 + random() % 3) + ".00"},
                  {"options", json::array()},
                  {"channels", json::array()}};
    if (random() % 2) radio["options"].push_back("Receive CTCSS enable");
    if (random() % 2) radio["options"].push_back("Enable Scan");
    for (int ch = 1; ch <= 99; ++ch) {
        if (random() % 4) continue;
        char rx[16], tx[16];
        std::snprintf(rx, sizeof rx, "%.4f", 400 + (random() % 4001) * 0.0125);
        std::snprintf(tx, sizeof tx, "%.4f", 400 + (random() % 4001) * 0.0125);
        radio["channels"].push_back({{"channel", ch},
                                     {"rx", rx},
                                     {"tx", random() % 3 ? std::string(tx) : std::string(rx)},
                                     {"ctcss", tones[random() % 6]},
                                     {"scan", random() % 4 == 0}});
        if (random() % 3 == 0) radio["channels"].back()["name"] = "Ch, " + std::to_string(ch);
    }
    return radio;
}

TEST_F(FormatsCliTest, ImageToChannelListAndBackKeepsChannelsTonesAndScanFlags) {
    std::mt19937 random(11);
    for (int i = 0; i < 25; ++i) {
        const json radio = randomRadio(random);
        std::ofstream(path("radio.json")) << radio.dump();
        ASSERT_EQ(run({"build", path("radio.json"), "-o", path("radio.bin")}), 0) << errors;
        // The radio file's names go to its channel list; an image holds none.
        ASSERT_EQ(run({"export-csv", path("radio.json")}), 0) << errors;
        for (const auto& channel : radio["channels"]) {
            if (!channel.contains("name")) continue;
            EXPECT_NE(out.find("\n" + channel["channel"].dump() + ",\"" +
                               channel["name"].get<std::string>() + "\","),
                      std::string::npos)
                << out;
        }
        ASSERT_EQ(run({"export-csv", path("radio.bin"), "-o", path("radio.csv")}), 0) << errors;
        EXPECT_EQ(read("radio.csv").rfind("Location,Name,Frequency,", 0), 0u);
        std::vector<std::string> back = {"build",          path("radio.csv"), "-o",
                                         path("back.bin"), "--model",         radio["model"],
                                         "--timeout",      radio["timeout"]};
        for (const auto& option : radio["options"]) {
            back.push_back("--option");
            back.push_back(option);
        }
        ASSERT_EQ(run(back), 0) << errors;
        // The import report: every channel imported, none refused or changed.
        EXPECT_NE(errors.find(" " + std::to_string(radio["channels"].size()) + " channel"),
                  std::string::npos)
            << errors;
        EXPECT_EQ(errors.find(": Line "), std::string::npos) << errors;
        // Storing a scan channel turns scanning on, as the form's import does.
        bool scanChannels = false;
        for (const auto& channel : radio["channels"])
            scanChannels = scanChannels || channel["scan"] == true;
        const bool turnedOn =
            scanChannels && std::find(radio["options"].begin(), radio["options"].end(),
                                      "Enable Scan") == radio["options"].end();
        EXPECT_EQ(errors.find("\"Enable Scan\" turned on: channel ") != std::string::npos, turnedOn)
            << errors;
        EXPECT_EQ(run({"diff", path("radio.bin"), path("back.bin")}), turnedOn ? 1 : 0)
            << radio.dump() << out;
        EXPECT_EQ(out, turnedOn ? "option \"Enable Scan\": off -> on\n" : "");
    }
    // The export to stdout is the same file.
    ASSERT_EQ(run({"export-csv", path("radio.bin")}), 0);
    EXPECT_EQ(out, read("radio.csv"));
    // Options for a channel list only.
    EXPECT_EQ(run({"build", path("radio.json"), "-o", path("x.bin"), "--model", "KL40c"}), 2);
}

// A channel list gives the same radio built by kl40-cli as imported into a
// fresh form and saved; options the form would not allow are refused.
TEST_F(FormatsCliTest, ChannelListBuildsAsTheFormsImportDoes) {
    std::ofstream(path("x.csv"))
        << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Skip,Comment\r\n"
           "3,Club,435.000000,,0.600000,,88.5,88.5,S,north hill\r\n"
           "5,,436.000000,,0.600000,,88.5,88.5,,\r\n";
    const std::string note = "\"Enable Scan\" turned on: channel 5 is a scan channel.\n";
    ASSERT_EQ(run({"build", path("x.csv"), "-o", path("cli.bin"), "--model", "KL40c", "--option",
                   "Busy Channel Lockout"}),
              0)
        << errors;
    // Names are taken without a note: the report says only this about the list.
    EXPECT_TRUE(errors.starts_with("kl40-cli: " + path("x.csv") + ": 2 channels imported.\n" +
                                   "kl40-cli: " + path("x.csv") + ": " + note +
                                   "kl40-cli: warning"))
        << errors;

    test::LoadedForm gui;
    gui.ws.form.chkBCO.click();
    gui.platform.choosePath(path("x.csv"));
    ImportChannelFile(gui.ws);
    EXPECT_NE(gui.platform.last().text.find("\n" + note), std::string::npos);
    ASSERT_TRUE(BuildImage(gui.ws));
    const std::string cli = read("cli.bin");
    const std::string form(gui.ws.data.ImageText.begin(), gui.ws.data.ImageText.end());
    EXPECT_EQ(cli.substr(0x1000, 0x800), form.substr(0x1000, 0x800)); // the data area

    const std::vector<std::vector<std::string>> refused = {
        {"High/Low Power"},
        {"Display Timer", "Open LED is power indicator", "Receive CTCSS enable"},
        {"Down Delete"}};
    const char* reasons[] = {
        "the KL40c has no \"High/Low Power\" option",
        "\"Open LED is power indicator\" and \"Receive CTCSS enable\" exclude each other",
        "the KL40c has no \"Down Delete\" option"};
    for (std::size_t i = 0; i < refused.size(); ++i) {
        std::vector<std::string> args = {"build",        path("x.csv"), "-o",
                                         path("no.bin"), "--model",     "KL40c"};
        for (const std::string& option : refused[i]) {
            args.push_back("--option");
            args.push_back(option);
        }
        EXPECT_EQ(run(args), 1);
        EXPECT_EQ(errors, "kl40-cli: " + path("x.csv") + ": " + reasons[i] + "\n");
        EXPECT_FALSE(fs::exists(path("no.bin")));
    }
}

TEST_F(FormatsCliTest, ImagesAsRecordFilesConvertBackToTheSameBytes) {
    std::ofstream(path("radio.json")) << R"({"model": "KL40a-64", "channels": [
        {"channel": 5, "rx": "435.1250", "tx": "430.1250", "ctcss": "88.5", "scan": true}]})";
    ASSERT_EQ(run({"build", path("radio.json"), "-o", path("radio.bin")}), 0);
    const bool haveSrecCat = std::system("srec_cat --version >/dev/null 2>&1") == 0;
    const struct {
        std::vector<std::string> args;
        std::string file;
        const char* srecCatFormat;
        char first;
    } cases[] = {
        {{"-o", path("a.hex")}, "a.hex", "-intel", ':'},
        {{"-o", path("a.s19")}, "a.s19", "-motorola", 'S'},
        {{"-o", path("forced.img"), "--format", "ihex"}, "forced.img", "-intel", ':'},
        {{"-o", path("forced.out"), "--format", "srec"}, "forced.out", "-motorola", 'S'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::vector<std::string> args = {"build", path("radio.json")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ASSERT_EQ(run(args), 0) << errors;
        EXPECT_EQ(read(c.file).front(), c.first);
        if (haveSrecCat) {
            const std::string command = "srec_cat " + path(c.file) + " " + c.srecCatFormat +
                                        " -o " + path("back.bin") + " -binary";
            ASSERT_EQ(std::system(command.c_str()), 0);
            EXPECT_EQ(read("back.bin"), read("radio.bin"));
        }
    }
    // Record files are read by their names wherever an image is read.
    ASSERT_EQ(run({"decode", path("a.hex")}), 0) << errors;
    const std::string decoded = out;
    ASSERT_EQ(run({"decode", path("radio.bin")}), 0);
    EXPECT_EQ(decoded, out);
    EXPECT_EQ(run({"diff", path("a.s19"), path("radio.bin")}), 0) << out;
    // A damaged record names its line.
    std::string damaged = read("a.hex");
    damaged[3 * 45 + 10] = damaged[3 * 45 + 10] == '0' ? '1' : '0';
    std::ofstream(path("bad.hex"), std::ios::binary) << damaged;
    EXPECT_EQ(run({"decode", path("bad.hex")}), 1);
    EXPECT_NE(errors.find("not a valid Intel HEX file: line 4: "), std::string::npos) << errors;
    EXPECT_EQ(run({"build", path("radio.json"), "-o", path("x.bin"), "--format", "png"}), 2);
}

} // namespace
} // namespace kl40::cli
