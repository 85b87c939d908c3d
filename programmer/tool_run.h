#pragma once
// Running a programmer's command-line tool: no shell, a time limit, its
// output (stdout and stderr together) passed on line by line as it comes,
// and a way to cancel it. A stopped tool is asked to end (SIGTERM) and is
// killed (SIGKILL) when it has not ended 2 seconds later.
//
// RunTool blocks until the tool has ended; a window runs it on a worker
// thread, shows the lines as `onLine` receives them (on that thread) and
// cancels through the stop token.

#include <chrono>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace kl40 {

struct ToolRun {
    std::vector<std::string> command; // the program (looked up on PATH) and its arguments
    std::chrono::milliseconds timeLimit{120'000};
    std::function<void(const std::string& line)> onLine;
    std::stop_token stop;
};

struct ToolResult {
    enum class Ending {
        Exited,     // status: its exit status
        Signalled,  // status: the signal that ended it
        NotStarted, // startError: the system's reason
        TimedOut,   // stopped at the time limit; status: as below
        Cancelled,  // stopped on request; status: the signal that ended it, or
                    // its exit status when it ended on its own (byOwnExit)
    };
    bool started = true;    // false when a stop came before the tool was started
    bool byOwnExit = false; // a stopped tool that exited rather than died of a signal
    Ending ending = Ending::Exited;
    int status = 0;
    std::string startError;
    std::vector<std::string> lastLines; // its last lines of output, at most kKeptLines
    bool succeeded() const { return ending == Ending::Exited && status == 0; }
};

inline constexpr std::size_t kKeptLines = 6;
inline constexpr std::chrono::milliseconds kKillGrace{2000};

ToolResult RunTool(const ToolRun& run);

// How the run went, naming the command: "`minipro -p 27C64@DIP28 -y -r
// /tmp/...` failed with exit status 1", "... did not finish within 120
// seconds and was stopped", "... could not be started: No such file or
// directory".
std::string DescribeEnding(const ToolRun& run, const ToolResult& result);
// The tool's last lines, indented, after a line that introduces them; or a
// note that it printed nothing.
std::string DescribeOutput(const ToolResult& result);

} // namespace kl40
