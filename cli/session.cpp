#include "cli/session.h"

#include "cli/echo_text.h"
#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/radio.h"
#include "entry/channel_entry.h"
#include "entry/radio_snapshot.h"
#include "formats/file_formats.h"
#include "image/firmware_store.h"
#include "image/flows.h"
#include "image/image_build.h"
#include "image/image_file.h"
#include "image/image_read.h"
#include "image/layout.h"

#include <algorithm>
#include <cstdint>

namespace kl40::cli {

namespace {

// A message of the form on one line: its lines joined as sentences.
std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, ". ");
    return text;
}

} // namespace

Session::Session() {
    platform.quiet = true;
    ws.FirmwareFolder = DefaultFirmwareFolder().string();
    form_.Form_Load();
}

std::optional<std::string> Session::Apply(const RadioRecord& radio) {
    platform.messages.clear();
    notes.clear();
    const ApplyOutcome outcome = ApplyRadio(ws, radio, OnRefusal::Stop);
    for (const ChannelOutcome& channel : outcome.channels) {
        const auto aboutChannel = [&channel](const std::string& reason) {
            return "channel " + std::to_string(channel.number) + ": " + reason;
        };
        if (channel.unknownTone)
            return aboutChannel("unknown CTCSS tone \"" + EchoText(*channel.unknownTone) + "\"");
        if (!channel.messages.empty()) return aboutChannel(oneLine(channel.messages.front()));
        if (const auto& note = channel.rasterNote) {
            std::size_t from = 0;
            for (std::size_t end; (end = note->find('\n', from)) != std::string::npos;
                 from = end + 1)
                notes.push_back(aboutChannel(note->substr(from, end - from)));
            notes.push_back(aboutChannel(note->substr(from)));
        }
    }
    return std::nullopt;
}

bool Session::Build() {
    platform.messages.clear();
    try {
        return BuildImage(ws);
    } catch (const std::exception&) {
        if (platform.messages.empty())
            platform.show("Error saving data", "Data Error", Icon::Exclamation);
        return false;
    }
}

bool Session::Load(std::vector<std::uint8_t> image) {
    platform.messages.clear();
    std::vector<std::uint8_t> previous = std::move(ws.data.ImageText);
    ws.data.ImageText = std::move(image);
    return LoadOpenedImage(ws, std::move(previous)) == LoadResult::Decoded;
}

RadioRecord Session::Describe() const {
    return SnapshotOf(ws);
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
    if (session.Load(std::move(image))) return std::nullopt;
    return ImageRefusal{session.platform.messages.empty() ? "Error in decoding channel"
                                                          : session.platform.messages.front()};
}

std::variant<std::vector<std::uint8_t>, std::string> ReadImage(const std::string& path) {
    auto read = ReadImageFileBytes(path);
    if (auto* failure = std::get_if<ImageReadError>(&read)) return std::move(failure->reason);
    return std::move(std::get<std::vector<std::uint8_t>>(read));
}

} // namespace kl40::cli
