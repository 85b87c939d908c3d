#pragma once
// Every file format of the program, registered once: what kl40-cli's --format
// and the file dialogs' filters are made from. An image format is a pair of
// functions between the image bytes and the file's bytes; the channel list and
// radio formats are pairs between the radio snapshot and text (their readers
// give reports of their own: formats/chirp_csv_read.h, formats/radio_json.h).

#include "formats/format_error.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

enum class FormatContent {
    Image,    // a whole EPROM image
    Channels, // a channel list
    Radio,    // model, time-out, options and channels
};

struct FileFormat {
    std::string_view id;          // the name kl40-cli's --format takes
    std::string_view description; // the file dialog's text for it
    // File name extensions, lower case, the first one written by default.
    std::array<std::string_view, 3> extensions;
    FormatContent content;
    // Image formats only: the file's bytes for an image, and the image of a
    // file's bytes (or the fault, with its line).
    std::vector<std::uint8_t> (*encodeImage)(const std::vector<std::uint8_t>& image) = nullptr;
    ImageOrError (*decodeImage)(std::string_view file) = nullptr;
};

std::span<const FileFormat> FileFormats();
const FileFormat* FindFormat(std::string_view id);
// The format of `content` whose extension the path's file name has (any case);
// nothing when none has it.
const FileFormat* FormatOfPath(std::string_view path, FormatContent content);
// The image format a path's name asks for when it is not a raw image (Intel
// HEX, S-record): the file then holds records, read and written as text.
// Nothing for a raw image's name or any other.
const FileFormat* RecordFormatOfPath(std::string_view path);
// The first (default) format of `content`.
const FileFormat& DefaultFormat(FormatContent content);
// The dialog filter of every format of `content`, "Description|patterns" pairs
// joined by "|" ("Intel HEX (*.hex *.ihex)|*.hex;*.ihex|..."); `first`, when
// given, is the filter that stands for the default format.
std::string DialogFilter(FormatContent content, std::string_view first = {});
// "bin, ihex or srec": the ids of `content`, for messages and help.
std::string FormatIds(FormatContent content);

} // namespace kl40
