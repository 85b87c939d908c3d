#include "ui/qt/help_view.h"

#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
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

    buttons_.setObjectName("buttons");
    connect(&buttons_, &QDialogButtonBox::rejected, this, &QWidget::close);

    layout_.addWidget(&rtfData_);
    layout_.addWidget(&buttons_);
    setLayout(&layout_);
    resize(kDefaultWidth, kDefaultHeight);
}

void HelpView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kl40::qt
