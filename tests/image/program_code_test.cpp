// Program code of built images: kept from an opened image, taken from
// installed firmware, or missing and then said so.

#include "image/firmware_store.h"
#include "image/image_build.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "image/templates.h"
#include "support/loaded_form.h"
#include "support/temp_folder.h"
#include "ui/flows/flows.h"
#include "ui/flows/form_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class ProgramCodeTest : public ::testing::Test, public test::LoadedForm, public test::TempFolder {
protected:
    ProgramCodeTest() { ws.FirmwareFolder = (dir() / "firmware").string(); }

    void writeFile(const std::string& name, const Bytes& bytes) { writeBytes(name, bytes); }
    Bytes readFile(const std::string& name) { return readBytes(name); }
    // Saves through the save flow to a file of that name, made afresh;
    // returns the saved message.
    std::string save(const std::string& name) {
        std::filesystem::remove(file(name));
        platform.choosePath(file(name));
        EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
        return platform.last().text;
    }
    // A dump as read from a radio's EPROM: an image of `model` with a few
    // channels, its program area filled with random code.
    Bytes dump(int model, unsigned seed) {
        test::LoadedForm radio;
        radio.chooseModel(model - 1);
        radio.store(1, "439.0125", "", "71.9 ", true);
        radio.store(7, "432.5", "438.5", "none ");
        radio.ws.data.radio.channelCount = 7;
        EXPECT_TRUE(BuildImage(radio.ws));
        Bytes image = radio.ws.data.ImageText;
        std::mt19937 random(seed);
        for (std::size_t a = 0; a < image.size(); ++a)
            if (!IsDataAddress(a, model)) image[a] = static_cast<std::uint8_t>(random());
        return image;
    }
    // `image` with every byte outside the data area as the template's, or
    // erased to 0xFF as an empty EPROM reads.
    static Bytes withTemplateCode(Bytes image, int model) {
        CopyProgramCode(TemplateBytes(model), image, model);
        return image;
    }
    static Bytes erased(Bytes image, int model) {
        CopyProgramCode(Bytes(image.size(), 0xFF), image, model);
        return image;
    }
    // Count of bytes outside the data area where `a` and `b` agree.
    static std::size_t sameProgramBytes(const Bytes& a, const Bytes& b, int model) {
        std::size_t same = 0;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            same += !IsDataAddress(i, model) && a[i] == b[i];
        return same;
    }
    static bool sameDataArea(const Bytes& a, const Bytes& b, int model) {
        const auto base = static_cast<std::ptrdiff_t>(DataBase(model));
        return a.size() == b.size() &&
               std::equal(a.begin() + base, a.begin() + base + 0x800, b.begin() + base);
    }
};

TEST_F(ProgramCodeTest, OpenEditSaveKeepsEveryProgramByteAndBuildsTheDataAreaAsBefore) {
    for (int model : {2, 3}) {
        SCOPED_TRACE(ModelName(model));
        const Bytes original = dump(model, 40u + static_cast<unsigned>(model));
        writeFile("dump.bin", original);
        platform.choosePath(file("dump.bin"));
        OpenRadioFile(ws);
        store(12, "435.1250", "430.1250", "88.5 ", true); // one change
        EXPECT_EQ(save("edited.bin"), "File edited.bin saved") << "no warning: it has code";

        const Bytes saved = readFile("edited.bin");
        EXPECT_EQ(sameProgramBytes(saved, original, model), 6144u);
        // The data area is what a build of the same radio from the template gives.
        ws.data.OpenedImage.clear();
        ws.data.OpenedModel = 0;
        ASSERT_TRUE(BuildImage(ws));
        EXPECT_EQ(ws.data.LastProgramSource, ProgramSource::Template);
        EXPECT_TRUE(sameDataArea(saved, ws.data.ImageText, model));
        EXPECT_NE(saved, original);
    }
}

TEST_F(ProgramCodeTest, ChangedModelFallsBackToInstalledFirmwareThenTheTemplate) {
    writeFile("c.bin", dump(3, 1));
    platform.choosePath(file("c.bin"));
    OpenRadioFile(ws);
    chooseModel(1); // KL40a-64 now: the opened KL40c code does not fit

    const std::string bare = save("bare.bin");
    EXPECT_EQ(bare, "File bare.bin saved\n" + NoProgramCodeText(2) + " " + kAddFirmwareHint);
    EXPECT_EQ(sameProgramBytes(readFile("bare.bin"), TemplateBytes(2), 2), 6144u);

    const Bytes firmware = dump(2, 2);
    ASSERT_EQ(InstallFirmware(ws.FirmwareFolder, firmware, file("a64.bin"), "a64.bin").modelCode,
              2);
    EXPECT_EQ(save("installed.bin"), "File installed.bin saved");
    EXPECT_EQ(ws.data.LastProgramSource, ProgramSource::Installed);
    EXPECT_EQ(sameProgramBytes(readFile("installed.bin"), firmware, 2), 6144u);

    // Back to the opened model: the opened image's code wins over installed firmware.
    ASSERT_EQ(InstallFirmware(ws.FirmwareFolder, dump(3, 3), file("other-c.bin"), "other-c.bin")
                  .modelCode,
              3);
    chooseModel(2);
    save("reopened.bin");
    EXPECT_EQ(ws.data.LastProgramSource, ProgramSource::Opened);
    EXPECT_EQ(sameProgramBytes(readFile("reopened.bin"), readFile("c.bin"), 3), 6144u);
}

TEST_F(ProgramCodeTest, WarningAppearsExactlyWhenAnEightKilobyteImageHasNoProgramCode) {
    store(1, "439");
    for (int model : {1, 2, 3}) {
        chooseModel(model - 1);
        const std::string saved = save("m.bin");
        EXPECT_EQ(saved.find('\n') != std::string::npos, model != 1) << saved;
        EXPECT_EQ(BuiltWithoutProgramCode(ws.data), model != 1);
        EXPECT_EQ(ws.data.LastProgramSource,
                  model == 1 ? ProgramSource::None : ProgramSource::Template);
    }
    // An opened image that was itself built from the template has no code either.
    LoadedForm other;
    other.platform.choosePath(file("m.bin"));
    OpenRadioFile(other.ws);
    other.platform.choosePath(file("again.bin"));
    ASSERT_EQ(SaveRadioFile(other.ws), SaveOutcome::Saved);
    EXPECT_NE(other.platform.last().text.find("no program code"), std::string::npos);
    // So has an erased EPROM's: its bytes are written back as they were, with the warning.
    writeFile("erased.bin", erased(dump(3, 8), 3));
    other.platform.choosePath(file("erased.bin"));
    OpenRadioFile(other.ws);
    other.platform.choosePath(file("erased-again.bin"));
    ASSERT_EQ(SaveRadioFile(other.ws), SaveOutcome::Saved);
    EXPECT_EQ(other.platform.last().text,
              "File erased-again.bin saved\n" + NoProgramCodeText(3) + " " + kAddFirmwareHint);
    EXPECT_EQ(sameProgramBytes(readFile("erased-again.bin"), readFile("erased.bin"), 3), 6144u);
}

TEST_F(ProgramCodeTest, InstalledFirmwareThatIsDamagedIsNeverUsedAndTheSaveAsksFirst) {
    const Bytes firmware = dump(3, 9);
    ASSERT_EQ(InstallFirmware(ws.FirmwareFolder, firmware, file("c.bin"), "c.bin").modelCode, 3);
    const fs::path installed = FirmwareFile(ws.FirmwareFolder, 3);
    std::ifstream in(installed);
    const std::string good{std::istreambuf_iterator<char>(in), {}};
    const std::size_t image = good.find("\"image\"");
    ASSERT_NE(image, std::string::npos);

    auto damage = [&](const std::string& what, std::string text) {
        SCOPED_TRACE(what);
        std::ofstream(installed, std::ios::binary | std::ios::trunc) << text;
        EXPECT_EQ(LookUpFirmware(ws.FirmwareFolder, 3).state, FirmwareLookup::State::Damaged);
        store(1, "439");
        chooseModel(2);
        const std::string problem =
            "The installed firmware " + installed.string() + " cannot be used";
        // No: nothing is written and the work stays unsaved.
        platform.answer(Answer::No);
        platform.choosePath(file("d.bin"));
        EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Cancelled);
        EXPECT_FALSE(fs::exists(file("d.bin")));
        EXPECT_TRUE(ws.data.DataChanged);
        const test::RecordedMessage& asked = platform.messages[platform.messages.size() - 2];
        EXPECT_EQ(asked.buttons, Buttons::YesNo);
        EXPECT_EQ(asked.text.find(problem), 0u) << asked.text;
        // Yes: saved without program code, and said so.
        platform.answer(Answer::Yes);
        const std::string saved = save("d.bin");
        EXPECT_EQ(sameProgramBytes(readFile("d.bin"), TemplateBytes(3), 3), 6144u);
        EXPECT_NE(saved.find("no program code"), std::string::npos);
        EXPECT_NE(saved.find(problem), std::string::npos) << saved;
        fs::remove(file("d.bin"));
    };
    std::string flipped = good;
    flipped[image + 20] = flipped[image + 20] == '0' ? '1' : '0';
    damage("a changed digit", flipped);
    damage("cut short", good.substr(0, good.size() / 2));
    std::string shorter = good;
    shorter.erase(image + 12, 2); // one byte less, checksum and all else intact
    damage("wrong size", shorter);
    damage("not ours", "{\"model\":\"KL40c\"}");
    std::string other = good;
    other.replace(other.find("\"KL40c\""), 7, "\"KL40a-64\"");
    damage("another model's", other);
}

// Whatever stands in the installed file's place is looked up without waiting
// on it or reading it as a damaged firmware file.
TEST_F(ProgramCodeTest, SpecialFilesInPlaceOfInstalledFirmwareAreRefusedUnread) {
    const fs::path installed = FirmwareFile(ws.FirmwareFolder, 3);
    fs::create_directories(ws.FirmwareFolder);
    struct Case {
        const char* what;
        std::function<void()> make;
        std::string problem; // "": no firmware is installed
    };
    const std::string special = "it is not a regular file";
    const std::vector<Case> cases{
        {"folder", [&] { fs::create_directory(installed); }, special},
        {"pipe", [&] { ASSERT_EQ(::mkfifo(installed.c_str(), 0600), 0); }, special},
        {"device", [&] { fs::create_symlink("/dev/zero", installed); }, special},
        {"kernel file", [&] { fs::create_symlink("/proc/self/status", installed); }, special},
        {"huge", [&] { std::ofstream(installed) << std::string(256 * 1024 + 1, ' '); },
         "it is far too large"},
        {"dangling link", [&] { fs::create_symlink(dir() / "gone", installed); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        const FirmwareLookup lookup = LookUpFirmware(ws.FirmwareFolder, 3);
        EXPECT_EQ(lookup.state, c.problem.empty() ? FirmwareLookup::State::Absent
                                                  : FirmwareLookup::State::Damaged);
        EXPECT_EQ(lookup.problem, c.problem);
        fs::remove_all(installed);
    }
}

TEST_F(ProgramCodeTest, InstallRefusesWhatHoldsNoFirmwareAndSaysWhichModelItInstalledFor) {
    struct Case {
        const char* name;
        Bytes image;
        const char* says;
    };
    Bytes unknown = dump(2, 5);
    unknown[0x13EB] = 0; // no marker of either model
    const Case refused[] = {{"a16.bin", TemplateBytes(1), "is a KL40a-16 image"},
                            {"unknown.bin", unknown, "is not an image of a known model"},
                            {"bare.bin", TemplateBytes(3), "holds no program code"},
                            {"erased.bin", erased(dump(3, 5), 3),
                             "holds no program code: every byte outside the data area is 0xFF"},
                            {"short.bin", Bytes(100, 0xFF), "is not an image of a known model"}};
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        writeFile(c.name, c.image);
        platform.choosePath(file(c.name));
        UseFirmwareFromImage(ws);
        EXPECT_EQ(platform.last().title, "Firmware");
        EXPECT_EQ(platform.last().text.find(std::string(c.name) + " " + c.says), 0u)
            << platform.last().text;
        EXPECT_FALSE(fs::exists(ws.FirmwareFolder));
    }
    writeFile("empty.bin", {});
    platform.choosePath(file("empty.bin"));
    UseFirmwareFromImage(ws);
    EXPECT_EQ(platform.last().text, "empty.bin is empty: nothing was installed.");

    writeFile("radio.bin", dump(2, 6));
    platform.choosePath(file("radio.bin"));
    UseFirmwareFromImage(ws);
    EXPECT_EQ(platform.last().text, "Firmware for KL40a-64 installed from radio.bin.\n"
                                    "Builds for KL40a-64 now take their program code from it.");
    EXPECT_EQ(platform.last().icon, Icon::Information);
    const FirmwareLookup lookup = LookUpFirmware(ws.FirmwareFolder, 2);
    ASSERT_EQ(lookup.state, FirmwareLookup::State::Installed);
    EXPECT_EQ(lookup.firmware.image, readFile("radio.bin"));
    EXPECT_EQ(lookup.firmware.source, file("radio.bin"));

    platform.cancelDialog();
    const std::size_t shown = platform.messages.size();
    UseFirmwareFromImage(ws);
    EXPECT_EQ(platform.messages.size(), shown) << "a cancelled dialog says nothing";

    EXPECT_EQ(RemoveFirmware(ws.FirmwareFolder, 2), std::nullopt);
    EXPECT_EQ(LookUpFirmware(ws.FirmwareFolder, 2).state, FirmwareLookup::State::Absent);
    EXPECT_EQ(RemoveFirmware(ws.FirmwareFolder, 2), "No firmware is installed for KL40a-64.");
}

TEST_F(ProgramCodeTest, InstallingFirmwareAsksWhetherAnOpenRadioWithCodeOfItsOwnTakesIt) {
    const Bytes own = dump(3, 11);
    const Bytes installed = dump(3, 12);
    writeFile("own.bin", own);
    writeFile("installed.bin", installed);
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
        platform.choosePath(file("own.bin"));
        ASSERT_EQ(OpenRadioFile(ws), OpenOutcome::Opened);
        platform.choosePath(file("installed.bin"));
        platform.answer(answer);
        UseFirmwareFromImage(ws);
        EXPECT_EQ(platform.last().buttons, Buttons::YesNo);
        EXPECT_NE(platform.last().text.find(
                      "Should the open radio take the newly installed program code?"),
                  std::string::npos);
        EXPECT_EQ(ws.data.DataChanged, answer == Answer::Yes);
        EXPECT_EQ(save("saved.bin"), "File saved.bin saved");
        EXPECT_EQ(
            sameProgramBytes(readFile("saved.bin"), answer == Answer::Yes ? installed : own, 3),
            6144u);
    }
    // The same code again: nothing to ask.
    platform.choosePath(file("own.bin"));
    UseFirmwareFromImage(ws);
    EXPECT_EQ(platform.last().buttons, Buttons::Ok);

    // An opened image without program code of its own takes the installed
    // code, so the advice to install firmware and save again is never idle.
    for (const Bytes& image : {withTemplateCode(dump(3, 13), 3), erased(dump(3, 14), 3)}) {
        writeFile("codeless.bin", image);
        platform.choosePath(file("codeless.bin"));
        ASSERT_EQ(OpenRadioFile(ws), OpenOutcome::Opened);
        EXPECT_EQ(save("codeless-saved.bin"), "File codeless-saved.bin saved");
        EXPECT_EQ(sameProgramBytes(readFile("codeless-saved.bin"), own, 3), 6144u);
    }
}

} // namespace
} // namespace kl40
