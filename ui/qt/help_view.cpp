#include "ui/qt/help_view.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTextDocument>

namespace kl40::qt {

namespace {
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 560;
} // namespace

HelpView::HelpView(const std::filesystem::path& programDir, QWidget* parent)
    : QWidget(parent, Qt::Window), logic_(programDir) {
    setAttribute(Qt::WA_DeleteOnClose);
    logic_.Form_Load();
    setWindowTitle(QString::fromStdString(logic_.caption));

    rtfData_.setObjectName("rtfData");
    rtfData_.setReadOnly(true);
    rtfData_.setOpenExternalLinks(true);
    // Pictures and links in the document are found beside it.
    QStringList searchPaths{QDir::currentPath()};
    if (!programDir.empty()) searchPaths << QString::fromStdU16String(programDir.u16string());
    rtfData_.setSearchPaths(searchPaths);

    const QString text = QString::fromStdString(logic_.rtfData);
    if (Qt::mightBeRichText(text))
        rtfData_.setHtml(text);
    else
        rtfData_.setPlainText(text);

    layout_.setContentsMargins(0, 0, 0, 0);
    layout_.addWidget(&rtfData_);
    setLayout(&layout_);
    resize(kDefaultWidth, kDefaultHeight);
}

} // namespace kl40::qt
