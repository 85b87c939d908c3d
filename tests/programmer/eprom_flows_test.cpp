// Reading, writing and verifying through the simulated programmer: every
// flow, every fault of the tool, and no temporary file left on any path.

#include "image/templates.h"
#include "image/temporary_files.h"
#include "programmer/eprom_flows.h"
#include "support/simulated_chip.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;
using Result = EpromOutcome::Result;

class EpromFlows : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(chip.temporaryFolderEmpty()) << "a temporary file was left behind";
    }

    static EpromProgrammer programmer(const std::string& tool = test::SimulatedChip::tool()) {
        return {{"simulated",
                 {tool, "-p", "{device}", "-y", "-r", "{file}"},
                 {tool, "-p", "{device}", "-y", "-w", "{file}"},
                 "M2716@DIP24"},
                std::chrono::seconds(20)};
    }
    static Bytes randomImage(std::size_t size, unsigned seed) {
        std::mt19937 random(seed);
        Bytes image(size);
        for (auto& byte : image)
            byte = static_cast<std::uint8_t>(random());
        return image;
    }

    test::SimulatedChip chip;
};

TEST_F(EpromFlows, WriteReadsChecksWritesAndReadsBack) {
    chip.insert(Bytes(2048, 0xFF));
    const Bytes image = randomImage(2048, 1);
    std::vector<EpromStep> steps;
    EpromProgress progress;
    progress.onStep = [&steps](EpromStep step) { steps.push_back(step); };

    EpromOutcome written = WriteEprom(programmer(), image, 1, nullptr, progress);
    EXPECT_EQ(written.result, Result::Done) << written.message;
    EXPECT_EQ(written.message,
              "Written and verified: the EPROM reads back all 2048 bytes of the image.");
    EXPECT_EQ(chip.contents(), image);
    EXPECT_EQ(steps, (std::vector{EpromStep::Reading, EpromStep::Checking, EpromStep::Writing,
                                  EpromStep::ReadingBack}));
    ASSERT_EQ(chip.runs().size(), 3u);
    EXPECT_EQ(chip.runs()[1].find("-p M2716@DIP24 -y -w "), 0u) << chip.runs()[1];

    // The same image again: read, found there, not written.
    written = WriteEprom(programmer(), image, 1, nullptr);
    EXPECT_EQ(written.result, Result::AlreadyHeld);
    EXPECT_EQ(written.message, "The EPROM already holds this image: nothing was written.");
    EXPECT_EQ(chip.runs().size(), 4u);

    // An image that needs bits set is refused before writing.
    Bytes other = image;
    for (std::size_t a = 0x40; a < 0x40 + 312; ++a)
        other[a] = static_cast<std::uint8_t>(image[a] | 0x80) == image[a]
                       ? static_cast<std::uint8_t>(image[a] & 0x7F) | 0x01
                       : image[a] | 0x80;
    const Bytes before = chip.contents();
    written = WriteEprom(programmer(), other, 1, nullptr);
    EXPECT_EQ(written.result, Result::NeedsErasure);
    EXPECT_EQ(written.message, ErasureNeededText(CheckWrite(before, other)));
    EXPECT_EQ(chip.runs().size(), 5u) << "only read";
    EXPECT_EQ(chip.contents(), before);

    EXPECT_EQ(VerifyEprom(programmer(), image).result, Result::Done);
    const EpromOutcome differs = VerifyEprom(programmer(), other);
    EXPECT_EQ(differs.result, Result::Different);
    EXPECT_EQ(differs.message, "The EPROM differs from the image: at 0x0040 it holds " +
                                   ByteText(image[0x40]) + " where the image has " +
                                   ByteText(other[0x40]) + ".");
}

TEST_F(EpromFlows, ImageWithoutProgramCodeIsWrittenOnlyWhenConfirmed) {
    chip.insert(Bytes(8192, 0xFF));
    const Bytes bare = TemplateBytes(3);
    EXPECT_EQ(WriteEprom(programmer(), bare, 3, nullptr).result, Result::Refused);
    EXPECT_EQ(WriteEprom(programmer(), bare, 3, [] { return false; }).result, Result::Refused);
    EXPECT_TRUE(chip.runs().empty()) << "refused before the programmer ran";
    EXPECT_EQ(WriteEprom(programmer(), bare, 3, [] { return true; }).result, Result::Done);
    EXPECT_EQ(chip.contents(), bare);
}

// Each fault of the tool ends its flow with a message naming the command,
// how it ended and what it printed last.
TEST_F(EpromFlows, ToolFaults) {
    Bytes image(2048, 0x00);
    image[0x100] = 0x12;
    const struct {
        std::string fault;
        bool write;
        Result result;
        std::vector<std::string> said;
    } cases[] = {
        {"no-chip",
         false,
         Result::Failed,
         {"-r " + chip.folder.file("tmp"), "failed with exit status 1",
          "Its last lines of output:\n    Found simulated programmer\n"
          "    Unsupported device or no chip in the socket: M2716@DIP24"}},
        {"short-read",
         false,
         Result::Failed,
         {"ended with exit status 0, but it read 1024 bytes where the EPROM holds 2048 bytes"}},
        {"exit=3:Programmer busy",
         false,
         Result::Failed,
         {"failed with exit status 3", "\n    Programmer busy"}},
        {"write-fails-at=0x0100",
         true,
         Result::Failed,
         {"-w ", "failed with exit status 1", "Programming failed at 0x0100",
          "The EPROM may be partly written"}},
        {"quiet-fail-at=0x0100",
         true,
         Result::NotUsable,
         {"The EPROM did not read back as written: at 0x0100 it holds 0xFF where the image has "
          "0x12. The chip is not usable as written."}},
    };
    for (const auto& c : cases) {
        chip.insert(Bytes(2048, 0xFF));
        chip.fault(c.fault);
        const EpromOutcome outcome =
            c.write ? WriteEprom(programmer(), image, 1, nullptr) : ReadEprom(programmer(), 2048);
        EXPECT_EQ(outcome.result, c.result) << c.fault << ": " << outcome.message;
        EXPECT_EQ(outcome.message.find("`" + test::SimulatedChip::tool() + " -p M2716@DIP24 -y"),
                  c.result == Result::Failed ? 0u : std::string::npos)
            << outcome.message;
        for (const std::string& part : c.said)
            EXPECT_NE(outcome.message.find(part), std::string::npos)
                << c.fault << ": " << outcome.message;
    }

    const EpromOutcome missing = ReadEprom(programmer("/nonexistent/minipro"), 2048);
    EXPECT_EQ(missing.result, Result::Failed);
    EXPECT_EQ(missing.message.find("`/nonexistent/minipro -p M2716@DIP24 -y -r "), 0u);
    EXPECT_NE(missing.message.find("could not be started: No such file or directory"),
              std::string::npos)
        << missing.message;
}

// A tool that ignores SIGTERM is killed 2 seconds after the time limit.
TEST_F(EpromFlows, HangingToolIsStoppedAtTheTimeLimit) {
    chip.insert(Bytes(2048, 0xFF));
    chip.fault("stubborn-hang");
    EpromProgrammer hasty = programmer();
    hasty.timeLimit = std::chrono::seconds(1);
    const auto start = std::chrono::steady_clock::now();
    const EpromOutcome read = ReadEprom(hasty, 2048);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(read.result, Result::Failed);
    EXPECT_NE(read.message.find("did not finish within 1 seconds and was stopped (signal 9"),
              std::string::npos)
        << read.message;
    EXPECT_NE(read.message.find("\n    Found simulated programmer"), std::string::npos);
    EXPECT_GE(took, std::chrono::milliseconds(2900));
    EXPECT_LT(took, std::chrono::seconds(10));
}

// Cancelling as soon as the tool has said something: its lines arrive while
// it runs, and it is stopped at once.
TEST_F(EpromFlows, CancelStopsTheTool) {
    chip.insert(Bytes(2048, 0xFF));
    chip.fault("hang");
    std::stop_source cancel;
    EpromProgress progress;
    progress.stop = cancel.get_token();
    progress.onLine = [&cancel](const std::string&) { cancel.request_stop(); };
    const auto start = std::chrono::steady_clock::now();
    const EpromOutcome read = ReadEprom(programmer(), 2048, progress);
    EXPECT_EQ(read.result, Result::Cancelled);
    EXPECT_NE(read.message.find("was cancelled (signal 15"), std::string::npos) << read.message;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

    // A cancel that came before the write starts no tool: a quick tool must
    // not finish a write the operator cancelled.
    chip.fault("");
    const std::size_t runsBefore = chip.runs().size();
    std::stop_source early;
    progress.stop = early.get_token();
    progress.onLine = nullptr;
    progress.onStep = [&early](EpromStep step) {
        if (step == EpromStep::Writing) early.request_stop();
    };
    const EpromOutcome write = WriteEprom(programmer(), Bytes(2048, 0), 1, nullptr, progress);
    EXPECT_EQ(write.result, Result::Cancelled);
    EXPECT_NE(write.message.find("was cancelled before it started"), std::string::npos)
        << write.message;
    EXPECT_EQ(chip.runs().size(), runsBefore + 1) << "only the first read ran";
    EXPECT_EQ(chip.contents(), Bytes(2048, 0xFF));
}

// SIGTERM while the tool runs, to the process group (as Ctrl-C reaches the
// shell's job) or to this process alone (as `kill PID` sends it): the process
// dies of it, its temporary folder goes with it, and the tool is stopped too.
TEST_F(EpromFlows, SignalRemovesTheTemporaryFolderAndStopsTheTool) {
    chip.insert(Bytes(2048, 0xFF));
    chip.fault("hang");
    for (const bool wholeGroup : {true, false}) {
        SCOPED_TRACE(wholeGroup ? "to the process group" : "to the process alone");
        const std::size_t runsBefore = chip.runs().size();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::setpgid(0, 0);
            InstallTemporaryFileCleanup();
            ReadEprom(programmer(), 2048);
            ::_exit(0);
        }
        ::setpgid(child, child);
        for (int wait = 0; wait < 200 && chip.runs().size() == runsBefore; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_FALSE(chip.temporaryFolderEmpty());
        ::kill(wholeGroup ? -child : child, SIGTERM);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        EXPECT_TRUE(chip.temporaryFolderEmpty());
        for (int wait = 0; wait < 200 && chip.runs().back() != "terminated"; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(chip.runs().back(), "terminated") << "the tool went on running";
    }
}

} // namespace
} // namespace kl40
