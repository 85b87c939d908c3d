#pragma once
// The about box "About KL40": program name, version, purpose and disclaimer,
// OK (Enter and Esc alike) and "System Info...". A modeless top-level window
// that deletes itself when it closes.

#include "ui/about_box.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace kl40::qt {

class AboutView : public QDialog {
    Q_OBJECT

public:
    // `firmwareFolder` is where installed firmware is looked up for the list
    // of what builds take their program code from.
    explicit AboutView(Platform& platform, QWidget* parent = nullptr,
                       const std::string& firmwareFolder = "");

    // Esc and the close box close the box like OK.
    void reject() override;

private:
    frmAbout logic_;

    // Every widget member is declared after the member it lives in, so it is
    // destroyed first and its parent never deletes it a second time.
    QVBoxLayout layout_;
    QHBoxLayout header_;
    QVBoxLayout texts_;
    QHBoxLayout buttons_;
    QLabel Picture1_;
    QLabel lblTitle_;
    QLabel lblVersion_;
    QLabel lblDescription_;
    QFrame line1_;
    QLabel lblDisclaimer_;
    QLabel lblFirmware_;
    QFrame line2_;
    QPushButton cmdSysInfo_;
    QPushButton cmdOK_;
};

} // namespace kl40::qt
