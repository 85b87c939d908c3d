#pragma once
// The print selection window "Printout Selection": three option buttons that
// choose the reports, "Preview..." to see them on screen, OK to print them
// and Cancel. A modeless top-level
// window that deletes itself when it closes, so every opening starts with no
// report chosen.

#include "ui/print_dialog.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kl40::qt {

class PrintDialogView : public QDialog {
    Q_OBJECT

public:
    // Without `preview` the Preview button only asks for a choice.
    PrintDialogView(Workspace& ws, PrintTarget& target, QWidget* parent = nullptr,
                    PreviewTarget* preview = nullptr);

    const Print_Dialog& logic() const { return logic_; }
    // Selects a printout as clicking its option button does.
    void choose(int choice);

    // Esc and the close box cancel, like the Cancel button.
    void reject() override;

private:
    Print_Dialog logic_;
    int closeResult_ = Rejected;

    // Every widget member is declared after the member it lives in, so it is
    // destroyed first and its parent never deletes it a second time.
    QVBoxLayout layout_;
    QLabel Label1_;
    QGroupBox frPrint_Selection_;
    QVBoxLayout frameLayout_;
    QRadioButton optPrint_All_;
    QRadioButton optPrint_Chan_;
    QRadioButton optPrint_Config_;
    QRadioButton optPrint_Table_;
    QHBoxLayout buttons_;
    QPushButton PreviewButton_;
    QPushButton OKButton_;
    QPushButton CancelButton_;
};

} // namespace kl40::qt
