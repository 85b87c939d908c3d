#include "ui/flows/flows.h"

#include "entry/radio_entry.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "image/templates.h"
#include "support/loaded_form.h"
#include "support/random_radio.h"
#include "ui/form/radio_snapshot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace kl40 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class FlowsTest : public ::testing::Test, public test::LoadedForm {
protected:
    FlowsTest() {
        dir = fs::temp_directory_path() /
              ("kl40-flows-" + std::to_string(std::random_device{}()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    ~FlowsTest() override { fs::remove_all(dir); }

    std::string file(const std::string& name) const { return (dir / name).string(); }
    void writeFile(const std::string& name, const Bytes& bytes) {
        std::ofstream(file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    Bytes readFile(const std::string& name) {
        std::ifstream in(file(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void expectMessage(const std::string& text, const std::string& title, Icon icon) {
        ASSERT_FALSE(platform.messages.empty()) << "expected " << text;
        EXPECT_EQ(platform.last().text, text);
        EXPECT_EQ(platform.last().title, title);
        EXPECT_EQ(platform.last().icon, icon);
    }

    fs::path dir;
};

TEST_F(FlowsTest, SaveWritesBinAndNamesTheFileWritten) {
    store(5, "435.125", "430.125", "88.5 ", true);
    platform.choosePath(file("club.txt"));
    EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
    EXPECT_EQ(readFile("club.bin").size(), 8192u);
    EXPECT_FALSE(fs::exists(file("club.txt")));
    expectMessage("File club.bin saved\n" + NoProgramCodeText(3) + " " + kAddFirmwareHint,
                  "File Operation", Icon::Information);
    EXPECT_EQ(ws.form.caption, "KL40 File : club.bin");
    EXPECT_FALSE(ws.data.DataChanged);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    // The raw image's filter first, then the record formats'.
    EXPECT_EQ(platform.saveRequests[0].filter.find("KL40 Eprom Files (*.bin)|*.bin|Intel HEX"), 0u);
    EXPECT_FALSE(platform.saveRequests[0].overwritePrompt) << "the flow asks itself";

    // Another existing file, under the name chosen or the image's name for it,
    // is asked about before it is replaced. No keeps it; the current file is
    // not asked about.
    platform.choosePath(file("other.bin"));
    ASSERT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
    const Bytes saved = readFile("club.bin");
    store(6, "436");
    for (const char* chosen : {"club", "club.txt", "club.bin"}) {
        platform.clear();
        platform.choosePath(file(chosen));
        platform.answer(Answer::No);
        EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Cancelled) << chosen;
        ASSERT_EQ(platform.messages.size(), 2u);
        EXPECT_EQ(platform.messages[0].text,
                  "club.bin already exists.\nDo you want to replace it?");
        EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
        EXPECT_EQ(platform.messages[0].icon, Icon::Question);
        expectMessage("Save Action cancelled", "File Save", Icon::Information);
        EXPECT_EQ(readFile("club.bin"), saved);
        EXPECT_TRUE(ws.data.DataChanged);
    }
    // The save dialog starts from the name it last returned.
    EXPECT_EQ(platform.saveRequests[3].fileName, file("club"));
    platform.clear();
    platform.choosePath(file("club"));
    platform.answer(Answer::Yes);
    EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
    EXPECT_NE(readFile("club.bin"), saved);
    platform.choosePath(file("club.bin")); // now the current file
    EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
    EXPECT_EQ(platform.messages.size(), 3u);
}

TEST_F(FlowsTest, CancelledOrFailedSaveLeavesTheChangesUnsaved) {
    store(1, "439");
    platform.cancelDialog();
    EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Cancelled);
    expectMessage("Save Action cancelled", "File Save", Icon::Information);
    EXPECT_TRUE(ws.data.DataChanged) << "nothing was saved, so the question stays due";

    ws.data.FileError = true; // left by a failed open
    platform.cancelDialog();
    EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Failed);
    expectMessage("Save Action failed", "File Error", Icon::Critical);
    EXPECT_TRUE(ws.data.DataChanged);
}

TEST_F(FlowsTest, SaveThatWritesNothingIsNotReportedAsDone) {
    // No channels: "No data available" and nothing else changes.
    ws.data.DataChanged = true;
    platform.choosePath(file("empty.bin"));
    EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Failed);
    ASSERT_EQ(platform.messages.size(), 1u);
    expectMessage("No data available", "Data Error", Icon::Exclamation);
    EXPECT_TRUE(ws.data.DataChanged);
    EXPECT_EQ(ws.form.caption, "KL40 Data Entry Form");
    EXPECT_FALSE(fs::exists(file("empty.bin")));

    // A write failure: the platform's reason, no "saved", an existing file kept.
    store(1, "439");
    platform.clear();
    platform.choosePath(file("missing-folder/radio.bin"));
    EXPECT_EQ(SaveRadioFile(ws), SaveOutcome::Failed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().title, "KL40");
    EXPECT_EQ(platform.last().icon, Icon::Exclamation);
    EXPECT_TRUE(ws.data.DataChanged);
    EXPECT_EQ(ws.form.caption, "KL40 Data Entry Form");
}

TEST_F(FlowsTest, OpenRestoresTheRadioAndSetsTheCaption) {
    store(5, "435.125", "430.125", "88.5 ", true);
    store(12, "439", "", "103.5", false);
    platform.choosePath(file("saved.bin"));
    ASSERT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);

    LoadedForm other;
    other.platform.choosePath(file("saved.bin"));
    OpenRadioFile(other.ws);
    EXPECT_TRUE(other.platform.messages.empty());
    EXPECT_EQ(other.ws.form.caption, "KL40 File : saved.bin");
    EXPECT_EQ(other.slot(5), "5,435.1250,430.1250,88.5 ,Y");
    EXPECT_EQ(other.slot(12), "12,439.0000,439.0000,103.5,N");
    EXPECT_EQ(other.ws.form.lstFreq.count(), 2);
    EXPECT_FALSE(other.ws.data.DataChanged) << "an opened radio is the file's content";
    EXPECT_TRUE(other.ws.data.EditingChannel);
    EXPECT_FALSE(other.ws.data.LoadingForm);
    EXPECT_EQ(other.platform.openRequests.at(0).filter.find("Radio Data Files(*.bin)|*.bin|"), 0u);
    EXPECT_EQ(other.platform.openRequests.at(0).fileName, "");
}

TEST_F(FlowsTest, FailedOpenLeavesTheRadioAsItWas) {
    store(7, "439");
    const auto table = ws.data.radio.channels;
    const auto lines = ws.form.lstFreq.lines();

    writeFile("empty.bin", {});
    platform.choosePath(file("empty.bin"));
    OpenRadioFile(ws);
    ASSERT_EQ(platform.messages.size(), 1u);
    expectMessage("Unable to open data file\nempty file", "File Error", Icon::Critical);

    // Cancelling right after a failure reports it again.
    platform.cancelDialog();
    OpenRadioFile(ws);
    EXPECT_EQ(platform.messages.size(), 2u);
    expectMessage("Unable to open data file", "File Error", Icon::Critical);

    writeFile("big.bin", Bytes(65001, 0xFF));
    platform.clear();
    platform.choosePath(file("big.bin"));
    OpenRadioFile(ws);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, "Unable to open file.");
    EXPECT_EQ(platform.messages[1].text, "Unable to open data file\nlarger than 65000 bytes");

    // A file of the kernel is no image file, whatever size it reports.
    platform.clear();
    OpenRadioFile(ws, "/proc/cpuinfo");
    EXPECT_EQ(platform.last().text, "Unable to open data file\nnot a regular file");

    EXPECT_EQ(ws.data.radio.channels, table);
    EXPECT_EQ(ws.form.lstFreq.lines(), lines);
    EXPECT_EQ(ws.form.caption, "KL40 Data Entry Form");
}

TEST_F(FlowsTest, ImageOfNoKnownModelIsRefusedBeforeAnythingIsCleared) {
    store(7, "439", "", "none ", true);
    ws.form.chkBCO.click();
    const auto table = ws.data.radio.channels;
    const Radio radio = ws.data.radio;
    const auto lines = ws.form.lstFreq.lines();
    const bool editing = ws.data.EditingChannel;

    for (std::size_t size : {std::size_t{8192}, std::size_t{4000}, std::size_t{1}}) {
        writeFile("odd.bin", Bytes(size, 0xFF));
        platform.clear();
        platform.choosePath(file("odd.bin"));
        OpenRadioFile(ws);
        ASSERT_EQ(platform.messages.size(), 1u) << size;
        expectMessage("Error in decoding channel", "Data Error", Icon::Exclamation);
        EXPECT_EQ(ws.data.radio.channels, table);
        EXPECT_EQ(ws.data.radio, radio);
        EXPECT_EQ(ws.form.lstFreq.lines(), lines);
        EXPECT_TRUE(ws.form.chkBCO.checked());
        EXPECT_EQ(ws.form.caption, "KL40 Data Entry Form");
        EXPECT_EQ(ws.data.EditingChannel, editing);
        EXPECT_TRUE(ws.data.ImageText.empty()) << "the image held before is put back";
    }
}

TEST_F(FlowsTest, CancelledOpenChangesNothing) {
    store(7, "439");
    const auto table = ws.data.radio.channels;
    platform.cancelDialog();
    OpenRadioFile(ws);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ws.data.radio.channels, table);
    EXPECT_FALSE(ws.data.LoadingForm);
    EXPECT_TRUE(ws.data.EditingChannel);
}

TEST(DisplayName, IsThePartAfterTheLastSeparator) {
    EXPECT_EQ(DisplayName("/home/op/club.bin"), "club.bin");
    EXPECT_EQ(DisplayName("C:\\radios\\club.txt"), "club.txt");
    EXPECT_EQ(DisplayName("club.bin"), "club.bin");
}

// Saving under a record format's name writes that format; opening it gives the
// same radio; srec_cat turns it back into the very image a ".bin" save writes.
TEST_F(FlowsTest, RecordFormatsAreSavedAndOpenedByTheirNames) {
    store(5, "435.125", "430.125", "88.5 ", true);
    store(12, "439", "", "103.5", false);
    platform.choosePath(file("club.bin"));
    ASSERT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
    const Bytes raw = readFile("club.bin");
    const bool haveSrecCat = std::system("srec_cat --version >/dev/null 2>&1") == 0;
    for (const auto& [name, option] :
         {std::pair{"club.hex", "-intel"}, {"club.s19", "-motorola"}}) {
        SCOPED_TRACE(name);
        platform.choosePath(file(name));
        ASSERT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
        EXPECT_EQ(platform.last().text.find(std::string("File ") + name + " saved"), 0u);
        const Bytes text = readFile(name);
        EXPECT_EQ(text.front(), name == std::string("club.hex") ? ':' : 'S');
        if (haveSrecCat) {
            const std::string command =
                "srec_cat " + file(name) + " " + option + " -o " + file("back.bin") + " -binary";
            ASSERT_EQ(std::system(command.c_str()), 0);
            EXPECT_EQ(readFile("back.bin"), raw);
        }
        LoadedForm other;
        other.platform.choosePath(file(name));
        ASSERT_EQ(OpenRadioFile(other.ws), OpenOutcome::Opened);
        EXPECT_EQ(other.slot(5), "5,435.1250,430.1250,88.5 ,Y");
        EXPECT_EQ(other.ws.data.OpenedImage, raw);
    }
    // A damaged record is refused with its line, and the radio stays.
    Bytes damaged = readFile("club.hex");
    damaged[12 * 45 + 20] = damaged[12 * 45 + 20] == '0' ? '1' : '0'; // a digit of line 13
    writeFile("bad.hex", damaged);
    platform.clear();
    platform.choosePath(file("bad.hex"));
    EXPECT_EQ(OpenRadioFile(ws), OpenOutcome::Failed);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_NE(platform.messages.front().text.find("is not a valid Intel HEX file: line 13: "),
              std::string::npos)
        << platform.messages.front().text;
    EXPECT_EQ(slot(5), "5,435.1250,430.1250,88.5 ,Y");
}

// A radio file saved and opened again gives the radio it was saved from, the
// way files describe it, whatever the radio; it opens by its content under any
// name, and Save writes it again in place as a radio file.
TEST_F(FlowsTest, RadioFilesRoundTripAndSaveInPlace) {
    std::mt19937 rng(40);
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        LoadedForm from;
        ShowDecodedRadio(from.ws, test::RandomRadio(rng));
        from.platform.choosePath(file("radio.json"));
        if (round > 0) from.platform.answer(Answer::Yes); // replaces the last round's
        ASSERT_EQ(SaveRadioFile(from.ws), SaveOutcome::Saved) << from.platform.last().text;
        EXPECT_EQ(from.platform.last().text, "File radio.json saved");
        const RadioRecord saved = RecordOf(RadioOf(from.ws));

        fs::copy_file(file("radio.json"), file("radio.txt"), fs::copy_options::overwrite_existing);
        for (const char* name : {"radio.json", "radio.txt"}) {
            LoadedForm to;
            to.platform.choosePath(file(name));
            ASSERT_EQ(OpenRadioFile(to.ws), OpenOutcome::Opened) << to.platform.last().text;
            EXPECT_EQ(RecordOf(RadioOf(to.ws)), saved) << name;
            EXPECT_EQ(to.ws.form.caption, std::string(kFileCaptionPrefix) + name);
            EXPECT_FALSE(to.ws.data.DataChanged);
        }
    }
    LoadedForm opened;
    opened.platform.choosePath(file("radio.txt"));
    ASSERT_EQ(OpenRadioFile(opened.ws), OpenOutcome::Opened);
    opened.store(99, "439");
    ASSERT_EQ(SaveToCurrentFile(opened.ws), SaveOutcome::Saved);
    EXPECT_TRUE(opened.platform.saveRequests.empty());
    EXPECT_EQ(readFile("radio.txt").front(), '{');
}

// A radio file the entry rules refuse says why and changes nothing.
TEST_F(FlowsTest, RefusedRadioFileChangesNothing) {
    store(7, "439");
    const RadioData before = ws.data;
    const std::string json = R"({"channels": [{"channel": 5, "rx": "435.1250", "ctcss": "88.4"}]})";
    writeFile("bad.json", Bytes(json.begin(), json.end()));
    platform.choosePath(file("bad.json"));
    EXPECT_EQ(OpenRadioFile(ws), OpenOutcome::Failed);
    expectMessage("Unable to open data file\nchannel 5: unknown CTCSS tone \"88.4\"", "File Error",
                  Icon::Critical);
    EXPECT_EQ(ws.data, before);
    EXPECT_EQ(ws.form.caption, kEntryFormCaption);
    EXPECT_NE(platform.openRequests.at(0).filter.find("|Radio JSON (*.json)|*.json"),
              std::string::npos);
}

// An image keeps no names or comments: its saved message says so when the
// radio has any.
TEST_F(FlowsTest, SavingAnImageTellsThatNamesAreKeptOnlyInRadioFiles) {
    store(5, "435.125");
    for (const bool named : {false, true}) {
        ws.data.radio.channels[5]->comment = named ? "club" : "";
        platform.choosePath(file("club.hex"));
        ASSERT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
        const std::string text = platform.last().text;
        EXPECT_EQ(text.find(std::string("File club.hex saved\n") + kNamesOnlyInRadioFiles) == 0,
                  named)
            << text;
        EXPECT_EQ(ws.data.DataChanged, named) << "names only an image was given stay unsaved";
    }
}

TEST_F(FlowsTest, OpeningADamagedImageSaysWhatIsDamaged) {
    store(5, "435.125", "430.125", "88.5 ", true);
    platform.choosePath(file("sound.bin"));
    ASSERT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);
    Bytes image = readFile("sound.bin");
    const std::size_t tx = TransmitSlotAddress(5, ws.data.radio.model);
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(tx + 1), 3, 0xFF);
    writeFile("damaged.bin", image);

    LoadedForm other;
    other.platform.choosePath(file("damaged.bin"));
    OpenRadioFile(other.ws);
    ASSERT_FALSE(other.platform.messages.empty());
    EXPECT_EQ(other.platform.last().title, "Damaged Image");
    EXPECT_NE(other.platform.last().text.find("\n- channel 5 has no transmit frequency"),
              std::string::npos)
        << other.platform.last().text;
    EXPECT_EQ(other.slot(5), "5,435.1250,") << "shown as the image holds it";
}

} // namespace
} // namespace kl40
