#pragma once
// Writing a whole file so that a failed or unverified write never destroys what
// was there: the bytes go to a temporary file beside the target, are read back
// and compared byte for byte, and only then replace the target.

#include "core/platform.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

struct FileFormat;

inline constexpr const char* kCantWriteText = "Can't write file: ";

struct WriteOptions {
    // Flush the file and its folder to the device before reporting success.
    // Batch tools that write thousands of files may leave that to the system.
    bool durable = true;
    // Runs on the temporary file after it is written and before it is read
    // back for verification; lets tests damage it.
    std::function<void(const std::string& temporaryPath)> afterWrite;
    // For WriteImageFile, the image format to write; nothing: the one the
    // path's extension names (a raw image for any other name).
    const FileFormat* format = nullptr;
};

// Writes `bytes` to `path` (temporary file beside it, read back and compared,
// then renamed over it), without any message. A link is followed, so the file
// it names is replaced; a folder, a device or a file the operator may not
// write is refused. Returns the reason when nothing was written.
std::optional<std::string> WriteFileAtomically(const std::string& path,
                                               const std::vector<std::uint8_t>& bytes,
                                               const WriteOptions& options = {});

struct WriteFailure {
    std::string text;         // the reason, as WriteFileAtomically gives it
    bool notVerified = false; // written, but did not read back as written
};

// WriteFileAtomically with the busy pointer shown on `platform` while the
// file is written, telling a write that did not verify from the others.
std::optional<WriteFailure> WriteFileAtomically(Platform& platform, const std::string& path,
                                                const std::vector<std::uint8_t>& bytes,
                                                const WriteOptions& options);

// Why WriteFileAtomically would refuse `path` before writing anything (a
// folder, a device, a file the operator may not write); nothing when it
// would go on. For work worth not starting when its result cannot be saved.
std::optional<std::string> WriteTargetProblem(const std::string& path);

// True when the file at `path` holds exactly `bytes`.
bool FileHoldsBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace kl40
