#include "image/image_file.h"
#include "ui/flows/form_image.h"
#include "ui/flows/image_open.h"
#include "ui/flows/save_path.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kSmall = 2048; // model 1
constexpr std::size_t kLarge = 8192; // models 2 and 3

Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return bytes;
}

void Put(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ImageFileTest : public ::testing::Test {
protected:
    ImageFileTest() {
        std::random_device random;
        dir = fs::temp_directory_path() /
              ("kl40-image-file-" + std::to_string(::getpid()) + "-" + std::to_string(random()));
        fs::create_directories(dir);
        ws.data.radio.model = 1;
    }
    ~ImageFileTest() override {
        EXPECT_FALSE(ui.busy);
        EXPECT_EQ(ui.busyChanges.size() % 2, 0u);
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    // Names in the folder, to see that no temporary file was left behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Open(const fs::path& path) {
        ui.choosePath(path.string());
        return OpenImageFile(ws, kOpenFilter);
    }
    void ExpectMessage(const std::string& text, const char* title, Icon icon) const {
        EXPECT_EQ(ui.last().text, text);
        EXPECT_EQ(ui.last().title, title);
        EXPECT_EQ(ui.last().icon, icon);
    }

    fs::path dir;
    test::ScriptedPlatform ui;
    Workspace ws{ui};
};

TEST_F(ImageFileTest, OpenDialogReadsTheChosenFileOrCancels) {
    Put(dir / "radio.bin", Pattern(kLarge));
    ws.CMDDialog1.FileName = "earlier.bin";
    ws.data.FileError = true;
    EXPECT_EQ(Open(dir / "radio.bin"), (dir / "radio.bin").string());
    EXPECT_EQ(ui.openRequests[0].filter, kOpenFilter);
    EXPECT_EQ(ui.openRequests[0].fileName, "");
    EXPECT_FALSE(ui.openRequests[0].overwritePrompt);
    EXPECT_EQ(ws.CMDDialog1.FileName, (dir / "radio.bin").string());
    EXPECT_EQ(ws.data.ImageText, Pattern(kLarge));
    EXPECT_FALSE(ws.data.FileError);
    EXPECT_EQ(ui.busyChanges, (std::vector<bool>{true, false}));

    for (bool flag : {false, true}) {
        ws.data.FileError = flag;
        ui.cancelDialog();
        EXPECT_EQ(OpenImageFile(ws, kOpenFilter), "");
        EXPECT_EQ(ws.data.FileError, flag);
        EXPECT_EQ(ws.data.ImageText, Pattern(kLarge));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImageFileTest, OpenRejectsEmptyMissingAndOverlongFiles) {
    Put(dir / "max.bin", Pattern(65000));
    Open(dir / "max.bin");
    EXPECT_FALSE(ws.data.FileError);
    EXPECT_EQ(ws.data.ImageText, Pattern(65000));

    Put(dir / "empty.bin", {});
    for (const char* name : {"empty.bin", "missing.bin"}) {
        ws.data.FileError = false;
        EXPECT_EQ(Open(dir / name), (dir / name).string());
        EXPECT_TRUE(ws.data.FileError) << name;
    }
    EXPECT_TRUE(ui.messages.empty());

    Put(dir / "long.bin", Pattern(65001));
    ws.data.FileError = false;
    Open(dir / "long.bin");
    EXPECT_TRUE(ws.data.FileError);
    EXPECT_EQ(ui.messages.size(), 1u);
    ExpectMessage("Unable to open file.", "File Error", Icon::None);
    EXPECT_EQ(ws.data.ImageText, Pattern(65000));
}

TEST_F(ImageFileTest, UnopenableFilesAreReportedAndKeepTheImage) {
    ws.data.ImageText = {9};
    Open(dir);
    EXPECT_TRUE(ws.data.FileError);
    ExpectMessage("Can't open file: " + dir.string(), "KL40", Icon::None);
    // A file gone by the time of the read, and a device that never ends.
    for (const fs::path& path : {dir / "gone.bin", fs::path("/dev/zero")}) {
        if (path == "/dev/zero" && !fs::exists(path)) continue;
        EXPECT_FALSE(ReadImageFile(ws, path.string()));
        ExpectMessage("Can't open file: " + path.string(), "KL40", Icon::None);
    }
    EXPECT_EQ(ws.data.ImageText, Bytes{9});
}

TEST_F(ImageFileTest, SaveDialogStartsFromTheRememberedName) {
    Put(dir / "radio.bin", Pattern(10));
    Open(dir / "radio.bin");
    ui.choosePath((dir / "other.bin").string());
    ws.data.FileError = true;
    EXPECT_EQ(ChooseSaveFile(ws, kSaveFilter), (dir / "other.bin").string());
    EXPECT_EQ(ui.saveRequests[0].filter, kSaveFilter);
    EXPECT_EQ(ui.saveRequests[0].fileName, (dir / "radio.bin").string());
    EXPECT_FALSE(ui.saveRequests[0].overwritePrompt) << "the save flow asks itself";
    EXPECT_FALSE(ws.data.FileError);

    ws.data.FileError = true;
    ui.cancelDialog();
    EXPECT_EQ(ChooseSaveFile(ws, kSaveFilter), "");
    EXPECT_TRUE(ws.data.FileError);
    EXPECT_EQ(ui.saveRequests[1].fileName, (dir / "other.bin").string());
}

TEST_F(ImageFileTest, WriteSizeFollowsTheModelCodeAndRoundTrips) {
    const fs::path path = dir / "out.bin";
    Put(path, Pattern(kLarge + 100));
    for (char model : {'3', '2', '1'}) {
        ws.data.radio.model = model - '0';
        ws.data.ImageText = Pattern(kLarge + 5);
        ASSERT_TRUE(WriteImageFile(ws, path.string())) << model;
        const Bytes expected = Pattern(model == '1' ? kSmall : kLarge);
        EXPECT_EQ(ws.data.ImageText, expected);
        EXPECT_EQ(Get(path), expected);
        ws.data.ImageText.clear();
        Open(path);
        EXPECT_EQ(ws.data.ImageText, expected); // every byte value, 0x00 and 0x80-0xFF too
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.bin"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImageFileTest, WrittenFilesGetUsualPermissions) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ws.data.ImageText = Pattern(kSmall);
    ASSERT_TRUE(WriteImageFile(ws, (dir / "new.bin").string()));
    EXPECT_EQ(fs::status(dir / "new.bin").permissions(), fs::perms(0644 & ~mask));

    Put(dir / "private.bin", {1});
    fs::permissions(dir / "private.bin", fs::perms(0600));
    ASSERT_TRUE(WriteImageFile(ws, (dir / "private.bin").string()));
    EXPECT_EQ(fs::status(dir / "private.bin").permissions(), fs::perms(0600));
}

// A save through a symbolic link writes where the link points, creating that
// file when the link dangles; the link itself stays. While it is written, the
// temporary file is open to its owner only.
TEST_F(ImageFileTest, SavesThroughLinksLandWhereTheyPointAndStayPrivateMeanwhile) {
    Put(dir / "existing.bin", {1});
    fs::create_directory(dir / "sub");
    fs::create_symlink("existing.bin", dir / "to-existing.bin");
    fs::create_symlink("sub/new.bin", dir / "dangling.bin");
    fs::create_symlink(dir / "absolute.bin", dir / "dangling-absolute.bin");
    fs::create_symlink("dangling.bin", dir / "chain.bin");
    fs::create_symlink("loop-b.bin", dir / "loop-a.bin");
    fs::create_symlink("loop-a.bin", dir / "loop-b.bin");
    const struct {
        const char* link;
        const char* lands;
    } cases[] = {{"to-existing.bin", "existing.bin"},
                 {"dangling.bin", "sub/new.bin"},
                 {"dangling-absolute.bin", "absolute.bin"},
                 {"chain.bin", "sub/new.bin"}};

    const mode_t oldMask = ::umask(0);
    WriteOptions watch;
    std::vector<mode_t> temporaryModes;
    watch.afterWrite = [&temporaryModes](const std::string& temporary) {
        struct stat st {};
        ::stat(temporary.c_str(), &st);
        temporaryModes.push_back(st.st_mode & 0777);
    };
    for (const auto& c : cases) {
        ws.data.ImageText = Pattern(kSmall);
        fs::remove(dir / "sub/new.bin");
        EXPECT_TRUE(WriteImageFile(ws, (dir / c.link).string(), watch)) << c.link;
        EXPECT_TRUE(fs::is_symlink(dir / c.link)) << c.link;
        EXPECT_EQ(Get(dir / c.lands), Pattern(kSmall)) << c.link;
    }
    EXPECT_FALSE(WriteImageFile(ws, (dir / "loop-a.bin").string(), watch));
    ::umask(oldMask);
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a.bin"));
    for (const mode_t mode : temporaryModes)
        EXPECT_EQ(mode & 077, 0u) << std::oct << mode;
    EXPECT_EQ(temporaryModes.size(), std::size(cases));
}

TEST_F(ImageFileTest, FailedWriteKeepsTheExistingFile) {
    Put(dir / "keep.bin", Pattern(300));
    fs::create_directory(dir / "folder");
    ws.data.ImageText = Pattern(kSmall);
    std::vector<std::string> targets{(dir / "folder").string(), (dir / "keep.bin/x.bin").string()};
    if (fs::exists("/dev/full")) targets.push_back("/dev/full");
    for (const std::string& target : targets) {
        ui.clear();
        EXPECT_FALSE(WriteImageFile(ws, target)) << target;
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.last().icon, Icon::Exclamation);
        EXPECT_EQ(ui.last().title, "KL40");
    }
    // No model, or no image: nothing is written and the image is kept.
    for (int model : {0, 9}) {
        ws.data.radio.model = model;
        EXPECT_FALSE(WriteImageFile(ws, (dir / "keep.bin").string()));
        EXPECT_EQ(ws.data.ImageText, Pattern(kSmall));
    }
    ws.data.radio.model = 1;
    ws.data.ImageText.clear();
    EXPECT_FALSE(WriteImageFile(ws, (dir / "keep.bin").string()));

    EXPECT_EQ(Get(dir / "keep.bin"), Pattern(300));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"folder", "keep.bin"}));
}

TEST_F(ImageFileTest, PermissionsOfFolderAndFileAreRespected) {
    if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not restrict root";
    Put(dir / "locked.bin", {1, 2});
    fs::permissions(dir / "locked.bin", fs::perms(0444));
    ws.data.ImageText = Pattern(kSmall);
    EXPECT_FALSE(WriteImageFile(ws, (dir / "locked.bin").string()));
    fs::permissions(dir, fs::perms(0555));
    EXPECT_FALSE(WriteImageFile(ws, (dir / "new.bin").string()));
    fs::permissions(dir / "locked.bin", fs::perms(0000));
    EXPECT_FALSE(ReadImageFile(ws, (dir / "locked.bin").string()));
    fs::permissions(dir, fs::perms(0755));
    fs::permissions(dir / "locked.bin", fs::perms(0644));

    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(Get(dir / "locked.bin"), (Bytes{1, 2}));
    EXPECT_EQ(Entries(), std::vector<std::string>{"locked.bin"});
}

} // namespace
} // namespace kl40

namespace kl40 {
namespace {

// The written file is read back before it may replace the target; a file
// that does not read back as written is reported and replaces nothing.
TEST(WriteVerification, DamagedWriteIsReportedAndKeepsTheExistingFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kl40-verify-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string target = (dir / "radio.bin").string();
    std::ofstream(target, std::ios::binary) << "old contents";

    test::ScriptedPlatform platform;
    Workspace ws(platform);
    ws.data.radio.model = 3;
    ws.data.ImageText.assign(8192, 0xA5);

    WriteOptions damage;
    damage.afterWrite = [](const std::string& temporary) {
        std::fstream f(temporary, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(100);
        f.put('\x00');
    };
    EXPECT_FALSE(WriteImageFile(ws, target, damage));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().title, "File Error");
    EXPECT_EQ(platform.last().icon, Icon::Critical);
    EXPECT_NE(platform.last().text.find("did not read back"), std::string::npos);
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
        << "no temporary file is left behind";

    platform.clear();
    EXPECT_TRUE(WriteImageFile(ws, target));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(FileHoldsBytes(target, ws.data.ImageText));
    EXPECT_FALSE(FileHoldsBytes(target, std::vector<std::uint8_t>(8191, 0xA5)));
    fs::remove_all(dir);
}

} // namespace
} // namespace kl40
