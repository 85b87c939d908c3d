#pragma once
// A POSIX file descriptor owned for its lifetime.

#include <cerrno>
#include <utility>

#include <unistd.h>

namespace kl40 {

// Owns a POSIX file descriptor; closes it unless the owner closed it already
// through close(), which reports the result.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

    // Closes the descriptor; returns 0 or the errno of the failed close.
    int close() {
        const int fd = std::exchange(fd_, -1);
        if (fd < 0) return 0;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

} // namespace kl40
