// Opening a file by its path (a recent file, the command line) is the open
// flow without its dialog: for every kind of file the same messages, the same
// radio afterwards and the same remembered name as choosing it in the dialog.

#include "ui/flows/flows.h"

#include "support/loaded_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

class OpenPathTest : public ::testing::Test {
protected:
    OpenPathTest() {
        dir = fs::temp_directory_path() /
              ("kl40-open-path-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir / "folder.bin");
    }
    ~OpenPathTest() override { fs::remove_all(dir); }

    std::string file(const std::string& name) const { return (dir / name).string(); }
    void writeFile(const std::string& name, std::size_t size, std::uint8_t fill) {
        const std::vector<char> bytes(size, static_cast<char>(fill));
        std::ofstream(file(name), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    fs::path dir;
};

TEST_F(OpenPathTest, GivenPathBehavesAsTheDialogsChoice) {
    {
        test::LoadedForm saved;
        saved.store(5, "435.125", "430.125", "88.5 ", true);
        saved.platform.choosePath(file("club.txt"));
        std::string written;
        ASSERT_EQ(SaveRadioFile(saved.ws, &written), SaveOutcome::Saved);
        EXPECT_EQ(written, file("club.bin")) << "the path of the file on disk";
    }
    writeFile("empty.bin", 0, 0);
    writeFile("big.bin", 65001, 0xFF);
    writeFile("odd.bin", 4000, 0xFF);

    const struct {
        const char* name;
        OpenOutcome outcome;
    } cases[] = {{"club.bin", OpenOutcome::Opened},  {"missing.bin", OpenOutcome::Failed},
                 {"empty.bin", OpenOutcome::Failed}, {"big.bin", OpenOutcome::Failed},
                 {"odd.bin", OpenOutcome::Failed},   {"folder.bin", OpenOutcome::Failed}};
    for (const auto& c : cases) {
        test::LoadedForm chosen;
        test::LoadedForm given;
        for (test::LoadedForm* radio : {&chosen, &given})
            radio->store(7, "439");
        chosen.platform.choosePath(file(c.name));
        EXPECT_EQ(OpenRadioFile(chosen.ws), c.outcome) << c.name;
        EXPECT_EQ(OpenRadioFile(given.ws, file(c.name)), c.outcome) << c.name;

        EXPECT_TRUE(given.platform.openRequests.empty()) << c.name;
        ASSERT_EQ(given.platform.messages.size(), chosen.platform.messages.size()) << c.name;
        for (std::size_t i = 0; i < given.platform.messages.size(); ++i) {
            EXPECT_EQ(given.platform.messages[i].text, chosen.platform.messages[i].text);
            EXPECT_EQ(given.platform.messages[i].title, chosen.platform.messages[i].title);
            EXPECT_EQ(given.platform.messages[i].icon, chosen.platform.messages[i].icon);
        }
        EXPECT_EQ(given.ws.data.radio.channels, chosen.ws.data.radio.channels) << c.name;
        EXPECT_EQ(given.ws.form.lstFreq.lines(), chosen.ws.form.lstFreq.lines()) << c.name;
        EXPECT_EQ(given.ws.form.caption, chosen.ws.form.caption) << c.name;
        EXPECT_EQ(given.ws.data.DataChanged, chosen.ws.data.DataChanged) << c.name;
        EXPECT_EQ(given.ws.CMDDialog1.FileName, file(c.name)) << "the next save starts from it";
    }
}

} // namespace
} // namespace kl40
