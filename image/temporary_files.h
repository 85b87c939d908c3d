#pragma once
// Temporary files and child processes that a signal must not leave behind. A write registers its
// temporary file while it exists; on SIGINT, SIGTERM or SIGHUP the handler
// removes every registered file and then ends the process as the signal's
// default action would. SIGKILL cannot be caught: its leftovers
// (".NAME.xxxxxxxx.tmp" beside the target) may be deleted by hand.

#include <csignal>

#include <sys/types.h>

namespace kl40 {

// Installs the handler for SIGINT, SIGTERM and SIGHUP, except for a signal
// that is ignored (as under nohup). Call once, early in main.
void InstallTemporaryFileCleanup();

// Blocks SIGINT, SIGTERM and SIGHUP in this thread for its lifetime, so that a
// file can be created and registered with no signal in between.
class CleanupSignalsBlocked {
public:
    CleanupSignalsBlocked();
    ~CleanupSignalsBlocked();
    CleanupSignalsBlocked(const CleanupSignalsBlocked&) = delete;
    CleanupSignalsBlocked& operator=(const CleanupSignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

// Registers a path for removal by the handler while the object lives (or
// until release()). A registered folder is removed after all registered
// files, so a private folder and the files in it may both be registered. A path too long for the
// fixed table, or a full table, is not registered: the write goes on without the protection.
class TemporaryFileRegistration {
public:
    explicit TemporaryFileRegistration(const char* path);
    ~TemporaryFileRegistration() { release(); }
    TemporaryFileRegistration(const TemporaryFileRegistration&) = delete;
    TemporaryFileRegistration& operator=(const TemporaryFileRegistration&) = delete;

    void release();

private:
    int slot_ = -1;
};

// Registers a running child process (an external tool) while the object
// lives: the handler passes the signal on to it before removing the files,
// so a programmer's tool does not go on alone after this process is ended.
// One child at a time; a second registration while one is held does nothing.
// Create it and release it with the cleanup signals blocked, so that the
// handler never signals a process that was already waited for.
class ChildProcessRegistration {
public:
    explicit ChildProcessRegistration(pid_t child);
    ~ChildProcessRegistration() { release(); }
    ChildProcessRegistration(const ChildProcessRegistration&) = delete;
    ChildProcessRegistration& operator=(const ChildProcessRegistration&) = delete;

    void release();

private:
    bool held_ = false;
};

} // namespace kl40
