#include "ui/about_box.h"
#include "ui/help_window.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kl40 {
namespace {

namespace fs = std::filesystem;

TEST(AboutBox, LoadFillsTheTextsAndSystemInfoIsUnavailable) {
    test::ScriptedPlatform platform;
    frmAbout box(platform);
    box.Form_Load();
    EXPECT_EQ(box.caption, "About KL40");
    EXPECT_EQ(box.lblTitle, "KL40");
    EXPECT_EQ(box.lblVersion, "Version 2.4.6");
    EXPECT_EQ(box.lblDescription, "This program has been designed to program KL40a and KL40c "
                                  "radios for the UHF Amateur band only.");
    EXPECT_EQ(box.lblDisclaimer,
              "Warning: ...This program will generate eprom files for amateur UHF radios only");
    EXPECT_EQ(box.lblFirmware, "Program code of built images:\n"
                               "KL40a-16: all data area, no program code needed\n"
                               "KL40a-64: shipped template, no program code\n"
                               "KL40c: shipped template, no program code");

    box.cmdSysInfo_Click();
    EXPECT_FALSE(box.closed());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(platform.last().title, "KL40");
    EXPECT_EQ(platform.last().icon, Icon::None);
    EXPECT_EQ(platform.last().buttons, Buttons::Ok);

    box.cmdOK_Click();
    EXPECT_TRUE(box.closed());
}

TEST(HelpWindow, LooksInTheWorkingDirectoryThenBesideTheProgram) {
    const fs::path root = fs::temp_directory_path() / "kl40-help-test";
    fs::remove_all(root);
    const fs::path work = root / "work", program = root / "program";
    fs::create_directories(work);
    fs::create_directories(program);
    auto write = [](const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    };

    HelpDocument doc = LoadHelpDocument(work, program);
    EXPECT_FALSE(doc.found);
    EXPECT_NE(doc.text.find("KL40.hlp"), std::string::npos); // a note instead

    // Installed: <prefix>/share/kl40 beside the program's <prefix>/bin.
    fs::create_directories(root / "share" / "kl40");
    write(root / "share" / "kl40" / "KL40.hlp", "<p>installed copy</p>");
    EXPECT_EQ(LoadHelpDocument(work, program).text, "<p>installed copy</p>");

    write(program / "KL40.hlp", "<p>program copy</p>");
    doc = LoadHelpDocument(work, program);
    EXPECT_TRUE(doc.found);
    EXPECT_EQ(doc.text, "<p>program copy</p>");

    write(work / "KL40.hlp", "<p>working copy</p>\r\n\xC3\xA9");
    EXPECT_EQ(LoadHelpDocument(work, program).text, "<p>working copy</p>\r\n\xC3\xA9");

    // A folder of that name is not a document.
    fs::create_directories(root / "odd" / "KL40.hlp");
    EXPECT_FALSE(LoadHelpDocument(root / "odd", {}).found);

    Help help(program);
    help.Form_Load(); // the test's working directory holds no help document
    EXPECT_EQ(help.caption, "KL40 Help");
    EXPECT_EQ(help.rtfData, "<p>program copy</p>");
    fs::remove_all(root);
}

TEST(HelpWindow, ShippedDocumentCoversTheMainTasks) {
    const char* sourceDir = std::getenv("KL40_SOURCE_DIR");
    const fs::path app = sourceDir
                             ? fs::path(sourceDir) / "app"
                             : fs::path(__FILE__).parent_path().parent_path().parent_path() / "app";
    const HelpDocument doc = LoadHelpDocument(app, {});
    ASSERT_TRUE(doc.found) << app;
    for (const char* topic :
         {"<html", "Receive", "CTCSS", "Scan", "Update", "Delete", ".bin", "Print", "Time-out",
          "Model", "Undo", "Redo", "Import Channels", "Export Channels", "Intel HEX", "S-record",
          "last eight images", "Preview", "Use Firmware From Image", "Read EPROM", "Write EPROM",
          "Verify EPROM", "Programmer Settings"})
        EXPECT_NE(doc.text.find(topic), std::string::npos) << topic;
    for (const char* topic :
         {"Save As", ".json", "names and comments", "Channel Table", "Ctrl+T", "Fill Frequencies",
          "Sort Channels", "Preferences", "Ctrl+V", "Print Channel Table"})
        EXPECT_NE(doc.text.find(topic), std::string::npos) << topic;
}

} // namespace
} // namespace kl40
