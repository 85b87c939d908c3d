#include "ui/qt/qt_platform.h"

#include "ui/qt/report_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QRegularExpression>

#include <algorithm>

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
// Types and icons of files told from their names alone. Qt's own provider
// reads the first bytes of a file to tell its type, and reading a device or a
// file such as /proc/kmsg blocks the dialog for good once the operator types
// such a folder or shows the details view.
class NameOnlyIconProvider final : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override {
        return QFileIconProvider::icon(info.isDir() ? Folder : File);
    }
    using QFileIconProvider::icon;

    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QStringLiteral("Folder");
        return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
    }
};

std::optional<std::string> runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                         const FileDialogRequest& request) {
    QFileDialog dialog(parent, QString(), QString(), QtFilter(request.filter));
    static NameOnlyIconProvider nameOnly; // outlives every dialog
    dialog.setIconProvider(&nameOnly);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.empty()) {
        const QFileInfo initial(QString::fromStdString(request.fileName));
        dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    QString path = chosen.front();
    // A name typed without an extension takes the chosen filter's first one,
    // so that the filter decides the format.
    if (mode == QFileDialog::AcceptSave && QFileInfo(path).suffix().isEmpty()) {
        const QString selected = dialog.selectedNameFilter();
        const qsizetype star = selected.indexOf(QStringLiteral("(*."));
        if (star >= 0) {
            const qsizetype end =
                selected.indexOf(QRegularExpression(QStringLiteral("[ )]")), star + 2);
            if (end > star + 2) path += selected.mid(star + 2, end - star - 2);
        }
    }
    return path.toStdString();
}

} // namespace

QString QtFilter(const std::string& filter) {
    // The logic's filters are "Description|pattern" pairs, joined by "|", with
    // patterns separated by ";"; Qt wants each pattern list in brackets after
    // its description, and the filters joined by ";;". A description that
    // already ends with its bracketed pattern is used as it stands.
    const QStringList parts = QString::fromStdString(filter).split('|');
    if (parts.size() < 2) return QString::fromStdString(filter);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        filters << (description.contains("(" + patterns + ")")
                        ? description
                        : description + " (" + patterns + ")");
    }
    return filters.join(";;");
}

Answer QtPlatform::message(const std::string& text, const std::string& title, Icon icon,
                           Buttons buttons) {
    // A message box grows with its text until its button is off the screen.
    if (buttons == Buttons::Ok && IsLongMessage(QString::fromStdString(text))) {
        ReportWindow(QString::fromStdString(title), QString::fromStdString(text), toQt(icon),
                     parent_)
            .exec();
        return Answer::Ok;
    }
    QMessageBox::StandardButtons offered = QMessageBox::Ok;
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo)
        offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel)
        offered = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(toQt(icon), QString::fromStdString(title), QString::fromStdString(text),
                    offered, parent_);
    if (buttons == Buttons::YesNoCancel) {
        // Escape and the close button back out without a decision.
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    if (buttons == Buttons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
    const int result = box.exec();
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo:
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        break;
    }
    if (result == QMessageBox::Yes) return Answer::Yes;
    if (result == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

std::optional<std::size_t> QtPlatform::choose(const std::string& text, const std::string& title,
                                              const std::vector<std::string>& items,
                                              std::size_t preselected) {
    QStringList names;
    for (const std::string& item : items)
        names << QString::fromStdString(item);
    bool chosen = false;
    const QString name = QInputDialog::getItem(
        parent_, QString::fromStdString(title), QString::fromStdString(text), names,
        static_cast<int>(std::min(preselected, items.size() - 1)), false, &chosen);
    if (!chosen) return std::nullopt;
    return static_cast<std::size_t>(names.indexOf(name));
}

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogRequest& request) {
    return runFileDialog(parent_, QFileDialog::AcceptOpen, request);
}

std::optional<std::string> QtPlatform::saveFileDialog(const FileDialogRequest& request) {
    return runFileDialog(parent_, QFileDialog::AcceptSave, request);
}

void QtPlatform::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace kl40::qt
