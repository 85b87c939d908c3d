#include "cli/echo_text.h"
#include "cli/radio_diff.h"
#include "cli/radio_file.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "formats/radio_json.h"
#include "image/program_code.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

namespace kl40::cli {

namespace {

// One side of the comparison: what the radio would hold and, for an image,
// the image's bytes.
struct Side {
    Radio radio;
    std::optional<std::vector<std::uint8_t>> image; // none for a radio file
};

bool isRadioFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".json";
}

// The EPROM bytes an image file holds, or why there are none. Every image is
// a raw binary for now.
std::variant<std::vector<std::uint8_t>, std::string> readImageFile(const std::string& path) {
    auto read = ReadImage(path);
    if (const auto* reason = std::get_if<std::string>(&read))
        return "Unable to open data file: " + *reason;
    return read;
}

std::variant<Side, std::string> readImageSide(const std::string& path) {
    auto read = readImageFile(path);
    if (auto* reason = std::get_if<std::string>(&read)) return std::move(*reason);
    auto& bytes = std::get<std::vector<std::uint8_t>>(read);
    Session session;
    if (!session.Load(bytes))
        return session.platform.messages.empty() ? std::string("Error in decoding channel")
                                                 : session.platform.messages.front();
    return Side{session.Describe(), std::move(bytes)};
}

std::variant<Side, std::string> readRadioSide(const std::string& path) {
    auto text = ReadRadioFile(path);
    if (auto* error = std::get_if<RadioFileError>(&text))
        return "cannot read the radio file: " + error->reason;
    auto parsed = ParseRadioJson(std::get<std::string>(text));
    if (auto* error = std::get_if<JsonError>(&parsed)) return error->message;
    Session session;
    if (auto refused = session.Apply(std::get<Radio>(parsed))) return *refused;
    for (const std::string& note : session.notes)
        std::cerr << "kl40-cli: " << EchoText(path) << ": " << note << '\n';
    return Side{session.Describe(), std::nullopt};
}

// The side of `path`, or nothing after the reason was written to stderr.
std::optional<Side> readSide(const std::string& path) {
    auto side = isRadioFile(path) ? readRadioSide(path) : readImageSide(path);
    if (auto* reason = std::get_if<std::string>(&side)) {
        std::cerr << "kl40-cli: " << EchoText(path) << ": " << *reason << '\n';
        return std::nullopt;
    }
    return std::move(std::get<Side>(side));
}

} // namespace

int RunDiff(const std::string& a, const std::string& b, std::ostream& out) {
    const std::optional<Side> first = readSide(a);
    if (!first) return 2;
    const std::optional<Side> second = readSide(b);
    if (!second) return 2;

    std::vector<std::string> lines = RadioDifferences(first->radio, second->radio);
    if (first->image && second->image) {
        const DecodedImage imageA{*first->image, ModelCodeOf(first->radio.model).value_or(0)};
        const DecodedImage imageB{*second->image, ModelCodeOf(second->radio.model).value_or(0)};
        if (auto line = ProgramCodeDifference(imageA, imageB)) lines.push_back(std::move(*line));
    }
    for (const std::string& line : lines)
        out << line << '\n';
    return lines.empty() ? 0 : 1;
}

} // namespace kl40::cli
