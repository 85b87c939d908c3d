#include "image/radio_file.h"

#include "formats/radio_json.h"
#include "image/whole_file.h"

namespace kl40 {

std::variant<std::string, RadioFileError> ReadRadioFile(const std::string& path) {
    auto read = ReadWholeFile(path, kMaxRadioFileSize);
    if (auto* error = std::get_if<FileReadError>(&read))
        return RadioFileError{error->tooLarge() ? "larger than 1 MiB, which no radio file is"
                                                : error->reason};
    return std::move(std::get<std::string>(read));
}

std::variant<RadioFileContent, std::string> LoadRadioFile(const std::string& path) {
    auto text = ReadRadioFile(path);
    if (auto* error = std::get_if<RadioFileError>(&text))
        return "cannot read the radio file: " + error->reason;
    std::vector<std::string> defaulted;
    auto parsed = ParseRadioJson(std::get<std::string>(text), &defaulted);
    if (auto* error = std::get_if<JsonError>(&parsed)) return error->message;
    RadioFileContent content{std::move(std::get<RadioRecord>(parsed)), {}};
    for (const std::string& key : defaulted)
        content.notes.push_back("no \"" + key + "\" given: " +
                                (key == "model"
                                     ? "a " + content.radio.model + " radio"
                                     : "a time-out of " + content.radio.timeout + " minutes"));
    return content;
}

} // namespace kl40
