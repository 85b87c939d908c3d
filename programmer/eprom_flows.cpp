#include "programmer/eprom_flows.h"

#include "core/radio_model.h"
#include "image/program_code.h"
#include "image/whole_file.h"
#include "programmer/command_line.h"
#include "programmer/scratch_folder.h"
#include "programmer/tool_run.h"

#include <fstream>
#include <variant>

namespace kl40 {

namespace {

using Result = EpromOutcome::Result;

EpromOutcome outcome(Result result, std::string message, Bytes chip = {}) {
    return EpromOutcome{result, std::move(message), std::move(chip)};
}

EpromOutcome writtenOutcome(EpromOutcome outcome) {
    outcome.chipState = EpromOutcome::ChipState::Written;
    return outcome;
}

void tell(const EpromProgress& progress, EpromStep step) {
    if (progress.onStep) progress.onStep(step);
}

std::string byteCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

// Runs one of the programmer's command lines on `file`; the failure's
// outcome, or nothing when the tool exited with status 0.
std::optional<EpromOutcome> runTool(const EpromProgrammer& programmer,
                                    const std::vector<std::string>& command,
                                    const std::string& file, const EpromProgress& progress,
                                    ToolRun& run, ToolResult& result) {
    run.command = FillCommandLine(command, programmer.commands.device, file);
    run.timeLimit = programmer.timeLimit;
    run.onLine = progress.onLine;
    run.stop = progress.stop;
    result = RunTool(run);
    if (result.succeeded()) return std::nullopt;
    return outcome(result.ending == ToolResult::Ending::Cancelled ? Result::Cancelled
                                                                  : Result::Failed,
                   DescribeEnding(run, result) + "." + DescribeOutput(result));
}

// Reads the whole chip with the programmer's read command.
EpromOutcome readChip(const EpromProgrammer& programmer, std::size_t size,
                      const EpromProgress& progress) {
    auto made = ScratchFolder::Make();
    if (auto* reason = std::get_if<std::string>(&made)) return outcome(Result::Failed, *reason);
    const ScratchFolder& scratch = std::get<ScratchFolder>(made);
    ToolRun run;
    ToolResult result;
    if (auto failed =
            runTool(programmer, programmer.commands.read, scratch.file(), progress, run, result))
        return std::move(*failed);
    auto read = ReadWholeFile(scratch.file(), size, Pipes::Refuse);
    const auto wrongRead = [&](const std::string& what) {
        return outcome(Result::Failed, DescribeEnding(run, result) + ", but " + what + "." +
                                           DescribeOutput(result));
    };
    if (const auto* error = std::get_if<FileReadError>(&read)) {
        if (error->tooLarge())
            return wrongRead("it read more than the " + byteCount(size) + " of the EPROM");
        return wrongRead("its file cannot be read: " + error->reason);
    }
    const std::string& text = std::get<std::string>(read);
    if (text.size() != size)
        return wrongRead("it read " + byteCount(text.size()) + " where the EPROM holds " +
                         byteCount(size));
    return outcome(Result::Done, "Read " + byteCount(size) + " from the EPROM.",
                   Bytes(text.begin(), text.end()));
}

} // namespace

EpromOutcome ReadEprom(const EpromProgrammer& programmer, std::size_t size,
                       const EpromProgress& progress) {
    tell(progress, EpromStep::Reading);
    return readChip(programmer, size, progress);
}

EpromOutcome WriteEprom(const EpromProgrammer& programmer, const Bytes& image, int modelCode,
                        const std::function<bool()>& confirmWithoutProgramCode,
                        const EpromProgress& progress) {
    if (ModelOrDefault(modelCode).hasProgramArea() && !HasProgramCode(image, modelCode) &&
        !(confirmWithoutProgramCode && confirmWithoutProgramCode()))
        return outcome(Result::Refused,
                       NoProgramCodeText(modelCode) + " It was not written to the EPROM.");

    tell(progress, EpromStep::Reading);
    EpromOutcome before = readChip(programmer, image.size(), progress);
    if (before.result != Result::Done) return before;

    tell(progress, EpromStep::Checking);
    const WriteCheck check = CheckWrite(before.chip, image);
    if (check.verdict == WriteCheck::Verdict::AlreadyHeld)
        return outcome(Result::AlreadyHeld,
                       "The EPROM already holds this image: nothing was written.",
                       std::move(before.chip));
    if (check.verdict == WriteCheck::Verdict::NeedsErasure)
        return outcome(Result::NeedsErasure, ErasureNeededText(check), std::move(before.chip));

    tell(progress, EpromStep::Writing);
    {
        auto made = ScratchFolder::Make();
        if (auto* reason = std::get_if<std::string>(&made)) return outcome(Result::Failed, *reason);
        const ScratchFolder& scratch = std::get<ScratchFolder>(made);
        std::ofstream out(scratch.file(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(image.data()),
                  static_cast<std::streamsize>(image.size()));
        out.close();
        if (!out) return outcome(Result::Failed, "cannot write the image to " + scratch.file());
        ToolRun run;
        ToolResult result;
        if (auto failed = runTool(programmer, programmer.commands.write, scratch.file(), progress,
                                  run, result)) {
            if (result.started) {
                failed->chipState = EpromOutcome::ChipState::PartlyWritten;
                failed->message +=
                    "\nThe EPROM may be partly written: read it or verify it before using it.";
            }
            return std::move(*failed);
        }
    }

    tell(progress, EpromStep::ReadingBack);
    EpromOutcome after = writtenOutcome(readChip(programmer, image.size(), progress));
    if (after.result != Result::Done) return after;
    if (const auto difference = FirstDifference(image, after.chip))
        return writtenOutcome(outcome(
            Result::NotUsable,
            "The EPROM did not read back as written: at " + AddressText(difference->address) +
                " it holds " + ByteText(difference->actual) + " where the image has " +
                ByteText(difference->expected) + ". The chip is not usable as written.",
            std::move(after.chip)));
    return writtenOutcome(outcome(Result::Done,
                                  "Written and verified: the EPROM reads back all " +
                                      byteCount(image.size()) + " of the image.",
                                  std::move(after.chip)));
}

EpromOutcome VerifyEprom(const EpromProgrammer& programmer, const Bytes& image,
                         const EpromProgress& progress) {
    tell(progress, EpromStep::Reading);
    EpromOutcome read = readChip(programmer, image.size(), progress);
    if (read.result != Result::Done) return read;
    tell(progress, EpromStep::Checking);
    if (const auto difference = FirstDifference(image, read.chip))
        return outcome(Result::Different,
                       "The EPROM differs from the image: at " + AddressText(difference->address) +
                           " it holds " + ByteText(difference->actual) + " where the image has " +
                           ByteText(difference->expected) + ".",
                       std::move(read.chip));
    return outcome(Result::Done,
                   "The EPROM holds the image: all " + byteCount(image.size()) + " are the same.",
                   std::move(read.chip));
}

} // namespace kl40
