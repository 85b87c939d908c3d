#include "ui/qt/entry_form_view.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

#include <exception>

namespace kl40::qt {

namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kTab = 9;

// Focus changes that the form does not see as leaving or entering a control:
// a drop-down list opening, a menu, another window (a message box) activating.
bool isControlFocusChange(const QEvent& event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

} // namespace

int CharacterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Tab:
        return (mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ? -1 : kTab;
    default:
        break;
    }
    if (key >= Qt::Key_Escape) return -1; // navigation, editing and function keys
    if (mods & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
        return -1;
    }
    const QString text = event.text();
    if (text.isEmpty()) return -1;
    return text.at(0).unicode();
}

bool EntryFormView::filterListMouse(QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        listMouseDown_ = true;
        listDoubleClick_ = false;
        listIndexAtPress_ = ws_.form.lstFreq.listIndex();
        break;
    case QEvent::MouseButtonDblClick:
        listMouseDown_ = true;
        listDoubleClick_ = true;
        break;
    case QEvent::MouseButtonRelease:
        listMouseDown_ = false;
        // A press and release on different lines selects nothing: show the
        // form's selection again once the list has handled the release.
        QMetaObject::invokeMethod(this, &EntryFormView::refresh, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return false;
}

bool EntryFormView::filterKey(QLineEdit& edit, QKeyEvent& event, void (EntryForm::*filter)(int&)) {
    // Select all, copy, cut and paste are the box's own; a paste is filtered
    // as the text changes.
    for (const auto key :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste})
        if (event.matches(key)) return false;
    const int code = CharacterCode(event);
    if (code < 0) return false;
    int key = code;
    const Control focusBefore = ws_.form.focus;
    ws_.form.focus = Control::None;
    try {
        (form_.*filter)(key);
    } catch (const std::exception&) {
        // Failures inside the key filters are ignored; the key goes through.
        key = code;
    }
    const bool moved = ws_.form.focus != Control::None;
    if (!moved) ws_.form.focus = focusBefore;
    refresh();
    if (key == 0) return true;             // refused
    if (key == kTab && moved) return true; // the filter moved the focus itself
    if (key == code) return false;         // passed on unchanged
    if (key >= ' ') edit.insert(QString(QChar(key)));
    return true;
}

void EntryFormView::selectOnFocus(QLineEdit& edit, const QEvent& event) {
    // A mouse press places the cursor after the focus arrives, so a click
    // selects on its release; the keyboard and the form select at once.
    if (static_cast<const QFocusEvent&>(event).reason() == Qt::MouseFocusReason)
        selectOnRelease_ = &edit;
    else if (isControlFocusChange(event))
        edit.selectAll();
}

bool EntryFormView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widgets_.lstFreq.viewport()) return filterListMouse(*event);

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (watched == &widgets_.txtCh)
            return filterKey(widgets_.txtCh, key, &EntryForm::txtCh_KeyPress);
        if (watched == &widgets_.txtRx)
            return filterKey(widgets_.txtRx, key, &EntryForm::txtRx_KeyPress);
        if (watched == &widgets_.txtTx)
            return filterKey(widgets_.txtTx, key, &EntryForm::txtTx_KeyPress);
        break;
    }
    case QEvent::FocusIn:
        if (watched == &widgets_.txtRx || watched == &widgets_.txtTx)
            selectOnFocus(watched == &widgets_.txtRx ? widgets_.txtRx : widgets_.txtTx, *event);
        if (watched == &widgets_.chkScan && isControlFocusChange(*event)) {
            ++focusEvents_;
            forward([this] { form_.chkScan_GotFocus(); });
            --focusEvents_;
        }
        break;
    case QEvent::FocusOut:
        if (!isControlFocusChange(*event)) break;
        ++focusEvents_;
        if (watched == &widgets_.cboCh) forward([this] { form_.cboCh_LostFocus(); });
        if (watched == &widgets_.chkScan) forward([this] { form_.chkScan_LostFocus(); });
        --focusEvents_;
        break;
    case QEvent::MouseButtonRelease:
        // The click that gave a frequency box the focus selects its text,
        // unless the mouse selected part of it.
        if (watched == selectOnRelease_) {
            if (!selectOnRelease_->hasSelectedText()) selectOnRelease_->selectAll();
            selectOnRelease_ = nullptr;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kl40::qt
