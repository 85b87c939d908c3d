#include "ui/qt/entry_form_sync.h"

#include "ui/channel_list_columns.h"

#include <QColor>
#include <QPalette>
#include <QStringList>

#include <iterator>

namespace kl40::qt {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void mirror(QLineEdit& widget, const TextBox& field) {
    const QString text = qs(field.text());
    // Setting the same text again would move the cursor while the operator types.
    if (widget.text() != text) widget.setText(text);
    widget.setEnabled(field.enabled());
}

void mirrorItems(QComboBox& widget, const std::vector<std::string>& items) {
    bool same = widget.count() == static_cast<int>(items.size());
    for (int i = 0; same && i < widget.count(); ++i)
        same = widget.itemText(i) == qs(items[static_cast<std::size_t>(i)]);
    if (same) return;
    widget.clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        texts << qs(item);
    widget.addItems(texts); // in one insertion, not one per item
}

void mirror(QComboBox& widget, const ComboBox& field) {
    mirrorItems(widget, field.items());
    const QString text = qs(field.text());
    int index = field.listIndex();
    if (widget.isEditable()) {
        // Free text that spells an item shows that item as current, so the
        // combo box does not select it on its own (and report it as chosen)
        // when the edit loses the focus. Choosing it still runs the click,
        // because the field itself has no item selected.
        if (index < 0) index = widget.findText(text);
        QLineEdit* edit = widget.lineEdit();
        const int cursor = edit->cursorPosition();
        const bool sameText = edit->text() == text;
        if (widget.currentIndex() != index) widget.setCurrentIndex(index);
        if (edit->text() != text) edit->setText(text);
        if (sameText) edit->setCursorPosition(cursor);
    } else if (widget.currentIndex() != index) {
        widget.setCurrentIndex(index);
    }
    widget.setEnabled(field.enabled());
}

void mirror(QCheckBox& widget, const CheckBox& field) {
    widget.setChecked(field.checked());
    widget.setEnabled(field.enabled());
}

void mirror(QPushButton& widget, const Button& field) {
    widget.setText(qs(field.caption()));
    widget.setEnabled(field.enabled());
}

void mirror(QListWidget& widget, const ListBox& field) {
    const auto& lines = field.lines();
    bool same = widget.count() == field.count();
    for (int i = 0; same && i < widget.count(); ++i)
        same = widget.item(i)->text() == ShownListLine(lines[static_cast<std::size_t>(i)]);
    if (!same) {
        widget.clear();
        for (const std::string& line : lines)
            widget.addItem(ShownListLine(line));
    }
    const int index = field.listIndex();
    if (index >= 0) {
        widget.setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        widget.scrollToItem(widget.item(index));
    } else {
        widget.clearSelection();
        widget.setCurrentItem(nullptr);
    }
    widget.setToolTip(qs(field.toolTip()));
}

// The scan box shows its background colour while it holds the focus; the
// button-face colour is the style's own.
void mirrorBackground(QCheckBox& widget, const CheckBox& field) {
    const bool own = field.backColor() != CheckBox::kButtonFace;
    const QColor colour = QColor::fromRgb(field.backColor());
    if (own == widget.autoFillBackground() &&
        (!own || widget.palette().color(QPalette::Window) == colour))
        return;
    widget.setAutoFillBackground(own);
    QPalette palette = widget.parentWidget() ? widget.parentWidget()->palette() : QPalette();
    if (own) palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

} // namespace

QString ShownListLine(const std::string& line) {
    return qs(ChannelListColumns(line));
}

std::vector<QSignalBlocker> BlockSignals(EntryFormWidgets& w) {
    QObject* const blocked[] = {&w.cboCh,           &w.txtRx,
                                &w.txtTx,           &w.cboCTCSS,
                                &w.chkScan,         &w.cboToT,
                                &w.chkScan_En,      &w.chkDwn_Del,
                                &w.chkScan_Prog,    &w.chkDispl_Blnk,
                                &w.chkInd_On,       &w.chkCTCSS_en,
                                &w.chkBCO,          &w.chkSilent,
                                &w.chkTX_Inh,       &w.cmdReset_Pers,
                                &w.lstFreq,         &w.cboRadio,
                                &w.txtCh,           &w.chkHiLo,
                                w.cboCh.lineEdit(), w.cboCTCSS.lineEdit()};
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(std::size(blocked));
    for (QObject* object : blocked)
        blockers.emplace_back(object);
    return blockers;
}

void MirrorFields(EntryFormWidgets& w, const EntryFields& f) {
    mirror(w.cboCh, f.cboCh);
    mirror(w.txtCh, f.txtCh);
    mirror(w.txtRx, f.txtRx);
    mirror(w.txtTx, f.txtTx);
    mirror(w.cboCTCSS, f.cboCTCSS);
    mirror(w.chkScan, f.chkScan);
    mirrorBackground(w.chkScan, f.chkScan);
    mirror(w.lstFreq, f.lstFreq);
    mirror(w.cmdReset_Pers, f.cmdReset_Pers);
    mirror(w.cboRadio, f.cboRadio);
    mirror(w.cboToT, f.cboToT);
    mirror(w.chkScan_En, f.chkScan_En);
    mirror(w.chkDwn_Del, f.chkDwn_Del);
    mirror(w.chkScan_Prog, f.chkScan_Prog);
    mirror(w.chkDispl_Blnk, f.chkDispl_Blnk);
    mirror(w.chkInd_On, f.chkInd_On);
    mirror(w.chkCTCSS_en, f.chkCTCSS_en);
    mirror(w.chkBCO, f.chkBCO);
    mirror(w.chkSilent, f.chkSilent);
    mirror(w.chkTX_Inh, f.chkTX_Inh);
    mirror(w.chkHiLo, f.chkHiLo);
}

} // namespace kl40::qt
