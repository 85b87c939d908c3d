#include "image/atomic_write.h"

#include "image/file_descriptor.h"
#include "image/link_target.h"
#include "image/temporary_files.h"
#include "image/whole_file.h"

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNotVerifiedText =
    "The file did not read back as written and was not saved: ";

std::string ErrorText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

std::optional<WriteFailure> Failed(std::string text) {
    return WriteFailure{std::move(text)};
}

// Name of a new, unused temporary file beside the target; the caller creates
// it with O_EXCL and asks again when another file took the name meanwhile.
fs::path TemporaryPath(const fs::path& target) {
    // One per thread: a random_device may not be used by two threads at once.
    thread_local std::random_device random;
    std::string name = target.filename().string();
    if (name.size() > 100) name.resize(100); // keep within the folder's name limit
    std::uniform_int_distribution<unsigned> hex(0, 15);
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += "0123456789abcdef"[hex(random)];
    return target.parent_path() / ("." + name + "." + suffix + ".tmp");
}

// Removes the temporary file unless the guard was released after the rename;
// a signal that ends the process meanwhile removes it too.
class TemporaryFile {
public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)), registration_(path_.c_str()) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    const fs::path& path() const { return path_; }
    void release() {
        registration_.release();
        path_.clear();
    }

private:
    fs::path path_;
    TemporaryFileRegistration registration_;
};

// The permissions of a new document: 0644 less the process's umask. The
// umask can only be read by setting it, so that is done once; a file that
// another thread creates meanwhile with mode 0600 stays 0600.
mode_t NewFileMode() {
    static const mode_t mask = [] {
        const mode_t m = ::umask(0077);
        ::umask(m);
        return m;
    }();
    return 0644 & ~mask;
}

int WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Writes the bytes to a temporary file in the target's folder and renames it
// over the target. Until the rename the target is untouched; after any failure
// the temporary file is gone.
std::optional<WriteFailure> ReplaceFile(const fs::path& target,
                                        const std::vector<std::uint8_t>& bytes,
                                        const struct stat* existing, const WriteOptions& options) {
    std::optional<TemporaryFile> temporary;
    int created = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = TemporaryPath(target);
        // Private until it has the target's mode: no other user may open it
        // meanwhile. No signal comes between creating and registering it.
        const CleanupSignalsBlocked signalsBlocked;
        created = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (created >= 0) {
            temporary.emplace(std::move(candidate));
            break;
        }
        if (errno != EEXIST) return Failed(ErrorText(errno));
    }
    if (created < 0) return Failed(ErrorText(EEXIST));
    FileDescriptor fd(created);

    if (int error = WriteAll(fd.get(), bytes.data(), bytes.size())) return Failed(ErrorText(error));
    if (options.durable && ::fsync(fd.get()) != 0) return Failed(ErrorText(errno));
    // Like an EPROM programmer after a burn: read the file back and compare
    // before it may replace anything.
    if (options.afterWrite) options.afterWrite(temporary->path().string());
    if (!FileHoldsBytes(temporary->path().string(), bytes))
        return WriteFailure{kNotVerifiedText + target.string(), true};

    // Only the whole, verified file gets its final mode. Replacing a file
    // keeps its permissions and, where allowed, its owner, as writing into it
    // would have; a new file gets a document's mode.
    if (::fchmod(fd.get(), existing ? existing->st_mode & 0777 : NewFileMode()) != 0)
        return Failed(ErrorText(errno));
    if (existing && (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid())) {
        [[maybe_unused]] const int ignored = ::fchown(fd.get(), existing->st_uid, existing->st_gid);
    }
    if (int error = fd.close()) return Failed(ErrorText(error));
    if (::rename(temporary->path().c_str(), target.c_str()) != 0) return Failed(ErrorText(errno));
    temporary->release();

    // Make the rename itself durable; the file is already in place, so a
    // failure here changes nothing for the operator.
    if (!options.durable) return std::nullopt;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
    return std::nullopt;
}

// A write's target: the file a link names, and its state when it exists.
struct Target {
    fs::path path;
    std::optional<struct stat> existing;
};

// The target of `path`, or why no file can be written there.
std::variant<Target, std::string> ResolveTarget(const std::string& path) {
    if (path.empty()) return ErrorText(ENOENT);
    Target target{fs::path(path), std::nullopt};

    // A link is followed, so the file it names is replaced (or created, when
    // it does not exist yet), not the link.
    if (auto resolved = FinalLinkTarget(target.path))
        target.path = std::move(*resolved);
    else
        return ErrorText(ELOOP);
    if (!target.path.has_filename()) return kCantWriteText + path + " is a folder.";

    struct stat st {};
    if (::stat(target.path.c_str(), &st) != 0) {
        if (errno != ENOENT) return ErrorText(errno);
        return target;
    }
    if (S_ISDIR(st.st_mode)) return kCantWriteText + path + " is a folder.";
    if (!S_ISREG(st.st_mode)) return kCantWriteText + path + " is not a regular file.";
    // A file the operator may not write stays protected, even though its
    // folder would allow replacing it.
    if (::access(target.path.c_str(), W_OK) != 0) return ErrorText(errno);
    target.existing = st;
    return target;
}

// Checks the target and writes the bytes, showing the busy pointer on
// `platform` when there is one; nothing when they were written.
std::optional<WriteFailure> WriteTarget(Platform* platform, const std::string& path,
                                        const std::vector<std::uint8_t>& bytes,
                                        const WriteOptions& options) {
    auto resolved = ResolveTarget(path);
    if (auto* problem = std::get_if<std::string>(&resolved)) return Failed(std::move(*problem));
    const Target& target = std::get<Target>(resolved);
    std::optional<BusyPointer> busy;
    if (platform) busy.emplace(*platform);
    return ReplaceFile(target.path, bytes, target.existing ? &*target.existing : nullptr, options);
}

} // namespace

std::optional<std::string> WriteTargetProblem(const std::string& path) {
    auto resolved = ResolveTarget(path);
    if (auto* problem = std::get_if<std::string>(&resolved)) return std::move(*problem);
    return std::nullopt;
}

bool FileHoldsBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    // A file longer than the bytes is refused as too large, unread.
    const auto read = ReadWholeFile(path, bytes.size(), Pipes::Refuse);
    const auto* content = std::get_if<std::string>(&read);
    return content && *content == std::string(bytes.begin(), bytes.end());
}

std::optional<std::string> WriteFileAtomically(const std::string& path,
                                               const std::vector<std::uint8_t>& bytes,
                                               const WriteOptions& options) {
    auto failure = WriteTarget(nullptr, path, bytes, options);
    if (!failure) return std::nullopt;
    return std::move(failure->text);
}

std::optional<WriteFailure> WriteFileAtomically(Platform& platform, const std::string& path,
                                                const std::vector<std::uint8_t>& bytes,
                                                const WriteOptions& options) {
    return WriteTarget(&platform, path, bytes, options);
}

} // namespace kl40
