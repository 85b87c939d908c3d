#include "cli/output_name.h"
#include "cli/radio_build.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "core/echo_text.h"
#include "core/radio_model.h"
#include "image/atomic_write.h"
#include "image/firmware_store.h"
#include "image/image_file.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "programmer/eprom_flows.h"

#include <iostream>

namespace kl40::cli {

namespace {

using Result = EpromOutcome::Result;

// The image an eprom verb writes or compares, and its radio's model.
struct SourceImage {
    Bytes image;
    int model = 0;
};

void say(const std::string& text) {
    std::cerr << "kl40-cli: " << text << '\n';
}

// Says why the verb failed; returns its exit status.
int fail(const std::string& text, int status = 1) {
    say(text);
    return status;
}

// The programmer of the settings file, with the command line's choices, for
// a chip of `size` bytes; nothing after saying why there is none.
std::optional<EpromProgrammer> programmerFor(std::size_t size, const EpromSettings& settings) {
    const std::filesystem::path file = ProgrammerSettingsFile();
    auto loaded = LoadProgrammerSettings(file);
    if (const auto* problem = std::get_if<std::string>(&loaded)) {
        say(*problem);
        return std::nullopt;
    }
    ProgrammerSettings chosen = std::get<ProgrammerSettings>(loaded);
    // The file's device names are those of the programmer it chooses.
    if (!settings.programmer.empty() && settings.programmer != chosen.programmer) {
        chosen.programmer = settings.programmer;
        chosen.device2k.clear();
        chosen.device8k.clear();
    }
    if (!settings.device.empty())
        (size > 2048 ? chosen.device8k : chosen.device2k) = settings.device;
    auto resolved = ResolveProgrammer(chosen, size, file.string());
    if (const auto* problem = std::get_if<std::string>(&resolved)) {
        say(*problem);
        return std::nullopt;
    }
    return EpromProgrammer{std::get<ProgrammerCommands>(resolved),
                           std::chrono::seconds(chosen.timeLimitSeconds)};
}

// The steps on stderr as they begin.
EpromProgress progressOnStderr() {
    EpromProgress progress;
    progress.onStep = [](EpromStep step) {
        static constexpr const char* kSteps[] = {"reading the EPROM", "comparing",
                                                 "writing the EPROM", "reading it back"};
        say(std::string(kSteps[static_cast<int>(step)]) + "...");
    };
    return progress;
}

// The image of an image file, or of a radio file or channel list built as
// `build` builds it; nothing after saying why there is none.
std::optional<SourceImage> sourceImage(const std::string& path, const EpromSettings& settings) {
    if (FormatOfPath(path, FormatContent::Radio) || FormatOfPath(path, FormatContent::Channels)) {
        RadioImage built = BuildRadioImage(path, settings.build);
        for (const std::string& note : built.notes)
            std::cerr << note << '\n';
        if (built.refusal) {
            say(*built.refusal);
            return std::nullopt;
        }
        return SourceImage{std::move(built.image), built.model};
    }
    Session session;
    if (auto refusal = LoadImage(session, path)) {
        say(EchoText(path) + ": " + refusal->text());
        return std::nullopt;
    }
    return SourceImage{session.image, session.radio.model};
}

// After a read: a chip whose program code is not the installed firmware of
// its model is worth installing.
void noteProgramCode(const Bytes& chip, int model, const std::string& outputPath) {
    if (!HasProgramCode(chip, model)) return;
    const FirmwareLookup lookup = LookUpFirmware(DefaultFirmwareFolder(), model);
    const std::string name = ModelName(model);
    if (lookup.state == FirmwareLookup::State::Installed &&
        SameProgramCode(chip, lookup.firmware.image, model))
        return;
    say("note: the EPROM holds program code that is not the installed firmware for " + name +
        (lookup.state == FirmwareLookup::State::Installed
             ? " (installed from " + EchoText(lookup.firmware.source) + ")"
             : " (none is installed)") +
        "; 'kl40-cli firmware install " + EchoText(outputPath) + "' makes builds for " + name +
        " take it.");
}

} // namespace

int RunEpromRead(const std::string& outputPath, const std::string& model,
                 const EpromSettings& settings) {
    const std::optional<int> modelCode = ModelCodeOf(model);
    if (!modelCode) return fail("unknown model \"" + EchoText(model) + "\"");
    // A chip read that could not be saved is not worth the programmer's time.
    if (auto problem = WriteTargetProblem(outputPath))
        return fail(EchoText(outputPath) + ": " + *problem);
    const auto programmer = programmerFor(ImageSize(*modelCode), settings);
    if (!programmer) return 1;
    const EpromOutcome read = ReadEprom(*programmer, ImageSize(*modelCode), progressOnStderr());
    if (read.result != Result::Done) return fail(read.message);
    if (auto failure =
            WriteFileAtomically(outputPath, EncodeImageFile(read.chip, outputPath, nullptr)))
        return fail(EchoText(outputPath) + ": " + *failure);
    noteProgramCode(read.chip, *modelCode, outputPath);
    return 0;
}

int RunEpromWrite(const std::string& source, const EpromSettings& settings) {
    const auto image = sourceImage(source, settings);
    if (!image) return 1;
    const auto programmer = programmerFor(image->image.size(), settings);
    if (!programmer) return 1;
    const EpromOutcome written = WriteEprom(
        *programmer, image->image, image->model,
        [&settings] { return settings.allowNoProgramCode; }, progressOnStderr());
    if (written.result == Result::Refused)
        return fail(EchoText(source) + ": " + written.message +
                    " Install your radio's firmware ('kl40-cli firmware install DUMP.bin'), or "
                    "add --allow-no-program-code to write it anyway.");
    say(written.message);
    return written.result == Result::Done || written.result == Result::AlreadyHeld ? 0 : 1;
}

int RunEpromVerify(const std::string& source, const EpromSettings& settings) {
    const auto image = sourceImage(source, settings);
    if (!image) return 2;
    const auto programmer = programmerFor(image->image.size(), settings);
    if (!programmer) return 2;
    const EpromOutcome verified = VerifyEprom(*programmer, image->image, progressOnStderr());
    say(verified.message);
    if (verified.result == Result::Done) return 0;
    return verified.result == Result::Different ? 1 : 2;
}

} // namespace kl40::cli
