#pragma once
// The data-entry window "KL40 Data Entry Form" on Qt. The view keeps no state
// of the radio: it forwards the operator's actions to the form's handlers and
// afterwards mirrors every field of the form back into the widgets (see
// entry_form_sync.h). Its widgets and their places are entry_form_widgets.h's
// and entry_form_layout.h's; its event filter (entry_form_events.cpp) passes
// key presses through the form's key filters and reports focus changes.

#include "ui/entry_form.h"
#include "ui/form/workspace.h"
#include "ui/qt/entry_form_widgets.h"
#include "ui/undo_history.h"

#include <QWidget>

#include <array>
#include <functional>

class QKeyEvent;

namespace kl40::qt {

// The character code a key press gives to a key filter: Enter 13, Backspace 8,
// Tab 9, Ctrl+letter its control code, otherwise the typed character. -1 for
// keys that type nothing (arrows, Delete, function keys), which no filter sees.
int CharacterCode(const QKeyEvent& event);

class EntryFormView : public QWidget {
    Q_OBJECT

public:
    // With `history`, every action of the operator is recorded in it for undo.
    EntryFormView(Workspace& ws, EntryForm& form, UndoHistory* history = nullptr,
                  QWidget* parent = nullptr);
    ~EntryFormView() override;
    EntryFormView(const EntryFormView&) = delete;
    EntryFormView& operator=(const EntryFormView&) = delete;

    // Copies every field of the form into the widgets and carries out a focus
    // move the handlers asked for. Call after anything that changes the data
    // set from outside this view (the frame's menu commands).
    void refresh();

    // The widget of a control that can hold the focus.
    QWidget* widgetOf(Control control);

signals:
    // The widgets show the form's fields again (after every action).
    void mirrored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs an operator's action on the form (recorded for undo), then mirrors
    // the fields.
    void forward(const std::function<void()>& action);

    void connectActions();
    // The widgets whose focus changes, key presses or mouse clicks the event
    // filter sees.
    std::array<QObject*, 6> filtered();
    // Runs a key press in `edit` through the form's key filter; true when the
    // key is used up (refused, or a focus move made instead of a Tab).
    bool filterKey(QLineEdit& edit, QKeyEvent& event, void (EntryForm::*filter)(int&));
    bool filterListMouse(QEvent& event);
    // Selects the text of a frequency box that gets the focus, so that typing
    // replaces it.
    void selectOnFocus(QLineEdit& edit, const QEvent& event);
    void listLineClicked(int row);
    void applyFocus();

    Workspace& ws_;
    EntryForm& form_;
    UndoHistory* history_;

    // Nonzero while a focus change is being delivered: a focus move asked for
    // then is made once that change has finished.
    int focusEvents_ = 0;
    bool focusMoveQueued_ = false;
    // The channel list's selection when the mouse went down on it, and whether
    // that press was the second of a double click (which runs nothing).
    int listIndexAtPress_ = -1;
    bool listMouseDown_ = false;
    bool listDoubleClick_ = false;
    // The frequency box a mouse click has just given the focus.
    QLineEdit* selectOnRelease_ = nullptr;

    EntryFormWidgets widgets_;
};

} // namespace kl40::qt
