// Channel list files through the File menu's import and export: the report the
// operator gets, the channel entry's checks, and the round trip.

#include "image/channel_transfer.h"
#include "ui/flows/channel_file_flow.h"

#include "formats/chirp_csv_write.h"
#include "support/loaded_form.h"
#include "support/temp_folder.h"
#include "ui/form/radio_snapshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

class ChannelTransferTest : public ::testing::Test,
                            public test::LoadedForm,
                            public test::TempFolder {};

TEST_F(ChannelTransferTest, ImportStoresThroughTheChannelEntryAndReportsEveryRowItChanged) {
    store(5, "439.0000");
    for (int ch = 60; ch < 91; ++ch) // 31 scan channels: one short of the radio's limit
        store(ch, "430.0000", "", "none ", true);
    ws.data.DataChanged = false;
    std::ofstream(file("in.csv"), std::ios::binary)
        << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Skip,Comment\r\n"
           "1,Club,435.125000,-,5.000000,Tone,88.5,88.5,,\r\n" // line 2: imported
           "2,,451.000000,,0.600000,,88.5,88.5,S,\r\n"         // 3: out of range
           "3,,435.000000,,0.600000,Tone,67.0,67.0,S,\r\n"     // 4: tone not listed
           "5,,436.000000,,0.600000,,88.5,88.5,S,\r\n"         // 5: replaces channel 5
           "1,,437.000000,,0.600000,,88.5,88.5,S,\r\n"         // 6: Location taken
           "7,,435.123400,,0.600000,,88.5,88.5,S,\r\n"         // 7: off the raster
           "8,,438.000000,,0.600000,,88.5,88.5,,note\r\n";     // 8: a 33rd scan channel
    platform.choosePath(file("in.csv"));
    ImportChannelFile(ws);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().title, "Import Channels");
    EXPECT_EQ(
        platform.last().text,
        "4 channels imported.\n"
        "Line 3 (Location 2): refused: receive frequency 451.000000 MHz is outside 400-450 MHz.\n"
        "Line 4 (Location 3): refused: tone 67.0 Hz is not one of the radio's CTCSS tones.\n"
        "Line 5 (Location 5): replaced channel 5 of the list.\n"
        "Line 6 (Location 1): refused: the Location is already taken by line 2.\n"
        "Line 7 (Location 7): 435.1234 MHz is not on the radio's 12.5 kHz raster: it will "
        "use 435.1250 MHz.\n"
        "Line 8 (Location 8): imported without scan: only 32 scan channels allowed.\n")
        << platform.last().text;
    EXPECT_EQ(slot(1), "1,435.1250,430.1250,88.5 ,Y");
    EXPECT_EQ(slot(5), "5,436.0000,436.0000,none ,N");
    EXPECT_EQ(slot(8), "8,438.0000,438.0000,none ,N");
    EXPECT_EQ(slot(2), "");
    EXPECT_EQ(ws.data.radio.channels[1]->name, "Club");
    EXPECT_EQ(ws.data.radio.channels[8]->comment, "note");
    EXPECT_TRUE(ws.data.DataChanged) << "an import is unsaved work";
}

TEST_F(ChannelTransferTest, ExportedListImportsToTheSameChannels) {
    store(1, "435.1250", "430.1250", "88.5 ", true);
    store(12, "439.0000", "", "241.8", false);
    store(99, "449.9875", "400.0000", "none ", true);
    ws.data.radio.channels[1]->name = "Club, \"north\"\r\nhill";
    ws.data.radio.channels[12]->comment = " two  blanks ";
    const RadioRecord before = SnapshotOf(ws);
    platform.choosePath(file("out")); // no extension: the file gets ".csv"
    ExportChannelFile(ws);
    EXPECT_EQ(platform.last().text, "3 channels exported to out.csv.");

    LoadedForm other;
    other.platform.choosePath(file("out.csv"));
    ImportChannelFile(other.ws);
    EXPECT_EQ(other.platform.last().text,
              "3 channels imported.\n\"Enable Scan\" turned on: channel 1 is a scan channel.\n");
    EXPECT_EQ(SnapshotOf(other.ws).channels, before.channels);
    // Storing a named channel again from the form keeps its name and comment.
    other.store(1, "436.0000");
    other.store(12, "437.0000");
    EXPECT_EQ(other.ws.data.radio.channels[1]->name, before.channels[0].name);
    EXPECT_EQ(other.ws.data.radio.channels[12]->comment, before.channels[1].comment);

    LoadedForm empty;
    ExportChannelFile(empty.ws);
    EXPECT_EQ(empty.platform.last().text, "There are no channels to export.");
}

// "Receive CTCSS enable" makes every model check the tone on receive, so the
// list says TSQL then, and Tone otherwise; the radio has no power setting.
TEST_F(ChannelTransferTest, ExportedToneModeFollowsTheReceiveToneOptionOnEveryModel) {
    store(1, "435.1250", "", "88.5 ");
    for (int model = 0; model < 3; ++model) {
        chooseModel(model);
        for (const bool receiveTone : {false, true}) {
            ws.form.chkCTCSS_en.setChecked(receiveTone);
            const std::string row = ExportChannels(RadioOf(ws))
                                        .csv.substr(std::string_view(kChirpCsvHeader).size() + 2);
            EXPECT_EQ(row, std::string("1,,435.125000,,0.000000,") +
                               (receiveTone ? "TSQL,88.5,88.5" : "Tone,88.5,88.5") +
                               ",023,NN,023,Tone->Tone,FM,12.50,S,,,,,,\r\n")
                << "model " << model;
        }
    }
}

} // namespace
} // namespace kl40
