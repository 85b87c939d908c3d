#include "cli/cli_app.h"
#include "cli/radio_diff.h"
#include "cli/verbs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>

namespace kl40::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class DiffTest : public ::testing::Test {
protected:
    DiffTest() {
        dir = fs::temp_directory_path() / ("kl40-diff-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    ~DiffTest() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    // Builds the radio file `name`.json into `name`.bin and returns the image's path.
    std::string build(const std::string& name, const std::string& radio) const {
        const std::string image = path(name + ".bin");
        std::ostringstream ignored;
        auto* old = std::cerr.rdbuf(ignored.rdbuf());
        const int status = RunBuild(write(name + ".json", radio), image);
        std::cerr.rdbuf(old);
        EXPECT_EQ(status, 0) << ignored.str();
        return image;
    }
    Bytes read(const std::string& file) const {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void overwrite(const std::string& file, const Bytes& bytes) const {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // Runs the verb; its stdout goes to `out`, its stderr to `errors`.
    int diff(const std::string& a, const std::string& b) {
        std::ostringstream stdoutText, stderrText;
        auto* old = std::cerr.rdbuf(stderrText.rdbuf());
        const int status = RunDiff(a, b, stdoutText);
        std::cerr.rdbuf(old);
        out = stdoutText.str();
        errors = stderrText.str();
        return status;
    }

    fs::path dir;
    std::string out, errors;
};

TEST_F(DiffTest, TellsEveryKindOfDifferenceInItsOrder) {
    const std::string a = write("a.json", R"({"model": "KL40a-64", "timeout": "2.00",
        "options": ["Enable Scan", "Busy Channel Lockout"],
        "channels": [
          {"channel": 5, "rx": "435.1250", "tx": "430.1250", "ctcss": "88.5", "scan": true},
          {"channel": 7, "rx": "436"},
          {"channel": 9, "rx": "435.1250", "tx": "430"},
          {"channel": 12, "rx": "439", "ctcss": "103.5"}]})");
    const std::string b = write("b.json", R"({"model": "KL40c", "timeout": "3.00",
        "options": ["Enable Scan", "Down Delete"],
        "channels": [
          {"channel": 3, "rx": "435.1250", "tx": "430.1250", "ctcss": "88.5", "scan": true},
          {"channel": 5, "rx": "435.1250", "tx": "430.1250", "ctcss": "88.5", "scan": true,
           "name": "Home", "comment": "a\nb"},
          {"channel": 9, "rx": "435.1375", "tx": "430", "ctcss": "88.5", "scan": true},
          {"channel": 12, "rx": "439", "tx": "431"},
          {"channel": 40, "rx": "440", "name": "Club"}]})");
    EXPECT_EQ(diff(a, b), 1) << errors;
    EXPECT_EQ(out, "model: KL40a-64 -> KL40c\n"
                   "time-out: 2.00 -> 3.00 minutes\n"
                   "option \"Down Delete\": off -> on\n"
                   "option \"Busy Channel Lockout\": on -> off\n"
                   "channel 3 added: 435.1250 / 430.1250, tone 88.5, scan\n"
                   "channel 5: name \"\" -> \"Home\"; comment \"\" -> \"a\\nb\"\n"
                   "channel 7 removed\n"
                   "channel 9: receive 435.1250 -> 435.1375; tone none -> 88.5; scan no -> yes\n"
                   "channel 12: transmit 439.0000 -> 431.0000; tone 103.5 -> none\n"
                   "channel 40 added: 440.0000 / 440.0000, tone none, no scan, name \"Club\"\n");
    EXPECT_EQ(errors, "");
}

TEST_F(DiffTest, SameRadioPrintsNothing) {
    const std::string radio = R"({"model": "KL40c", "timeout": "2.00",
        "options": ["Receive CTCSS enable"],
        "channels": [{"channel": 5, "rx": "435.125", "tx": "430.1250", "ctcss": "88.5"}]})";
    const std::string image = build("radio", radio);
    fs::copy_file(image, path("copy.bin"));
    const std::pair<std::string, std::string> pairs[] = {
        {path("radio.json"), image}, // the radio file holds what its image holds
        {image, path("copy.bin")},
        {write("same.JSON", radio), path("radio.json")},
    };
    for (const auto& [a, b] : pairs) {
        EXPECT_EQ(diff(a, b), 0) << a << " " << b << "\n" << out << errors;
        EXPECT_EQ(out + errors, "");
    }
    const char* argv[] = {"kl40-cli", "diff", image.c_str(), pairs[1].second.c_str()};
    EXPECT_EQ(kl40::cli::Run(4, const_cast<char**>(argv)), 0);

    // An off-raster frequency compares as the one its image holds.
    const std::string offRaster = build("off", R"({"channels": [{"channel": 1, "rx": "440.0060"}]})");
    EXPECT_EQ(diff(path("off.json"), offRaster), 0) << out;
    EXPECT_EQ(out, "");
}

TEST_F(DiffTest, UnreadableInputIsAnErrorNamingTheFile) {
    const std::string good = build("good", R"({"channels": [{"channel": 1, "rx": "435"}]})");
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {
        {path("missing.bin"), "Unable to open data file: No such file or directory"},
        {write("empty.bin", ""), "Unable to open data file: empty file"},
        {write("short.bin", std::string(100, '\x55')), ""},
        {path("missing.json"), "cannot read the radio file: No such file or directory"},
        {write("broken.json", "{"), "not valid JSON"},
        {write("tone.json", R"({"channels": [{"channel": 5, "rx": "435", "ctcss": "67.0"}]})"),
         "channel 5: unknown CTCSS tone \"67.0\""},
    };
    for (const auto& [file, reason] : cases) {
        for (const auto& [a, b] : {std::pair{file, good}, std::pair{good, file}}) {
            EXPECT_EQ(diff(a, b), 2) << file;
            EXPECT_EQ(out, "");
            EXPECT_EQ(errors.rfind("kl40-cli: " + file + ": ", 0), 0u) << errors;
            EXPECT_NE(errors.find(reason), std::string::npos) << errors;
            EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        }
    }
    // Like diff(1), a usage error is 2 as well.
    const char* argv[] = {"kl40-cli", "diff", "only-one.bin"};
    std::ostringstream ignored;
    auto* old = std::cerr.rdbuf(ignored.rdbuf());
    EXPECT_EQ(kl40::cli::Run(3, const_cast<char**>(argv)), 2);
    std::cerr.rdbuf(old);
}

TEST_F(DiffTest, DataAreaChangesAreChannelsAndProgramCodeChangesAreAddresses) {
    const std::string a = build("a", R"({"channels": [{"channel": 5, "rx": "435"}]})");
    const std::string b =
        build("b", R"({"channels": [{"channel": 5, "rx": "435", "ctcss": "88.5"}]})");
    Bytes bytes = read(b);
    ASSERT_EQ(bytes.size(), 0x2000u);
    for (std::size_t address : {0x0140, 0x0141, 0x0142, 0x1FFF})
        bytes[address] ^= 0xFF;
    overwrite(b, bytes);
    EXPECT_EQ(diff(a, b), 1) << errors;
    EXPECT_EQ(out, "channel 5: tone none -> 88.5\n"
                   "program code: 4 bytes differ in 0x0140-0x0142, 0x1FFF\n");
}

TEST(ProgramCodeDifference, ListsMergedRangesOutsideTheDataArea) {
    const Bytes base(0x2000, 0xA5);
    const struct {
        std::vector<std::size_t> changed;
        std::optional<std::string> line;
    } cases[] = {
        {{}, std::nullopt},
        {{0x1000, 0x1400, 0x17FF}, std::nullopt}, // all in the data area
        {{0x0140}, "program code: 1 byte differs in 0x0140"},
        {{0x0000, 0x0143, 0x0140, 0x0141, 0x0142, 0x0FFF, 0x1000, 0x17FF, 0x1800, 0x1801, 0x1FFF},
         "program code: 9 bytes differ in 0x0000, 0x0140-0x0143, 0x0FFF, 0x1800-0x1801, 0x1FFF"},
    };
    for (const auto& [changed, line] : cases) {
        Bytes other = base;
        for (std::size_t address : changed)
            other[address] ^= 0x01;
        EXPECT_EQ(ProgramCodeDifference({base, 3}, {other, 3}), line);
    }

    // Beyond kListedRanges ranges the rest are counted.
    Bytes scattered = base;
    std::string expected = "program code: 25 bytes differ in ";
    for (std::size_t i = 0; i < 25; ++i) {
        scattered[0x10 * i] ^= 0x01;
        char address[8];
        std::snprintf(address, sizeof address, "0x%04zX", 0x10 * i);
        if (i < kListedRanges) expected += (i ? ", " : "") + std::string(address);
    }
    EXPECT_EQ(ProgramCodeDifference({base, 2}, {scattered, 2}), expected + " and 5 more ranges");

    // A "KL40a-16" image has no program area.
    const Bytes small(0x800, 0xA5);
    EXPECT_EQ(ProgramCodeDifference({small, 1}, {small, 1}), std::nullopt);
    EXPECT_EQ(ProgramCodeDifference({small, 1}, {base, 3}),
              "program code: only the second image has any (6144 bytes); the first, a KL40a-16 "
              "image, is all data area");
}

} // namespace
} // namespace kl40::cli
