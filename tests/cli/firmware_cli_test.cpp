// kl40-cli's firmware verbs and build --firmware, against a firmware folder
// of the test's own.

#include "image/firmware_store.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "image/templates.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

namespace kl40::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class FirmwareCliTest : public ::testing::Test {
protected:
    FirmwareCliTest() {
        dir = fs::temp_directory_path() / ("kl40-fwcli-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        const char* old = std::getenv("XDG_DATA_HOME");
        if (old) oldDataHome = old;
        setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        writeFile(
            "c.json",
            R"({"model":"KL40c","timeout":"2.00","channels":[{"channel":1,"rx":"439.0125"}]})");
        writeFile("a64.json",
                  R"({"model":"KL40a-64","timeout":"2.00","channels":[{"channel":1,"rx":"439"}]})");
        writeFile("a16.json",
                  R"({"model":"KL40a-16","timeout":"2.00","channels":[{"channel":1,"rx":"439"}]})");
    }
    ~FirmwareCliTest() override {
        if (oldDataHome)
            setenv("XDG_DATA_HOME", oldDataHome->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
        fs::remove_all(dir);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    void writeFile(const std::string& name, const std::string& text) {
        std::ofstream(path(name), std::ios::binary) << text;
    }
    void writeImage(const std::string& name, const Bytes& bytes) {
        writeFile(name, std::string(bytes.begin(), bytes.end()));
    }
    Bytes readImage(const std::string& name) {
        std::ifstream in(path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // The template of `model` with random program code.
    static Bytes dump(int model, unsigned seed) {
        Bytes image = TemplateBytes(model);
        std::mt19937 random(seed);
        for (std::size_t a = 0; a < image.size(); ++a)
            if (!IsDataAddress(a, model)) image[a] = static_cast<std::uint8_t>(random());
        return image;
    }
    static bool sameProgramCode(const Bytes& a, const Bytes& b, int model) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!IsDataAddress(i, model) && a[i] != b[i]) return false;
        return true;
    }
    // Runs kl40-cli with `args`; stdout and stderr go to `out` and `err`.
    int run(std::vector<std::string> args) {
        const test::CliResult result = test::RunCli(std::move(args));
        out = result.out;
        err = result.errors;
        return result.status;
    }

    fs::path dir;
    std::optional<std::string> oldDataHome;
    std::string out, err;
};

TEST_F(FirmwareCliTest, InstallListRemoveAndWhatBuildsTakeFromThem) {
    ASSERT_EQ(run({"firmware", "list"}), 0);
    EXPECT_EQ(out, "KL40a-16: all data area, no program code needed\n"
                   "KL40a-64: shipped template, no program code\n"
                   "KL40c: shipped template, no program code\n");

    // Without firmware: built, one warning line, exit 0.
    ASSERT_EQ(run({"build", path("c.json"), "-o", path("bare.bin")}), 0);
    EXPECT_EQ(err.find("kl40-cli: warning: " + path("bare.bin") + ": " + NoProgramCodeText(3)), 0u);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    ASSERT_EQ(run({"build", path("a16.json"), "-o", path("a16.bin")}), 0);
    EXPECT_EQ(err, "") << "a KL40a-16 image needs no program code";

    const Bytes firmware = dump(3, 7);
    writeImage("dump.bin", firmware);
    ASSERT_EQ(run({"firmware", "install", path("dump.bin")}), 0) << err;
    EXPECT_EQ(out, "Firmware for KL40c installed from " + path("dump.bin") +
                       ": builds for KL40c now take their program code from it.\n");
    ASSERT_EQ(run({"firmware", "list"}), 0);
    EXPECT_NE(out.find("KL40c: installed firmware from " + path("dump.bin") + " ("),
              std::string::npos)
        << out;
    EXPECT_TRUE(fs::exists(dir / "data" / "kl40" / "firmware" / "KL40c.firmware"));

    ASSERT_EQ(run({"build", path("c.json"), "-o", path("with.bin")}), 0);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(sameProgramCode(readImage("with.bin"), firmware, 3));
    // The data area is the same as without firmware.
    Bytes withoutCode = readImage("with.bin");
    CopyProgramCode(TemplateBytes(3), withoutCode, 3);
    EXPECT_EQ(withoutCode, readImage("bare.bin"));

    ASSERT_EQ(run({"firmware", "remove", "KL40c"}), 0);
    ASSERT_EQ(run({"build", path("c.json"), "-o", path("after.bin")}), 0);
    EXPECT_EQ(readImage("after.bin"), readImage("bare.bin"));
    EXPECT_EQ(run({"firmware", "remove", "KL40c"}), 1);
    EXPECT_EQ(err, "kl40-cli: No firmware is installed for KL40c.\n");
    EXPECT_EQ(run({"firmware", "remove", "KL40a-16"}), 1);
    EXPECT_EQ(run({"firmware", "remove", "KL40"}), 1);
    EXPECT_EQ(err, "kl40-cli: unknown model \"KL40\" (KL40a-64 or KL40c)\n");
}

TEST_F(FirmwareCliTest, InstallAndBuildFirmwareRefuseImagesWithoutFittingProgramCode) {
    writeImage("a64-dump.bin", dump(2, 3));
    writeImage("a16.bin", TemplateBytes(1));
    writeImage("bare.bin", TemplateBytes(3));
    Bytes erased = dump(3, 4);
    CopyProgramCode(Bytes(erased.size(), 0xFF), erased, 3);
    writeImage("erased.bin", erased);
    writeFile("text.bin", "not an image");

    for (const char* image : {"a16.bin", "bare.bin", "erased.bin", "text.bin", "missing.bin"}) {
        SCOPED_TRACE(image);
        EXPECT_EQ(run({"firmware", "install", path(image)}), 1);
        EXPECT_EQ(err.find("kl40-cli: " + path(image)), 0u) << err;
        EXPECT_FALSE(fs::exists(dir / "data" / "kl40"));
        EXPECT_EQ(run({"build", path("c.json"), "-o", path("out.bin"), "--firmware", path(image)}),
                  1);
        EXPECT_NE(err.find(path(image)), std::string::npos) << err;
        EXPECT_EQ(err.find(path(image)), err.rfind(path(image))) << "named once";
        EXPECT_FALSE(fs::exists(path("out.bin")));
    }
    // Another model's program code is refused, and nothing is written.
    EXPECT_EQ(
        run({"build", path("c.json"), "-o", path("out.bin"), "--firmware", path("a64-dump.bin")}),
        1);
    EXPECT_EQ(err, "kl40-cli: " + path("a64-dump.bin") + ": is a KL40a-64 image, but " +
                       path("c.json") + " is a KL40c radio: its program code does not fit\n");
    EXPECT_FALSE(fs::exists(path("out.bin")));

    // The right model: this build only takes it, and nothing is installed.
    ASSERT_EQ(
        run({"build", path("a64.json"), "-o", path("out.bin"), "--firmware", path("a64-dump.bin")}),
        0);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(sameProgramCode(readImage("out.bin"), readImage("a64-dump.bin"), 2));
    EXPECT_FALSE(fs::exists(dir / "data" / "kl40"));
}

TEST_F(FirmwareCliTest, DamagedInstalledFirmwareRefusesTheBuildsThatWouldNeedIt) {
    const Bytes firmware = dump(3, 21);
    writeImage("dump.bin", firmware);
    ASSERT_EQ(run({"firmware", "install", path("dump.bin")}), 0) << err;
    const fs::path installed = dir / "data" / "kl40" / "firmware" / "KL40c.firmware";
    std::ifstream in(installed);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    in.close();
    text.replace(text.find("\"crc32\": \"") + 10, 1, "X"); // checksum no longer matches
    std::ofstream(installed, std::ios::trunc) << text;

    const std::string refusal = "kl40-cli: " + path("c.json") + ": The installed firmware " +
                                installed.string() +
                                " cannot be used: its checksum does not match. Nothing was built: "
                                "run `kl40-cli firmware install IMAGE` again or `kl40-cli "
                                "firmware remove KL40c`.\n";
    EXPECT_EQ(run({"build", path("c.json"), "-o", path("c.bin")}), 1);
    EXPECT_EQ(err, refusal);
    EXPECT_FALSE(fs::exists(path("c.bin")));
    // A batch refuses that radio, and so writes none.
    EXPECT_EQ(run({"build", path("c.json"), path("a64.json"), "--out-dir", path("out")}), 1);
    EXPECT_NE(err.find(refusal), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(path("out")));
    // Program code given for the build needs no installed firmware.
    ASSERT_EQ(run({"build", path("c.json"), "-o", path("c.bin"), "--firmware", path("dump.bin")}),
              0)
        << err;
    EXPECT_TRUE(sameProgramCode(readImage("c.bin"), firmware, 3));
    ASSERT_EQ(run({"firmware", "list"}), 0);
    EXPECT_NE(out.find("KL40c: the installed file " + installed.string() + " cannot be used"),
              std::string::npos)
        << out;
}

} // namespace
} // namespace kl40::cli
