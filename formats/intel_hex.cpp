#include "formats/intel_hex.h"

#include "formats/image_assembly.h"
#include "formats/record_text.h"

#include <numeric>
#include <optional>
#include <span>
#include <stdexcept>

// The reader is written here rather than taken from libsrecord (the library
// behind srec_cat), whose Intel HEX input was tried: it is made to convert
// whatever it is given, not to check it. It skips lines that are not records
// without a word, accepts a file without the end record and ignores whatever
// follows one, and tells neither to its caller, so a damaged or cut file would
// pass. It also only reads named files (in-memory text would need a temporary
// file) and reports the line only inside its message text. srec_cat stays the
// independent check of this codec in the tests.

namespace kl40 {

namespace {

constexpr std::size_t kDataPerRecord = 16;

enum RecordType : std::uint8_t {
    kData = 0x00,
    kEnd = 0x01,
    kSegmentAddress = 0x02,
    kSegmentStart = 0x03,
    kLinearAddress = 0x04,
    kLinearStart = 0x05,
};

void AppendRecord(std::string& out, std::uint16_t address, std::uint8_t type,
                  std::span<const std::uint8_t> data) {
    const std::uint8_t head[] = {static_cast<std::uint8_t>(data.size()),
                                 static_cast<std::uint8_t>(address >> 8),
                                 static_cast<std::uint8_t>(address & 0xFF), type};
    std::uint8_t sum = 0;
    out += ':';
    for (std::uint8_t byte : head) {
        AppendHexByte(out, byte);
        sum = static_cast<std::uint8_t>(sum + byte);
    }
    for (std::uint8_t byte : data) {
        AppendHexByte(out, byte);
        sum = static_cast<std::uint8_t>(sum + byte);
    }
    AppendHexByte(out, static_cast<std::uint8_t>(0x100 - sum));
    out += "\r\n";
}

} // namespace

std::string WriteIntelHex(const std::vector<std::uint8_t>& image) {
    if (image.size() > 0x100000000ULL)
        throw std::length_error("Intel HEX addresses reach 4 GiB at most");
    std::string out;
    out.reserve(image.size() / kDataPerRecord * 45 + 32);
    std::uint64_t upper = 0;
    for (std::size_t at = 0; at < image.size(); at += kDataPerRecord) {
        if (at >> 16 != upper) {
            upper = at >> 16;
            const std::uint8_t base[] = {static_cast<std::uint8_t>(upper >> 8),
                                         static_cast<std::uint8_t>(upper & 0xFF)};
            AppendRecord(out, 0, kLinearAddress, base);
        }
        const std::size_t count = std::min(kDataPerRecord, image.size() - at);
        AppendRecord(out, static_cast<std::uint16_t>(at & 0xFFFF), kData,
                     std::span(image).subspan(at, count));
    }
    AppendRecord(out, 0, kEnd, {});
    return out;
}

ImageOrError ReadIntelHex(std::string_view text) {
    if (text.size() > kMaxRecordFileBytes)
        return FormatError{0, "the file is larger than " + std::to_string(kMaxRecordFileBytes) +
                                  " bytes, too large for an EPROM image"};
    ImageAssembly image;
    std::uint64_t base = 0;
    std::optional<std::size_t> endLine;
    std::size_t lastRecordLine = 0;
    for (const TextLine& line : SplitLines(text)) {
        if (line.text.empty()) continue;
        if (endLine)
            return At(line, "text after the end record of line " + std::to_string(*endLine));
        lastRecordLine = line.number;
        if (line.text.front() != ':')
            return At(line, "not a record: Intel HEX records start with ':'");
        auto decoded = HexPairs(line.text.substr(1), 2);
        if (auto* message = std::get_if<std::string>(&decoded)) return At(line, *message);
        const auto& bytes = std::get<std::vector<std::uint8_t>>(decoded);
        if (bytes.size() < 5)
            return At(line, "record too short: " + std::to_string(bytes.size()) +
                                " bytes where length, address, type and checksum take 5");
        const std::size_t count = bytes[0];
        if (bytes.size() != count + 5)
            return At(line, "the length byte says " + std::to_string(count) +
                                " data bytes, the record holds " +
                                std::to_string(bytes.size() - 5));
        const auto sum =
            static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end() - 1, 0u) & 0xFF);
        const auto expected = static_cast<std::uint8_t>(0x100 - sum);
        if (bytes.back() != expected)
            return At(line, "checksum " + Hex2(bytes.back()) + ", expected " + Hex2(expected));

        const std::uint32_t address = bytes[1] << 8 | bytes[2];
        const std::uint8_t type = bytes[3];
        const auto data = std::span(bytes).subspan(4, count);
        const auto wantCount = [&](std::size_t want,
                                   const char* what) -> std::optional<FormatError> {
            if (count == want) return std::nullopt;
            return At(line, std::string(what) + " record with " + std::to_string(count) +
                                " data bytes, it takes " + std::to_string(want));
        };
        std::optional<FormatError> refused;
        switch (type) {
        case kData:
            refused = image.Add(line.number, base + address, data);
            break;
        case kEnd:
            refused = wantCount(0, "end");
            endLine = line.number;
            break;
        case kSegmentAddress:
            refused = wantCount(2, "segment address");
            if (!refused) base = static_cast<std::uint64_t>(data[0] << 8 | data[1]) << 4;
            break;
        case kLinearAddress:
            refused = wantCount(2, "linear address");
            if (!refused) base = static_cast<std::uint64_t>(data[0] << 8 | data[1]) << 16;
            break;
        case kSegmentStart:
        case kLinearStart:
            refused = wantCount(4, "start address");
            break;
        default:
            return At(line, "unknown record type " + Hex2(type));
        }
        if (refused) return *refused;
    }
    if (!endLine) {
        if (lastRecordLine == 0) return FormatError{1, "the file holds no records"};
        return FormatError{lastRecordLine,
                           "the file ends after this line without the end record :00000001FF"};
    }
    return std::move(image).Finish(*endLine);
}

} // namespace kl40
