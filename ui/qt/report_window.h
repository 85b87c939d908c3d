#pragma once
// A message too long for a message box (the import report of a long channel
// list) in a window of its own: the text scrolls, the window can be resized
// and never reaches past the screen, Copy puts the whole text on the
// clipboard, and Close or Escape ends it.

#include <QDialog>
#include <QMessageBox>
#include <QString>

class QPlainTextEdit;

namespace kl40::qt {

// True when `text` would make a message box taller than a small screen: more
// than 20 lines, a line of more than 80 characters counting as the lines it
// wraps to.
bool IsLongMessage(const QString& text);

class ReportWindow : public QDialog {
    Q_OBJECT

public:
    ReportWindow(const QString& title, const QString& text, QMessageBox::Icon icon,
                 QWidget* parent = nullptr);

private:
    // As large as the text needs, within the screen that shows `parent`.
    void fitToScreen(QWidget* parent, const QPlainTextEdit& view);

    QString text_;
};

} // namespace kl40::qt
