#pragma once
// EPROM image files: the dialogs' filters, the largest file that can be an
// image, and the bytes a file holds for the image in ImageText (raw, Intel HEX
// or S-record), written safely (image/atomic_write.h).

#include "formats/file_formats.h"
#include "image/atomic_write.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

inline constexpr const char* kOpenFilter = "Radio Data Files(*.bin)|*.bin";
inline constexpr const char* kSaveFilter = "KL40 Eprom Files (*.bin)|*.bin";
// The open and save dialogs' filters: the ones above for raw images, then one
// for each record format (Intel HEX, S-record), which are read and written by
// their file name's extension.
std::string OpenImageFilter();
std::string SaveImageFilter();
inline constexpr std::uintmax_t kMaxImageFileSize = 65000;

// The title of the messages about a file that is no image or did not write.
inline constexpr const char* kFileErrorTitle = "File Error";

// The bytes of an image file at `path` in `format` (nothing: the one the
// path's extension names, a raw image for any other name).
std::vector<std::uint8_t> EncodeImageFile(const std::vector<std::uint8_t>& image,
                                          const std::string& path, const FileFormat* format);

} // namespace kl40
