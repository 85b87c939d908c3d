#pragma once
// The widgets of the data-entry window "KL40 Data Entry Form": its fixed labels
// and its controls, made as children of the form with their object names, tab
// order, fixed captions and accessible names. Where they stand is
// entry_form_layout.h's job, what they show entry_form_sync.h's.

#include "ui/form/workspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

namespace kl40::qt {

// The layout was designed for an 8-point dialog font with Arial's widths;
// where Arial is missing the font matcher picks a metric-compatible or at
// least a sans-serif face. The channel list's font starts from the same size.
inline constexpr double kFormPointSize = 8.0;

struct EntryFormWidgets {
    // Names `form` and gives it its font, then makes and sets up its widgets;
    // the check boxes take their captions from `fields`.
    EntryFormWidgets(QWidget& form, const EntryFields& fields);
    EntryFormWidgets(const EntryFormWidgets&) = delete;
    EntryFormWidgets& operator=(const EntryFormWidgets&) = delete;

    // Fixed labels. The first is made once the form has its name and font,
    // so that every widget starts in that font.
    QLabel lblChannelData;
    QLabel lblRadioOptions;
    QLabel lblChannel;
    QLabel lblReceive;
    QLabel lblTransmit;
    QLabel lblCTCSS;
    QLabel lblScan;
    QLabel lblModel;
    QLabel lblTimeout;
    QLabel lblScanHold;
    QLabel lblRange;

    // Controls, in tab order.
    QComboBox cboCh;
    QLineEdit txtRx;
    QLineEdit txtTx;
    QComboBox cboCTCSS;
    QCheckBox chkScan;
    QComboBox cboToT;
    QCheckBox chkScan_En;
    QCheckBox chkDwn_Del;
    QCheckBox chkScan_Prog;
    QCheckBox chkDispl_Blnk;
    QCheckBox chkInd_On;
    QCheckBox chkCTCSS_en;
    QCheckBox chkBCO;
    QCheckBox chkSilent;
    QCheckBox chkTX_Inh;
    QPushButton cmdReset_Pers;
    QPushButton cmdPrint;
    QPushButton cmdExit;
    QListWidget lstFreq;
    QPushButton cmdDelete;
    QComboBox cboRadio;
    QLineEdit txtCh;
    QCheckBox chkHiLo;
    QPushButton cmdSave;

private:
    void setUpControls(const QFont& formFont, const EntryFields& fields);
    // Accessible names: each control's caption or label.
    void nameControls(const EntryFields& fields);
};

} // namespace kl40::qt
