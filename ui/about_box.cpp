#include "ui/about_box.h"

#include "image/firmware_store.h"

#include <utility>

#ifndef KL40_VERSION
#define KL40_VERSION "0.0.0"
#endif

namespace kl40 {

frmAbout::frmAbout(Platform& platform, Handler onClose)
    : platform_(platform), onClose_(std::move(onClose)) {}

void frmAbout::Form_Load() {
    caption = std::string("About ") + kAppTitle;
    lblTitle = kAppTitle;
    lblVersion = std::string("Version ") + KL40_VERSION;
    lblDescription = std::string("This program has been designed to program KL40a ") +
                     "and KL40c radios for the UHF Amateur band only.";
    lblDisclaimer =
        "Warning: ...This program will generate eprom files for amateur UHF radios only";
    lblFirmware = "Program code of built images:";
    for (const std::string& line : DescribeFirmware(firmwareFolder))
        lblFirmware += "\n" + line;
}

void frmAbout::cmdOK_Click() {
    closed_ = true;
    if (Handler handler = onClose_) handler(); // may destroy this box
}

void frmAbout::cmdSysInfo_Click() {
    platform_.show(kSysInfoUnavailable, kAppTitle, Icon::None);
}

} // namespace kl40
