#include "image/image_file.h"

#include "core/radio_model.h"
#include "image/layout.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {
std::string OpenImageFilter() {
    return DialogFilter(FormatContent::Image, kOpenFilter);
}

std::string SaveImageFilter() {
    return DialogFilter(FormatContent::Image, kSaveFilter);
}

std::vector<std::uint8_t> EncodeImageFile(const std::vector<std::uint8_t>& image,
                                          const std::string& path, const FileFormat* format) {
    // A record file (Intel HEX, S-record) by its name; a raw image otherwise.
    if (!format) format = RecordFormatOfPath(path);
    return format ? format->encodeImage(image) : image;
}

} // namespace kl40
