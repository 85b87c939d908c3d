// The codec against srec_cat, an independent reader and writer of both
// formats: our files convert to the same bytes, and srec_cat's files (longer
// records, address and header records, count records, no S9) read back as
// the same bytes. Segment address records (type 02) are checked the same way.

#include "formats/intel_hex.h"
#include "formats/s_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Format {
    const char* option; // srec_cat's name for it
    std::string (*write)(const Bytes&);
    ImageOrError (*read)(std::string_view);
    std::size_t dataLineLength; // characters of a 16-byte data record
};
const Format kFormats[] = {{"-intel", WriteIntelHex, ReadIntelHex, 43},
                           {"-motorola", WriteSRecord, ReadSRecord, 42}};

Bytes Random(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

std::string Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
}

class SrecCatRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v srec_cat >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
        dir = fs::temp_directory_path() / ("kl40-formats-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // srec_cat IN FROM -o OUT TO: succeeds when srec_cat does, without a
    // word; it warns, for instance, about an S-record file without a header.
    ::testing::AssertionResult Convert(const fs::path& in, const std::string& from,
                                       const fs::path& out, const std::string& to) {
        const std::string command =
            "srec_cat '" + in.string() + "' " + from + " -o '" + out.string() + "' " + to + " 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
        if (!pipe) return ::testing::AssertionFailure() << "cannot start " << command;
        std::string said;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe.get()))
            said += buffer;
        const int status = ::pclose(pipe.release());
        if (status != 0 || !said.empty())
            return ::testing::AssertionFailure()
                   << command << " (status " << status << "): " << said;
        return ::testing::AssertionSuccess();
    }

    fs::path dir;
};

TEST_F(SrecCatRoundTrip, OurFilesConvertToTheSameBytes) {
    // 70000 bytes: beyond 64 KiB, where the writers need wider addresses.
    for (const std::size_t size : {2048u, 8192u, 70000u}) {
        for (const Format& format : kFormats) {
            SCOPED_TRACE(std::string(format.option) + " " + std::to_string(size));
            const Bytes image = Random(size, static_cast<unsigned>(size));
            const std::string text = format.write(image);
            Put(dir / "ours.txt", text);
            ASSERT_TRUE(Convert(dir / "ours.txt", format.option, dir / "out.bin", "-binary"));
            const std::string back = Get(dir / "out.bin");
            EXPECT_EQ(Bytes(back.begin(), back.end()), image);

            // What srec_cat does not check: 16 data bytes a record, CRLF ends.
            if (size > 0x10000) continue;
            const std::size_t endLine = text.rfind('\n', text.size() - 2) + 1;
            const std::size_t lastData = text.rfind('\n', endLine - 2) + 1;
            const std::string data = text.substr(lastData, endLine - lastData);
            EXPECT_EQ(data.size(), format.dataLineLength + 2) << data;
            EXPECT_TRUE(data.ends_with("\r\n")) << data;
        }
    }
}

TEST_F(SrecCatRoundTrip, SrecCatFilesReadBackAsTheSameBytes) {
    for (const std::size_t size : {2048u, 8192u}) {
        for (const Format& format : kFormats) {
            SCOPED_TRACE(std::string(format.option) + " " + std::to_string(size));
            const Bytes image = Random(size, static_cast<unsigned>(size) + 1);
            Put(dir / "in.bin", std::string(image.begin(), image.end()));
            ASSERT_TRUE(Convert(dir / "in.bin", "-binary", dir / "theirs.txt", format.option));
            const ImageOrError read = format.read(Get(dir / "theirs.txt"));
            ASSERT_TRUE(std::holds_alternative<Bytes>(read))
                << Describe(std::get<FormatError>(read));
            EXPECT_EQ(std::get<Bytes>(read), image);
        }
    }
}

TEST_F(SrecCatRoundTrip, SegmentAddressRecordsPlaceDataAsSrecCatDoes) {
    const Bytes image = Random(8192, 2);
    Put(dir / "in.bin", std::string(image.begin(), image.end()));

    // srec_cat's 20-bit output opens with segment 0000 (:020000020000FC).
    ASSERT_TRUE(Convert(dir / "in.bin", "-binary", dir / "i16.hex", "-intel -address-length=3"));
    const std::string i16 = Get(dir / "i16.hex");
    ASSERT_TRUE(i16.starts_with(":020000020000FC")) << i16.substr(0, 40);
    const ImageOrError readI16 = ReadIntelHex(i16);
    ASSERT_TRUE(std::holds_alternative<Bytes>(readI16)) << Describe(std::get<FormatError>(readI16));
    EXPECT_EQ(std::get<Bytes>(readI16), image);

    // srec_cat only ever moves the segment at 64 KiB, beyond an EPROM image,
    // so a non-zero segment is spliced in by hand: bytes from 0x1230 on are
    // given under segment 0123 at record addresses from 0. srec_cat's reading
    // of the file is the oracle that the splice means the image.
    const auto withoutEnd = [](const Bytes& part) {
        const std::string text = WriteIntelHex(part);
        return text.substr(0, text.size() - std::string_view(":00000001FF\r\n").size());
    };
    const std::size_t split = 0x1230;
    const std::string spliced = withoutEnd(Bytes(image.begin(), image.begin() + split)) +
                                ":020000020123D8\r\n" +
                                WriteIntelHex(Bytes(image.begin() + split, image.end()));
    Put(dir / "spliced.hex", spliced);
    ASSERT_TRUE(Convert(dir / "spliced.hex", "-intel", dir / "spliced.bin", "-binary"));
    const std::string theirs = Get(dir / "spliced.bin");
    ASSERT_EQ(Bytes(theirs.begin(), theirs.end()), image);
    const ImageOrError ours = ReadIntelHex(spliced);
    ASSERT_TRUE(std::holds_alternative<Bytes>(ours)) << Describe(std::get<FormatError>(ours));
    EXPECT_EQ(std::get<Bytes>(ours), image);
}

} // namespace
} // namespace kl40
