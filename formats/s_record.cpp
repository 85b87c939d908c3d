#include "formats/s_record.h"

#include "formats/image_assembly.h"
#include "formats/record_text.h"

#include <numeric>
#include <optional>
#include <span>
#include <stdexcept>

// Hand-written like the Intel HEX reader, for the same reasons (see
// intel_hex.cpp); libsrecord's development files do not even declare its
// S-record input.

namespace kl40 {

namespace {

constexpr std::size_t kDataPerRecord = 16;

// Bytes of the address field of each record type S0 to S9; 0 for S4, which
// is not defined.
constexpr std::size_t kAddressBytes[10] = {2, 2, 3, 4, 0, 2, 3, 4, 3, 2};

void AppendRecord(std::string& out, char type, std::uint32_t address, std::size_t addressBytes,
                  std::span<const std::uint8_t> data) {
    std::uint8_t sum = 0;
    const auto put = [&](std::uint8_t byte) {
        AppendHexByte(out, byte);
        sum = static_cast<std::uint8_t>(sum + byte);
    };
    out += 'S';
    out += type;
    put(static_cast<std::uint8_t>(addressBytes + data.size() + 1));
    for (std::size_t i = addressBytes; i-- > 0;)
        put(static_cast<std::uint8_t>(address >> (8 * i)));
    for (std::uint8_t byte : data)
        put(byte);
    AppendHexByte(out, static_cast<std::uint8_t>(~sum));
    out += "\r\n";
}

} // namespace

std::string WriteSRecord(const std::vector<std::uint8_t>& image) {
    if (image.size() > 0x100000000ULL)
        throw std::length_error("S-record addresses reach 4 GiB at most");
    // The narrowest address field that holds every address, and its end record.
    const bool wide = image.size() > 0x1000000;
    const bool medium = image.size() > 0x10000;
    const char dataType = wide ? '3' : medium ? '2' : '1';
    const char endType = wide ? '7' : medium ? '8' : '9';
    const std::size_t addressBytes = wide ? 4 : medium ? 3 : 2;
    std::string out;
    out.reserve(image.size() / kDataPerRecord * 46 + 32);
    // An empty header: srec_cat and other readers warn about a file without one.
    AppendRecord(out, '0', 0, 2, {});
    for (std::size_t at = 0; at < image.size(); at += kDataPerRecord) {
        const std::size_t count = std::min(kDataPerRecord, image.size() - at);
        AppendRecord(out, dataType, static_cast<std::uint32_t>(at), addressBytes,
                     std::span(image).subspan(at, count));
    }
    AppendRecord(out, endType, 0, addressBytes, {});
    return out;
}

ImageOrError ReadSRecord(std::string_view text) {
    if (text.size() > kMaxRecordFileBytes)
        return FormatError{0, "the file is larger than " + std::to_string(kMaxRecordFileBytes) +
                                  " bytes, too large for an EPROM image"};
    ImageAssembly image;
    std::optional<std::size_t> endLine;
    // The last record so far when it is a count record that matched.
    std::optional<std::size_t> countLine;
    std::size_t dataRecords = 0;
    std::size_t lastRecordLine = 0;
    for (const TextLine& line : SplitLines(text)) {
        if (line.text.empty()) continue;
        if (endLine)
            return At(line, "text after the end record of line " + std::to_string(*endLine));
        lastRecordLine = line.number;
        if (line.text.front() != 'S') return At(line, "not a record: S-records start with 'S'");
        if (line.text.size() < 2) return At(line, "record too short: no type after 'S'");
        const char type = line.text[1];
        if (type < '0' || type > '9')
            return At(line, "unknown record type: column 2 holds no type digit");
        const std::size_t addressBytes = kAddressBytes[static_cast<std::size_t>(type - '0')];
        if (addressBytes == 0) return At(line, std::string("unknown record type S") + type);
        auto decoded = HexPairs(line.text.substr(2), 3);
        if (auto* message = std::get_if<std::string>(&decoded)) return At(line, *message);
        const auto& bytes = std::get<std::vector<std::uint8_t>>(decoded);
        if (bytes.empty()) return At(line, "record too short: no byte count");
        const std::size_t count = bytes[0];
        if (bytes.size() != count + 1)
            return At(line, "the byte count says " + std::to_string(count) +
                                " bytes follow it, the record holds " +
                                std::to_string(bytes.size() - 1));
        if (count < addressBytes + 1)
            return At(line, "record too short: a byte count of " + std::to_string(count) +
                                " leaves no room for the " + std::to_string(addressBytes) +
                                "-byte address and the checksum");
        const auto sum =
            static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end() - 1, 0u) & 0xFF);
        const auto expected = static_cast<std::uint8_t>(~sum);
        if (bytes.back() != expected)
            return At(line, "checksum " + Hex2(bytes.back()) + ", expected " + Hex2(expected));

        std::uint32_t address = 0;
        for (std::size_t i = 1; i <= addressBytes; ++i)
            address = address << 8 | bytes[i];
        const auto data = std::span(bytes).subspan(1 + addressBytes, count - addressBytes - 1);
        countLine.reset();
        switch (type) {
        case '0': // header: a name or comment for the file, nothing for the image
            break;
        case '1':
        case '2':
        case '3':
            if (auto refused = image.Add(line.number, address, data)) return *refused;
            ++dataRecords;
            break;
        case '5':
        case '6':
            if (!data.empty())
                return At(line, "count record with " + std::to_string(data.size()) +
                                    " bytes after the count, it takes none");
            if (address != dataRecords)
                return At(line, "the count record says " + std::to_string(address) +
                                    " data records, the file has " + std::to_string(dataRecords) +
                                    " before it");
            countLine = line.number;
            break;
        default: // '7', '8', '9': end, with a start address the image has no use for
            if (!data.empty())
                return At(line, "end record with " + std::to_string(data.size()) +
                                    " bytes after the address, it takes none");
            endLine = line.number;
            break;
        }
    }
    if (!endLine) endLine = countLine;
    if (!endLine) {
        if (lastRecordLine == 0) return FormatError{1, "the file holds no records"};
        return FormatError{lastRecordLine,
                           "the file ends after this line without an end record (S9, S8 or S7)"};
    }
    return std::move(image).Finish(*endLine);
}

} // namespace kl40
