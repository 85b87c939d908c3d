#pragma once
// Logic of the main frame `MDI_kl40`: the menu commands, the New sequence and
// the save question on the way out. It refers to the one Workspace and hands
// the secondary windows and the end of the program to a WindowHost.

#include "ui/entry_form.h"
#include "ui/flows/flows.h"
#include "ui/form/workspace.h"
#include "ui/recent_files.h"
#include "ui/undo_history.h"

#include <string>

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
    // `recentStore` keeps the list of recent files between runs (none: the
    // list lasts as long as the frame).
    MDI_kl40(Workspace& ws, WindowHost& windows, RecentFilesStore* recentStore = nullptr)
        : ws_(ws), windows_(windows), recent_(recentStore), history_(ws) {}
    MDI_kl40(const MDI_kl40&) = delete;
    MDI_kl40& operator=(const MDI_kl40&) = delete;

    // File menu.
    void mnuNewFile_Click();
    void mnuOpenFile_Click();
    // Save writes the current file again; Save As always asks where.
    void mnuSaveFile_Click();
    void mnuSaveFileAs_Click();
    // A recent file chosen in the File menu. A file that no longer exists is
    // reported and taken off the list; otherwise it is opened as by Open.
    void OpenRecentFile(const std::string& path);
    // Opens `path` as Open does once its dialog has chosen it: the save
    // question first, then the open flow (the command line's file).
    void OpenFile(const std::string& path);
    // Files opened or saved, newest first.
    const RecentFiles& recentFiles() const { return recent_; }
    // "Use Firmware From Image...".
    void mnuUseFirmware_Click();
    // "Import Channels..." and "Export Channels..." (a channel list CSV file).
    void mnuImportChannels_Click();
    void mnuExportChannels_Click();
    void mnuKL40_Click(); // Exit
    // Edit menu: undo and redo the operator's changes to the data set.
    void mnuUndo_Click();
    void mnuRedo_Click();
    // The changes that can be undone. The views record every action of the
    // operator in it; New and Open start it afresh, a save marks it.
    UndoHistory& history() { return history_; }
    const UndoHistory& history() const { return history_; }
    // Menu-bar command "&Print".
    void mnuPrint_Click();
    // Info menu.
    void mnuKL40_Help_Click();
    void mnuKL40_About_Click();

    // The frame's close box. Asks to save as Exit does; returns false when the
    // frame must stay open (Cancel, or a save that wrote nothing), otherwise
    // ends the program and returns true.
    bool QueryUnload();

    // FormHost, for the entry form's Save, Print and Exit buttons. Saving is
    // Save: to the current file, or as Save As without one.
    SaveOutcome SaveRadioFile() override;
    void ShowPrintDialog() override;
    void EndProgram() override;

private:
    // Records a save that wrote a file: in the recent files, and in the
    // history as the saved state.
    SaveOutcome Saved(SaveOutcome outcome, const std::string& written);

    Workspace& ws_;
    WindowHost& windows_;
    RecentFiles recent_;
    UndoHistory history_;
};

// Told when a recent file is chosen that no longer exists.
std::string MissingRecentFileText(const std::string& path);

} // namespace kl40
