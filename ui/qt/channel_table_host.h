#pragma once
// The channel table in the main frame: the Edit menu's table commands, the
// child window "Channel Table" beside the entry form (made when first
// opened, hidden when closed) and the preferences its edits use. The table
// and the form show each other's changes at once.

#include "ui/channel_table.h"
#include "ui/preferences.h"
#include "ui/qt/channel_table_view.h"
#include "ui/qt/entry_form_view.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QObject>

#include <functional>
#include <memory>

namespace kl40::qt {

class ChannelTableHost : public QObject {
    Q_OBJECT

public:
    ChannelTableHost(Workspace& ws, UndoHistory& history, EntryFormView& form, QMdiArea& area);
    ~ChannelTableHost() override;

    // Kept between runs when the application hands in a store.
    Preferences& preferences() { return preferences_; }

    // "Channel Table" (Ctrl+T), "Fill Frequencies...", "Sort Channels" and
    // "Preferences..." at the end of `edit`.
    void addCommands(QMenu& edit);

    // Opens the window, or brings it forward, with the focus in the grid.
    void open();
    // Whether the table is the frame's active window.
    bool active() const;
    // Prints the table: opens it and runs `onPrint`, which the application
    // sets to show the print selection window with the table chosen.
    void print();
    std::function<void()> onPrint;
    // The window's view; none until first opened.
    ChannelTableView* view() { return view_.get(); }

private:
    // Beside the entry form; the frame grows to hold both where it can.
    void placeBesideForm();
    void fill();
    void sort(SortKey key);
    void editPreferences();

    Workspace& ws_;
    UndoHistory& history_;
    EntryFormView& form_;
    QMdiArea& area_;
    Preferences preferences_;
    ChannelTableWindow table_;
    // The view lives in the window; it goes first.
    std::unique_ptr<QMdiSubWindow> window_;
    std::unique_ptr<ChannelTableView> view_;
};

} // namespace kl40::qt
