#include "cli/cli_app.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "coding/tone_table.h"
#include "core/option_table.h"
#include "entry/radio_entry.h"
#include "formats/radio_json.h"
#include "support/loaded_form.h"
#include "ui/form/channel_entry.h"
#include "ui/form/radio_snapshot.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include <sys/stat.h>

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

TEST_F(CliTest, BuildTellsAboutFrequenciesOffTheRasterAndSucceeds) {
    EXPECT_EQ(build(R"({"model": "KL40c", "timeout": "2.00",
        "channels": [{"channel": 5, "rx": "435.1234"},
        {"channel": 6, "rx": "435.1250", "tx": "430.0100"}, {"channel": 7, "rx": "440"}]})"),
              0);
    const std::string prefix = "kl40-cli: " + path("radio.json") + ": channel ";
    // The raster lines come first; the program-code warning of a template build follows.
    EXPECT_EQ(errors.substr(0, errors.find("kl40-cli: warning:")),
              prefix +
                  "5: 435.1234 MHz is not on the radio's 12.5 kHz raster: it will use "
                  "435.1250 MHz.\n" +
                  prefix +
                  "6: 430.0100 MHz is not on the radio's 12.5 kHz raster: it will use "
                  "430.0125 MHz.\n");
    EXPECT_TRUE(fs::exists(path("out.bin")));
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
        {R"({"channels": [{"channel": 0, "rx": "435"}]})",
         "channel 0: Check data entered: the channel must be a whole number from 1 to 99\n"},
        {R"({"channels": [{"channel": 100, "rx": "435"}]})", "channel 100: Check data entered"},
        {R"({"channels": [{"channel": 5, "rx": "abc"}]})",
         "channel 5: A valid frequency must be entered"},
        {R"({"channels": [{"channel": 5, "rx": ""}]})", "channel 5"},
        {R"({"channels": [{"channel": 5, "tx": "435"}]})",
         "radio.json: channel 5: \"rx\" is missing\n"},
        {R"({"channels": [{"channel": 5, "rx": "435", "ctcss": "67.0"}]})", "unknown CTCSS tone"},
        {R"({"channels": [{"channel": 5, "rx": "435", "scan": "yes"}]})", "\"scan\""},
        {R"({"channels": [{"channel": 5, "rx": "435"}, {"channel": 5, "rx": "436"}]})",
         "given twice"},
        {R"({"channels": [{"channel": 5, "rx": "435", "power": 1}]})", "unknown key \"power\""},
        {R"({"channels": [{"channel": 5, "rx": "435", "name": 7}]})",
         "radio.json: channel 5: \"name\" must be a text\n"},
        {R"({"model": "KL40b", "channels": []})", "unknown model"},
        {R"({"timeout": "4.00"})", "unknown timeout"},
        {R"({"options": ["Turbo"]})", "unknown option"},
        // Options the form would not allow together, or that the model lacks.
        {R"({"options": ["Display Timer", "Open LED is power indicator", "Silent Switch enabled",
            "Open LED off inhibits Transmit"], "channels": [{"channel": 5, "rx": "435"}]})",
         ": \"Open LED is power indicator\" and \"Silent Switch enabled\" exclude each other\n"},
        {R"({"options": ["User programmed scan"], "channels": [{"channel": 5, "rx": "435"}]})",
         ": \"User programmed scan\" needs \"Enable Scan\"\n"},
        {R"({"options": ["High/Low Power"], "channels": [{"channel": 5, "rx": "435"}]})",
         ": the KL40c has no \"High/Low Power\" option\n"},
        {R"({"model": "KL40a-64", "options": ["Down Delete"],
            "channels": [{"channel": 5, "rx": "435"}]})",
         ": the KL40a-64 has no \"Down Delete\" option\n"},
        {R"({"colour": "red"})", "unknown key"},
        {R"({"channels": []})", "radio.json: no channels to build\n"},
        {R"({"channels": [)", "not valid JSON: line 1, column 15: unexpected end of input"},
        // Channel numbers are read at full width: none wraps round into 1-99.
        {R"({"channels": [{"channel": 4294967301, "rx": "435"}]})",
         "channel 4294967301: Check data entered"},
        {R"({"channels": [{"channel": -4294967291, "rx": "435"}]})", "Check data entered"},
        {R"({"channels": [{"channel": 9223372036854775813, "rx": "435"}]})", "Check data entered"},
        {R"({"channels": [{"channel": 5.5, "rx": "435"}]})", "Check data entered"},
        {R"({"channels": [{"channel": "5", "rx": "435"}]})", "whole number from 1 to 99"},
        {R"({"channels": [{"channel": 5.0, "rx": "435"}]})", "whole number from 1 to 99"},
        {R"({"channels": [{"channel": true, "rx": "435"}]})", "whole number from 1 to 99"},
        {R"({"channels": [{"channel": null, "rx": "435"}]})", "whole number from 1 to 99"},
        // A key given twice is refused by name, not settled by the last one.
        {R"({"channels": [{"channel": 5, "rx": "435.1250", "rx": "999"}]})",
         "the key \"rx\" is given twice"},
        {R"({"model": "KL40c", "model": "KL40a-16", "channels": []})", "\"model\" is given twice"},
        // Echoed input shows control characters as escapes.
        {"{\"colo\\u001bur\": 1}", "unknown key \"colo\\u001bur\""},
    };
    for (const auto& c : cases) {
        fs::remove(path("out.bin"));
        EXPECT_EQ(build(c.radio), 1) << c.radio;
        EXPECT_NE(errors.find(c.mentions), std::string::npos) << c.radio << " -> " << errors;
        EXPECT_FALSE(fs::exists(path("out.bin"))) << c.radio;
    }
}

// Whatever the radio file is, a read failure is a refusal with the system's
// reason: no exception, no unbounded read, no image.
TEST_F(CliTest, UnreadableRadioFilesAreRefusedWithTheReason) {
    fs::create_directories(path("folder.json"));
    ASSERT_EQ(::mkfifo(path("fifo.json").c_str(), 0600), 0);
    // A sparse file just over the limit: refused by its length, before reading.
    {
        std::ofstream big(path("big.json"));
        big.seekp(1024 * 1024);
        big << ' ';
    }
    const std::string escaped = path("bad\x1b[31mname.json");
    struct Case {
        std::string radio;
        const char* reason;
    } cases[] = {
        {path("folder.json"), "cannot read the radio file: Is a directory"},
        {"/dev/zero", "cannot read the radio file: not a regular file"},
        {path("big.json"), "cannot read the radio file: larger than 1 MiB"},
        {path("fifo.json"), "not valid JSON: line 1, column 1: unexpected end of input"},
        {path("missing.json"), "cannot read the radio file: No such file or directory"},
        {"", "\"\": cannot read the radio file: the file name is empty"},
        {path("bad\x1b[31mname.json"), "bad\\x1b[31mname.json: cannot read"},
    };
    for (const auto& c : cases) {
        StderrCapture capture;
        EXPECT_EQ(RunBuild(c.radio, path("out.bin")), 1) << c.radio;
        EXPECT_NE(capture.text().find(c.reason), std::string::npos) << capture.text();
        EXPECT_EQ(capture.text().find('\x1b'), std::string::npos) << capture.text();
        EXPECT_FALSE(fs::exists(path("out.bin"))) << c.radio;
    }
    StderrCapture capture;
    EXPECT_EQ(RunBuild(writeRadio(R"({"channels": [{"channel": 5, "rx": "435"}]})"), ""), 1);
    EXPECT_NE(capture.text().find("kl40-cli: \"\": "), std::string::npos) << capture.text();
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
    fs::create_directories(path("folder.bin"));
    ASSERT_EQ(::mkfifo(path("fifo.bin").c_str(), 0600), 0);
    for (const auto& [name, reason] : {std::pair{"missing.bin", "No such file or directory"},
                                       {"empty.bin", "empty file"},
                                       {"big.bin", "larger than 65000 bytes"},
                                       {"folder.bin", "is a folder"},
                                       {"fifo.bin", "empty file"}, // a pipe without a writer
                                       {"/dev/zero", "not a regular file"}}) {
        decode(name);
        EXPECT_EQ(status, 1) << name;
        EXPECT_EQ(errors, "kl40-cli: " + path(name) + ": Unable to open data file\nkl40-cli: " +
                              path(name) + ": " + reason + "\n");
    }
    decode("blank.bin");
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors.find("Error in decoding channel"), std::string::npos);
}

TEST_F(CliTest, ListPrintsTheReportRowsInColumns) {
    ASSERT_EQ(build(R"({"options": ["Enable Scan"], "channels": [
        {"channel": 5, "rx": "433.5125", "tx": "439.0375", "ctcss": "88.5", "scan": true},
        {"channel": 12, "rx": "439", "ctcss": "103.5"}]})"),
              0)
        << errors;
    std::ostringstream out;
    ASSERT_EQ(RunList(path("out.bin"), out), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find("KL40c Channel List"), std::string::npos);
    EXPECT_NE(text.find("Radio Configuration"), std::string::npos);
    // Frequencies in full, each column under its heading.
    const auto row5 = text.find("433.5125        439.0375        88.5            Y");
    const auto row12 = text.find("439.0000        439.0000        103.5           N");
    ASSERT_NE(row5, std::string::npos) << text;
    ASSERT_NE(row12, std::string::npos) << text;
    // Both rows start their frequency column at the same place on their line.
    auto column = [&](std::size_t at) { return at - text.rfind('\n', at) - 1; };
    EXPECT_EQ(column(row5), column(row12));
    EXPECT_NE(text.find("Channel Scan                     : Enabled"), std::string::npos);
    EXPECT_NE(text.find("Time out Timer                   : 2.00 minutes"), std::string::npos);
}

// The bytes of a file, or "" when it cannot be read.
std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST_F(CliTest, BatchNamesEveryRefusalAndWritesNothingUnlessAllAreGood) {
    const std::string good1 = writeRadio(R"({"model": "KL40a-16", "options": ["Enable Scan"],
        "channels": [{"channel": 5, "rx": "435.125", "ctcss": "88.5", "scan": true}]})",
                                         "alpha.json");
    const std::string bad1 =
        writeRadio(R"({"channels": [{"channel": 5, "rx": "399.9"}]})", "bravo.json");
    const std::string good2 = writeRadio(R"({"model": "KL40c", "timeout": "3.00",
        "channels": [{"channel": 1, "rx": 439}, {"channel": 99, "rx": "411.2", "tx": "416.2"}]})",
                                         "charlie.json");
    const std::string bad2 = writeRadio(R"({"colour": "red"})", "delta.json");
    const std::string good3 = writeRadio(R"({"model": "KL40a-64",
        "channels": [{"channel": 12, "rx": "440.0125", "ctcss": "241.8"}]})",
                                         "echo");

    StderrCapture capture;
    const int status =
        RunBuildBatch({good1, bad1, good2, bad2, good3, path("missing.json")}, path("images"));
    errors = capture.text();
    EXPECT_EQ(status, 1);

    // Each refusal names its file and reason, in the order given; no image
    // is written, not even those of the good files.
    const auto at1 = errors.find("bravo.json: channel 5: A valid frequency must be entered");
    const auto at2 = errors.find("delta.json: unknown key \"colour\"");
    const auto at3 = errors.find("missing.json: cannot read the radio file");
    ASSERT_NE(at1, std::string::npos) << errors;
    ASSERT_NE(at2, std::string::npos) << errors;
    ASSERT_NE(at3, std::string::npos) << errors;
    EXPECT_LT(at1, at2);
    EXPECT_LT(at2, at3);
    EXPECT_NE(errors.find("3 of 6 radio files refused: no image written"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("images")));

    // The good files alone: every image equals the one a single build writes, byte for byte.
    ASSERT_EQ(RunBuildBatch({good1, good2, good3}, path("images")), 0);
    for (const auto& [radio, name] :
         {std::pair{good1, "alpha"}, std::pair{good2, "charlie"}, std::pair{good3, "echo"}}) {
        ASSERT_EQ(RunBuild(radio, path(std::string(name) + "-single.bin")), 0) << name;
        const std::string batch = fileBytes(path("images/" + std::string(name) + ".bin"));
        EXPECT_FALSE(batch.empty()) << name;
        EXPECT_EQ(batch, fileBytes(path(std::string(name) + "-single.bin"))) << name;
    }
    // Nothing else was left in the folder (no temporary files).
    EXPECT_EQ(std::distance(fs::directory_iterator(path("images")), fs::directory_iterator()), 3);
}

TEST_F(CliTest, BatchOfOnlyGoodFilesSucceedsAndReplacesOlderImages) {
    std::vector<std::string> radios;
    for (int n = 1; n <= 20; ++n) {
        json radio = {{"model", n % 2 ? "KL40c" : "KL40a-64"},
                      {"timeout", "2.00"},
                      {"channels", json::array()}};
        for (int ch = 1; ch <= n; ++ch)
            radio["channels"].push_back(
                {{"channel", ch}, {"rx", 400 + n + ch * 0.0125}, {"scan", ch % 3 == 0}});
        radios.push_back(writeRadio(radio.dump(), "radio" + std::to_string(n) + ".json"));
    }
    fs::create_directories(path("out"));
    std::ofstream(path("out/radio7.bin")) << "an older image";
    StderrCapture capture;
    EXPECT_EQ(RunBuildBatch(radios, path("out")), 0);
    // Only the one warning that the images hold no program code.
    const std::string warnings = capture.text();
    EXPECT_EQ(warnings.find("kl40-cli: warning: 20 images hold no program code"), 0u);
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1);
    for (int n = 1; n <= 20; ++n) {
        const std::string name = "radio" + std::to_string(n);
        ASSERT_EQ(RunBuild(path(name + ".json"), path(name + "-single.bin")), 0);
        EXPECT_EQ(fileBytes(path("out/" + name + ".bin")), fileBytes(path(name + "-single.bin")))
            << name;
    }
}

TEST_F(CliTest, BatchRefusesASecondFileWithTheSameImageName) {
    fs::create_directories(path("a"));
    fs::create_directories(path("b"));
    const std::string radio = R"({"channels": [{"channel": 3, "rx": "439"}]})";
    std::ofstream(path("a/radio.json")) << radio;
    std::ofstream(path("b/radio.json")) << R"({"channels": [{"channel": 4, "rx": "431"}]})";
    StderrCapture capture;
    EXPECT_EQ(RunBuildBatch({path("a/radio.json"), path("b/radio.json")}, path("out")), 1);
    EXPECT_NE(capture.text().find(path("b/radio.json") + ": its image radio.bin would replace"),
              std::string::npos)
        << capture.text();
    EXPECT_FALSE(fs::exists(path("out"))) << "nothing is written";
}

// An image never replaces a radio file given as input, under any name.
TEST_F(CliTest, OutputThatIsAnInputIsRefusedAndTheInputKept) {
    const std::string text = R"({"channels": [{"channel": 3, "rx": "439"}]})";
    const std::string radio = writeRadio(text);
    fs::create_symlink(radio, path("link.bin"));
    fs::create_hard_link(radio, path("hard.bin"));
    for (const char* output : {"radio.json", "link.bin", "hard.bin"}) {
        StderrCapture capture;
        EXPECT_EQ(RunBuild(radio, path(output)), 1) << output;
        EXPECT_NE(capture.text().find("is the radio file itself"), std::string::npos) << output;
    }
    const std::string self = writeRadio(text, "self.bin");
    StderrCapture capture;
    EXPECT_EQ(RunBuildBatch({self}, dir.string()), 1);
    EXPECT_NE(capture.text().find("would replace the radio file"), std::string::npos)
        << capture.text();
    EXPECT_EQ(fileBytes(radio), text);
    EXPECT_EQ(fileBytes(self), text);
}

TEST_F(CliTest, BatchRefusesAnOutputFolderThatIsAFile) {
    std::ofstream(path("taken")) << "x";
    StderrCapture capture;
    EXPECT_EQ(RunBuildBatch({writeRadio(R"({"channels": [{"channel": 3, "rx": "439"}]})")},
                            path("taken")),
              1);
    EXPECT_NE(capture.text().find("taken: cannot use this as the folder"), std::string::npos);
}

// kl40-cli enters a radio file through the channel entry rules without the
// form: random radio records, valid or not, must give the radio, the
// messages and the image that storing them through the form gives.
TEST(CliSession, EnteringWithoutTheFormIsStoringThroughTheForm) {
    std::mt19937 random(16);
    const auto pick = [&random](int n) { return static_cast<int>(random() % n); };
    const char* frequencies[] = {"435.125", "439", "401.4125", "449.99",   "435.12345", "399",
                                 "abc",     "",    "+0433.5",  "450.0001", "420.0625"};
    const char* tones[] = {"none", "88.5", "241.8", "100.0", " 71.9", "103.5"};
    for (int round = 0; round < 200; ++round) {
        RadioRecord record;
        record.model = ModelNames()[static_cast<std::size_t>(pick(3))];
        record.timeout = std::string(kTimeoutTexts[static_cast<std::size_t>(pick(3))]);
        for (const std::string& caption : OptionCaptions())
            if (pick(3) == 0) record.options.push_back(caption);
        for (int k = pick(45); k > 0; --k) {
            ChannelRecord c;
            c.number = 1 + pick(99);
            c.rx = frequencies[pick(11)];
            if (pick(2)) c.tx = frequencies[pick(11)];
            c.tone = tones[pick(6)];
            c.scan = pick(2);
            if (pick(3) == 0) c.name = "name " + std::to_string(k);
            if (pick(3) == 0) c.comment = "comment " + std::to_string(k);
            record.channels.push_back(c);
        }
        const OnRefusal mode = pick(2) ? OnRefusal::Stop : OnRefusal::Skip;

        test::LoadedForm form;
        const ApplyOutcome throughForm = ApplyRadio(form.ws, record, mode);
        Radio radio;
        const ApplyOutcome withoutForm = EnterRadio(radio, record, mode);
        ASSERT_EQ(withoutForm.channels.size(), throughForm.channels.size()) << round;
        for (std::size_t k = 0; k < withoutForm.channels.size(); ++k) {
            EXPECT_EQ(withoutForm.channels[k].stored, throughForm.channels[k].stored) << round;
            EXPECT_EQ(withoutForm.channels[k].messages, throughForm.channels[k].messages) << round;
            EXPECT_EQ(withoutForm.channels[k].rasterNote, throughForm.channels[k].rasterNote);
            EXPECT_EQ(withoutForm.channels[k].unknownTone, throughForm.channels[k].unknownTone);
        }
        radio.optionsReadFrom = 0;
        EXPECT_EQ(radio, RadioOf(form.ws)) << "round " << round;
    }
}

TEST(CliRadioJson, WrittenTextReadsBackWithEveryCharacter) {
    RadioRecord radio;
    radio.model = "KL40c";
    radio.timeout = "2.00";
    radio.options = {"Enable Scan", "quote \" and \\ backslash", "tab\there", "caf\xC3\xA9"};
    radio.channels.push_back({5, "435.1250", std::nullopt, "88.5", true});
    radio.channels.push_back(
        {100, std::nullopt, "line\nbreak\x01", "none", false, "na\"me\\", "caf\xC3\xA9\ttab"});
    const json written = json::parse(WriteRadioJson(radio));
    EXPECT_EQ(written["model"], "KL40c");
    EXPECT_EQ(written["options"], json(radio.options));
    EXPECT_EQ(written["channels"][0],
              json::parse(R"({"channel": 5, "rx": "435.1250", "tx": null, "ctcss": "88.5",
                              "scan": true})"));
    EXPECT_EQ(written["channels"][1]["tx"], "line\nbreak\x01");
    EXPECT_EQ(written["channels"][1]["rx"], nullptr);
    EXPECT_EQ(written["channels"][1]["name"], "na\"me\\");
    EXPECT_EQ(written["channels"][1]["comment"], "caf\xC3\xA9\ttab");
    EXPECT_EQ(WriteRadioJson(RadioRecord{"KL40c", "1.00", {}, {}}),
              "{\n  \"model\": \"KL40c\",\n  \"timeout\": \"1.00\",\n  \"options\": [],\n"
              "  \"channels\": []\n}\n");
}

TEST(CliUsage, BadUsageExitsWithTwo) {
    std::string errors;
    auto run = [&errors](std::vector<std::string> args) {
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        StderrCapture capture;
        std::ostringstream ignored;
        auto* old = std::cout.rdbuf(ignored.rdbuf());
        const int status = kl40::cli::Run(static_cast<int>(argv.size()), argv.data());
        std::cout.rdbuf(old);
        errors = capture.text();
        return status;
    };
    EXPECT_EQ(run({"kl40-cli"}), 2);
    EXPECT_EQ(run({"kl40-cli", "frobnicate"}), 2);
    EXPECT_NE(errors.find("unknown verb frobnicate; the verbs are build, decode, list, diff, "
                          "export-csv, firmware"),
              std::string::npos)
        << errors;
    EXPECT_EQ(run({"kl40-cli", "build", "radio.json"}), 2) << "missing -o";
    EXPECT_EQ(run({"kl40-cli", "build", "a.json", "b.json", "-o", "x.bin"}), 2)
        << "-o names one image";
    EXPECT_EQ(run({"kl40-cli", "build", "a.json", "-o", "x.bin", "--out-dir", "d"}), 2);
    EXPECT_EQ(run({"kl40-cli", "build", "--out-dir", "d"}), 2) << "no radio file";
    EXPECT_EQ(run({"kl40-cli", "--version"}), 0);
    EXPECT_EQ(run({"kl40-cli", "decode", "--help"}), 0);
}

} // namespace
} // namespace kl40::cli
