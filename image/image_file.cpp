#include "image/image_file.h"

#include "core/radio_model.h"
#include "formats/file_formats.h"
#include "image/file_descriptor.h"
#include "image/image_read.h"
#include "image/layout.h"
#include "image/link_target.h"
#include "image/temporary_files.h"
#include "image/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFileErrorTitle = "File Error";
constexpr const char* kTooLongText = "Unable to open file.";
constexpr const char* kCantOpenText = "Can't open file: ";
constexpr const char* kCantReadText = "Can't read file: ";
constexpr const char* kCantWriteText = "Can't write file: ";
constexpr const char* kNotVerifiedText =
    "The file did not read back as written and was not saved: ";

// Shows the busy pointer for the life of the guard, whatever way it ends.
class BusyPointer {
public:
    explicit BusyPointer(Platform& platform) : platform_(platform) { platform_.setBusy(true); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
    ~BusyPointer() { platform_.setBusy(false); }

private:
    Platform& platform_;
};

std::string ErrorText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// --- Writing ---------------------------------------------------------------

// The number of image bytes a file holds for the model code in ConfigText
// (its 15th character); 0 when the code names no model.
std::size_t WriteLength(const std::string& configText) {
    const std::optional<int> model = ConfigModelCode(configText);
    return model ? ImageSize(*model) : 0;
}

struct WriteFailure {
    std::string text;         // empty when the write succeeded
    bool notVerified = false; // written, but did not read back as written
};

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
WriteFailure ReplaceFile(const fs::path& target, const std::vector<std::uint8_t>& bytes,
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
        if (errno != EEXIST) return {ErrorText(errno)};
    }
    if (created < 0) return {ErrorText(EEXIST)};
    FileDescriptor fd(created);

    if (int error = WriteAll(fd.get(), bytes.data(), bytes.size())) return {ErrorText(error)};
    if (options.durable && ::fsync(fd.get()) != 0) return {ErrorText(errno)};
    // Like an EPROM programmer after a burn: read the file back and compare
    // before it may replace anything.
    if (options.afterWrite) options.afterWrite(temporary->path().string());
    if (!FileHoldsBytes(temporary->path().string(), bytes))
        return {kNotVerifiedText + target.string(), true};

    // Only the whole, verified file gets its final mode. Replacing a file
    // keeps its permissions and, where allowed, its owner, as writing into it
    // would have; a new file gets a document's mode.
    if (::fchmod(fd.get(), existing ? existing->st_mode & 0777 : NewFileMode()) != 0)
        return {ErrorText(errno)};
    if (existing && (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid())) {
        [[maybe_unused]] const int ignored = ::fchown(fd.get(), existing->st_uid, existing->st_gid);
    }
    if (int error = fd.close()) return {ErrorText(error)};
    if (::rename(temporary->path().c_str(), target.c_str()) != 0) return {ErrorText(errno)};
    temporary->release();

    // Make the rename itself durable; the file is already in place, so a
    // failure here changes nothing for the operator.
    if (!options.durable) return {};
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
    return {};
}

// Checks the target and writes the bytes; returns the text to show on failure.
WriteFailure WriteTarget(Platform& platform, const std::string& path,
                         const std::vector<std::uint8_t>& bytes, const WriteOptions& options) {
    if (path.empty()) return {ErrorText(ENOENT)};
    fs::path target(path);

    // A link is followed, so the file it names is replaced (or created, when
    // it does not exist yet), not the link.
    if (auto resolved = FinalLinkTarget(target))
        target = std::move(*resolved);
    else
        return {ErrorText(ELOOP)};
    if (!target.has_filename()) return {kCantWriteText + path + " is a folder."};

    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return {ErrorText(errno)};
    if (exists) {
        if (S_ISDIR(st.st_mode)) return {kCantWriteText + path + " is a folder."};
        if (!S_ISREG(st.st_mode)) return {kCantWriteText + path + " is not a regular file."};
        // A file the operator may not write stays protected, even though its
        // folder would allow replacing it.
        if (::access(target.c_str(), W_OK) != 0) return {ErrorText(errno)};
    }

    BusyPointer busy(platform);
    return ReplaceFile(target, bytes, exists ? &st : nullptr, options);
}

// For writes that show nothing, not even the busy pointer.
class SilentPlatform final : public Platform {
public:
    Answer message(const std::string&, const std::string&, Icon, Buttons) override {
        return Answer::No;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
    void setBusy(bool) override {}
};

// What reading an image file came to: its bytes, or the reason there are
// none in the words kl40-cli uses ("empty file", "not a regular file").
struct ImageRead {
    std::optional<std::vector<std::uint8_t>> bytes;
    std::string reason;
};

// Reads an image file and shows the message of each failure; a missing file
// is left to the caller when `quietIfMissing`.
ImageRead ReadImageShowingFailures(Platform& platform, const std::string& path,
                                   bool quietIfMissing) {
    BusyPointer busy(platform);
    auto read = ReadImageFileBytes(path);
    if (auto* bytes = std::get_if<std::vector<std::uint8_t>>(&read)) return {std::move(*bytes), ""};
    const ImageReadError& failure = std::get<ImageReadError>(read);
    if (const auto& error = failure.file) {
        using Kind = FileReadError::Kind;
        if (error->kind == Kind::Open && error->error == ENOENT && quietIfMissing)
            return {std::nullopt, failure.reason};
        if (error->tooLarge())
            platform.show(kTooLongText, kFileErrorTitle, Icon::None);
        else if (failure.recordFile)
            platform.show(kCantOpenText + path + "\n" + error->reason, kAppTitle, Icon::None);
        else if (error->kind == Kind::Read)
            platform.show(kCantReadText + path + "\n" + error->reason, kAppTitle, Icon::None);
        else
            platform.show(kCantOpenText + path, kAppTitle, Icon::None);
    } else if (!failure.empty) {
        // Records that hold no valid image. An empty file holds no image
        // either; like the open check, it has no message of its own.
        platform.show(path + " is " + failure.reason, kFileErrorTitle, Icon::Exclamation);
    }
    return {std::nullopt, failure.reason};
}

} // namespace

std::string OpenImageFilter() {
    return DialogFilter(FormatContent::Image, kOpenFilter);
}

std::string SaveImageFilter() {
    return DialogFilter(FormatContent::Image, kSaveFilter);
}

std::string OpenImageFile(Workspace& ws, const std::string& filter, std::string* failure) {
    ws.CMDDialog1.FileName.clear();
    const auto chosen = ws.platform.openFileDialog({filter, ws.CMDDialog1.FileName, false});
    if (!chosen) return "";
    std::string reason = OpenImageFileAt(ws, *chosen);
    if (failure) *failure = std::move(reason);
    return *chosen;
}

std::string OpenImageFileAt(Workspace& ws, const std::string& path) {
    ws.CMDDialog1.FileName = path;
    ImageRead read = ReadImageShowingFailures(ws.platform, path, true);
    // On failure the image in memory is kept.
    ws.data.FileError = !read.bytes;
    if (read.bytes) ws.data.ImageText = std::move(*read.bytes);
    return read.reason;
}

std::optional<std::vector<std::uint8_t>> ReadImageBytes(Platform& platform,
                                                        const std::string& path) {
    return ReadImageShowingFailures(platform, path, false).bytes;
}

bool ReadImageFile(Workspace& ws, const std::string& path) {
    auto bytes = ReadImageBytes(ws.platform, path);
    if (!bytes) return false;
    ws.data.ImageText = std::move(*bytes);
    return true;
}

std::string ChooseSaveFile(Workspace& ws, const std::string& filter) {
    const auto chosen = ws.platform.saveFileDialog({filter, ws.CMDDialog1.FileName, true});
    if (!chosen) return "";
    ws.CMDDialog1.FileName = *chosen;
    ws.data.FileError = false;
    return *chosen;
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
    SilentPlatform silent;
    const WriteFailure failure = WriteTarget(silent, path, bytes, options);
    if (failure.text.empty()) return std::nullopt;
    return failure.text;
}

std::optional<std::vector<std::uint8_t>> ImageFileContent(Workspace& ws, const std::string& path,
                                                          const FileFormat* format) {
    const std::size_t length = WriteLength(ws.data.ConfigText);
    if (length == 0) {
        ws.platform.show(kCantWriteText + path + "\nThe radio model is not known.", kAppTitle,
                         Icon::Exclamation);
        return std::nullopt;
    }
    auto& image = ws.data.ImageText;
    if (image.size() > length) image.resize(length);
    if (image.empty()) {
        // Writing nothing would only replace a file with an empty one.
        ws.platform.show(kCantWriteText + path + "\nThere is no image to write.", kAppTitle,
                         Icon::Exclamation);
        return std::nullopt;
    }
    // A record file (Intel HEX, S-record) by its name; a raw image otherwise.
    if (!format) format = RecordFormatOfPath(path);
    return format ? format->encodeImage(image) : image;
}

bool WriteImageFile(Workspace& ws, const std::string& path, const WriteOptions& options) {
    const auto content = ImageFileContent(ws, path, options.format);
    if (!content) return false;
    const WriteFailure failure = WriteTarget(ws.platform, path, *content, options);
    if (failure.notVerified) {
        ws.platform.show(failure.text, kFileErrorTitle, Icon::Critical);
        return false;
    }
    if (!failure.text.empty()) {
        ws.platform.show(failure.text, kAppTitle, Icon::Exclamation);
        return false;
    }
    return true;
}

} // namespace kl40
