#include "formats/file_formats.h"

#include "formats/intel_hex.h"
#include "formats/s_record.h"

#include <algorithm>

namespace kl40 {

namespace {

std::vector<std::uint8_t> bytesOf(std::string text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

const std::array<FileFormat, 5> kFormats{{
    {"bin",
     "KL40 Eprom Files",
     {".bin"},
     FormatContent::Image,
     [](const std::vector<std::uint8_t>& image) { return image; },
     [](std::string_view file) -> ImageOrError {
         return std::vector<std::uint8_t>(file.begin(), file.end());
     }},
    {"ihex",
     "Intel HEX",
     {".hex", ".ihex", ".ihx"},
     FormatContent::Image,
     [](const std::vector<std::uint8_t>& image) { return bytesOf(WriteIntelHex(image)); },
     ReadIntelHex},
    {"srec",
     "Motorola S-record",
     {".s19", ".srec", ".mot"},
     FormatContent::Image,
     [](const std::vector<std::uint8_t>& image) { return bytesOf(WriteSRecord(image)); },
     ReadSRecord},
    {"csv", "Channel List CSV", {".csv"}, FormatContent::Channels},
    {"json", "Radio JSON", {".json"}, FormatContent::Radio},
}};

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

} // namespace

std::span<const FileFormat> FileFormats() {
    return kFormats;
}

const FileFormat* FindFormat(std::string_view id) {
    for (const FileFormat& format : kFormats)
        if (format.id == id) return &format;
    return nullptr;
}

const FileFormat* FormatOfPath(std::string_view path, FormatContent content) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = lower(slash == std::string_view::npos ? path : path.substr(slash + 1));
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return nullptr;
    const std::string_view extension = std::string_view(name).substr(dot);
    for (const FileFormat& format : kFormats)
        if (format.content == content &&
            std::find(format.extensions.begin(), format.extensions.end(), extension) !=
                format.extensions.end())
            return &format;
    return nullptr;
}

const FileFormat* RecordFormatOfPath(std::string_view path) {
    const FileFormat* format = FormatOfPath(path, FormatContent::Image);
    return format && format != &DefaultFormat(FormatContent::Image) ? format : nullptr;
}

const FileFormat& DefaultFormat(FormatContent content) {
    for (const FileFormat& format : kFormats)
        if (format.content == content) return format;
    return kFormats.front();
}

std::string DialogFilter(FormatContent content, std::string_view first) {
    std::string filter;
    bool isFirst = true;
    for (const FileFormat& format : kFormats) {
        if (format.content != content) continue;
        if (!filter.empty()) filter += '|';
        if (isFirst && !first.empty()) {
            filter += first;
        } else {
            std::string shown, patterns;
            for (std::string_view extension : format.extensions) {
                if (extension.empty()) continue;
                if (!shown.empty()) {
                    shown += ' ';
                    patterns += ';';
                }
                shown += "*" + std::string(extension);
                patterns += "*" + std::string(extension);
            }
            filter += std::string(format.description) + " (" + shown + ")|" + patterns;
        }
        isFirst = false;
    }
    return filter;
}

std::string FormatIds(FormatContent content) {
    std::vector<std::string_view> ids;
    for (const FileFormat& format : kFormats)
        if (format.content == content) ids.push_back(format.id);
    std::string text;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i) text += i + 1 == ids.size() ? " or " : ", ";
        text += ids[i];
    }
    return text;
}

} // namespace kl40
