#include "ui/qt/about_view.h"

#include "ui/qt/app_icon.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPalette>

namespace kl40::qt {

namespace {

constexpr int kIconSize = 48;
constexpr int kTextWidth = 340;

void SetupLine(QFrame& line, const char* name) {
    line.setObjectName(name);
    line.setFrameShape(QFrame::HLine);
    line.setFrameShadow(QFrame::Sunken);
}

} // namespace

AboutView::AboutView(Platform& platform, QWidget* parent, const std::string& firmwareFolder)
    : QDialog(parent), logic_(platform, [this] { QDialog::done(Accepted); }) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    logic_.firmwareFolder = firmwareFolder;
    logic_.Form_Load();
    setWindowTitle(QString::fromStdString(logic_.caption));

    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = AppIcon();
    Picture1_.setObjectName("Picture1");
    Picture1_.setPixmap(icon.pixmap(kIconSize, kIconSize));
    Picture1_.setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle_.setObjectName("lblTitle");
    lblTitle_.setText(QString::fromStdString(logic_.lblTitle));
    QFont titleFont = lblTitle_.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    lblTitle_.setFont(titleFont);

    lblVersion_.setObjectName("lblVersion");
    lblVersion_.setText(QString::fromStdString(logic_.lblVersion));

    lblDescription_.setObjectName("lblDescription");
    lblDescription_.setText(QString::fromStdString(logic_.lblDescription));
    lblDescription_.setWordWrap(true);
    lblDescription_.setFixedWidth(kTextWidth);

    lblDisclaimer_.setObjectName("lblDisclaimer");
    lblDisclaimer_.setText(QString::fromStdString(logic_.lblDisclaimer));
    lblDisclaimer_.setWordWrap(true);
    QFont disclaimerFont = lblDisclaimer_.font();
    disclaimerFont.setBold(true);
    lblDisclaimer_.setFont(disclaimerFont);
    QPalette red = lblDisclaimer_.palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblDisclaimer_.setPalette(red);

    lblFirmware_.setObjectName("lblFirmware");
    lblFirmware_.setText(QString::fromStdString(logic_.lblFirmware));
    lblFirmware_.setWordWrap(true);
    lblFirmware_.setFixedWidth(kTextWidth + kIconSize + 8);
    lblFirmware_.setTextInteractionFlags(Qt::TextSelectableByMouse);

    SetupLine(line1_, "Line1");
    SetupLine(line2_, "Line2");

    cmdOK_.setObjectName("cmdOK");
    cmdOK_.setText(QString::fromStdString(logic_.cmdOK));
    cmdOK_.setDefault(true);
    cmdSysInfo_.setObjectName("cmdSysInfo");
    cmdSysInfo_.setText(QString::fromStdString(logic_.cmdSysInfo));

    texts_.addWidget(&lblTitle_);
    texts_.addWidget(&lblVersion_);
    texts_.addSpacing(8);
    texts_.addWidget(&lblDescription_);
    header_.addWidget(&Picture1_, 0, Qt::AlignTop);
    header_.addSpacing(8);
    header_.addLayout(&texts_);

    buttons_.addStretch();
    buttons_.addWidget(&cmdSysInfo_);
    buttons_.addWidget(&cmdOK_);

    layout_.addLayout(&header_);
    layout_.addWidget(&line1_);
    layout_.addWidget(&lblDisclaimer_);
    layout_.addWidget(&line2_);
    layout_.addWidget(&lblFirmware_);
    layout_.addLayout(&buttons_);
    layout_.setSizeConstraint(QLayout::SetFixedSize);
    setLayout(&layout_);

    connect(&cmdOK_, &QPushButton::clicked, this, [this] { logic_.cmdOK_Click(); });
    connect(&cmdSysInfo_, &QPushButton::clicked, this, [this] { logic_.cmdSysInfo_Click(); });
    cmdOK_.setFocus();
}

void AboutView::reject() {
    logic_.cmdOK_Click();
}

} // namespace kl40::qt
