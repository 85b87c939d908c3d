#pragma once
// The main frame "KL40 Programming" on Qt: the menu bar and a multiple-document
// area holding the data-entry form. Menu commands go to the frame's logic; the
// form is mirrored again after each of them.

#include "ui/entry_form.h"
#include "ui/form/workspace.h"
#include "ui/main_window.h"
#include "ui/qt/channel_table_host.h"
#include "ui/qt/entry_form_view.h"
#include "ui/qt/programmer_menu.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <QKeySequence>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QAction;

namespace kl40::qt {

class MainWindowView : public QMainWindow {
    Q_OBJECT

public:
    MainWindowView(Workspace& ws, MDI_kl40& frame, EntryForm& form, QWidget* parent = nullptr);
    ~MainWindowView() override;
    MainWindowView(const MainWindowView&) = delete;
    MainWindowView& operator=(const MainWindowView&) = delete;

    EntryFormView& entryForm() { return entry_; }
    QMdiSubWindow& entryWindow() { return entryWindow_; }
    QMdiArea& area() { return area_; }
    ChannelTableHost& channelTables() { return tables_; }

    // Opens `path` as the File menu's Open does once its dialog chose it (the
    // command line's file), then shows the result.
    void openFile(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a menu command, then mirrors the form.
    template <class Command> void forward(Command&& command);
    QAction* addCommand(QMenu& menu, const char* name, const QString& caption,
                        std::function<void()> command);
    // The File menu's entries for the recent files, in place before Exit.
    void addRecentFileEntries();
    void showRecentFiles();
    // Scrolls the area so that a control of the form that takes the focus is
    // in view when the frame is too small for the whole form.
    void scrollToFocus(QWidget* focused);
    // Puts the form across the middle of the area, three eighths of the way down.
    void placeEntryWindow();
    // The title names the file; Qt's modified marker shows unsaved work.
    void showFileInTitle();
    // The Edit menu: Undo and Redo of the frame's history.
    void addEditMenu();
    // The form's widgets that take typing: its text boxes and editable lists.
    QList<QWidget*> textBoxes();
    // Whether `event` (a key event) is a shortcut of Undo or Redo.
    bool isEditCommandKey(const QEvent& event) const;
    // The title, the recent files and the Edit menu, after every action.
    void showFrame();

    Workspace& ws_;
    MDI_kl40& frame_;
    bool placed_ = false;
    QMetaObject::Connection focusWatch_;
    std::array<QAction*, kMaxRecentFiles> recentActions_{};
    QAction* recentSeparator_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::vector<std::string> shownRecentFiles_;

    // Each widget member is declared after the one it lives in, so that it is
    // destroyed first and its parent never deletes it again.
    QMdiArea area_;
    QMdiSubWindow entryWindow_;
    EntryFormView entry_;
    ChannelTableHost tables_;
    QMenu mnuFile_;
    QMenu mnuEdit_;
    ProgrammerMenu mnuProgrammer_;
    QMenu mnuHelp_;
};

} // namespace kl40::qt
