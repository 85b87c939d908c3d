#include "ui/eprom/eprom_commands.h"

#include "core/radio_model.h"
#include "image/firmware_store.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "ui/flows/form_image.h"
#include "ui/form/option_boxes.h"
#include "ui/unsaved_work.h"

#include <optional>
#include <variant>

namespace kl40 {

namespace {

using Result = EpromOutcome::Result;
constexpr const char* kTitle = "EPROM";

// The programmer of the settings file for a chip of `size` bytes; nothing
// after saying why there is none.
std::optional<EpromProgrammer> ProgrammerFor(Platform& platform, std::size_t size,
                                             const std::filesystem::path& settingsFile) {
    const auto loaded = LoadProgrammerSettings(settingsFile);
    if (const auto* problem = std::get_if<std::string>(&loaded)) {
        platform.show(*problem + "\nCorrect it in Programmer > Programmer Settings...", kTitle,
                      Icon::Exclamation);
        return std::nullopt;
    }
    const auto& settings = std::get<ProgrammerSettings>(loaded);
    const auto resolved = ResolveProgrammer(settings, size, "the programmer settings");
    if (const auto* problem = std::get_if<std::string>(&resolved)) {
        platform.show("The programmer cannot be used: " + *problem + ".", kTitle,
                      Icon::Exclamation);
        return std::nullopt;
    }
    return EpromProgrammer{std::get<ProgrammerCommands>(resolved),
                           std::chrono::seconds(settings.timeLimitSeconds)};
}

// Runs `flow` and says what a cancel left on the chip.
EpromOutcome RunTelling(EpromRunner& runner, EpromJob job, const EpromFlow& flow) {
    EpromOutcome outcome = runner.Run(job, flow);
    if (outcome.result != Result::Cancelled) return outcome;
    switch (outcome.chipState) {
    case EpromOutcome::ChipState::AsItWas:
        outcome.message = "Cancelled: the chip is as it was.";
        break;
    case EpromOutcome::ChipState::PartlyWritten:
        outcome.message = std::string("Cancelled: ") + kWriteInterrupted +
                          ". Verify it, or erase it before writing it again.";
        break;
    case EpromOutcome::ChipState::Written:
        outcome.message = kWrittenNotReadBack;
        break;
    }
    return outcome;
}

void Tell(Platform& platform, const EpromOutcome& outcome) {
    const bool fine = outcome.result == Result::Done || outcome.result == Result::AlreadyHeld;
    platform.show(outcome.message, kTitle, fine ? Icon::Information : Icon::Exclamation);
}

// After a read: program code that is not the model's installed firmware is
// worth installing, so that builds of the model take it.
void OfferFirmware(Workspace& ws, const Bytes& chip, int modelCode) {
    if (!HasProgramCode(chip, modelCode)) return;
    const FirmwareLookup lookup = LookUpFirmware(ws.FirmwareFolder, modelCode);
    if (lookup.state == FirmwareLookup::State::Installed &&
        SameProgramCode(chip, lookup.firmware.image, modelCode))
        return;
    const std::string model = ModelName(modelCode);
    if (!ws.platform.askYesNo("The EPROM holds program code that is not the installed firmware "
                              "for " +
                                  model + ". Install it, so that builds for " + model +
                                  " take their program code from it?",
                              "Firmware"))
        return;
    const FirmwareCheck installed = InstallFirmware(
        ws.FirmwareFolder, chip, EpromImageName(modelCode), EpromImageName(modelCode));
    if (!installed.modelCode)
        ws.platform.show(installed.refusal, "Firmware", Icon::Exclamation);
    else
        ws.platform.show("Firmware for " + model + " installed from the EPROM.", "Firmware",
                         Icon::Information);
}

// The radio's image as Save builds it, or nothing after saying why.
std::optional<Bytes> BuiltImage(Workspace& ws) {
    if (!BuildImage(ws)) return std::nullopt;
    return ws.data.ImageText;
}

} // namespace

std::string EpromImageName(int modelCode) {
    return "EPROM (" + ModelName(modelCode) + ")";
}

void ReadEpromIntoForm(Workspace& ws, MDI_kl40& frame, EpromRunner& runner,
                       const std::filesystem::path& settingsFile) {
    std::vector<std::string> names;
    for (const RadioModel& model : RadioModels())
        names.emplace_back(model.name);
    const auto chosen =
        ws.platform.choose("Which radio model's EPROM is in the programmer?", "Read EPROM", names,
                           static_cast<std::size_t>(ModelIndex(FormModel(ws.form))));
    if (!chosen || *chosen >= names.size()) return;
    const int modelCode = RadioModels()[*chosen].code;
    // The read replaces the data set, as Open does.
    if (!OfferToSave(ws, frame)) return;
    const std::size_t size = ImageSize(modelCode);
    const auto programmer = ProgrammerFor(ws.platform, size, settingsFile);
    if (!programmer) return;
    const EpromOutcome read = RunTelling(runner, EpromJob::Read, [&](const EpromProgress& p) {
        return ReadEprom(*programmer, size, p);
    });
    if (read.result != Result::Done) return Tell(ws.platform, read);
    if (OpenImageBytes(ws, read.chip, EpromImageName(modelCode)) != OpenOutcome::Opened) return;
    // The image's own marker may name another model of the chip's size.
    const int opened = ws.data.OpenedModel;
    if (opened != modelCode) ws.form.caption = kFileCaptionPrefix + EpromImageName(opened);
    frame.history().restart();
    OfferFirmware(ws, read.chip, opened);
}

void WriteFormToEprom(Workspace& ws, EpromRunner& runner,
                      const std::filesystem::path& settingsFile) {
    const auto image = BuiltImage(ws);
    if (!image) return;
    const int modelCode = BuildModel(ws.data);
    bool withoutProgramCode = false;
    if (BuiltWithoutProgramCode(ws.data)) {
        std::string question = NoProgramCodeText(modelCode);
        if (!ws.data.FirmwareProblem.empty()) question += "\n" + ws.data.FirmwareProblem;
        question += "\nA radio does not run from an EPROM without it. Write the EPROM anyway?";
        withoutProgramCode = ws.platform.askYesNoDefaultNo(question, "Write EPROM");
        if (!withoutProgramCode) return;
    }
    const auto programmer = ProgrammerFor(ws.platform, image->size(), settingsFile);
    if (!programmer) return;
    Tell(ws.platform, RunTelling(runner, EpromJob::Write, [&](const EpromProgress& p) {
             return WriteEprom(
                 *programmer, *image, modelCode,
                 [withoutProgramCode] { return withoutProgramCode; }, p);
         }));
}

void VerifyEpromAgainstForm(Workspace& ws, EpromRunner& runner,
                            const std::filesystem::path& settingsFile) {
    const auto image = BuiltImage(ws);
    if (!image) return;
    const auto programmer = ProgrammerFor(ws.platform, image->size(), settingsFile);
    if (!programmer) return;
    Tell(ws.platform, RunTelling(runner, EpromJob::Verify, [&](const EpromProgress& p) {
             return VerifyEprom(*programmer, *image, p);
         }));
}

} // namespace kl40
