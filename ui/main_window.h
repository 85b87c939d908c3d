#pragma once
// Logic of the main frame `MDI_kl40`: the menu commands, the New sequence and
// the save question on the way out. It refers to the one Workspace and hands
// the secondary windows and the end of the program to a WindowHost.

#include "core/radio_data.h"
#include "image/flows.h"
#include "ui/entry_form.h"

namespace kl40 {

inline constexpr const char* kMainWindowCaption = "KL40 Programming";

// The frame's secondary windows and the end of the program, as the toolkit
// provides them. Each secondary window exists at most once: showing it again
// while it is open brings the same window forward.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    // The print selection window, modeless.
    virtual void ShowPrintDialog() = 0;
    virtual void ShowHelp() = 0;
    virtual void ShowAbout() = 0;
    // Ends the program at once: no further question, no window may object.
    virtual void EndProgram() = 0;
};

class MDI_kl40 : public FormHost {
public:
    MDI_kl40(Workspace& ws, WindowHost& windows) : ws_(ws), windows_(windows) {}
    MDI_kl40(const MDI_kl40&) = delete;
    MDI_kl40& operator=(const MDI_kl40&) = delete;

    // File menu.
    void mnuNewFile_Click();
    void mnuOpenFile_Click();
    void mnuSaveFile_Click();
    // "Use Firmware From Image...".
    void mnuUseFirmware_Click();
    void mnuKL40_Click(); // Exit
    // Menu-bar command "&Print".
    void mnuPrint_Click();
    // Info menu.
    void mnuKL40_Help_Click();
    void mnuKL40_About_Click();

    // The frame's close box. Asks to save as Exit does; returns false when the
    // frame must stay open (Cancel, or a save that wrote nothing), otherwise
    // ends the program and returns true.
    bool QueryUnload();

    // FormHost, for the entry form's Save, Print and Exit buttons.
    SaveOutcome SaveRadioFile() override;
    void ShowPrintDialog() override;
    void EndProgram() override;

private:
    Workspace& ws_;
    WindowHost& windows_;
};

} // namespace kl40
