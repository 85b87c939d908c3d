#pragma once
// A word-wrapped message line in a dialog that is already on screen: the
// dialog grows to show the whole text. A layout sizes a window only when it
// is first shown, so a longer message set later would be cut off.

#include <QLabel>
#include <QLayout>
#include <QString>
#include <QWidget>

namespace kl40::qt {

inline void ShowWrappedMessage(QWidget& window, QLabel& label, const QString& text) {
    label.setText(text);
    label.setVisible(!text.isEmpty());
    QLayout* layout = window.layout();
    if (layout == nullptr) return;
    layout->activate();
    const int needed = layout->hasHeightForWidth() ? layout->totalHeightForWidth(window.width())
                                                   : layout->totalSizeHint().height();
    if (needed > window.height()) window.resize(window.width(), needed);
}

} // namespace kl40::qt
