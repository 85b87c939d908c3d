#include "cli/output_name.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace kl40::cli {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Extensions of EPROM programmer formats this tool does not write: S-records
// of other address widths (.s28, .s37), and other hex-record flavours.
bool isOtherRecordExtension(const std::string& extension) {
    if (extension.size() > 2 && extension[1] == 's' &&
        std::all_of(extension.begin() + 2, extension.end(),
                    [](unsigned char c) { return std::isdigit(c) != 0; }))
        return true;
    for (const char* other : {".sx", ".exo", ".mxt", ".h86", ".hxl", ".hxh", ".a43", ".i86"})
        if (extension == other) return true;
    return false;
}

// ".bin, .hex, .ihex, ...": every extension an image is written under.
std::string imageExtensions() {
    std::string list;
    for (const FileFormat& format : FileFormats()) {
        if (format.content != FormatContent::Image) continue;
        for (std::string_view extension : format.extensions)
            if (!extension.empty()) list += (list.empty() ? "" : ", ") + std::string(extension);
    }
    return list;
}

// ".s19, .srec or .mot"
std::string extensionsOf(const FileFormat& format) {
    std::vector<std::string> names;
    for (std::string_view extension : format.extensions)
        if (!extension.empty()) names.emplace_back(extension);
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return list;
}

} // namespace

std::optional<std::string> ImageOutputNameRefusal(const std::string& outputPath,
                                                  const FileFormat* format) {
    const std::string extension =
        lower(std::filesystem::path(outputPath).filename().extension().string());
    if (extension.empty()) return std::nullopt;
    if (const FileFormat* named = FormatOfPath(outputPath, FormatContent::Image)) {
        if (!format || format == named) return std::nullopt;
        return "--format " + std::string(format->id) + " does not match the extension " +
               extension + ": name the image " + extensionsOf(*format) + ", or leave out --format";
    }
    if (FormatOfPath(outputPath, FormatContent::Channels) ||
        FormatOfPath(outputPath, FormatContent::Radio) || isOtherRecordExtension(extension))
        return extension + " is not an extension of an image kl40-cli writes (" +
               imageExtensions() + ")";
    return std::nullopt;
}

} // namespace kl40::cli
