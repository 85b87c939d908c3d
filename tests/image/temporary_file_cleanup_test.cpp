// A write ended by SIGINT, SIGTERM or SIGHUP leaves no temporary file: the
// process dies of the signal as before, with the file removed.

#include "image/image_file.h"
#include "image/temporary_files.h"
#include "ui/flows/form_image.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

TEST(TemporaryFileCleanup, SignalDuringAWriteRemovesTheTemporaryFile) {
    const fs::path dir = fs::temp_directory_path() / ("kl40-signal-" + std::to_string(::getpid()) +
                                                      "-" + std::to_string(std::random_device{}()));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        fs::create_directories(dir);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            InstallTemporaryFileCleanup();
            test::ScriptedPlatform platform;
            Workspace ws(platform);
            ws.data.radio.model = 3;
            ws.data.ImageText.assign(8192, 0x5A);
            WriteOptions interrupt;
            interrupt.afterWrite = [signal](const std::string&) { ::raise(signal); };
            WriteImageFile(ws, (dir / "radio.bin").string(), interrupt);
            ::_exit(0); // not reached: the signal ends the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "signal " << signal;
        EXPECT_TRUE(fs::is_empty(dir))
            << "signal " << signal << " left " << fs::directory_iterator(dir)->path();
        fs::remove_all(dir);
    }
}

} // namespace
} // namespace kl40
