#include "ui/undo_history.h"

#include "image/channel_transfer.h"
#include "support/no_windows.h"
#include "support/scripted_platform.h"
#include "ui/form/radio_snapshot.h"
#include "ui/main_window.h"
#include "ui/unsaved_work.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

using test::NoWindows;

// The application's logic as main() wires it; the operator's actions are
// recorded as the views record them.
struct Rig {
    Rig() {
        form.Form_Load();
        platform.clear();
    }
    UndoHistory& history() { return frame.history(); }
    void operate(const std::function<void()>& action) { history().record(action); }
    // Types a channel into the entry fields (nothing to undo).
    void type(int ch, const std::string& rx, bool scan = false) {
        ws.form.cboCh.editText(std::to_string(ch));
        ws.form.txtRx.setText(rx);
        ws.form.txtTx.clear();
        ws.form.chkScan.setChecked(scan);
    }
    // Types a channel and leaves the scan box, which stores it.
    void store(int ch, const std::string& rx, bool scan = false) {
        type(ch, rx, scan);
        operate([this] { form.chkScan_LostFocus(); });
    }
    bool unsaved() const { return ws.data.DataChanged; }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
    NoWindows windows;
    MDI_kl40 frame{ws, windows};
    EntryForm form{ws, frame};
};

class UndoHistoryTest : public ::testing::Test {
protected:
    UndoHistoryTest() { fs::create_directories(dir); }
    ~UndoHistoryTest() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    fs::path dir =
        fs::temp_directory_path() / ("kl40-undo-" + std::to_string(std::random_device{}()));
};

// A channel list file with channels 20 and 5 (5 replaces one of the list).
std::string channelFile(const std::string& path) {
    Rig other;
    other.store(20, "441.5");
    other.store(5, "439.25", true);
    std::ofstream(path) << ExportChannels(RadioOf(other.ws)).csv;
    return path;
}

// Each kind of change: undo puts back exactly the state before it (list,
// entry fields, option boxes, every text of the data set), redo the state
// after it.
TEST_F(UndoHistoryTest, UndoAndRedoOfEachKindOfChangeRestoreTheWholeState) {
    struct Kind {
        const char* name;
        std::function<void(Rig&)> prepare; // what the operator does first (no change)
        std::function<void(Rig&)> change;
    };
    const std::string csv = channelFile(path("import.csv"));
    const Kind kinds[] = {
        {"store", [](Rig& r) { r.type(9, "436.0125", true); },
         [](Rig& r) { r.operate([&] { r.form.chkScan_LostFocus(); }); }},
        {"update",
         [](Rig& r) {
             r.operate([&] { r.ws.form.lstFreq.setListIndex(0); }); // channel 3 in edit
             r.ws.form.txtRx.setText("437.5");
         },
         [](Rig& r) { r.operate([&] { r.form.cmdReset_Pers_Click(); }); }},
        {"delete", [](Rig& r) { r.ws.form.cboCh.editText("5"); },
         [](Rig& r) { r.operate([&] { r.form.cmdDelete_Click(); }); }},
        {"option box", nullptr, [](Rig& r) { r.operate([&] { r.ws.form.chkBCO.click(); }); }},
        {"option box with interlocks", nullptr,
         [](Rig& r) { r.operate([&] { r.ws.form.chkScan_Prog.click(); }); }},
        {"model", nullptr, [](Rig& r) { r.operate([&] { r.ws.form.cboRadio.setListIndex(0); }); }},
        {"time-out", nullptr, [](Rig& r) { r.operate([&] { r.ws.form.cboToT.setListIndex(2); }); }},
        {"Reset", [](Rig& r) { r.platform.answer(Answer::Yes); },
         [](Rig& r) { r.operate([&] { r.form.cmdReset_Pers_Click(); }); }},
        {"import", [&csv](Rig& r) { r.platform.choosePath(csv); },
         [](Rig& r) { r.frame.mnuImportChannels_Click(); }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Rig r;
        r.store(3, "435.125");
        r.store(5, "438", true);
        r.operate([&] { r.ws.form.chkDispl_Blnk.click(); });
        if (kind.prepare) kind.prepare(r);
        const FormState before = CaptureState(r.ws);
        const RadioRecord beforeRadio = SnapshotOf(r.ws);

        kind.change(r);
        const FormState after = CaptureState(r.ws);
        const RadioRecord afterRadio = SnapshotOf(r.ws);
        ASSERT_FALSE(SameDataSet(before, after)) << "the action changed nothing";
        ASSERT_TRUE(r.history().canUndo());
        EXPECT_FALSE(r.history().canRedo());

        r.history().undo();
        EXPECT_EQ(SnapshotOf(r.ws), beforeRadio);
        EXPECT_TRUE(CaptureState(r.ws).data == before.data);
        EXPECT_TRUE(r.ws.form == before.form);
        EXPECT_TRUE(r.history().canRedo());

        r.history().redo();
        EXPECT_EQ(SnapshotOf(r.ws), afterRadio);
        EXPECT_TRUE(CaptureState(r.ws).data == after.data);
        EXPECT_TRUE(r.ws.form == after.form);
        EXPECT_FALSE(r.history().canRedo());
    }
}

// What changes no data (typing, choosing a channel or a list line, saving,
// which builds the option texts afresh) leaves no step to undo.
TEST_F(UndoHistoryTest, ActionsThatChangeNoDataLeaveNoStep) {
    Rig r;
    r.store(3, "435.125");
    r.history().undo();
    ASSERT_FALSE(r.history().canUndo());
    r.history().redo();
    ASSERT_TRUE(r.history().canUndo()); // one step to undo

    r.operate([&] { r.ws.form.txtRx.setText("44"); });
    r.operate([&] { r.ws.form.cboCh.setListIndex(7); });
    r.operate([&] { r.ws.form.lstFreq.setListIndex(0); });
    r.operate([&] { r.form.cboCh_LostFocus(); });
    r.platform.choosePath(path("radio.bin"));
    r.operate([&] { r.form.cmdSave_Click(); });
    ASSERT_FALSE(r.unsaved());
    r.operate([&] { r.ws.form.chkScan_En.click(); });
    r.history().undo(); // the option
    r.history().undo(); // the store
    EXPECT_FALSE(r.history().canUndo());
    EXPECT_TRUE(r.ws.form.lstFreq.lines().empty());
}

// The data set is unsaved except where the last save or open left it, however
// undo and redo get there; a save on a branch given up is never found again.
TEST_F(UndoHistoryTest, UnsavedFollowsThePlaceOfTheLastSave) {
    Rig r;
    EXPECT_FALSE(r.unsaved());
    r.store(3, "435.125");
    r.platform.choosePath(path("club.bin"));
    r.frame.mnuSaveFile_Click();
    ASSERT_FALSE(r.unsaved());
    r.store(4, "436");
    EXPECT_TRUE(HasUnsavedWork(r.ws));

    r.history().undo();
    EXPECT_FALSE(HasUnsavedWork(r.ws)) << "back where the save left it";
    EXPECT_EQ(r.ws.form.caption, "KL40 File : club.bin");
    r.history().undo();
    EXPECT_TRUE(r.unsaved()) << "before the save";
    r.history().redo();
    EXPECT_FALSE(r.unsaved());
    r.history().redo();
    EXPECT_TRUE(r.unsaved());

    // Saved again further on: only that place is saved now.
    r.platform.choosePath(path("club.bin"));
    r.frame.mnuSaveFile_Click();
    r.history().undo();
    EXPECT_TRUE(r.unsaved());
    r.history().redo();
    EXPECT_FALSE(r.unsaved());

    // Back before the save and off on another branch as long: the saved
    // place is gone.
    r.history().undo();
    r.history().undo();
    r.operate([&] { r.ws.form.chkBCO.click(); });
    r.operate([&] { r.ws.form.chkSilent.click(); });
    EXPECT_FALSE(r.history().canRedo()) << "a new change drops what could be redone";
    r.history().undo();
    r.history().redo();
    EXPECT_TRUE(r.unsaved());

    // An opened file is saved as it is opened.
    r.platform.choosePath(path("club.bin"));
    r.frame.mnuOpenFile_Click();
    ASSERT_FALSE(r.unsaved());
    r.store(9, "440");
    r.history().undo();
    EXPECT_FALSE(r.unsaved());
    EXPECT_EQ(r.ws.form.lstFreq.count(), 2);
}

TEST_F(UndoHistoryTest, KeepsTheLastHundredSteps) {
    Rig r;
    std::vector<RadioRecord> radios{SnapshotOf(r.ws)};
    for (int i = 1; i <= 105; ++i) {
        r.store(i % 99 + 1, i % 2 ? "435.5" : "436.5");
        radios.push_back(SnapshotOf(r.ws));
    }
    int undone = 0;
    for (; r.history().canUndo(); ++undone)
        r.history().undo();
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(SnapshotOf(r.ws), radios[5]);
    EXPECT_TRUE(r.unsaved()) << "the start was dropped with the oldest steps";
    for (int i = 6; i <= 105; ++i) {
        r.history().redo();
        ASSERT_EQ(SnapshotOf(r.ws), radios[static_cast<std::size_t>(i)]);
    }
    EXPECT_FALSE(r.history().canRedo());
}

// New and Open start a fresh history; a cancelled or refused open keeps it.
TEST_F(UndoHistoryTest, OnlyNewAndOpenClearTheHistory) {
    Rig r;
    r.store(3, "435.125");
    r.store(4, "436");
    r.history().undo();
    r.platform.choosePath(path("radio.bin"));
    r.frame.mnuSaveFile_Click();
    r.platform.cancelDialog();
    r.frame.mnuExportChannels_Click();
    r.platform.cancelDialog();
    r.frame.mnuOpenFile_Click();
    r.frame.OpenFile(path("missing.bin"));
    EXPECT_TRUE(r.history().canUndo());
    EXPECT_TRUE(r.history().canRedo());

    r.frame.OpenFile(path("radio.bin"));
    EXPECT_FALSE(r.history().canUndo());
    EXPECT_FALSE(r.history().canRedo());

    r.store(5, "437");
    r.store(6, "437.5");
    r.history().undo();
    r.platform.answer(Answer::No); // do not save
    r.frame.mnuNewFile_Click();
    EXPECT_FALSE(r.history().canUndo());
    EXPECT_FALSE(r.history().canRedo());
    EXPECT_EQ(r.ws.form.lstFreq.count(), 0);
}

} // namespace
} // namespace kl40
