#include "ui/recent_files.h"

#include "support/no_windows.h"
#include "support/scripted_platform.h"
#include "ui/form/channel_entry.h"
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

class MemoryStore : public RecentFilesStore {
public:
    std::vector<std::string> load() override { return kept; }
    void save(const std::vector<std::string>& paths) override { kept = paths; }
    std::vector<std::string> kept;
};

// Whatever the operator opens and saves, in any order: the list is at most
// eight distinct files, newest first; a file leaves it only after eight others
// came after it; the store always holds the list, and a new run reads it back.
TEST(RecentFiles, KeepsTheLastEightDistinctFilesNewestFirst) {
    MemoryStore store;
    RecentFiles recent(&store);
    std::mt19937 random(12);
    std::vector<std::string> history; // every add, oldest first
    for (int step = 0; step < 400; ++step) {
        const std::string path = "/radios/r" + std::to_string(random() % 14) + ".bin";
        if (random() % 5 == 0) {
            recent.remove(path);
            std::erase(history, path);
        } else {
            recent.add(path);
            history.push_back(path);
        }
        // The newest distinct files of the history, by hand.
        std::vector<std::string> expected;
        for (auto it = history.rbegin(); it != history.rend() && expected.size() < 8; ++it)
            if (std::find(expected.begin(), expected.end(), *it) == expected.end())
                expected.push_back(*it);
        // A file that fell off the list does not come back when another leaves it.
        std::erase_if(history, [&](const std::string& p) {
            return std::find(expected.begin(), expected.end(), p) == expected.end();
        });
        ASSERT_EQ(recent.paths(), expected) << "step " << step;
        ASSERT_EQ(store.kept, expected) << "step " << step;
    }
    EXPECT_EQ(RecentFiles(&store).paths(), recent.paths());

    // A list edited by hand: blanks, repeats and too many entries.
    store.kept = {"/a.bin", "", "/b.bin", "/a.bin", "/c", "/d", "/e", "/f", "/g", "/h", "/i"};
    EXPECT_EQ(RecentFiles(&store).paths(),
              (std::vector<std::string>{"/a.bin", "/b.bin", "/c", "/d", "/e", "/f", "/g", "/h"}));

    // A relative name is kept as the file it names now.
    RecentFiles memory;
    memory.add("club.bin");
    EXPECT_EQ(memory.paths().at(0), (fs::current_path() / "club.bin").string());
    memory.add("./sub/../club.bin");
    EXPECT_EQ(memory.paths().size(), 1u);
}

TEST(RecentFiles, CaptionHasAnAccessKeyAndShowsAmpersands) {
    EXPECT_EQ(RecentFileCaption(1, "/home/op/club.bin"), "&1 /home/op/club.bin");
    EXPECT_EQ(RecentFileCaption(8, "/R&D/a&&b.bin"), "&8 /R&&D/a&&&&b.bin");
    EXPECT_EQ(RecentFileCaption(10, "/x.bin"), "/x.bin");
}

using test::NoWindows;

class RecentFrameTest : public ::testing::Test {
protected:
    RecentFrameTest() {
        dir = fs::temp_directory_path() / ("kl40-recent-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        form.Form_Load();
    }
    ~RecentFrameTest() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    void store(const char* channel) {
        ws.data.EditingChannel = false;
        ws.form.txtCh.setText(channel);
        ws.form.txtRx.setText("435");
        StoreChannel(ws);
    }

    fs::path dir;
    test::ScriptedPlatform platform;
    Workspace ws{platform};
    NoWindows windows;
    MemoryStore memory;
    MDI_kl40 frame{ws, windows, &memory};
    EntryForm form{ws, frame};
};

TEST_F(RecentFrameTest, OpenedAndSavedFilesAreListedAndAMissingOneIsRemoved) {
    store("3");
    platform.choosePath(path("club.txt"));
    form.cmdSave_Click(); // the form's button: the image goes to club.bin
    platform.choosePath(path("second.bin"));
    frame.mnuSaveFileAs_Click();
    platform.cancelDialog();
    frame.mnuSaveFileAs_Click();
    EXPECT_EQ(memory.kept, (std::vector<std::string>{path("second.bin"), path("club.bin")}));

    platform.choosePath(path("club.bin"));
    frame.mnuOpenFile_Click();
    EXPECT_EQ(frame.recentFiles().paths().front(), path("club.bin"));

    // A recent file opens as Open does, with the save question first.
    store("4");
    platform.clear();
    platform.answer(Answer::Cancel);
    frame.OpenRecentFile(path("second.bin"));
    EXPECT_EQ(platform.last().text, "Do you want to save your data?");
    EXPECT_FALSE(!ws.data.radio.channels[4]) << "Cancel keeps the radio";
    platform.answer(Answer::No);
    frame.OpenRecentFile(path("second.bin"));
    EXPECT_TRUE(!ws.data.radio.channels[4]);
    EXPECT_EQ(ws.form.caption, "KL40 File : second.bin");
    EXPECT_EQ(frame.recentFiles().paths().front(), path("second.bin"));
    EXPECT_TRUE(platform.openRequests.size() == 1) << "no dialog for a recent file";

    // Gone since: said so, taken off the list, the radio and the work kept,
    // and nothing asked, because nothing would be opened.
    store("6");
    fs::remove(path("club.bin"));
    platform.clear();
    frame.OpenRecentFile(path("club.bin"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().text, MissingRecentFileText(path("club.bin")));
    EXPECT_EQ(platform.last().title, "File Error");
    EXPECT_EQ(memory.kept, (std::vector<std::string>{path("second.bin")}));
    EXPECT_FALSE(!ws.data.radio.channels[6]);
    EXPECT_TRUE(ws.data.DataChanged);

    // A file that is there but cannot be opened says why and stays listed.
    std::ofstream(path("second.bin"), std::ios::trunc).close();
    platform.clear();
    platform.answer(Answer::No);
    frame.OpenRecentFile(path("second.bin"));
    EXPECT_EQ(platform.last().text, "Unable to open data file\nempty file");
    EXPECT_EQ(memory.kept, (std::vector<std::string>{path("second.bin")}));

    // The command line's file: the open flow's own message, nothing listed.
    platform.clear();
    platform.answer(Answer::No);
    frame.OpenFile(path("never.bin"));
    EXPECT_EQ(platform.last().text, "Unable to open data file\nNo such file or directory");
    EXPECT_EQ(memory.kept, (std::vector<std::string>{path("second.bin")}));
}

} // namespace
} // namespace kl40
