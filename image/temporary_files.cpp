#include "image/temporary_files.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <pthread.h>
#include <unistd.h>

namespace kl40 {

namespace {

// The handler may only use async-signal-safe calls: it reads a fixed table
// of paths through lock-free atomics and calls kill(2), unlink(2) and rmdir(2).
enum SlotState : int { Free, Claimed, Ready };

struct Slot {
    std::atomic<int> state{Free};
    char path[4096] = {};
};

constexpr std::size_t kSlotCount = 64;
std::array<Slot, kSlotCount> slots;
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<pid_t> registeredChild{0};
static_assert(std::atomic<pid_t>::is_always_lock_free);

extern "C" void removeTemporaryFilesAndExit(int signal) {
    const int savedErrno = errno;
    if (const pid_t child = registeredChild.load(); child > 0) ::kill(child, signal);
    for (Slot& slot : slots)
        if (slot.state.load() == Ready) ::unlink(slot.path);
    // A registered folder is removed once the files in it are gone.
    for (Slot& slot : slots)
        if (slot.state.load() == Ready) ::rmdir(slot.path);
    // SA_RESETHAND has put back the default action; the signal, blocked
    // while this handler runs, ends the process once the handler returns.
    ::raise(signal);
    errno = savedErrno;
}

sigset_t cleanupSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kCleanupSignals)
        sigaddset(&set, signal);
    return set;
}

} // namespace

void InstallTemporaryFileCleanup() {
    for (int signal : kCleanupSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0) continue;
        if (current.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = removeTemporaryFilesAndExit;
        action.sa_mask = cleanupSignalSet();
        action.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &action, nullptr);
    }
}

CleanupSignalsBlocked::CleanupSignalsBlocked() {
    const sigset_t set = cleanupSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

CleanupSignalsBlocked::~CleanupSignalsBlocked() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

TemporaryFileRegistration::TemporaryFileRegistration(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= sizeof(Slot::path)) return;
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        int expected = Free;
        if (!slots[i].state.compare_exchange_strong(expected, Claimed)) continue;
        std::memcpy(slots[i].path, path, length + 1);
        slots[i].state.store(Ready);
        slot_ = static_cast<int>(i);
        return;
    }
}

void TemporaryFileRegistration::release() {
    if (slot_ < 0) return;
    slots[static_cast<std::size_t>(slot_)].state.store(Free);
    slot_ = -1;
}

ChildProcessRegistration::ChildProcessRegistration(pid_t child) {
    pid_t expected = 0;
    held_ = child > 0 && registeredChild.compare_exchange_strong(expected, child);
}

void ChildProcessRegistration::release() {
    if (!held_) return;
    registeredChild.store(0);
    held_ = false;
}

} // namespace kl40
