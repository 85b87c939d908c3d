#pragma once
// The about box: program name, version and purpose, and a button that starts
// the platform's system information program when there is one.

#include "core/fields.h"
#include "core/platform.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace kl40 {

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Where the system information program is registered.
inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoValue = "PATH";
inline constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoLocationValue = "MSINFO";
inline constexpr const char* kSysInfoProgram = "\\MSINFO32.EXE";

// Registry values read into a buffer of this many characters, terminator
// included; a longer value does not fit and counts as not found.
inline constexpr std::size_t kRegistryValueBuffer = 1024;

enum class RegistryRoot { LocalMachine };

// A small view of the system registry: text values only.
class Registry {
public:
    virtual ~Registry() = default;
    // The stored text of `valueName` under `key`, as stored (it may still end
    // with its terminating zero character); nothing when the key or the value
    // does not exist.
    virtual std::optional<std::string> readText(RegistryRoot root, const std::string& key,
                                                const std::string& valueName) = 0;
};

// The registry of a platform that has none: every look-up finds nothing.
class NoRegistry final : public Registry {
public:
    std::optional<std::string> readText(RegistryRoot, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
};

// Reads a text value: the value without its terminating zero character, or
// nothing unless both the key and the value were found.
std::optional<std::string> GetKeyValue(Registry& registry, RegistryRoot root,
                                       const std::string& key, const std::string& valueName);

using FileExistsFn = std::function<bool(const std::string& path)>;
// Starts a program in a normal window without waiting for it; false when it
// could not be started.
using StartProgramFn = std::function<bool(const std::string& path)>;

// True when `path` names an existing regular file.
bool FileExists(const std::string& path);

class frmAbout {
public:
    // Without `startProgram` no program can be started, so the system
    // information button always reports that it is unavailable.
    frmAbout(Platform& platform, Registry& registry, StartProgramFn startProgram = {},
             FileExistsFn fileExists = FileExists, Handler onClose = {});

    std::string caption;
    std::string lblTitle;
    std::string lblVersion;
    std::string lblDescription;
    std::string lblDisclaimer;
    // One line per model: whether its builds take their program code from the
    // shipped template or from installed firmware.
    std::string lblFirmware;
    // Where installed firmware is looked up ("" for nowhere); set before Form_Load.
    std::string firmwareFolder;
    std::string cmdOK = "OK";
    std::string cmdSysInfo = "&System Info...";

    // Fills the texts.
    void Form_Load();
    // Closes the box.
    void cmdOK_Click();
    void cmdSysInfo_Click() { StartSysInfo(); }
    // Starts the system information program, or says it is unavailable.
    void StartSysInfo();

    bool closed() const { return closed_; }

private:
    std::optional<std::string> FindSysInfo();

    Platform& platform_;
    Registry& registry_;
    StartProgramFn startProgram_;
    FileExistsFn fileExists_;
    Handler onClose_;
    bool closed_ = false;
};

} // namespace kl40
