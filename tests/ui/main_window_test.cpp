#include "ui/main_window.h"

#include "core/channel_entry.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
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

TEST_F(MainWindowTest, NewClearsListAndTableWithoutAskingAndKeepsTheCaption) {
    ws.form.caption = "KL40 File : club.bin";
    ws.data.DataChanged = false;
    ws.data.OpenedImage.assign(8192, 0x5A); // as an opened KL40c leaves it
    ws.data.OpenedModel = 3;
    frame.mnuNewFile_Click();
    EXPECT_TRUE(ws.data.OpenedImage.empty()) << "a new radio has no program code of its own";
    EXPECT_EQ(ws.data.OpenedModel, 0);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ws.form.lstFreq.count(), 0);
    EXPECT_EQ(ws.data.ChannelTable[3], "");
    EXPECT_TRUE(ws.data.DataChanged);
    EXPECT_EQ(ws.form.caption, "KL40 File : club.bin");
}

// Exit, the form's Exit button and the close box end the program after Yes
// unless the save failed; a cancelled dialog still ends it.
TEST_F(MainWindowTest, AllWaysOutStayOpenOnlyWhenTheChosenSaveFailed) {
    platform.answer(Answer::Yes);
    platform.choosePath(path("missing-folder/radio.bin"));
    frame.mnuKL40_Click();
    platform.answer(Answer::Yes);
    platform.choosePath(path("missing-folder/radio.bin"));
    form.cmdExit_Click();
    platform.answer(Answer::Yes);
    platform.choosePath(path("missing-folder/radio.bin"));
    EXPECT_FALSE(frame.QueryUnload());
    EXPECT_EQ(windows.calls, "");
    EXPECT_TRUE(ws.data.DataChanged); // nothing was saved
    EXPECT_EQ(platform.messages.front().text, "Do you want to save your data?");

    platform.answer(Answer::Yes);
    platform.cancelDialog();
    EXPECT_TRUE(frame.QueryUnload());
    EXPECT_EQ(platform.last().text, "Save Action cancelled");
    frame.mnuKL40_Click(); // the save attempt dealt with the changes: no question
    EXPECT_EQ(windows.calls, "end;end;");
    EXPECT_TRUE(platform.answers.empty());
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
