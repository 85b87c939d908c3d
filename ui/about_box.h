#pragma once
// The about box: program name, version and purpose, and a "System Info..."
// button. No system information program can be found on this platform, so the
// button says so.

#include "core/platform.h"
#include "ui/form/fields.h"

#include <string>

namespace kl40 {

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

class frmAbout {
public:
    explicit frmAbout(Platform& platform, Handler onClose = {});

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
    // Says that system information is unavailable.
    void cmdSysInfo_Click();

    bool closed() const { return closed_; }

private:
    Platform& platform_;
    Handler onClose_;
    bool closed_ = false;
};

} // namespace kl40
