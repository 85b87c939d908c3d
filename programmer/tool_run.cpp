#include "programmer/tool_run.h"

#include "image/file_descriptor.h"
#include "image/temporary_files.h"
#include "programmer/command_line.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <deque>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kl40 {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kMaxLineLength = 4096;
constexpr int kPollSliceMs = 50;

// Cuts output into lines (a carriage return ends one too, as progress
// counters rewrite their line with it), passes each on and keeps the last.
class LineCollector {
public:
    explicit LineCollector(const std::function<void(const std::string&)>& onLine)
        : onLine_(onLine) {}

    void add(const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == '\n' || c == '\r')
                finishLine();
            else if (partial_.size() < kMaxLineLength)
                partial_ += c;
        }
    }
    void finish() { finishLine(); }
    std::vector<std::string> lastLines() const { return {kept_.begin(), kept_.end()}; }

private:
    void finishLine() {
        if (partial_.empty()) return;
        if (onLine_) onLine_(partial_);
        kept_.push_back(std::move(partial_));
        if (kept_.size() > kKeptLines) kept_.pop_front();
        partial_.clear();
    }

    const std::function<void(const std::string&)>& onLine_;
    std::string partial_;
    std::deque<std::string> kept_;
};

// The spawn settings of the tool: stdin from /dev/null, stdout and stderr
// into the pipe, no signal blocked and the cleanup signals at their default.
class SpawnSettings {
public:
    explicit SpawnSettings(int outputFd) {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions_, outputFd, 1);
        posix_spawn_file_actions_adddup2(&actions_, outputFd, 2);
        posix_spawnattr_init(&attributes_);
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
            sigaddset(&defaults, signal);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &defaults);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

// Reads what is there within `waitMs`; false at the end of the output.
bool readOutput(int fd, int waitMs, LineCollector& lines) {
    pollfd poller{fd, POLLIN, 0};
    const int ready = ::poll(&poller, 1, waitMs);
    if (ready <= 0) return true;
    char buffer[4096];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) return errno == EINTR || errno == EAGAIN;
    if (got == 0) return false;
    lines.add(buffer, static_cast<std::size_t>(got));
    return true;
}

// The wait status of the child once it has ended; nothing while it runs. Its
// registration goes before a signal could reach the handler, which must never
// signal a process id that was already waited for and may be reused.
std::optional<int> ended(pid_t child, std::optional<ChildProcessRegistration>& registration) {
    const CleanupSignalsBlocked blocked;
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) != child) return std::nullopt;
    registration.reset();
    return status;
}

} // namespace

ToolResult RunTool(const ToolRun& run) {
    ToolResult result;
    if (run.stop.stop_requested()) {
        result.ending = ToolResult::Ending::Cancelled;
        result.started = false;
        return result;
    }
    if (run.command.empty()) {
        result.ending = ToolResult::Ending::NotStarted;
        result.startError = "no command";
        return result;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.ending = ToolResult::Ending::NotStarted;
        result.startError = std::strerror(errno);
        return result;
    }
    FileDescriptor readEnd(fds[0]);
    FileDescriptor writeEnd(fds[1]);

    std::vector<char*> argv;
    std::vector<std::string> arguments = run.command;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = -1;
    // A signal that ends this process is passed on to the tool; none may come
    // between starting it and registering it.
    std::optional<ChildProcessRegistration> registration;
    {
        const CleanupSignalsBlocked blocked;
        const SpawnSettings settings(writeEnd.get());
        const int error = ::posix_spawnp(&child, argv[0], settings.actions(), settings.attributes(),
                                         argv.data(), environ);
        if (error != 0) {
            result.ending = ToolResult::Ending::NotStarted;
            result.startError = std::strerror(error);
            return result;
        }
        registration.emplace(child);
    }
    writeEnd.close(); // the tool holds the only write end: its exit ends the output

    LineCollector lines(run.onLine);
    const Clock::time_point deadline = Clock::now() + run.timeLimit;
    bool open = true;
    std::optional<int> waitStatus;
    std::optional<ToolResult::Ending> stopped;
    Clock::time_point killAt = Clock::time_point::max();
    while (true) {
        // A stop asked for before or while the tool runs is acted on before
        // waiting, so a quick tool cannot finish its work after a cancel.
        if (!stopped) {
            if (run.stop.stop_requested())
                stopped = ToolResult::Ending::Cancelled;
            else if (Clock::now() >= deadline)
                stopped = ToolResult::Ending::TimedOut;
            if (stopped) {
                ::kill(child, SIGTERM);
                killAt = Clock::now() + kKillGrace;
            }
        } else if (Clock::now() >= killAt) {
            ::kill(child, SIGKILL);
            killAt = Clock::time_point::max();
        }
        if (open)
            open = readOutput(readEnd.get(), kPollSliceMs, lines);
        else
            ::poll(nullptr, 0, kPollSliceMs); // output closed, the tool still running
        if ((waitStatus = ended(child, registration))) {
            // Take what is left in the pipe, without waiting for a process
            // the tool started that may keep it open.
            for (int chunk = 0; open && chunk < 256; ++chunk) {
                pollfd poller{readEnd.get(), POLLIN, 0};
                if (::poll(&poller, 1, 0) <= 0) break;
                open = readOutput(readEnd.get(), 0, lines);
            }
            break;
        }
    }
    lines.finish();
    result.lastLines = lines.lastLines();
    const int status = *waitStatus;
    if (stopped) {
        result.ending = *stopped;
        result.byOwnExit = !WIFSIGNALED(status);
        result.status = result.byOwnExit ? WEXITSTATUS(status) : WTERMSIG(status);
    } else if (WIFSIGNALED(status)) {
        result.ending = ToolResult::Ending::Signalled;
        result.status = WTERMSIG(status);
    } else {
        result.status = WEXITSTATUS(status);
    }
    return result;
}

std::string DescribeEnding(const ToolRun& run, const ToolResult& result) {
    const std::string command = "`" + CommandLineText(run.command) + "`";
    const auto signalName = [](int signal) {
        const char* name = ::strsignal(signal);
        return "signal " + std::to_string(signal) + (name ? " (" + std::string(name) + ")" : "");
    };
    const auto stoppedBy = [&] {
        return result.byOwnExit ? "exit status " + std::to_string(result.status)
                                : signalName(result.status);
    };
    switch (result.ending) {
    case ToolResult::Ending::NotStarted:
        return command + " could not be started: " + result.startError +
               " (is the programmer's tool installed and on PATH?)";
    case ToolResult::Ending::Signalled:
        return command + " was ended by " + signalName(result.status);
    case ToolResult::Ending::TimedOut:
        return command + " did not finish within " +
               std::to_string(
                   std::chrono::duration_cast<std::chrono::seconds>(run.timeLimit).count()) +
               " seconds and was stopped (" + stoppedBy() + ")";
    case ToolResult::Ending::Cancelled:
        if (!result.started) return command + " was cancelled before it started";
        return command + " was cancelled (" + stoppedBy() + ")";
    case ToolResult::Ending::Exited:
        break;
    }
    if (result.status != 0)
        return command + " failed with exit status " + std::to_string(result.status);
    return command + " ended with exit status 0";
}

std::string DescribeOutput(const ToolResult& result) {
    if (result.ending == ToolResult::Ending::NotStarted) return "";
    if (result.lastLines.empty()) return "\nIt printed nothing.";
    std::string text = "\nIts last lines of output:";
    for (const std::string& line : result.lastLines)
        text += "\n    " + line;
    return text;
}

} // namespace kl40
