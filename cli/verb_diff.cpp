#include "cli/radio_diff.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "coding/raster.h"
#include "entry/radio_entry.h"
#include "core/echo_text.h"
#include "formats/radio_json.h"
#include "image/program_code.h"
#include "image/radio_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

namespace kl40::cli {

namespace {

// One side of the comparison: what the radio would hold and, for an image,
// the image's bytes.
struct Side {
    RadioRecord radio;
    std::optional<std::vector<std::uint8_t>> image; // none for a radio file
};

bool isRadioFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".json";
}

std::variant<Side, std::string> readImageSide(const std::string& path) {
    Session session;
    if (auto refusal = LoadImage(session, path)) return refusal->text();
    return Side{session.Describe(), session.openedImage};
}

std::variant<Side, std::string> readRadioSide(const std::string& path) {
    auto loaded = LoadRadioFile(path);
    if (auto* reason = std::get_if<std::string>(&loaded)) return std::move(*reason);
    const RadioFileContent& content = std::get<RadioFileContent>(loaded);
    Session session;
    if (auto refused = session.Apply(content.radio)) return *refused;
    std::vector<std::string> notes = content.notes;
    notes.insert(notes.end(), session.notes.begin(), session.notes.end());
    for (const std::string& note : notes)
        std::cerr << "kl40-cli: " << EchoText(path) << ": " << note << '\n';
    // The radio holds each frequency on its 12.5 kHz raster: an off-raster
    // frequency compares as the one the image would get.
    Radio held = session.radio;
    for (std::optional<Channel>& channel : held.channels)
        if (channel)
            for (std::optional<Frequency>* frequency : {&channel->rx, &channel->tx})
                if (*frequency) *frequency = RasterFrequency(**frequency);
    return Side{RecordOf(held), std::nullopt};
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
