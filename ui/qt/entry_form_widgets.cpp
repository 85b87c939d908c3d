#include "ui/qt/entry_form_widgets.h"

#include <QFont>

#include <iterator>
#include <string>
#include <utility>

namespace kl40::qt {

namespace {

constexpr double kHeadingPointSize = 13.5;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Names the form and gives it its font before any widget is made in it: each
// widget then starts in that font rather than laying out its text once more
// when the form's font changes.
QWidget* namedWithFont(QWidget& form) {
    form.setObjectName("Freq_Input");
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kFormPointSize);
    form.setFont(font);
    return &form;
}

} // namespace

EntryFormWidgets::EntryFormWidgets(QWidget& form, const EntryFields& fields)
    : lblChannelData(namedWithFont(form)), lblRadioOptions(&form), lblChannel(&form),
      lblReceive(&form), lblTransmit(&form), lblCTCSS(&form), lblScan(&form), lblModel(&form),
      lblTimeout(&form), lblScanHold(&form), lblRange(&form), cboCh(&form), txtRx(&form),
      txtTx(&form), cboCTCSS(&form), chkScan(&form), cboToT(&form), chkScan_En(&form),
      chkDwn_Del(&form), chkScan_Prog(&form), chkDispl_Blnk(&form), chkInd_On(&form),
      chkCTCSS_en(&form), chkBCO(&form), chkSilent(&form), chkTX_Inh(&form), cmdReset_Pers(&form),
      cmdPrint(&form), cmdExit(&form), lstFreq(&form), cmdDelete(&form), cboRadio(&form),
      txtCh(&form), chkHiLo(&form), cmdSave(&form) {
    setUpControls(form.font(), fields);
    nameControls(fields);
}

void EntryFormWidgets::setUpControls(const QFont& formFont, const EntryFields& f) {
    const std::pair<QWidget*, const char*> names[] = {
        {&cboCh, "cboCh"},
        {&txtRx, "txtRx"},
        {&txtTx, "txtTx"},
        {&cboCTCSS, "cboCTCSS"},
        {&chkScan, "chkScan"},
        {&cboToT, "cboToT"},
        {&chkScan_En, "chkScan_En"},
        {&chkDwn_Del, "chkDwn_Del"},
        {&chkScan_Prog, "chkScan_Prog"},
        {&chkDispl_Blnk, "chkDispl_Blnk"},
        {&chkInd_On, "chkInd_On"},
        {&chkCTCSS_en, "chkCTCSS_en"},
        {&chkBCO, "chkBCO"},
        {&chkSilent, "chkSilent"},
        {&chkTX_Inh, "chkTX_Inh"},
        {&cmdReset_Pers, "cmdReset_Pers"},
        {&cmdPrint, "cmdPrint"},
        {&cmdExit, "cmdExit"},
        {&lstFreq, "lstFreq"},
        {&cmdDelete, "cmdDelete"},
        {&cboRadio, "cboRadio"},
        {&txtCh, "txtCh"},
        {&chkHiLo, "chkHiLo"},
        {&cmdSave, "cmdSave"},
    };
    // The channel selector takes free text; typed text never becomes an item
    // and is not completed to one.
    cboCh.setEditable(true);
    cboCh.setInsertPolicy(QComboBox::NoInsert);
    cboCh.setCompleter(nullptr);
    cboCh.setMaxVisibleItems(20);
    // The tone list takes a typed tone as typed: the store checks it, and
    // neither a completer nor the list's keyboard search puts another tone
    // in its place.
    cboCTCSS.setEditable(true);
    cboCTCSS.setInsertPolicy(QComboBox::NoInsert);
    cboCTCSS.setCompleter(nullptr);
    cboCTCSS.setMaxVisibleItems(16);

    // The tab order is the order of the table above, round from the last
    // control to the first: without that last link the channel selector's
    // text box would stay at the end of the focus chain, and Shift+Tab from
    // the selector would go to the tone list instead of "Save".
    for (std::size_t i = 0; i < std::size(names); ++i) {
        names[i].first->setObjectName(QString::fromLatin1(names[i].second));
        if (i > 0) QWidget::setTabOrder(names[i - 1].first, names[i].first);
    }
    QWidget::setTabOrder(std::end(names)[-1].first, names[0].first);

    for (QCheckBox* box : {&chkScan_En, &chkDwn_Del, &chkScan_Prog, &chkDispl_Blnk, &chkInd_On,
                           &chkCTCSS_en, &chkBCO, &chkSilent, &chkTX_Inh, &chkHiLo})
        box->setLayoutDirection(Qt::RightToLeft);
    chkScan_En.setText(qs(f.chkScan_En.caption()));
    chkDwn_Del.setText(qs(f.chkDwn_Del.caption()));
    chkScan_Prog.setText(qs(f.chkScan_Prog.caption()));
    chkDispl_Blnk.setText(qs(f.chkDispl_Blnk.caption()));
    chkInd_On.setText(qs(f.chkInd_On.caption()));
    chkCTCSS_en.setText(qs(f.chkCTCSS_en.caption()));
    chkBCO.setText(qs(f.chkBCO.caption()));
    chkSilent.setText(qs(f.chkSilent.caption()));
    chkTX_Inh.setText(qs(f.chkTX_Inh.caption()));
    chkHiLo.setText(qs(f.chkHiLo.caption()));

    cmdPrint.setText(QStringLiteral("Print"));
    cmdExit.setText(QStringLiteral("Exit"));
    cmdDelete.setText(QStringLiteral("Delete"));
    cmdSave.setText(QStringLiteral("Save"));
    for (QPushButton* button : {&cmdReset_Pers, &cmdPrint, &cmdExit, &cmdDelete, &cmdSave})
        button->setAutoDefault(false);

    // The store reads the channel number from this field, which the form
    // fills from the selector; the operator never types into it.
    txtCh.hide();

    lstFreq.setSelectionMode(QAbstractItemView::SingleSelection);
    lstFreq.setUniformItemSizes(true);

    QFont heading = formFont;
    heading.setPointSizeF(kHeadingPointSize);
    lblChannelData.setText(QStringLiteral("Channel Data"));
    lblRadioOptions.setText(QStringLiteral("Radio Options"));
    for (QLabel* label : {&lblChannelData, &lblRadioOptions}) {
        label->setFont(heading);
        label->setAlignment(Qt::AlignCenter);
    }
    // The frequency headings take two lines, so each stays over its own field.
    lblChannel.setText(QStringLiteral("Channel"));
    lblReceive.setText(QStringLiteral("Receive\nin MHz"));
    lblTransmit.setText(QStringLiteral("Transmit\nin MHz"));
    lblCTCSS.setText(QStringLiteral("CTCSS"));
    lblScan.setText(QStringLiteral("Scan"));
    for (QLabel* label : {&lblChannel, &lblReceive, &lblTransmit, &lblCTCSS, &lblScan})
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    lblModel.setText(QStringLiteral("KL40 Model Type"));
    lblTimeout.setText(QStringLiteral("Tx Time-out-Timer in mins"));
    lblScanHold.setText(QStringLiteral("Scan Hold Timer in secs   2.00"));
    for (QLabel* label : {&lblModel, &lblTimeout, &lblScanHold})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblRange.setText(QStringLiteral("Frequency range 400MHz to 450MHz only"));
    lblRange.setAlignment(Qt::AlignCenter);
}

void EntryFormWidgets::nameControls(const EntryFields& fields) {
    // Buttons and option boxes are named by their captions (the store
    // button's changes with it); the other controls by the labels over or
    // beside them, which are their buddies.
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {&lblChannel, &cboCh},  {&lblReceive, &txtRx}, {&lblTransmit, &txtTx},
        {&lblCTCSS, &cboCTCSS}, {&lblScan, &chkScan},  {&lblTimeout, &cboToT},
        {&lblModel, &cboRadio},
    };
    for (const auto& [label, control] : labelled) {
        label->setBuddy(control);
        control->setAccessibleName(label->text().simplified());
    }
    cboCh.lineEdit()->setAccessibleName(lblChannel.text());
    cboCTCSS.lineEdit()->setAccessibleName(lblCTCSS.text());
    txtCh.setAccessibleName(lblChannel.text()); // the selector's copy, never shown
    // The list has no label of its own: it is the channel half's list.
    lstFreq.setAccessibleName(lblChannelData.text());
    lstFreq.setAccessibleDescription(qs(fields.lstFreq.toolTip()));
}

} // namespace kl40::qt
