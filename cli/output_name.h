#pragma once
// Whether an image may be written under the name given with -o: a name whose
// extension says another format than the one written would give a file that
// nothing reads back as an image (an S-record called .hex, a raw image called
// .csv or .s28).

#include "formats/file_formats.h"

#include <optional>
#include <string>

namespace kl40::cli {

// Why `outputPath` may not hold an image in `format` (nothing: the format of
// the name's extension), or nothing when it may. A name without an extension,
// or with one that no file format uses (".img"), may hold any image format.
std::optional<std::string> ImageOutputNameRefusal(const std::string& outputPath,
                                                  const FileFormat* format);

} // namespace kl40::cli
