#include "ui/qt/report_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace kl40::qt {

namespace {

constexpr qsizetype kLongMessageLines = 20;
constexpr qsizetype kWrapColumns = 80;
// The smallest useful size, and the share of the screen the window may take
// at first (the operator may make it larger).
constexpr int kMinimumWidth = 480;
constexpr int kMinimumHeight = 240;
constexpr double kScreenShare = 0.9;

// The style's picture for a message box icon.
std::optional<QStyle::StandardPixmap> iconPixmap(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Information:
        return QStyle::SP_MessageBoxInformation;
    case QMessageBox::Warning:
        return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical:
        return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question:
        return QStyle::SP_MessageBoxQuestion;
    case QMessageBox::NoIcon:
        break;
    }
    return std::nullopt;
}

} // namespace

bool IsLongMessage(const QString& text) {
    qsizetype lines = 0;
    for (const QStringView line : QStringView(text).split(u'\n'))
        lines += std::max<qsizetype>(1, (line.size() + kWrapColumns - 1) / kWrapColumns);
    return lines > kLongMessageLines;
}

ReportWindow::ReportWindow(const QString& title, const QString& text, QMessageBox::Icon icon,
                           QWidget* parent)
    : QDialog(parent), text_(text) {
    setWindowTitle(title);
    setSizeGripEnabled(true);

    auto* view = new QPlainTextEdit(text, this);
    view->setObjectName(QStringLiteral("reportText"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(QStringLiteral("Copy"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    copy->setAutoDefault(false);
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(text_); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    if (const auto pixmap = iconPixmap(icon)) {
        auto* picture = new QLabel(this);
        const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        picture->setPixmap(style()->standardIcon(*pixmap, nullptr, this).pixmap(side, side));
        picture->setAlignment(Qt::AlignTop);
        top->addWidget(picture);
    }
    top->addWidget(view, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);

    close->setFocus();
    fitToScreen(parent, *view);
}

void ReportWindow::fitToScreen(QWidget* parent, const QPlainTextEdit& view) {
    QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);

    // The text's own size, plus what the layout puts around the text view.
    const QFontMetrics metrics = view.fontMetrics();
    int textWidth = 0;
    const QStringList lines = text_.split(u'\n');
    for (const QString& line : lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const QSize around = sizeHint() - view.sizeHint();
    const int chrome = 2 * view.frameWidth() +
                       2 * static_cast<int>(view.document()->documentMargin()) +
                       view.verticalScrollBar()->sizeHint().width();
    const QSize wanted(textWidth + chrome + around.width(),
                       static_cast<int>(lines.size()) * metrics.lineSpacing() + chrome +
                           around.height());

    // Within the screen, less room for the window's frame and title bar.
    const QSize most(static_cast<int>(room.width() * kScreenShare),
                     static_cast<int>(room.height() * kScreenShare));
    setMinimumSize(std::min(kMinimumWidth, most.width()), std::min(kMinimumHeight, most.height()));
    resize(std::clamp(wanted.width(), minimumWidth(), most.width()),
           std::clamp(wanted.height(), minimumHeight(), most.height()));

    const QPoint centre = parent != nullptr ? parent->window()->geometry().center() : room.center();
    QRect place(QPoint(0, 0), size());
    place.moveCenter(centre);
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() + 1 - place.height()));
    move(place.topLeft());
}

} // namespace kl40::qt
