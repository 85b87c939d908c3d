#include "image/image_file.h"

#include "core/radio_model.h"
#include "image/layout.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {
namespace {

// The number of image bytes a file holds for the model code in ConfigText
// (its 15th character); 0 when the code names no model.
std::size_t WriteLength(const std::string& configText) {
    const std::optional<int> model = ConfigModelCode(configText);
    return model ? ImageSize(*model) : 0;
}

} // namespace

std::string OpenImageFilter() {
    return DialogFilter(FormatContent::Image, kOpenFilter);
}

std::string SaveImageFilter() {
    return DialogFilter(FormatContent::Image, kSaveFilter);
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
    return EncodeImageFile(image, path, format);
}

std::vector<std::uint8_t> EncodeImageFile(const std::vector<std::uint8_t>& image,
                                          const std::string& path, const FileFormat* format) {
    // A record file (Intel HEX, S-record) by its name; a raw image otherwise.
    if (!format) format = RecordFormatOfPath(path);
    return format ? format->encodeImage(image) : image;
}

bool WriteImageFile(Workspace& ws, const std::string& path, const WriteOptions& options) {
    const auto content = ImageFileContent(ws, path, options.format);
    if (!content) return false;
    const auto failure = WriteFileAtomically(ws.platform, path, *content, options);
    if (!failure) return true;
    if (failure->notVerified)
        ws.platform.show(failure->text, kFileErrorTitle, Icon::Critical);
    else
        ws.platform.show(failure->text, kAppTitle, Icon::Exclamation);
    return false;
}

} // namespace kl40
