#include "ui/qt/print_dialog_view.h"

namespace kl40::qt {

PrintDialogView::PrintDialogView(Workspace& ws, PrintTarget& target, QWidget* parent,
                                 PreviewTarget* preview)
    : QDialog(parent), logic_(ws, target, preview, [this] { QDialog::done(closeResult_); }),
      Label1_(kPrintDialogLabel), optPrint_All_(kPrintAllCaption),
      optPrint_Chan_(kPrintChannelsCaption), optPrint_Config_(kPrintOptionsCaption),
      optPrint_Table_(kPrintTableCaption), PreviewButton_(kPreviewCaption), OKButton_("OK"),
      CancelButton_("Cancel") {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(kPrintDialogCaption);
    // A fixed dialog border: no minimise or maximise button, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    Label1_.setObjectName("Label1");
    frPrint_Selection_.setObjectName("frPrint_Selection");
    optPrint_All_.setObjectName("optPrint_All");
    optPrint_Chan_.setObjectName("optPrint_Chan");
    optPrint_Config_.setObjectName("optPrint_Config");
    optPrint_Table_.setObjectName("optPrint_Table");
    PreviewButton_.setObjectName("PreviewButton");
    OKButton_.setObjectName("OKButton");
    CancelButton_.setObjectName("CancelButton");

    frameLayout_.addWidget(&optPrint_All_);
    frameLayout_.addWidget(&optPrint_Chan_);
    frameLayout_.addWidget(&optPrint_Config_);
    frameLayout_.addWidget(&optPrint_Table_);
    frPrint_Selection_.setLayout(&frameLayout_);

    // The frame of option buttons has no caption: the label above names it.
    frPrint_Selection_.setAccessibleName(kPrintDialogLabel);
    Label1_.setBuddy(&optPrint_All_);

    OKButton_.setDefault(true);
    buttons_.addWidget(&PreviewButton_);
    buttons_.addStretch();
    buttons_.addWidget(&OKButton_);
    buttons_.addWidget(&CancelButton_);

    layout_.addWidget(&Label1_);
    layout_.addWidget(&frPrint_Selection_);
    layout_.addLayout(&buttons_);
    layout_.setSizeConstraint(QLayout::SetFixedSize);
    setLayout(&layout_);

    // No option button starts checked: nothing is chosen until one is clicked.
    connect(&optPrint_All_, &QRadioButton::clicked, this, [this] { logic_.optPrint_All_Click(); });
    connect(&optPrint_Chan_, &QRadioButton::clicked, this,
            [this] { logic_.optPrint_Chan_Click(); });
    connect(&optPrint_Config_, &QRadioButton::clicked, this,
            [this] { logic_.optPrint_Config_Click(); });
    connect(&optPrint_Table_, &QRadioButton::clicked, this,
            [this] { logic_.optPrint_Table_Click(); });
    connect(&OKButton_, &QPushButton::clicked, this, [this] {
        closeResult_ = Accepted;
        logic_.OKButton_Click(); // prints, then closes the window
    });
    connect(&CancelButton_, &QPushButton::clicked, this, [this] { logic_.CancelButton_Click(); });
    connect(&PreviewButton_, &QPushButton::clicked, this, [this] { logic_.PreviewButton_Click(); });
}

void PrintDialogView::choose(int choice) {
    QRadioButton* const buttons[] = {&optPrint_All_, &optPrint_Chan_, &optPrint_Config_,
                                     &optPrint_Table_};
    if (!IsPrintChoice(choice)) return;
    buttons[choice - kPrintAll]->click();
}

void PrintDialogView::reject() {
    logic_.CancelButton_Click();
}

} // namespace kl40::qt
