// kl40-cli eprom read, write and verify through the shipped minipro row, with
// `minipro` on PATH being the simulated programmer, and a Custom row from
// the settings file.

#include "image/image_read.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "image/templates.h"
#include "programmer/eprom_bits.h"
#include "support/cli_run.h"
#include "support/simulated_chip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kl40::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class EpromCli : public ::testing::Test {
protected:
    EpromCli() {
        fs::create_directories(chip.folder.dir() / "bin");
        fs::create_symlink(test::SimulatedChip::tool(), chip.folder.dir() / "bin" / "minipro");
        const char* path = std::getenv("PATH");
        chip.set("PATH", chip.folder.file("bin") + ":" + (path ? path : "/usr/bin:/bin"));
        chip.set("XDG_CONFIG_HOME", chip.folder.file("config"));
        chip.folder.writeText(
            "c.json",
            R"({"model":"KL40c","timeout":"2.00","channels":[{"channel":1,"rx":"439.0125"}]})");
    }
    void TearDown() override { EXPECT_TRUE(chip.temporaryFolderEmpty()); }

    int run(std::vector<std::string> args) {
        const test::CliResult result = test::RunCli(std::move(args));
        err = result.errors;
        return result.status;
    }
    bool said(const std::string& text) const { return err.find(text) != std::string::npos; }
    std::string file(const std::string& name) const { return chip.folder.file(name); }
    void writeSettings(const std::string& json) {
        fs::create_directories(chip.folder.dir() / "config" / "kl40");
        chip.folder.writeText("config/kl40/programmer.json", json);
    }
    // A KL40c EPROM as read from a radio: the template with program code.
    static Bytes radioDump() {
        Bytes image = TemplateBytes(3);
        std::mt19937 random(3);
        for (std::size_t a = 0; a < image.size(); ++a)
            if (!IsDataAddress(a, 3)) image[a] = static_cast<std::uint8_t>(random());
        return image;
    }

    test::SimulatedChip chip;
    std::string err;
};

TEST_F(EpromCli, ReadVerifyWriteWithMinipro) {
    const Bytes dump = radioDump();
    chip.insert(dump);
    ASSERT_EQ(run({"eprom", "read", file("dump.hex"), "--model", "KL40c"}), 0) << err;
    EXPECT_EQ(std::get<Bytes>(ReadImageFileBytes(file("dump.hex"))), dump);
    EXPECT_TRUE(said("note: the EPROM holds program code that is not the installed firmware for "
                     "KL40c (none is installed)"))
        << err;
    ASSERT_EQ(chip.runs().size(), 1u);
    EXPECT_EQ(chip.runs()[0].find("-p 27C64@DIP28 -y -r " + file("tmp") + "/kl40-eprom-"), 0u);

    EXPECT_EQ(run({"eprom", "verify", file("dump.hex")}), 0) << err;
    EXPECT_TRUE(said("The EPROM holds the image: all 8192 bytes are the same.")) << err;

    // A chip that holds the radio built on its own program code but for a
    // byte with every bit cleared: refused before writing.
    ASSERT_EQ(run({"build", file("c.json"), "--firmware", file("dump.hex"), "-o", file("c.bin")}),
              0);
    Bytes almost = chip.folder.readBytes("c.bin");
    const auto set = std::find_if(almost.begin(), almost.end(), [](auto b) { return b != 0; });
    *set = 0;
    chip.insert(almost);
    const std::size_t runs = chip.runs().size();
    EXPECT_EQ(run({"eprom", "verify", file("c.json"), "--firmware", file("dump.hex")}), 1);
    EXPECT_EQ(run({"eprom", "write", file("c.json"), "--firmware", file("dump.hex")}), 1);
    EXPECT_TRUE(said("kl40-cli: The EPROM must be erased first: 1 byte needs bits that only "
                     "ultraviolet erasure sets (at " +
                     AddressText(static_cast<std::size_t>(set - almost.begin())) + ")\n"))
        << err;
    EXPECT_EQ(chip.runs().size(), runs + 2) << "read twice, never written";
    EXPECT_EQ(chip.contents(), almost);

    chip.insert(Bytes(8192, 0xFF));
    ASSERT_EQ(run({"eprom", "write", file("c.json"), "--firmware", file("dump.hex")}), 0) << err;
    EXPECT_TRUE(said("Written and verified: the EPROM reads back all 8192 bytes of the image."));
    EXPECT_TRUE(SameProgramCode(chip.contents(), dump, 3));
    EXPECT_EQ(run({"eprom", "verify", file("c.json"), "--firmware", file("dump.hex")}), 0) << err;
    EXPECT_EQ(run({"eprom", "write", file("c.json"), "--firmware", file("dump.hex")}), 0);
    EXPECT_TRUE(said("The EPROM already holds this image: nothing was written.")) << err;
}

TEST_F(EpromCli, RefusalsRunNoProgrammerCommand) {
    chip.insert(Bytes(8192, 0xFF));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string said;
    } cases[] = {
        {{"eprom", "--help"}, 0, ""},
        {{"eprom", "write", "--help"}, 0, ""},
        {{"eprom", "read", file("x.bin")}, 2, "--model is required"},
        {{"eprom", "read", file("x.csv"), "--model", "KL40c"}, 2, "x.csv"},
        {{"eprom", "write", file("c.json"), "--model", "KL40c"}, 2, "are for a channel list"},
        {{"eprom", "write", file("c.json"), "--programmer", "TL-9"}, 2, "TL-9"},
        {{"eprom", "write", file("c.json")},
         1,
         "c.json: " + NoProgramCodeText(3) + " It was not written to the EPROM."},
        {{"eprom", "verify", file("none.bin")}, 2, "none.bin: Unable to open data file"},
        {{"eprom", "read", file(""), "--model", "KL40c"}, 1, "is a folder"},
        {{"eprom", "read", "/dev/null", "--model", "KL40c"}, 1, "is not a regular file"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args[1] << ": " << err;
        EXPECT_TRUE(said(c.said)) << err;
    }
    writeSettings(R"({"programmer": "TL-9"})");
    EXPECT_EQ(run({"eprom", "read", file("x.bin"), "--model", "KL40c"}), 1);
    EXPECT_TRUE(
        said("kl40-cli: " + file("config/kl40/programmer.json") + ": unknown programmer \"TL-9\""))
        << err;
    EXPECT_TRUE(chip.runs().empty());
}

TEST_F(EpromCli, CustomProgrammerDeviceOverrideAndFailures) {
    writeSettings(R"({"programmer": "Custom", "device_2k": "SET2716", "read_command": "')" +
                  test::SimulatedChip::tool() +
                  R"(' -p {device} -r {file}", "write_command": "unused -w {file}"})");
    chip.insert(Bytes(2048, 0x5A));
    ASSERT_EQ(run({"eprom", "read", file("a.bin"), "--model", "KL40a-16", "--device", "MY 2716"}),
              0)
        << err;
    EXPECT_EQ(chip.folder.readBytes("a.bin"), Bytes(2048, 0x5A));
    EXPECT_EQ(chip.runs().back().find("-p MY 2716 -r "), 0u);
    // --programmer takes the shipped row over the settings file's choice.
    ASSERT_EQ(
        run({"eprom", "read", file("b.bin"), "--model", "KL40a-16", "--programmer", "minipro"}), 0);
    EXPECT_EQ(chip.runs().back().find("-p M2716@DIP24 -y -r "), 0u);

    chip.fault("exit=3:Programmer busy");
    EXPECT_EQ(run({"eprom", "verify", file("a.bin")}), 2);
    EXPECT_EQ(chip.runs().back().find("-p SET2716 -r "), 0u);
    EXPECT_TRUE(said("failed with exit status 3.\nIts last lines of output:\n"
                     "    Found simulated programmer\n    Programmer busy"))
        << err;
    EXPECT_TRUE(chip.folder.readBytes("b.bin") == Bytes(2048, 0x5A));
    EXPECT_EQ(run({"eprom", "read", file("b.bin"), "--model", "KL40a-16"}), 1);
    EXPECT_EQ(chip.folder.readBytes("b.bin"), Bytes(2048, 0x5A))
        << "a failed read replaces nothing";
}

} // namespace
} // namespace kl40::cli
