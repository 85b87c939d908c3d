// kl40-cli never loses a file or reports a failure as success: outputs that
// are inputs, standard output that cannot be written, image names that say
// another format, batches with a refused file; and its refusals say what the
// file is.

#include "support/cli_run.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace kl40::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRadio =
    R"({"model": "KL40c", "timeout": "2.00", "channels": [{"channel": 3, "rx": "439"}]})";

class OutputSafetyTest : public ::testing::Test, public test::TempFolder {
protected:
    OutputSafetyTest() {
        writeText("r.json", kRadio);
        EXPECT_EQ(run({"build", file("r.json"), "-o", file("r.bin")}), 0) << errors;
        // Program code of its own, as an image read from a radio has.
        auto image = readBytes("r.bin");
        image.at(0) ^= 0x5A;
        writeBytes("r.bin", image);
    }
    int run(std::vector<std::string> args) {
        const test::CliResult result = test::RunCli(std::move(args));
        out = result.out;
        errors = result.errors;
        return result.status;
    }
    // Runs the built kl40-cli through the shell, within a time limit; the
    // exit status, or -1 when it could not be run.
    int shell(const std::string& command) {
        const char* cli = std::getenv("KL40_CLI");
        if (!cli) return -1;
        const int status = std::system(("XDG_DATA_HOME=" + file("data") + " timeout 10 " + cli +
                                        " " + command + " 2>" + file("stderr"))
                                           .c_str());
        errors = readText("stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string out, errors;
};

TEST_F(OutputSafetyTest, NoVerbWritesOverOneOfItsInputs) {
    fs::create_symlink(file("r.bin"), file("link.csv"));
    fs::create_hard_link(file("r.json"), file("hard.bin"));
    const std::vector<std::vector<std::string>> runs = {
        {"export-csv", file("r.bin"), "-o", file("r.bin")},
        {"export-csv", file("r.json"), "-o", file("r.json")},
        {"export-csv", file("r.bin"), "-o", file("link.csv")},
        {"build", file("r.json"), "-o", file("hard.bin")},
        {"build", file("r.json"), "-o", file("r.bin"), "--firmware", file("r.bin")},
        {"build", file("r.json"), "--out-dir", dir().string(), "--firmware", file("r.bin")},
    };
    const auto image = readBytes("r.bin");
    for (const auto& args : runs) {
        EXPECT_EQ(run(args), 1) << args[0] << " " << args.back();
        EXPECT_NE(errors.find("replace"), std::string::npos) << errors;
        EXPECT_EQ(readBytes("r.bin"), image);
        EXPECT_EQ(readText("r.json"), kRadio);
    }
}

TEST_F(OutputSafetyTest, AFailedWriteToStandardOutputFailsTheRun) {
    writeText("b.json", R"({"model": "KL40c", "timeout": "3.00"})"); // differs from r.bin
    const std::string image = file("r.bin");
    for (const std::string& command :
         {"decode " + image, "list " + image, "export-csv " + image,
          "diff " + image + " " + file("b.json"), std::string("firmware list"),
          std::string("--help"), std::string("build --help"), std::string("--version")}) {
        const int status = shell(command + " >/dev/full");
        if (status == -1) GTEST_SKIP() << "KL40_CLI is not set";
        // diff's 1 means "different": a lost report is its trouble status, 2.
        EXPECT_EQ(status, command.starts_with("diff") ? 2 : 1) << command;
        EXPECT_EQ(errors, "kl40-cli: standard output: No space left on device\n") << command;
    }
}

TEST_F(OutputSafetyTest, WhatIsNoImageIsNamedForWhatItIs) {
    writeText("list.csv", "Location,Name,Frequency\n");
    const auto image = readBytes("r.bin");
    for (std::size_t size : {1u, 2047u, 4096u, 8191u, 8193u}) {
        std::vector<std::uint8_t> bytes = image;
        bytes.resize(size, 0xFF);
        writeBytes("odd.bin", bytes);
        for (const char* verb : {"decode", "list", "diff", "export-csv"}) {
            std::vector<std::string> args = {verb, file("odd.bin")};
            if (args[0] == "diff") args.push_back(file("r.bin"));
            EXPECT_NE(run(args), 0);
            EXPECT_NE(errors.find("odd.bin: " + std::to_string(size) +
                                  " bytes: a KL40 image has 2048 or 8192 bytes\n"),
                      std::string::npos)
                << errors;
        }
    }
    for (const char* verb : {"decode", "list", "diff"}) {
        std::vector<std::string> args = {verb, file("list.csv")};
        if (args[0] == "diff") args.push_back(file("r.bin"));
        EXPECT_NE(run(args), 0);
        EXPECT_NE(errors.find("list.csv: a channel list, not an image\n"), std::string::npos)
            << errors;
    }
    // Files of the kernel are refused unread: no "empty file", no wait.
    for (const char* special : {"/proc/cpuinfo", "/proc/kmsg", "/dev/zero"}) {
        if (!fs::exists(special)) continue;
        const int status = shell(std::string("build ") + special + " -o " + file("k.bin"));
        if (status == -1) GTEST_SKIP() << "KL40_CLI is not set";
        EXPECT_EQ(status, 1) << special;
        EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
        EXPECT_EQ(shell(std::string("decode ") + special), 1) << special;
        EXPECT_NE(errors.find(": not a regular file"), std::string::npos) << errors;
    }
}

TEST_F(OutputSafetyTest, AnImageIsWrittenOnlyUnderANameOfItsFormat) {
    struct Case {
        std::vector<std::string> options;
        const char* name;
        int status;
    } cases[] = {
        {{"--format", "srec"}, "x.hex", 2},
        {{"--format", "bin"}, "x.s19", 2},
        {{}, "x.csv", 2},
        {{}, "x.json", 0}, // the radio file, names kept, not an image
        {{"--format", "bin"}, "x.json", 2},
        {{"--format", "ihex"}, "x.csv", 2},
        {{}, "x.s28", 2},
        {{"--format", "srec"}, "x.s19", 0},
        {{}, "x.hex", 0},
        {{}, "x", 0},
        {{"--format", "ihex"}, "x.img", 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"build", file("r.json"), "-o", file(c.name)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        EXPECT_EQ(run(args), c.status) << c.name << " " << errors;
        EXPECT_EQ(fs::exists(file(c.name)), c.status == 0) << c.name;
        fs::remove(file(c.name));
    }
    run({"build", file("r.json"), "-o", file("x.hex"), "--format", "srec"});
    EXPECT_NE(errors.find("x.hex: --format srec does not match the extension .hex"),
              std::string::npos)
        << errors;
}

TEST_F(OutputSafetyTest, BuildsSayWhatTheyRefuseAndWhichDefaultsTheyTake) {
    writeText("refused.csv", "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\n"
                             "1,A,470.000000,,0.000000,,88.5,88.5\n");
    EXPECT_EQ(run({"build", file("refused.csv"), "-o", file("c.bin")}), 1);
    const std::string prefix = "kl40-cli: " + file("refused.csv") + ": ";
    EXPECT_EQ(errors.find(prefix + "no --model given: a KL40c radio\n"), 0u) << errors;
    EXPECT_NE(errors.find(prefix + "Line 2"), std::string::npos) << errors;
    EXPECT_EQ(errors.substr(errors.rfind(prefix)), prefix + "no channels to build\n");
    EXPECT_FALSE(fs::exists(file("c.bin")));

    writeText("bare.json", R"({"channels": [{"channel": 3, "rx": "439"}]})");
    EXPECT_EQ(run({"build", file("bare.json"), "-o", file("bare.bin")}), 0);
    EXPECT_NE(errors.find("bare.json: no \"model\" given: a KL40c radio\n"), std::string::npos);
    EXPECT_NE(errors.find("bare.json: no \"timeout\" given: a time-out of 2.00 minutes\n"),
              std::string::npos);
}

} // namespace
} // namespace kl40::cli
