#include "cli/session.h"

#include "cli/echo_text.h"
#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/radio.h"
#include "entry/channel_entry.h"
#include "entry/radio_snapshot.h"
#include "formats/file_formats.h"
#include "image/file_descriptor.h"
#include "image/firmware_store.h"
#include "image/flows.h"
#include "image/image_build.h"
#include "image/image_file.h"
#include "image/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::optional<std::string> Session::Apply(const Radio& radio) {
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

Radio Session::Describe() const {
    return SnapshotOf(ws);
}

std::variant<std::vector<std::uint8_t>, std::string> ReadImage(const std::string& path) {
    // Intel HEX and S-record files by their names: text, read and decoded.
    const FileFormat* format = FormatOfPath(path, FormatContent::Image);
    if (format && format != &DefaultFormat(FormatContent::Image)) {
        auto text = ReadTextFile(path, kMaxRecordFileBytes);
        if (const auto* error = std::get_if<TextFileError>(&text)) return error->reason;
        if (std::get<std::string>(text).empty()) return std::string("empty file");
        ImageOrError image = format->decodeImage(std::get<std::string>(text));
        if (const auto* fault = std::get_if<FormatError>(&image))
            return "not a valid " + std::string(format->description) + " file: " + Describe(*fault);
        return std::move(std::get<std::vector<std::uint8_t>>(image));
    }
    const auto systemReason = [](int error) {
        return std::error_code(error, std::generic_category()).message();
    };
    // O_NONBLOCK keeps a FIFO from blocking the open; such a file is refused.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    const int fd = file.get();
    if (fd < 0) return systemReason(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) return systemReason(errno);
    if (S_ISDIR(st.st_mode)) return std::string("is a folder");
    if (!S_ISREG(st.st_mode)) return std::string("not a regular file");
    if (st.st_size == 0) return std::string("empty file");
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxImageFileSize)
        return "larger than " + std::to_string(kMaxImageFileSize) + " bytes";
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return systemReason(errno);
        if (n == 0) return std::string("the file became shorter while it was read");
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

} // namespace kl40::cli
