#include "cli/radio_file.h"

#include "image/text_file.h"

namespace kl40::cli {

std::variant<std::string, RadioFileError> ReadRadioFile(const std::string& path) {
    auto read = ReadTextFile(path, kMaxRadioFileSize);
    if (auto* error = std::get_if<TextFileError>(&read))
        return RadioFileError{error->tooLarge ? "larger than 1 MiB, which no radio file is"
                                              : error->reason};
    return std::move(std::get<std::string>(read));
}

} // namespace kl40::cli
