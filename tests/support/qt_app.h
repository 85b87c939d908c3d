#pragma once
// The desktop application as main() builds it, with scripted dialogs: the
// frame, the entry form and the main window, the channel table's Print wired
// as there. `ended` counts the program's requests to end.

#include "support/scripted_platform.h"
#include "ui/entry_form.h"
#include "ui/main_window.h"
#include "ui/print_dialog.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_window_host.h"

#include <memory>

namespace kl40::test {

struct QtApp {
    explicit QtApp(RecentFilesStore* recentFiles = nullptr)
        : windows(ws, platform, {}, [this] { ++ended; }), frame(ws, windows, recentFiles),
          form(ws, frame) {
        form.Form_Load();
        view = std::make_unique<qt::MainWindowView>(ws, frame, form);
        windows.setParentWindow(view.get());
        view->channelTables().onPrint = [this] { windows.ShowPrintDialogFor(kPrintTable); };
    }
    ScriptedPlatform platform;
    Workspace ws{platform};
    int ended = 0;
    qt::QtWindowHost windows;
    MDI_kl40 frame;
    EntryForm form;
    std::unique_ptr<qt::MainWindowView> view;
};

} // namespace kl40::test
