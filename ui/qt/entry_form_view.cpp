#include "ui/qt/entry_form_view.h"

#include "ui/qt/entry_form_layout.h"
#include "ui/qt/entry_form_sync.h"

#include <QtDebug>

#include <exception>
#include <string>
#include <vector>

namespace kl40::qt {

EntryFormView::EntryFormView(Workspace& ws, EntryForm& form, UndoHistory* history, QWidget* parent)
    : QWidget(parent), ws_(ws), form_(form), history_(history), widgets_(*this, ws.form) {
    refresh(); // captions and lists before the layout measures them
    PlaceEntryFormWidgets(*this, widgets_);
    connectActions();
}

EntryFormView::~EntryFormView() {
    // Widgets losing the focus while they are destroyed must not reach the
    // form's handlers.
    for (QObject* watched : filtered())
        watched->removeEventFilter(this);
}

std::array<QObject*, 6> EntryFormView::filtered() {
    return {&widgets_.cboCh, &widgets_.chkScan, &widgets_.txtCh,
            &widgets_.txtRx, &widgets_.txtTx,   widgets_.lstFreq.viewport()};
}

void EntryFormView::connectActions() {
    EntryFields& f = ws_.form;
    EntryForm& form = form_;

    // Lists: `activated` is the operator's choice only.
    connect(&widgets_.cboCh, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboCh.setListIndex(index); }); });
    connect(&widgets_.cboCTCSS, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboCTCSS.setListIndex(index); }); });
    connect(&widgets_.cboToT, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboToT.setListIndex(index); }); });
    connect(&widgets_.cboRadio, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboRadio.setListIndex(index); }); });
    const std::pair<QComboBox*, ComboBox*> editable[] = {{&widgets_.cboCh, &f.cboCh},
                                                         {&widgets_.cboCTCSS, &f.cboCTCSS}};
    for (const auto& [box, field] : editable) {
        connect(box->lineEdit(), &QLineEdit::textEdited, this,
                [this, field = field](const QString& text) {
                    forward([&] { field->editText(text.toStdString()); });
                });
    }

    // Text boxes. A frequency that arrives whole (pasted, dropped) keeps
    // what typing it would keep.
    const std::pair<QLineEdit*, TextBox*> texts[] = {
        {&widgets_.txtCh, &f.txtCh}, {&widgets_.txtRx, &f.txtRx}, {&widgets_.txtTx, &f.txtTx}};
    for (const auto& [edit, field] : texts) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, edit = edit, field = field](const QString& text) {
                    const qsizetype afterCursor = text.size() - edit->cursorPosition();
                    forward([this, edit, field, &text] {
                        field->setText(text.toStdString());
                        if (edit == &widgets_.txtRx) form_.txtRx_Change();
                        if (edit == &widgets_.txtTx) form_.txtTx_Change();
                    });
                    // What was dropped was left of the cursor: it stays after
                    // the text that was kept.
                    if (edit->text() != text)
                        edit->setCursorPosition(
                            static_cast<int>(edit->text().size() - afterCursor));
                });
    }

    // Check boxes: the operator's click sets the value, which runs the handler.
    const std::pair<QCheckBox*, CheckBox*> boxes[] = {{&widgets_.chkScan, &f.chkScan},
                                                      {&widgets_.chkScan_En, &f.chkScan_En},
                                                      {&widgets_.chkDwn_Del, &f.chkDwn_Del},
                                                      {&widgets_.chkScan_Prog, &f.chkScan_Prog},
                                                      {&widgets_.chkDispl_Blnk, &f.chkDispl_Blnk},
                                                      {&widgets_.chkInd_On, &f.chkInd_On},
                                                      {&widgets_.chkCTCSS_en, &f.chkCTCSS_en},
                                                      {&widgets_.chkBCO, &f.chkBCO},
                                                      {&widgets_.chkSilent, &f.chkSilent},
                                                      {&widgets_.chkTX_Inh, &f.chkTX_Inh},
                                                      {&widgets_.chkHiLo, &f.chkHiLo}};
    for (const auto& [box, field] : boxes) {
        connect(box, &QCheckBox::clicked, this, [this, field = field](bool checked) {
            forward([&] { field->setChecked(checked); });
        });
    }

    // Buttons.
    connect(&widgets_.cmdReset_Pers, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdReset_Pers_Click(); }); });
    connect(&widgets_.cmdDelete, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdDelete_Click(); }); });
    connect(&widgets_.cmdSave, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdSave_Click(); }); });
    connect(&widgets_.cmdPrint, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdPrint_Click(); }); });
    connect(&widgets_.cmdExit, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdExit_Click(); }); });

    // Channel list: a click on a line, or the keyboard moving the selection.
    connect(&widgets_.lstFreq, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { listLineClicked(widgets_.lstFreq.row(item)); });
    connect(&widgets_.lstFreq, &QListWidget::currentRowChanged, this, [this, &f](int row) {
        // A mouse click is taken on release; a current line that is not
        // selected (the list taking the focus) is no choice.
        if (listMouseDown_ || row < 0 || !widgets_.lstFreq.item(row)->isSelected()) return;
        forward([&] { f.lstFreq.setListIndex(row); });
    });

    // Focus changes and key presses.
    for (QObject* watched : filtered())
        watched->installEventFilter(this);
}

void EntryFormView::forward(const std::function<void()>& action) {
    try {
        if (history_ != nullptr)
            history_->record(action);
        else
            action();
    } catch (const std::exception& e) {
        // The handlers report their failures to the operator themselves; one
        // that still escapes must not unwind through the event loop.
        qWarning("KL40: an entry form handler failed: %s", e.what());
    }
    refresh();
}

void EntryFormView::listLineClicked(int row) {
    if (row < 0) return;
    if (listDoubleClick_) {
        listDoubleClick_ = false; // the second click of a double click runs nothing
        refresh();
        return;
    }
    ListBox& list = ws_.form.lstFreq;
    if (row == listIndexAtPress_ && row == list.listIndex())
        forward([&] { form_.lstFreq_Click(); }); // the same line again: click anyway
    else
        forward([&] { list.setListIndex(row); });
}

QWidget* EntryFormView::widgetOf(Control control) {
    switch (control) {
    case Control::cboCh:
        return &widgets_.cboCh;
    case Control::txtRx:
        return &widgets_.txtRx;
    case Control::txtTx:
        return &widgets_.txtTx;
    case Control::cboCTCSS:
        return &widgets_.cboCTCSS;
    case Control::chkScan:
        return &widgets_.chkScan;
    case Control::cboToT:
        return &widgets_.cboToT;
    case Control::cboRadio:
        return &widgets_.cboRadio;
    case Control::txtCh:
        return &widgets_.txtCh;
    case Control::lstFreq:
        return &widgets_.lstFreq;
    case Control::None:
        break;
    }
    return nullptr;
}

void EntryFormView::applyFocus() {
    const Control wanted = ws_.form.focus;
    if (wanted == Control::None) return;
    // A move asked for while the focus is changing is made once the change
    // has finished, so that the change under way cannot undo it.
    if (focusEvents_ > 0) {
        if (!focusMoveQueued_) {
            focusMoveQueued_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    focusMoveQueued_ = false;
                    applyFocus();
                },
                Qt::QueuedConnection);
        }
        return;
    }
    // The request is carried out once; the operator moves the focus freely
    // until a handler asks again.
    ws_.form.focus = Control::None;
    QWidget* target = widgetOf(wanted);
    if (target != nullptr && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
    // The selector is given the focus for a new number: typing replaces it.
    if (target == &widgets_.cboCh) widgets_.cboCh.lineEdit()->selectAll();
}

void EntryFormView::refresh() {
    const std::vector<QSignalBlocker> blocked = BlockSignals(widgets_);
    const QString caption = QString::fromStdString(ws_.form.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    MirrorFields(widgets_, ws_.form);
    applyFocus();
    emit mirrored();
}

} // namespace kl40::qt
