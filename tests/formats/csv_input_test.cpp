// What the CSV reader makes of hand-written files: the report for rows it
// refuses, and the error for text that is no channel list.

#include "formats/chirp_csv_read.h"

#include <gtest/gtest.h>

namespace kl40 {
namespace {

// The import report, or the error.
std::string outcome(std::string_view text) {
    auto result = ReadChirpCsv(text);
    if (const CsvError* error = std::get_if<CsvError>(&result)) return "error: " + error->message;
    const ChannelImport& imported = std::get<ChannelImport>(result);
    return FormatImportReport(imported.report, imported.channels.size());
}

TEST(CsvInput, EachRowRefusedWithItsReasonAndEachBrokenFileWithAnError) {
    struct Case {
        std::string text;
        std::string outcome;
    };
    const std::vector<Case> cases{
        // A byte-order mark, LF line ends, three columns; quoted cells with a
        // comma and a line break, which the next rows' line numbers count.
        {"\xEF\xBB\xBFLocation,Name,Frequency\n1,\"A, b\",435.0000\n2,\"two\nlines\",436\n"
         "3,,437.1 MHz\n99,,4x\n",
         "3 channels imported.\n"
         "Line 6 (Location 99): refused: Frequency \"4x\" is not a frequency in MHz.\n"},
        {"Location,Frequency\r\n5,435\r\n5,436\r\n\r\n",
         "1 channel imported.\n"
         "Line 3 (Location 5): refused: the Location is already taken by line 2.\n"},
        {"Location,Frequency,Duplex,Offset,Tone,rToneFreq,Skip\n"
         "1,435\n"
         "2,435,+,x,,,\n"
         "3,435,,,Tone,8x.5,\n"
         "4,435,-,,,,\n"
         "5,435,split,,,,\n"
         "6,435,x,,,,\n"
         "7,435,,,Foo,,\n"
         "8,435,,,,,Q\n"
         "abc,435,,,,,\n"
         "12345678901234567890,435,,,,,\n"
         "9,,,,,,\n"
         "10,435.0000001,,,,,\n"
         "11,435,-,435.5,,,\n",
         "1 channel imported.\n"
         "Line 2 (Location 1): refused: the row has 2 fields where the header has 7.\n"
         "Line 3 (Location 2): refused: Offset \"x\" is not a frequency in MHz.\n"
         "Line 4 (Location 3): refused: rToneFreq \"8x.5\" is not a number.\n"
         "Line 6 (Location 5): refused: Duplex split with a blank Offset (the transmit "
         "frequency).\n"
         "Line 7 (Location 6): refused: unknown Duplex \"x\".\n"
         "Line 8 (Location 7): refused: unknown tone mode \"Foo\".\n"
         "Line 9 (Location 8): refused: unknown Skip \"Q\".\n"
         "Line 10 (Location abc): refused: the Location must be a whole number from 1 to 99.\n"
         "Line 11 (Location 123456789012...): refused: the Location must be a whole number "
         "from 1 to 99.\n"
         "Line 12 (Location 9): refused: Frequency \"\" is not a frequency in MHz.\n"
         "Line 13 (Location 10): refused: Frequency \"435.0000001\" is not a frequency in MHz.\n"
         "Line 14 (Location 11): refused: transmit frequency below 0 is outside 400-450 MHz.\n"},
        {"Location,Frequency,Tone\n1,435,Tone\n",
         "0 channels imported.\n"
         "Line 2 (Location 1): refused: tone mode Tone but no rToneFreq column.\n"},
        {"", "error: The file is empty."},
        {"Name,Frequency\r\n1,435\r\n",
         "error: The first line names no Location column: not a CHIRP CSV file."},
        {"Location,Name\r\n",
         "error: The first line names no Frequency column: not a CHIRP CSV file."},
        {"Location,Frequency\n1,\"435\n2,436\n", "error: Line 2: a quoted field is not closed."},
        {"Location,Frequency\n1,\"435\"x\n",
         "error: Line 2: a quoted field goes on after its closing quote."},
        {"Location,Frequency\n1,4\"35\n", "error: Line 2: a quote inside an unquoted field."},
        {"Location,Frequency\n1,435\n2,\xC3(\n", "error: Line 3: the text is not UTF-8."},
        {std::string("Location,Frequency\n1,435\0\n", 26),
         "error: Line 2: the file holds a NUL byte."},
        {"Location,Frequency\n" + std::string(kMaxChirpCsvBytes, '\n'),
         "error: The file is larger than 1 MiB: not a channel list."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outcome(c.text), c.outcome) << c.text.substr(0, 200);
    std::string rows = "Location,Frequency\n";
    for (std::size_t i = 0; i <= kMaxChirpCsvRows; ++i)
        rows += "1,435\n";
    EXPECT_EQ(outcome(rows), "error: The file has more than 1000 rows: not a channel list.");
}

// Whoever stores the channels adds its own remarks; the report lists every
// remark in the order of the file's lines.
TEST(CsvInput, CallerRemarksJoinTheReportInLineOrder) {
    auto imported = std::get<ChannelImport>(
        ReadChirpCsv("Location,Frequency,Skip\n1,435,\n2,435,\n3,435,\n4,,\n"));
    ImportReport& report = imported.report;
    report.change(imported.channels[2].row, "imported without scan: only 32 scan channels allowed");
    report.refuse(imported.channels[0].row, "the channel entry refused it");
    EXPECT_EQ(FormatImportReport(report, 2),
              "2 channels imported.\n"
              "Line 2 (Location 1): refused: the channel entry refused it.\n"
              "Line 4 (Location 3): imported without scan: only 32 scan channels allowed.\n"
              "Line 5 (Location 4): refused: Frequency \"\" is not a frequency in MHz.\n");
}

} // namespace
} // namespace kl40
