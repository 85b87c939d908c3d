#include "ui/main_window.h"

#include "support/scripted_platform.h"
#include "ui/flows/flows.h"
#include "ui/form/channel_entry.h"
#include "ui/unsaved_work.h"

#include "support/channel_slots.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

class RecordingWindows : public WindowHost {
public:
    void ShowPrintDialog() override { throw std::runtime_error("no printer window"); }
    void ShowHelp() override { calls += "help;"; }
    void ShowAbout() override { calls += "about;"; }
    void EndProgram() override { calls += "end;"; }
    std::string calls;
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        form.Form_Load();
        fs::create_directories(dir);
        ws.data.EditingChannel = false;
        ws.form.txtCh.setText("3");
        ws.form.txtRx.setText("435");
        StoreChannel(ws);
    }
    ~MainWindowTest() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
    RecordingWindows windows;
    MDI_kl40 frame{ws, windows};
    EntryForm form{ws, frame};
    fs::path dir =
        fs::temp_directory_path() / ("kl40-frame-" + std::to_string(std::random_device{}()));
};

// Save writes the current file again without a dialog; Save As always asks,
// and asks before replacing only another existing file; New forgets the file.
TEST_F(MainWindowTest, SaveWritesTheCurrentFileAndSaveAsAsks) {
    const auto saves = [&] { return platform.saveRequests.size(); };
    const auto bytes = [](const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    platform.choosePath(path("club.bin"));
    frame.mnuSaveFile_Click(); // no file yet: asks as Save As does
    ASSERT_EQ(saves(), 1u);
    EXPECT_FALSE(platform.saveRequests[0].overwritePrompt);
    EXPECT_NE(platform.saveRequests[0].filter.find("|Radio JSON (*.json)|*.json"),
              std::string::npos);
    const std::string first = bytes(path("club.bin"));

    ws.form.txtCh.setText("4");
    ws.form.txtRx.setText("436");
    StoreChannel(ws);
    form.cmdSave_Click();
    frame.mnuSaveFile_Click();
    EXPECT_EQ(saves(), 1u) << "Save writes the current file without a dialog";
    EXPECT_NE(bytes(path("club.bin")), first);
    EXPECT_EQ(platform.last().text.find("File club.bin saved"), 0u);
    EXPECT_EQ(frame.recentFiles().paths().size(), 1u);

    std::ofstream(path("other.bin")) << "keep";
    platform.clear();
    platform.choosePath(path("club.bin")); // the current file itself: nothing asked
    platform.choosePath(path("other.bin"));
    platform.answer(Answer::No);
    frame.mnuSaveFileAs_Click();
    frame.mnuSaveFileAs_Click();
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[1].text, "other.bin already exists.\nDo you want to replace it?");
    EXPECT_EQ(platform.messages[2].text, "Save Action cancelled");
    EXPECT_EQ(bytes(path("other.bin")), "keep");
    platform.choosePath(path("other.bin"));
    platform.answer(Answer::Yes);
    frame.mnuSaveFileAs_Click();
    EXPECT_EQ(bytes(path("other.bin")), bytes(path("club.bin")));
    EXPECT_EQ(FrameTitle(ws), "KL40 Programming - other.bin");

    ws.data.OpenedImage.assign(8192, 0x5A); // as an opened KL40c leaves it
    ws.data.OpenedModel = 3;
    platform.clear();
    ws.form.cboCTCSS.setListIndex(3);
    ws.form.chkScan.setChecked(true);
    ws.data.EditingChannel = true;
    ws.form.cmdReset_Pers.setCaption("Update");
    frame.mnuNewFile_Click();
    EXPECT_TRUE(platform.messages.empty()) << "nothing unsaved: nothing asked";
    EXPECT_EQ(ws.form.cboCTCSS.listIndex(), 0) << "the entry row starts empty";
    EXPECT_FALSE(ws.form.chkScan.checked());
    EXPECT_FALSE(ws.data.EditingChannel);
    EXPECT_EQ(ws.form.cmdReset_Pers.caption(), "Reset");
    EXPECT_TRUE(ws.data.OpenedImage.empty()) << "a new radio has no program code of its own";
    EXPECT_EQ(ws.data.OpenedModel, 0);
    EXPECT_EQ(ws.form.lstFreq.count(), 0);
    EXPECT_FALSE(ws.data.radio.channels[3]);
    EXPECT_EQ(ws.form.caption, kEntryFormCaption);
    EXPECT_EQ(FrameTitle(ws), kMainWindowCaption);
    platform.cancelDialog();
    frame.mnuSaveFile_Click(); // no file again: asks
    EXPECT_EQ(platform.saveRequests.size(), 5u);
}

// Every way of discarding the radio, in every state of the save question:
// what is asked, what ends, what stays and what is written.
TEST_F(MainWindowTest, EveryWayOfDiscardingWorkAsksOnceAndGoesOnOnlyWhenNothingIsLost) {
    // The radio that Open brings in: channel 8 only.
    {
        test::ScriptedPlatform otherPlatform;
        Workspace other{otherPlatform};
        MDI_kl40 otherFrame{other, windows};
        EntryForm otherForm{other, otherFrame};
        otherForm.Form_Load();
        other.form.txtCh.setText("8");
        other.form.txtRx.setText("438");
        StoreChannel(other);
        otherPlatform.choosePath(path("other.bin"));
        ASSERT_EQ(SaveRadioFile(other), SaveOutcome::Saved);
    }

    enum class Way { MenuExit, FormExit, CloseBox, New, Open };
    enum class Save { NotAsked, Written, Failed, Cancelled };
    struct Case {
        bool unsaved;
        Answer answer; // Cancel is also what Escape and the close button give
        Save save;
    };
    const Case cases[] = {
        {false, Answer::Ok, Save::NotAsked},    {true, Answer::No, Save::NotAsked},
        {true, Answer::Cancel, Save::NotAsked}, {true, Answer::Yes, Save::Written},
        {true, Answer::Yes, Save::Failed},      {true, Answer::Yes, Save::Cancelled}};
    int run = 0;
    for (const Way way : {Way::MenuExit, Way::FormExit, Way::CloseBox, Way::New, Way::Open}) {
        for (const Case& c : cases) {
            const std::string context = "way " + std::to_string(static_cast<int>(way)) + ", case " +
                                        std::to_string(&c - cases);
            test::ScriptedPlatform p;
            Workspace w{p};
            RecordingWindows host;
            MDI_kl40 mdi{w, host};
            EntryForm entry{w, mdi};
            entry.Form_Load();
            w.form.txtCh.setText("3");
            w.form.txtRx.setText("435");
            StoreChannel(w);
            w.data.DataChanged = c.unsaved;

            const std::string written = path("saved-" + std::to_string(++run) + ".bin");
            if (c.unsaved) p.answer(c.answer);
            if (c.save == Save::Written) p.choosePath(written);
            if (c.save == Save::Failed) p.choosePath(path("missing-folder/radio.bin"));
            if (c.save == Save::Cancelled) p.cancelDialog();
            const bool goesOn = !c.unsaved || c.answer == Answer::No || c.save == Save::Written;
            if (way == Way::Open && goesOn) p.choosePath(path("other.bin"));

            switch (way) {
            case Way::MenuExit:
                mdi.mnuKL40_Click();
                break;
            case Way::FormExit:
                entry.cmdExit_Click();
                break;
            case Way::CloseBox:
                EXPECT_EQ(mdi.QueryUnload(), goesOn) << context;
                break;
            case Way::New:
                mdi.mnuNewFile_Click();
                break;
            case Way::Open:
                mdi.mnuOpenFile_Click();
                break;
            }

            const bool asked =
                !p.messages.empty() && p.messages.front().text == "Do you want to save your data?";
            EXPECT_EQ(asked, c.unsaved) << context;
            if (asked) {
                EXPECT_EQ(p.messages.front().title, "Save Data");
                EXPECT_EQ(p.messages.front().buttons, Buttons::YesNoCancel);
                EXPECT_EQ(p.messages.front().icon, Icon::Question);
            }
            EXPECT_EQ(fs::exists(written), c.save == Save::Written) << context;
            const bool ends = way == Way::MenuExit || way == Way::FormExit || way == Way::CloseBox;
            EXPECT_EQ(host.calls, ends && goesOn ? "end;" : "") << context;
            const bool replaced = !ends && goesOn;
            EXPECT_EQ(!w.data.radio.channels[3], replaced) << context;
            EXPECT_EQ(!w.data.radio.channels[8], !(replaced && way == Way::Open)) << context;
            if (!goesOn) {
                EXPECT_TRUE(w.data.DataChanged) << context << ": the work is still unsaved";
            }
            EXPECT_TRUE(p.answers.empty() && p.paths.empty()) << context;
        }
    }
}

// Whatever the program did before, a channel typed into the fields is stored
// under the number the selector shows, and passing through the selector
// without changing its number keeps what was typed.
TEST_F(MainWindowTest, TheChannelNumberShownIsTheOneUsed) {
    std::ofstream(path("in.csv"), std::ios::binary)
        << "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Skip,Comment\r\n"
           "5,,436.000000,,0.600000,,88.5,88.5,,\r\n";
    platform.choosePath(path("radio.bin"));
    ASSERT_EQ(SaveRadioFile(ws), SaveOutcome::Saved);

    const std::pair<const char*, std::function<void(MDI_kl40&, test::ScriptedPlatform&)>> before[] =
        {
            {"New", [](MDI_kl40& f, test::ScriptedPlatform&) { f.mnuNewFile_Click(); }},
            {"import",
             [&](MDI_kl40& f, test::ScriptedPlatform& p) {
                 p.choosePath(path("in.csv"));
                 f.mnuImportChannels_Click();
             }},
            {"cancelled save",
             [](MDI_kl40& f, test::ScriptedPlatform& p) {
                 p.cancelDialog();
                 f.mnuSaveFile_Click();
             }},
            {"open",
             [&](MDI_kl40& f, test::ScriptedPlatform& p) {
                 p.choosePath(path("radio.bin"));
                 f.mnuOpenFile_Click();
             }},
        };
    for (const auto& [name, run] : before) {
        for (const bool throughSelector : {false, true}) {
            const std::string context = std::string(name) + (throughSelector ? ", selector" : "");
            test::ScriptedPlatform p;
            Workspace w{p};
            MDI_kl40 f{w, windows};
            EntryForm e{w, f};
            e.Form_Load();
            w.form.cboCh.editText("3");
            e.cboCh_LostFocus();
            w.form.txtRx.setText("435");
            e.chkScan_LostFocus();
            w.form.lstFreq.setListIndex(-1);
            w.form.lstFreq.setListIndex(0); // the operator looks at channel 3
            w.data.DataChanged = false;
            run(f, p);
            p.clear();

            const std::string shown = w.form.cboCh.text();
            w.form.txtRx.setText("436.5");
            w.form.txtTx.setText("436.5");
            if (throughSelector) e.cboCh_LostFocus();
            EXPECT_EQ(w.form.txtRx.text(), "436.5") << context;
            e.chkScan_GotFocus();
            e.chkScan_LostFocus();
            EXPECT_TRUE(p.messages.empty()) << context << ": " << p.last().text;
            EXPECT_EQ(test::EntryOf(w, std::stoi(shown)), shown + ",436.5000,436.5000,none ,N")
                << context;
        }
    }
}

TEST_F(MainWindowTest, SecondaryWindowsGoThroughTheHostAndPrintFailsQuietly) {
    frame.mnuKL40_Help_Click();
    frame.mnuKL40_About_Click();
    EXPECT_NO_THROW(frame.mnuPrint_Click());
    EXPECT_NO_THROW(form.cmdPrint_Click());
    EXPECT_EQ(windows.calls, "help;about;");
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace kl40
