#include "image/text_file.h"

#include "image/file_descriptor.h"

#include <cerrno>
#include <cstdint>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>

namespace kl40 {

namespace {

TextFileError systemReason(int error) {
    return {std::error_code(error, std::generic_category()).message()};
}

TextFileError tooLarge(std::size_t limit) {
    return {"larger than " + std::to_string(limit) + " bytes", true};
}

} // namespace

std::variant<std::string, TextFileError> ReadTextFile(const std::string& path, std::size_t limit) {
    if (path.empty()) return TextFileError{"the file name is empty"};
    // O_NONBLOCK keeps the open of a FIFO without a writer from hanging; it
    // is cleared below so that a pipe with a writer is read to its end.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return systemReason(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return systemReason(errno);
    if (S_ISDIR(st.st_mode)) return systemReason(EISDIR);
    if (S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > limit)
        return tooLarge(limit);
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);

    // Devices and pipes say nothing of their length, and a file may grow
    // while it is read: stop one byte past the limit, which tells too long.
    std::string text;
    char buffer[16384];
    while (text.size() <= limit) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return systemReason(errno);
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    if (text.size() > limit) return tooLarge(limit);
    return text;
}

} // namespace kl40
