#include "image/whole_file.h"

#include "image/file_descriptor.h"

#include <cerrno>
#include <cstdint>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace kl40 {

namespace {

using Kind = FileReadError::Kind;

FileReadError systemReason(int error, Kind kind) {
    return {std::error_code(error, std::generic_category()).message(), kind, error};
}

FileReadError tooLarge(std::size_t limit) {
    return {"larger than " + std::to_string(limit) + " bytes", Kind::TooLarge};
}

FileReadError notRegular() {
    return {"not a regular file", Kind::NotRegular};
}

// Files of procfs and sysfs look regular but are made by the kernel as they are
// read: their size is 0 whatever they hold, and some reads block.
bool isKernelFile(int fd) {
    constexpr long kProcMagic = 0x9fa0;
    constexpr long kSysfsMagic = 0x62656572;
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) return false;
    const long type = static_cast<long>(fs.f_type);
    return type == kProcMagic || type == kSysfsMagic;
}

} // namespace

std::variant<std::string, FileReadError> ReadWholeFile(const std::string& path, std::size_t limit,
                                                       Pipes pipes) {
    if (path.empty()) return FileReadError{"the file name is empty"};
    // O_NONBLOCK keeps the open of a FIFO without a writer from hanging; it
    // is cleared below for a pipe that is read, so one with a writer is read
    // to its end.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return systemReason(errno, Kind::Open);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return systemReason(errno, Kind::Open);
    if (S_ISDIR(st.st_mode)) return systemReason(EISDIR, Kind::Folder);
    if (S_ISFIFO(st.st_mode) && pipes == Pipes::Read) {
        const int flags = ::fcntl(fd.get(), F_GETFL);
        if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    } else if (!S_ISREG(st.st_mode) || isKernelFile(fd.get())) {
        return notRegular();
    } else if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        return tooLarge(limit);
    }

    // A pipe says nothing of its length, and a file may grow while it is
    // read: stop one byte past the limit, which tells too long. A regular
    // file that would make a read wait is no ordinary file.
    std::string text;
    char buffer[16384];
    while (text.size() <= limit) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN && S_ISREG(st.st_mode)) return notRegular();
        if (n < 0) return systemReason(errno, Kind::Read);
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    if (text.size() > limit) return tooLarge(limit);
    return text;
}

} // namespace kl40
