#include "ui/flows/image_open.h"

#include "image/image_file.h"
#include "image/image_read.h"
#include "image/whole_file.h"

#include <cerrno>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kl40 {
namespace {

constexpr const char* kTooLongText = "Unable to open file.";
constexpr const char* kCantOpenText = "Can't open file: ";
constexpr const char* kCantReadText = "Can't read file: ";

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

} // namespace kl40
