#include "cli/session.h"

#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/radio.h"
#include "entry/radio_entry.h"
#include "entry/radio_entry_report.h"
#include "formats/file_formats.h"
#include "image/firmware_store.h"
#include "image/image_build.h"
#include "image/image_decode.h"
#include "image/image_file.h"
#include "image/image_read.h"
#include "image/layout.h"
#include "core/echo_text.h"

#include <algorithm>
#include <cstdint>
#include <iostream>

namespace kl40::cli {

Session::Session() {
    firmwareFolder = DefaultFirmwareFolder().string();
}

std::optional<std::string> Session::Apply(const RadioRecord& record) {
    RadioEntryReport report = ReportEntry(EnterRadio(radio, record, OnRefusal::Stop));
    notes = std::move(report.notes);
    return report.refusal;
}

bool Session::Build() {
    refusal.clear();
    auto built = BuildImage(radio);
    if (auto* refused = std::get_if<BuildRefusal>(&built)) {
        refusal = refused->text;
        return false;
    }
    image = std::move(std::get<std::vector<std::uint8_t>>(built));
    const ProgramCodePlaced placed =
        PlaceProgramCode(image, radio.model, openedImage, openedModel, firmwareFolder);
    programSource = placed.source;
    firmwareProblem = placed.problem;
    return true;
}

bool Session::Load(std::vector<std::uint8_t> bytes) {
    std::optional<Radio> decoded = DecodeImage(bytes);
    if (!decoded) return false;
    radio = std::move(*decoded);
    notes = ImageDamage(bytes, radio);
    openedModel = radio.model;
    openedImage = bytes;
    image = std::move(bytes);
    return true;
}

RadioRecord Session::Describe() const {
    return RecordOf(radio);
}

std::string ImageRefusal::text() const {
    return unreadable ? "Unable to open data file: " + reason : reason;
}

std::optional<ImageRefusal> LoadImage(Session& session, const std::string& path) {
    if (FormatOfPath(path, FormatContent::Channels))
        return ImageRefusal{"a channel list, not an image"};
    if (FormatOfPath(path, FormatContent::Radio)) return ImageRefusal{"a radio file, not an image"};
    auto read = ReadImage(path);
    if (auto* reason = std::get_if<std::string>(&read)) return ImageRefusal{*reason, true};
    auto& image = std::get<std::vector<std::uint8_t>>(read);
    if (!IsImageSize(image.size()))
        return ImageRefusal{std::to_string(image.size()) +
                            " bytes: a KL40 image has 2048 or 8192 bytes"};
    if (!session.Load(std::move(image))) return ImageRefusal{"Error in decoding channel"};
    // Kept as the image holds it, but told: a build from it would not give
    // this image back.
    for (const std::string& note : session.notes)
        std::cerr << "kl40-cli: " << EchoText(path) << ": warning: " << note << '\n';
    return std::nullopt;
}

std::variant<std::vector<std::uint8_t>, std::string> ReadImage(const std::string& path) {
    auto read = ReadImageFileBytes(path);
    if (auto* failure = std::get_if<ImageReadError>(&read)) return std::move(failure->reason);
    return std::move(std::get<std::vector<std::uint8_t>>(read));
}

} // namespace kl40::cli
