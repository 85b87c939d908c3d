// Faults of the file system and bad files met by the open and save flows: each
// must be reported clearly and leave the radio being edited and any existing
// file as they were. The same scenarios generate the table of
// docs/reliability.md (KL40_UPDATE_DOCS=1 rewrites it).

#include "image/image_build.h"
#include "image/image_file.h"
#include "image/layout.h"
#include "support/loaded_form.h"
#include "ui/flows/flows.h"
#include "ui/flows/form_image.h"

#include "support/channel_slots.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kl40 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// --- The radio being edited ------------------------------------------------

// Two channels, one option and unsaved changes, as an operator leaves them.
struct EditedRadio : test::LoadedForm {
    EditedRadio() {
        store(5, "435.125", "430.125", "88.5 ", true);
        store(12, "439", "", "103.5", false);
        ws.form.chkBCO.click();
        platform.clear();
    }
};

// What the operator would lose: channels, options, list, caption and the
// unsaved-changes flag.
struct RadioState {
    std::array<std::optional<Channel>, kChannelSlots> table;
    std::string model;
    std::string timeout;
    std::vector<bool> options;
    int count;
    std::vector<std::string> lines;
    std::string caption;
    bool dataChanged;
    bool operator==(const RadioState&) const = default;
};

// ConfigText is left out: a build derives its model and time-out digits from
// the selectors again, failed or not.
RadioState StateOf(const Workspace& ws) {
    const EntryFields& f = ws.form;
    std::vector<bool> options;
    for (const CheckBox* box :
         {&f.chkScan_En, &f.chkDwn_Del, &f.chkScan_Prog, &f.chkDispl_Blnk, &f.chkInd_On,
          &f.chkCTCSS_en, &f.chkBCO, &f.chkSilent, &f.chkTX_Inh, &f.chkHiLo})
        options.push_back(box->checked());
    return {ws.data.radio.channels, f.cboRadio.text(), f.cboToT.text(), options,
            ws.data.radio.channelCount, f.lstFreq.lines(), f.caption,       ws.data.DataChanged};
}

// Every entry of a folder tree with its bytes ("/" marks a folder).
std::map<std::string, std::string> Contents(const fs::path& dir) {
    std::map<std::string, std::string> contents;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = fs::relative(it->path(), dir).string();
        if (it->is_symlink()) {
            contents[name] = "-> " + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            contents[name] = "/";
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            contents[name] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return contents;
}

void Put(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes OldImage() {
    Bytes bytes(2048);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 13);
    return bytes;
}

// --- Outcome of a scenario -------------------------------------------------

struct Shown {
    std::string text;
    std::string title;
    Icon icon = Icon::None;
};

struct Outcome {
    std::vector<Shown> shown;
    std::string observed;              // what the user sees besides messages
    std::vector<std::string> kept;     // what was verified to be kept
    std::vector<std::string> problems; // checks that failed
    std::string unavailable;           // why the fault could not be arranged here
};

// Runs one fault against the radio and the folder, and checks what is kept.
class Trial {
public:
    Trial(const fs::path& dir, Outcome& out) : dir_(dir), out_(out) {}

    EditedRadio radio;

    // Takes the state that must survive; call after arranging the files.
    void Arrange() {
        before_ = StateOf(radio.ws);
        files_ = Contents(dir_);
    }
    // Chooses `path` in the save or open dialog; an existing file is to be
    // replaced, as the operator confirms.
    void Choose(const fs::path& path) {
        radio.platform.choosePath(path.string());
        std::error_code ec;
        if (fs::is_regular_file(path, ec)) radio.platform.answer(Answer::Yes);
    }

    void Check(bool holds, const std::string& problem) {
        if (!holds) out_.problems.push_back(problem);
    }
    void Keeps(const std::string& what, bool holds) {
        if (holds) {
            out_.kept.push_back(what);
        } else {
            out_.problems.push_back(what + " was not kept");
        }
    }
    void KeepsRadio() {
        const RadioState now = StateOf(radio.ws);
        Keeps("the radio being edited", now == before_);
        if (now.table != before_.table) out_.problems.push_back("channel table changed");
        if (now.model != before_.model || now.timeout != before_.timeout)
            out_.problems.push_back("model or time-out changed");
        if (now.options != before_.options) out_.problems.push_back("options changed");
        if (now.count != before_.count)
            out_.problems.push_back("channel count " + std::to_string(before_.count) + " became " +
                                    std::to_string(now.count));
        if (now.lines != before_.lines) out_.problems.push_back("channel list changed");
        if (now.caption != before_.caption)
            out_.problems.push_back("caption became " + now.caption);
        if (now.dataChanged != before_.dataChanged) out_.problems.push_back("DataChanged changed");
    }
    void KeepsFiles(const std::string& what) { Keeps(what, Contents(dir_) == files_); }
    void Shows(const std::string& text, const std::string& title, Icon icon) {
        for (const auto& m : radio.platform.messages)
            if (m.text == text && m.title == title && m.icon == icon) return;
        out_.problems.push_back("no message \"" + text + "\" (" + title + ")");
    }

    // Runs the save flow; it must fail with exactly one message and no "saved".
    void SaveFails() {
        const SaveOutcome outcome = SaveRadioFile(radio.ws);
        Collect();
        Check(outcome == SaveOutcome::Failed, "the save was not reported as failed");
        Check(std::count_if(radio.platform.messages.begin(), radio.platform.messages.end(),
                            [](const auto& m) { return m.buttons == Buttons::Ok; }) == 1,
              "not exactly one message");
    }
    void Observe(const std::string& what) { out_.observed = what; }
    void Open() {
        OpenRadioFile(radio.ws);
        Collect();
        Check(!radio.ws.data.LoadingForm, "the form stayed in loading mode");
    }
    void Collect() {
        // What went wrong is told; the question before replacing a file is not.
        for (const auto& m : radio.platform.messages)
            if (m.buttons == Buttons::Ok) out_.shown.push_back({m.text, m.title, m.icon});
    }

private:
    fs::path dir_;
    Outcome& out_;
    RadioState before_{};
    std::map<std::string, std::string> files_;
};

// --- Where a scenario runs -------------------------------------------------

enum class Setting {
    Here,         // in the test process
    Unprivileged, // in a child process without root's override of permissions
    OwnMounts,    // in a child process with a mount namespace of its own
};

struct Scenario {
    const char* id;
    const char* fault;
    Setting setting;
    bool coveredElsewhere; // only for the table: its own test is in another file
    std::function<void(const fs::path& dir, Outcome& out)> run;
};

// Outcomes cross from a child process as length-prefixed strings.
void PutString(std::string& to, const std::string& s) {
    to += std::to_string(s.size()) + ":" + s;
}
std::string GetString(std::istream& in) {
    std::size_t size = 0;
    char colon = 0;
    if (!(in >> size >> colon) || colon != ':') return {};
    std::string s(size, '\0');
    in.read(s.data(), static_cast<std::streamsize>(size));
    return s;
}
std::string Encode(const Outcome& out) {
    std::string s;
    PutString(s, out.unavailable);
    PutString(s, out.observed);
    PutString(s, std::to_string(out.shown.size()));
    for (const auto& m : out.shown) {
        PutString(s, m.text);
        PutString(s, m.title);
        PutString(s, std::to_string(static_cast<int>(m.icon)));
    }
    for (const auto* list : {&out.kept, &out.problems}) {
        PutString(s, std::to_string(list->size()));
        for (const auto& item : *list)
            PutString(s, item);
    }
    return s;
}
Outcome Decode(const std::string& s) {
    std::istringstream in(s);
    Outcome out;
    out.unavailable = GetString(in);
    out.observed = GetString(in);
    const std::string shown = GetString(in);
    for (int i = 0, n = shown.empty() ? 0 : std::stoi(shown); i < n; ++i) {
        Shown m;
        m.text = GetString(in);
        m.title = GetString(in);
        const std::string icon = GetString(in);
        m.icon = static_cast<Icon>(icon.empty() ? 0 : std::stoi(icon));
        out.shown.push_back(std::move(m));
    }
    for (auto* list : {&out.kept, &out.problems}) {
        const std::string count = GetString(in);
        for (int i = 0, n = count.empty() ? 0 : std::stoi(count); i < n; ++i)
            list->push_back(GetString(in));
    }
    return out;
}

bool WriteText(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

// Gives up root's override of file permissions; "" or the reason it failed.
std::string DropPrivileges() {
    if (::geteuid() != 0) return "";
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
        return "cannot give up root's privileges";
    return "";
}

// A user and mount namespace of the child's own: mounts made there are private
// to it and vanish with it.
std::string OwnMountNamespace() {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return "no user namespaces here";
    if (!WriteText("/proc/self/setgroups", "deny") ||
        !WriteText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        return "cannot map the user into its namespace";
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return "cannot make the mounts private";
    return "";
}

Outcome RunHere(const Scenario& scenario, const fs::path& dir) {
    Outcome out;
    try {
        scenario.run(dir, out);
    } catch (const std::exception& e) {
        out.problems.push_back(std::string("unexpected exception: ") + e.what());
    }
    return out;
}

Outcome RunInChild(const Scenario& scenario, const fs::path& dir) {
    Outcome failed;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        failed.unavailable = "no pipe";
        return failed;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        failed.unavailable = "no child process";
        return failed;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        // An unprivileged scenario gives up root's privileges itself, after
        // arranging its files.
        Outcome out;
        out.unavailable =
            scenario.setting == Setting::OwnMounts ? OwnMountNamespace() : std::string();
        if (out.unavailable.empty()) out = RunHere(scenario, dir);
        const std::string encoded = Encode(out);
        std::size_t done = 0;
        while (done < encoded.size()) {
            const ssize_t n = ::write(pipeEnds[1], encoded.data() + done, encoded.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string encoded;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        encoded.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        failed.problems.push_back("the scenario's process ended abnormally");
        return failed;
    }
    return Decode(encoded);
}

// Runs a scenario in a fresh folder and removes the folder afterwards.
Outcome RunScenario(const Scenario& scenario, fs::path* usedDir = nullptr) {
    const fs::path dir =
        fs::temp_directory_path() / ("kl40-reliability-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(std::random_device{}()) + "-" + scenario.id);
    fs::create_directories(dir);
    if (usedDir) *usedDir = dir;
    Outcome out =
        scenario.setting == Setting::Here ? RunHere(scenario, dir) : RunInChild(scenario, dir);
    // Folders a scenario made read-only are opened up again to be removed.
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory() && !it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir, ec);
    return out;
}

// --- The scenarios ---------------------------------------------------------

const std::vector<Scenario>& Scenarios() {
    static const std::vector<Scenario> scenarios{
        // Open flow.
        {"OpenVanishedFile", "Open: the chosen file is deleted before it is read", Setting::Here,
         false,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             Put(dir / "radio.bin", OldImage());
             t.radio.platform.onChosen = [](const std::string& p) { fs::remove(p); };
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.Open();
             t.Shows("Unable to open data file\nNo such file or directory", "File Error",
                     Icon::Critical);
             t.KeepsRadio();
         }},
        {"OpenFolder", "Open: the chosen path is a folder", Setting::Here, false,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             fs::create_directory(dir / "radios.bin");
             t.Arrange();
             t.Choose(dir / "radios.bin");
             t.Open();
             t.Shows("Can't open file: " + (dir / "radios.bin").string(), "KL40", Icon::None);
             t.Shows("Unable to open data file\nis a folder", "File Error", Icon::Critical);
             t.KeepsRadio();
         }},
        {"OpenUnreadable", "Open: a file the user may not read", Setting::Unprivileged, false,
         [](const fs::path& dir, Outcome& out) {
             Put(dir / "radio.bin", OldImage());
             fs::permissions(dir / "radio.bin", fs::perms::none);
             if (auto why = DropPrivileges(); !why.empty()) return void(out.unavailable = why);
             Trial t(dir, out);
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.Open();
             t.Shows("Can't open file: " + (dir / "radio.bin").string(), "KL40", Icon::None);
             t.Shows("Unable to open data file\nPermission denied", "File Error", Icon::Critical);
             t.KeepsRadio();
         }},
        {"OpenEmpty", "Open: an empty file", Setting::Here, true,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             Put(dir / "radio.bin", {});
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.Open();
             t.Shows("Unable to open data file\nempty file", "File Error", Icon::Critical);
             t.KeepsRadio();
         }},
        {"OpenTooLong", "Open: a file over 65000 bytes", Setting::Here, true,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             Put(dir / "radio.bin", Bytes(65001, 0xFF));
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.Open();
             t.Shows("Unable to open data file\nlarger than 65000 bytes", "File Error",
                     Icon::Critical);
             t.KeepsRadio();
         }},
        {"OpenUnknownModel", "Open: an image of no known model (8192 bytes without a marker)",
         Setting::Here, true,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             Put(dir / "radio.bin", Bytes(8192, 0xFF));
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.Open();
             t.Shows("Error in decoding channel", "Data Error", Icon::Exclamation);
             t.KeepsRadio();
         }},
        {"OpenDamagedSlot", "Open: a KL40c image whose channel 5 receive slot is zeroed",
         Setting::Here, false,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             // The radio itself, saved, then damaged: the image holds no check
             // of its own, so the damage shows in what it decodes to.
             t.radio.platform.choosePath((dir / "radio.bin").string());
             t.Check(SaveRadioFile(t.radio.ws) == SaveOutcome::Saved, "the radio was not saved");
             const std::string channel12 = test::EntryOf(t.radio.ws, 12);
             Bytes image = t.radio.ws.data.ImageText;
             const std::size_t slot = ReceiveSlotAddress(5, 3);
             std::fill(image.begin() + static_cast<std::ptrdiff_t>(slot),
                       image.begin() + static_cast<std::ptrdiff_t>(slot + 4), std::uint8_t{0});
             Put(dir / "radio.bin", image);
             t.radio.platform.clear();
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.Open();
             t.Shows("This image holds what no radio entered here would:\n"
                     "- channel 5: receive 21.4000 MHz is outside 400 to 450 MHz\n"
                     "The channels are shown as the image holds them; check them before saving.",
                     "Damaged Image", Icon::Exclamation);
             t.Keeps("the other channels and the options as saved",
                     test::EntryOf(t.radio.ws, 12) == channel12 &&
                         t.radio.ws.form.chkBCO.checked());
             t.KeepsFiles("the file");
         }},

        // Save flow: every fault must leave the radio and the existing file.
        {"SaveReadOnlyFolder", "Save: over a writable file in a folder without write permission",
         Setting::Unprivileged, false,
         [](const fs::path& dir, Outcome& out) {
             Put(dir / "radio.bin", OldImage());
             if (::geteuid() == 0 && ::chown((dir / "radio.bin").c_str(), 65534, 65534) != 0)
                 return void(out.unavailable = "cannot hand the file to another user");
             fs::permissions(dir, fs::perms(0555));
             if (auto why = DropPrivileges(); !why.empty()) return void(out.unavailable = why);
             Trial t(dir, out);
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.SaveFails();
             t.Shows("Permission denied", "KL40", Icon::Exclamation);
             t.KeepsRadio();
             t.KeepsFiles("radio.bin byte for byte, no file left behind");
         }},
        {"SaveReadOnlyFileSystem", "Save: over a file on a read-only file system",
         Setting::OwnMounts, false,
         [](const fs::path& dir, Outcome& out) {
             if (::mount("kl40", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
                 return void(out.unavailable = "cannot mount a small file system");
             Put(dir / "radio.bin", OldImage());
             if (::mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
                 return void(out.unavailable = "cannot make the file system read-only");
             Trial t(dir, out);
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.SaveFails();
             t.Shows("Read-only file system", "KL40", Icon::Exclamation);
             t.KeepsRadio();
             t.KeepsFiles("radio.bin byte for byte, no file left behind");
         }},
        {"SaveFullFileSystem", "Save: over a file on a full file system", Setting::OwnMounts, false,
         [](const fs::path& dir, Outcome& out) {
             // 16 KiB: the old file and a filler leave one 4 KiB page free,
             // less than an 8192-byte image needs.
             if (::mount("kl40", dir.c_str(), "tmpfs", 0, "size=16k") != 0)
                 return void(out.unavailable = "cannot mount a small file system");
             Put(dir / "radio.bin", OldImage());
             Put(dir / "filler", Bytes(8192, 0));
             Trial t(dir, out);
             t.Arrange();
             t.Choose(dir / "radio.bin");
             t.SaveFails();
             t.Shows("No space left on device", "KL40", Icon::Exclamation);
             t.KeepsRadio();
             t.KeepsFiles("radio.bin byte for byte, no file left behind");
         }},
        {"SaveDevice", "Save: onto a device (a link to /dev/full)", Setting::Here, false,
         [](const fs::path& dir, Outcome& out) {
             if (!fs::exists("/dev/full")) return void(out.unavailable = "no /dev/full");
             Trial t(dir, out);
             fs::create_symlink("/dev/full", dir / "full.bin");
             t.Arrange();
             t.Choose(dir / "full.bin");
             t.SaveFails();
             t.Shows("Can't write file: " + (dir / "full.bin").string() + " is not a regular file.",
                     "KL40", Icon::Exclamation);
             t.KeepsRadio();
             t.KeepsFiles("the link, nothing written");
         }},
        {"SaveBeneathFile", "Save: into a \"folder\" that is a regular file", Setting::Here, false,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             Put(dir / "radio.bin", OldImage());
             t.Arrange();
             t.Choose(dir / "radio.bin" / "radio.bin");
             t.SaveFails();
             t.Shows("Not a directory", "KL40", Icon::Exclamation);
             t.KeepsRadio();
             t.KeepsFiles("radio.bin byte for byte, no file left behind");
         }},
        {"SaveOverFolder", "Save: the chosen path is a folder", Setting::Here, false,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             fs::create_directory(dir / "old.bin");
             Put(dir / "old.bin" / "radio.bin", OldImage());
             t.Arrange();
             t.Choose(dir / "old.bin");
             t.SaveFails();
             t.Shows("Can't write file: " + (dir / "old.bin").string() + " is a folder.", "KL40",
                     Icon::Exclamation);
             t.KeepsRadio();
             t.KeepsFiles("the folder and its files");
         }},
        {"SaveVanishedFolder", "Save: the chosen folder is deleted before the write", Setting::Here,
         false,
         [](const fs::path& dir, Outcome& out) {
             Trial t(dir, out);
             fs::create_directory(dir / "radios");
             Put(dir / "radio.bin", OldImage());
             // What must be kept is what is left once the folder is gone.
             t.radio.platform.onChosen = [&t](const std::string& p) {
                 fs::remove_all(fs::path(p).parent_path());
                 t.Arrange();
             };
             t.Choose(dir / "radios" / "radio.bin");
             t.SaveFails();
             t.Shows("No such file or directory", "KL40", Icon::Exclamation);
             t.KeepsRadio();
             t.KeepsFiles("radio.bin beside it, nothing written");
         }},
        {"SaveUnverified", "Save: the written file does not read back as written", Setting::Here,
         true,
         [](const fs::path& dir, Outcome& out) {
             // The save flow's write, with the file damaged before the read-back.
             Trial t(dir, out);
             Put(dir / "radio.bin", OldImage());
             t.Arrange();
             t.Check(BuildImage(t.radio.ws), "the radio did not build");
             WriteOptions damage;
             damage.afterWrite = [](const std::string& temporary) {
                 std::fstream f(temporary, std::ios::in | std::ios::out | std::ios::binary);
                 f.seekg(100);
                 const char byte = static_cast<char>(f.get() ^ 0xFF);
                 f.seekp(100);
                 f.put(byte);
             };
             t.Check(!WriteImageFile(t.radio.ws, (dir / "radio.bin").string(), damage),
                     "the damaged write was reported as done");
             t.Collect();
             const std::string text = "The file did not read back as written and was not saved: ";
             t.Shows(text + (dir / "radio.bin").string(), "File Error", Icon::Critical);
             t.KeepsFiles("radio.bin byte for byte, no file left behind");
         }},
    };
    return scenarios;
}

// --- The tests -------------------------------------------------------------

class Fault : public ::testing::TestWithParam<std::size_t> {};

TEST_P(Fault, IsReportedAndKeepsTheRadioAndTheFile) {
    const Scenario& scenario = Scenarios()[GetParam()];
    const Outcome out = RunScenario(scenario);
    if (!out.unavailable.empty()) GTEST_SKIP() << out.unavailable;
    for (const auto& problem : out.problems)
        ADD_FAILURE() << problem;
    if (!out.problems.empty())
        for (const auto& m : out.shown)
            std::cerr << "  shown: " << m.text << " (" << m.title << ")\n";
    EXPECT_FALSE(out.shown.empty() && out.observed.empty()) << "nothing was shown";
    EXPECT_FALSE(out.kept.empty());
}

std::vector<std::size_t> NewScenarios() {
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < Scenarios().size(); ++i)
        if (!Scenarios()[i].coveredElsewhere) indices.push_back(i);
    return indices;
}

INSTANTIATE_TEST_SUITE_P(OpenAndSave, Fault, ::testing::ValuesIn(NewScenarios()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             return std::string(Scenarios()[info.param].id);
                         });

// --- The table of docs/reliability.md --------------------------------------

constexpr const char* kBegin = "<!-- table generated by the reliability tests: begin -->";
constexpr const char* kEnd = "<!-- table generated by the reliability tests: end -->";

std::string IconName(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return "information";
    case Icon::Exclamation:
        return "exclamation";
    case Icon::Critical:
        return "critical";
    case Icon::Question:
        return "question";
    case Icon::None:
        break;
    }
    return "no icon";
}

// Text for a table cell: the scenario's folder as <folder>, bars escaped; a
// message becomes code, one span per line.
std::string Cell(std::string text, const fs::path& dir, bool code = false) {
    for (std::size_t at; (at = text.find(dir.string())) != std::string::npos;)
        text.replace(at, dir.string().size(), "<folder>");
    const std::string quote = code ? "`" : "";
    std::string cell = quote;
    for (char c : text) {
        if (c == '\n') {
            cell += quote + "<br>" + quote;
        } else if (c == '|') {
            cell += "\\|";
        } else {
            cell += c;
        }
    }
    return cell + quote;
}

std::string Row(const Scenario& scenario, const Outcome& out, const fs::path& dir) {
    std::string shown;
    for (const auto& m : out.shown) {
        if (!shown.empty()) shown += ", then ";
        shown += Cell(m.text, dir, true) + " (" + m.title + ", " + IconName(m.icon) + ")";
    }
    if (!out.observed.empty()) shown += (shown.empty() ? "" : ", then ") + out.observed;
    std::string kept;
    for (const auto& k : out.kept)
        kept += (kept.empty() ? "" : "; ") + Cell(k, dir);
    return "| " + Cell(scenario.fault, dir) + " | " + shown + " | " + kept + " |\n";
}

TEST(ReliabilityDoc, TableMatchesWhatTheScenariosShow) {
    std::string table = std::string(kBegin) + "\n\n| Bad input or fault | What the user sees | "
                                              "What is kept |\n|---|---|---|\n";
    for (const Scenario& scenario : Scenarios()) {
        fs::path dir;
        const Outcome out = RunScenario(scenario, &dir);
        if (!out.unavailable.empty())
            GTEST_SKIP() << scenario.id << " cannot run here (" << out.unavailable
                         << "), so the table cannot be checked";
        ASSERT_TRUE(out.problems.empty()) << scenario.id << ": " << out.problems.front();
        table += Row(scenario, out, dir);
    }
    table += "\n" + std::string(kEnd);

    const char* source = std::getenv("KL40_SOURCE_DIR");
    if (!source) GTEST_SKIP() << "KL40_SOURCE_DIR is not set";
    const fs::path doc = fs::path(source) / "docs" / "reliability.md";
    std::ifstream in(doc, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    in.close();

    const std::size_t begin = text.find(kBegin);
    const std::size_t end = text.find(kEnd);
    const bool marked = begin != std::string::npos && end != std::string::npos && begin < end;
    const std::string current =
        marked ? text.substr(begin, end + std::string(kEnd).size() - begin) : std::string();

    const char* update = std::getenv("KL40_UPDATE_DOCS");
    if (update && std::string(update) == "1") {
        if (marked) {
            text.replace(begin, current.size(), table);
        } else {
            text += (text.empty() ? "# Reliability\n\n" : "\n") + table + "\n";
        }
        std::ofstream(doc, std::ios::binary) << text;
        return;
    }
    EXPECT_EQ(current, table) << doc.string()
                              << " does not show what the tests do; regenerate it with\n"
                                 "  KL40_UPDATE_DOCS=1 KL40_SOURCE_DIR=$PWD "
                                 "build/<dir>/tests/image_tests --gtest_filter='ReliabilityDoc.*'";
}

} // namespace
} // namespace kl40
