#include "ui/qt/qt_platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace kl40::qt {

namespace {
QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString QtFilter(const std::string& filter) {
    // The logic's filters are "Description|pattern"; Qt wants the pattern in
    // brackets after the description. A description that already ends with the
    // bracketed pattern is used as it stands.
    const QString f = QString::fromStdString(filter);
    const int bar = f.indexOf('|');
    if (bar < 0) return f;
    const QString description = f.left(bar);
    const QString pattern = f.mid(bar + 1);
    if (description.contains("(" + pattern + ")")) return description;
    return description + " (" + pattern + ")";
}

Answer QtPlatform::message(const std::string& text, const std::string& title, Icon icon,
                           Buttons buttons) {
    QMessageBox::StandardButtons offered = QMessageBox::Ok;
    if (buttons == Buttons::YesNo) offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel)
        offered = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(toQt(icon), QString::fromStdString(title), QString::fromStdString(text),
                    offered, parent_);
    if (buttons == Buttons::YesNoCancel) {
        // Escape and the close button back out without a decision.
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    const int result = box.exec();
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        break;
    }
    if (result == QMessageBox::Yes) return Answer::Yes;
    if (result == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogRequest& request) {
    const QString path = QFileDialog::getOpenFileName(
        parent_, QString(), QString::fromStdString(request.fileName), QtFilter(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtPlatform::saveFileDialog(const FileDialogRequest& request) {
    QFileDialog::Options options;
    if (!request.overwritePrompt) options |= QFileDialog::DontConfirmOverwrite;
    const QString path =
        QFileDialog::getSaveFileName(parent_, QString(), QString::fromStdString(request.fileName),
                                     QtFilter(request.filter), nullptr, options);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void QtPlatform::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace kl40::qt
