// Each kind of damage a record file can carry, in both formats: the reader
// refuses the file and names the line the damage is on.

#include "formats/intel_hex.h"
#include "formats/s_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kl40 {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

Bytes Counting(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 5 + 3);
    return bytes;
}

Lines Split(const std::string& text) {
    Lines lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return lines;
}

std::string Join(const Lines& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

struct Codec {
    std::string (*write)(const Bytes&);
    ImageOrError (*read)(std::string_view);
    std::string unknownType; // a well-formed record of a type the format lacks
};

// 64 bytes: data records on lines 1 to 4, the end record on line 5, counted
// after the S-record header.
struct Damage {
    const char* what;
    std::function<void(Lines&, const Codec&)> apply;
    std::size_t line;
    const char* says;
};

const Damage kDamages[] = {
    {"checksum", [](Lines& l, const Codec&) { l[2].back() ^= 1; }, 3, "checksum"},
    {"length byte larger", [](Lines& l, const Codec&) { l[1][l[1][0] == ':' ? 2 : 3] += 1; }, 2,
     "says"},
    {"length byte smaller", [](Lines& l, const Codec&) { l[1][l[1][0] == ':' ? 1 : 2] -= 1; }, 2,
     "says"},
    {"record cut short", [](Lines& l, const Codec&) { l[1].resize(l[1].size() - 2); }, 2, "says"},
    {"one digit lost", [](Lines& l, const Codec&) { l[3].pop_back(); }, 4, "odd number"},
    {"non-hex character", [](Lines& l, const Codec&) { l[3][9] = 'G'; }, 4,
     "'G' at column 10 is not a hex digit"},
    {"no start character", [](Lines& l, const Codec&) { l[2].erase(0, 1); }, 3, "start with"},
    {"gap", [](Lines& l, const Codec&) { l.erase(l.begin() + 1); }, 2, "0x0010-0x001F"},
    {"duplicate", [](Lines& l, const Codec&) { l.insert(l.begin() + 2, l[1]); }, 3,
     "0x0010 is given again"},
    {"beyond the largest image",
     [](Lines& l, const Codec& c) {
         // The one-byte record for 0x2000 of a file one byte longer than 8192.
         const Lines longer = Split(c.write(Counting(8192 + 1)));
         l.insert(l.begin() + 4, longer[longer.size() - 2]);
     },
     5, "beyond 8192 bytes"},
    {"unknown record type",
     [](Lines& l, const Codec& c) { l.insert(l.begin() + 1, c.unknownType); }, 2,
     "unknown record type"},
    {"missing end record", [](Lines& l, const Codec&) { l.pop_back(); }, 4, "without"},
    {"record after the end", [](Lines& l, const Codec&) { l.push_back(l[0]); }, 6,
     "after the end record"},
};

const Codec kCodecs[] = {{WriteIntelHex, ReadIntelHex, ":00000006FA"},
                         {WriteSRecord, ReadSRecord, "S4030000FC"}};

TEST(DamagedRecords, AreRefusedNamingTheirLine) {
    for (const Codec& codec : kCodecs) {
        Lines good = Split(codec.write(Counting(64)));
        ASSERT_GE(good.size(), 5u);
        const Lines header(good.begin(), good.end() - 5);
        good.erase(good.begin(), good.end() - 5);
        const ImageOrError read = codec.read(Join(header) + Join(good));
        ASSERT_TRUE(std::holds_alternative<Bytes>(read)) << Describe(std::get<FormatError>(read));
        ASSERT_EQ(std::get<Bytes>(read), Counting(64));

        for (const Damage& damage : kDamages) {
            SCOPED_TRACE(good[0].substr(0, 1) + " " + damage.what);
            Lines lines = good;
            damage.apply(lines, codec);
            const ImageOrError refused = codec.read(Join(header) + Join(lines));
            ASSERT_TRUE(std::holds_alternative<FormatError>(refused));
            const FormatError& error = std::get<FormatError>(refused);
            EXPECT_EQ(error.line, header.size() + damage.line) << error.message;
            EXPECT_NE(error.message.find(damage.says), std::string::npos) << error.message;
        }
    }
}

TEST(DamagedRecords, SRecordCountMustMatchTheDataRecords) {
    Lines lines = Split(WriteSRecord(Counting(64)));
    ASSERT_EQ(lines.size(), 6u);
    lines.insert(lines.begin() + 5, "S5030003F9"); // says 3, four come before it
    const ImageOrError refused = ReadSRecord(Join(lines));
    ASSERT_TRUE(std::holds_alternative<FormatError>(refused));
    EXPECT_EQ(std::get<FormatError>(refused).line, 6u);
}

TEST(DamagedRecords, OversizedFilesAreRefusedBeforeReading) {
    const std::string huge(kMaxRecordFileBytes + 1, '\n');
    for (const Codec& codec : kCodecs) {
        const ImageOrError refused = codec.read(huge);
        ASSERT_TRUE(std::holds_alternative<FormatError>(refused));
        EXPECT_EQ(std::get<FormatError>(refused).line, 0u);
    }
}

} // namespace
} // namespace kl40
