// The Programmer menu's Read, Write and Verify against the simulated
// programmer, named by a Custom row of a settings file.

#include "ui/eprom/eprom_commands.h"

#include "image/firmware_store.h"
#include "image/layout.h"
#include "image/templates.h"
#include "support/loaded_form.h"
#include "support/no_windows.h"
#include "support/simulated_chip.h"
#include "ui/unsaved_work.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <stdexcept>

namespace kl40 {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kKL40c = 3;
constexpr std::size_t kKL40cIndex = 2; // in the model selector

// Runs a flow on the caller's thread; can cancel it as a step begins, or
// once the tool has printed a line in a step.
class DirectRunner : public EpromRunner {
public:
    EpromOutcome Run(EpromJob job, const EpromFlow& flow) override {
        jobs.push_back(job);
        std::stop_source source;
        std::optional<EpromStep> current;
        EpromProgress progress;
        progress.stop = source.get_token();
        progress.onStep = [&](EpromStep step) {
            current = step;
            if (step == stopAt) source.request_stop();
        };
        progress.onLine = [&](const std::string&) {
            if (current && current == stopOnLineIn) source.request_stop();
        };
        return flow(progress);
    }
    std::optional<EpromStep> stopAt;
    std::optional<EpromStep> stopOnLineIn;
    std::vector<EpromJob> jobs;
};

using WindowsUnused = test::NoWindows;

class EpromCommands : public ::testing::Test {
protected:
    EpromCommands() {
        const std::string tool = test::SimulatedChip::tool();
        ProgrammerSettings settings;
        settings.programmer = "Custom";
        settings.customRead = tool + " -p {device} -r {file}";
        settings.customWrite = tool + " -p {device} -w {file}";
        settings.device8k = "27C64";
        EXPECT_FALSE(SaveProgrammerSettings(settingsFile, settings));
        loaded.ws.FirmwareFolder = chip.folder.file("firmware");
        loaded.ws.form.cboRadio.setListIndex(static_cast<int>(kKL40cIndex));
        loaded.store(1, "439.0125");
        loaded.platform.clear();
    }
    void TearDown() override { EXPECT_TRUE(chip.temporaryFolderEmpty()); }

    // A KL40c EPROM as read from a radio: the template with program code.
    static Bytes radioDump() {
        Bytes image = TemplateBytes(kKL40c);
        std::mt19937 random(3);
        for (std::size_t a = 0; a < image.size(); ++a)
            if (!IsDataAddress(a, kKL40c)) image[a] = static_cast<std::uint8_t>(random());
        return image;
    }
    void installFirmware() {
        ASSERT_TRUE(
            InstallFirmware(loaded.ws.FirmwareFolder, radioDump(), "dump", "dump").modelCode);
    }
    const std::string& said() const { return loaded.platform.last().text; }
    void write() { WriteFormToEprom(loaded.ws, runner, settingsFile); }
    void verify() { VerifyEpromAgainstForm(loaded.ws, runner, settingsFile); }

    test::SimulatedChip chip;
    test::LoadedForm loaded;
    WindowsUnused windows;
    MDI_kl40 frame{loaded.ws, windows};
    DirectRunner runner;
    std::filesystem::path settingsFile = chip.folder.dir() / "programmer.json";
};

// Read asks for the model (the form's first), then about unsaved work, opens
// the chip's image under the EPROM's name and offers its unknown program code.
TEST_F(EpromCommands, ReadOpensTheChipAndOffersItsProgramCode) {
    chip.insert(radioDump());
    loaded.platform.chosen.push_back(kKL40cIndex);
    loaded.platform.answer(Answer::No);  // do not save the radio being edited
    loaded.platform.answer(Answer::Yes); // install the chip's program code
    ReadEpromIntoForm(loaded.ws, frame, runner, settingsFile);

    ASSERT_EQ(loaded.platform.choices.size(), 1u);
    EXPECT_EQ(loaded.platform.choices[0].preselected, kKL40cIndex);
    EXPECT_EQ(loaded.platform.messages[0].text, "Do you want to save your data?");
    EXPECT_EQ(FrameTitle(loaded.ws), "KL40 Programming - EPROM (KL40c)");
    EXPECT_EQ(loaded.ws.data.OpenedImage, radioDump());
    EXPECT_TRUE(loaded.ws.file.path.empty()) << "Save must ask where";
    EXPECT_FALSE(HasUnsavedWork(loaded.ws));
    EXPECT_EQ(LookUpFirmware(loaded.ws.FirmwareFolder, kKL40c).state,
              FirmwareLookup::State::Installed);

    // The same code again is the installed firmware: nothing is offered.
    loaded.platform.clear();
    loaded.platform.chosen.push_back(kKL40cIndex);
    ReadEpromIntoForm(loaded.ws, frame, runner, settingsFile);
    EXPECT_TRUE(loaded.platform.messages.empty());

    // A cancelled read leaves the radio being edited alone.
    loaded.platform.chosen.push_back(kKL40cIndex);
    runner.stopAt = EpromStep::Reading;
    loaded.ws.form.caption = "kept";
    ReadEpromIntoForm(loaded.ws, frame, runner, settingsFile);
    EXPECT_EQ(said(), "Cancelled: the chip is as it was.");
    EXPECT_EQ(loaded.ws.form.caption, "kept");
}

// Write: success (read back equal), already the same, refused when bits would
// have to be set, and a cancel once writing began.
TEST_F(EpromCommands, WriteChecksTheChipBeforeAndAfter) {
    installFirmware();
    chip.insert(Bytes(ImageSize(kKL40c), 0xFF));
    write();
    EXPECT_EQ(said().find("Written and verified"), 0u) << said();
    const Bytes written = chip.contents();
    EXPECT_EQ(written, loaded.ws.data.ImageText);

    write();
    EXPECT_EQ(said(), "The EPROM already holds this image: nothing was written.");

    loaded.store(2, "439.5000");
    write();
    EXPECT_EQ(said().find("The EPROM must be erased first"), 0u) << said();
    EXPECT_EQ(chip.contents(), written);

    // A cancel tells what the write had done to the chip: nothing before
    // the write command started, part of it while it ran, all of it once it
    // had ended.
    chip.insert(Bytes(ImageSize(kKL40c), 0xFF));
    for (const EpromStep step : {EpromStep::Reading, EpromStep::Writing}) {
        runner.stopAt = step;
        write();
        EXPECT_EQ(said(), "Cancelled: the chip is as it was.");
    }
    runner.stopAt = EpromStep::ReadingBack;
    write();
    EXPECT_EQ(said(), kWrittenNotReadBack);
    chip.insert(Bytes(ImageSize(kKL40c), 0xFF));
    chip.fault("write-hang");
    runner.stopAt.reset();
    runner.stopOnLineIn = EpromStep::Writing;
    write();
    EXPECT_NE(said().find(kWriteInterrupted), std::string::npos) << said();
}

// Without installed firmware a KL40c image has no program code: it is
// written only after a Yes to a question whose default is No.
TEST_F(EpromCommands, WriteWithoutProgramCodeAsksFirst) {
    chip.insert(Bytes(ImageSize(kKL40c), 0xFF));
    loaded.platform.answer(Answer::No);
    write();
    EXPECT_EQ(loaded.platform.last().buttons, Buttons::YesNoDefaultNo);
    EXPECT_TRUE(runner.jobs.empty()) << "the programmer must not run";

    loaded.platform.answer(Answer::Yes);
    write();
    EXPECT_EQ(said().find("Written and verified"), 0u) << said();
}

// Verify tells equal and different chips apart.
TEST_F(EpromCommands, VerifyComparesTheChip) {
    installFirmware();
    chip.insert(Bytes(ImageSize(kKL40c), 0xFF));
    write();
    verify();
    EXPECT_EQ(said().find("The EPROM holds the image"), 0u) << said();
    Bytes changed = chip.contents();
    changed[0x10] ^= 0x01;
    chip.insert(changed);
    verify();
    EXPECT_EQ(said().find("The EPROM differs from the image: at 0x0010"), 0u) << said();
}

} // namespace
} // namespace kl40
