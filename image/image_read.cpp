#include "image/image_read.h"

#include "formats/file_formats.h"
#include "image/image_file.h"

namespace kl40 {

std::variant<std::vector<std::uint8_t>, ImageReadError>
ReadImageFileBytes(const std::string& path) {
    // A record file by its name is text of several bytes per image byte, with
    // a limit of its own.
    const FileFormat* format = RecordFormatOfPath(path);
    const bool recordFile = format != nullptr;
    auto read = ReadWholeFile(path, recordFile ? kMaxRecordFileBytes : kMaxImageFileSize);
    if (auto* error = std::get_if<FileReadError>(&read)) {
        std::string reason =
            error->kind == FileReadError::Kind::Folder ? "is a folder" : error->reason;
        return ImageReadError{std::move(reason), std::move(*error), recordFile, false};
    }
    const std::string& content = std::get<std::string>(read);
    if (content.empty()) return ImageReadError{"empty file", std::nullopt, recordFile, true};
    if (!format) return std::vector<std::uint8_t>(content.begin(), content.end());
    ImageOrError image = format->decodeImage(content);
    if (const auto* fault = std::get_if<FormatError>(&image))
        return ImageReadError{"not a valid " + std::string(format->description) +
                                  " file: " + Describe(*fault),
                              std::nullopt, true, false};
    return std::move(std::get<std::vector<std::uint8_t>>(image));
}

} // namespace kl40
