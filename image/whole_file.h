#pragma once
// Reading a whole file (an image, a radio file, a channel list, installed
// firmware): bounded, so a device or a huge file cannot exhaust memory, never
// blocking on a special file, and with the reason when it cannot be read.
// Every whole-file read of the program goes through here, so all of them
// refuse the same files for the same reasons.

#include <cstddef>
#include <string>
#include <variant>

namespace kl40 {

struct FileReadError {
    enum class Kind {
        Open,       // the system refused to open it (reason: its text, e.g. "Permission denied")
        Folder,     // a folder ("Is a directory")
        NotRegular, // a device, a socket, a file of the kernel (/proc, /sys): "not a regular file"
        Read,       // it was opened, but reading it failed
        TooLarge,   // more than the limit: "larger than N bytes"
    };
    std::string reason;
    Kind kind = Kind::Open;
    int error = 0; // the system's error number, where there is one
    bool tooLarge() const { return kind == Kind::TooLarge; }
};

// Whether a pipe (a FIFO, /dev/stdin from a shell pipe) is read to its end or
// refused as not a regular file, as is right for a file the program keeps.
enum class Pipes { Read, Refuse };

// The whole content of the regular file (or pipe) at `path`, or why it cannot
// be had. Never reads more than `limit` + 1 bytes, whatever the file is; a
// file of the kernel's own file systems (whose size says nothing and whose
// reads may wait forever, /proc/kmsg) is refused unread.
std::variant<std::string, FileReadError> ReadWholeFile(const std::string& path, std::size_t limit,
                                                       Pipes pipes = Pipes::Read);

} // namespace kl40
