// The data-entry form on screen (headless): layout, keyboard, focus, clicks.

#include "coding/options.h"
#include "support/form_operator.h"
#include "support/loaded_form.h"
#include "support/scripted_platform.h"
#include "ui/channel_list_columns.h"
#include "ui/entry_form.h"
#include "ui/form/channel_entry.h"
#include "ui/qt/entry_form_view.h"
#include "ui/qt/qt_platform.h"

#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

namespace kl40::qt {

namespace {

using NoHost = test::RecordingHost;

struct Rig {
    explicit Rig(Platform& platform) : ws(platform) { form.Form_Load(); }
    Workspace ws;
    NoHost host;
    EntryForm form{ws, host};
};

// No control overlaps another or leaves the form, no caption is cut, and
// twenty of the widest channel lines fit beside the list's scroll bar.
void expectTidy(Rig& rig, EntryFormView& form) {
    std::vector<QWidget*> widgets;
    for (QObject* child : form.children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisible()) widgets.push_back(w);
    QVERIFY(widgets.size() >= 34);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        QVERIFY(form.rect().contains(widgets[i]->geometry()));
        for (std::size_t j = i + 1; j < widgets.size(); ++j)
            QVERIFY2(!widgets[i]->geometry().intersects(widgets[j]->geometry()),
                     qPrintable(widgets[i]->objectName() + " / " + widgets[j]->objectName()));
    }
    for (QLabel* label : form.findChildren<QLabel*>())
        QVERIFY2(label->sizeHint().width() <= label->width() &&
                     label->sizeHint().height() <= label->height(),
                 qPrintable(label->text()));
    for (QCheckBox* box : form.findChildren<QCheckBox*>())
        QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
    for (QComboBox* box : form.findChildren<QComboBox*>())
        if (!box->isEditable()) QVERIFY(box->sizeHint().width() <= box->width());
    for (QPushButton* button : form.findChildren<QPushButton*>())
        QVERIFY(button->fontMetrics().horizontalAdvance("Update") + 8 <= button->width());

    for (int n = 80; n < 100; ++n)
        rig.ws.form.lstFreq.addItem(
            FormatListLine(std::to_string(n) + ",449.9999,449.9999,254.1,Y"));
    form.refresh();
    QCoreApplication::processEvents();
    auto* list = form.findChild<QListWidget*>("lstFreq");
    QVERIFY(list->verticalScrollBar()->isVisible());
    QVERIFY(!list->horizontalScrollBar()->isVisible());
}

} // namespace

class EntryFormViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScriptedPlatform> platform;
    std::unique_ptr<Rig> rig;
    std::unique_ptr<EntryFormView> view;
    std::unique_ptr<test::FormOperator> op;

    template <class W = QWidget> W* get(const char* name) { return op->get<W>(name); }
    QString text(const char* name) { return get<QLineEdit>(name)->text(); }
    std::string slot(int n) { return test::EntryOf(rig->ws, n); }

private slots:
    void init() {
        platform = std::make_unique<test::ScriptedPlatform>();
        rig = std::make_unique<Rig>(*platform);
        view = std::make_unique<EntryFormView>(rig->ws, rig->form);
        op = std::make_unique<test::FormOperator>(*view);
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }
    void cleanup() {
        QVERIFY2(platform->answers.empty(), "a scripted answer was not used");
        op.reset();
        view.reset();
        rig.reset();
    }

    // Tab out of the scan box stores the channel and goes back to the
    // selector; Shift+Tab from the selector leads to every other control.
    void shiftTabFromTheSelectorReachesTheOptionsAndButtons() {
        op->focus("cboCh");
        QStringList reached;
        for (int i = 0; i < 14; ++i) {
            QTest::keyClick(op->focused(), Qt::Key_Backtab, Qt::ShiftModifier);
            reached << op->focused()->objectName();
        }
        QCOMPARE(reached.join(' '), QString("cmdSave cboRadio cmdDelete lstFreq cmdExit cmdPrint "
                                            "cmdReset_Pers chkSilent chkBCO chkCTCSS_en "
                                            "chkDispl_Blnk chkScan_Prog chkScan_En cboToT"));
    }

    void controlsSitAtTheirPlacesInTabOrder() {
        QCOMPARE(view->windowTitle(), QString("KL40 Data Entry Form"));
        // Twips / 15; the selector grows to show "100", and the fields beside it move along.
        auto* selector = get<QComboBox>("cboCh");
        QCOMPARE(selector->geometry().topLeft(), QPoint(13, 70));
        QVERIFY(selector->width() >= 36 && selector->height() == 21);
        QVERIFY(selector->lineEdit()->width() >=
                selector->fontMetrics().horizontalAdvance("100") + 4);
        const int growth = selector->width() - 36;
        QCOMPARE(get("txtRx")->geometry(), QRect(50 + growth, 70, 59, 21));
        QCOMPARE(get("lstFreq")->geometry(), QRect(15, 93, 235, 121));
        QCOMPARE(get("cmdSave")->geometry(), QRect(124, 218, 52, 25));
        QVERIFY(!get("txtCh")->isVisible()); // filled from the selector, never typed into
        QCOMPARE(get("cboCTCSS")->pos(), QPoint(167 + growth, 70)); // lists may grow to the right
        QCOMPARE(get("chkScan")->pos(), QPoint(220 + growth + get("cboCTCSS")->width() - 51, 73));
        QVERIFY(QFontInfo(get("lstFreq")->font()).fixedPitch()); // its columns line up
        for (const char* name : {"chkScan_En", "chkInd_On", "chkTX_Inh"})
            QCOMPARE(get(name)->geometry().right() + 1, 438); // the boxes line up on the right
        QCOMPARE(get("chkTX_Inh")->y(), 245);
        QCOMPARE(get("lstFreq")->toolTip(), QString("Displays the channel information"));
        int headings = 0;
        for (QLabel* label : view->findChildren<QLabel*>())
            if (label->font().pointSizeF() == 13.5 && !QFontInfo(label->font()).fixedPitch())
                ++headings;
        QCOMPARE(headings, 2);
        QStringList labels;
        for (QLabel* label : view->findChildren<QLabel*>())
            labels << label->text();
        // The range the store accepts (400.0000 is stored).
        QVERIFY(labels.contains("Frequency range 400MHz to 450MHz only"));

        const char* order[] = {
            "cboCh",      "txtRx",      "txtTx",        "cboCTCSS",      "chkScan",   "cboToT",
            "chkScan_En", "chkDwn_Del", "chkScan_Prog", "chkDispl_Blnk", "chkInd_On", "chkCTCSS_en",
            "chkBCO",     "chkSilent",  "chkTX_Inh",    "cmdReset_Pers", "cmdPrint",  "cmdExit",
            "lstFreq",    "cmdDelete",  "cboRadio",     "txtCh",         "chkHiLo",   "cmdSave"};
        QWidget* w = get(order[0]);
        for (std::size_t i = 1; i < std::size(order); ++i) {
            do
                w = w->nextInFocusChain();
            while (w->parentWidget() != view.get() || w->focusPolicy() == Qt::NoFocus);
            QCOMPARE(w->objectName(), QString(order[i]));
        }
    }

    void layoutIsTidyInTheFormFontAndAWiderOne() {
        expectTidy(*rig, *view);
        if (QTest::currentTestFailed()) return;

        QFont::insertSubstitution("Arial", "DejaVu Sans");
        Rig other(*platform);
        EntryFormView wide(other.ws, other.form);
        QFont::removeSubstitutions("Arial");
        if (QFontInfo(wide.font()).family() != "DejaVu Sans") QSKIP("DejaVu Sans is missing");
        wide.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wide));
        expectTidy(other, wide);
    }

    void keyFiltersDropOtherKeysAndMoveTheFocus() {
        op->focus("txtRx");
        op->press(Qt::Key_Return); // empty: stays
        QCOMPARE(op->focused(), get("txtRx"));
        op->type("4a3,5.1x25");
        op->press(Qt::Key_Backspace);
        QCOMPARE(text("txtRx"), QString("435.12"));
        QCOMPARE(rig->ws.form.txtRx.text(), "435.12");
        op->press(Qt::Key_Return);
        QCOMPARE(op->focused(), get("txtTx"));
        op->type("430-");
        op->press(Qt::Key_Enter);
        QCOMPARE(op->focused(), get("cboCTCSS"));
        QCOMPARE(text("txtTx"), QString("430"));
    }

    // The usual editing keys work in the frequency boxes; a paste keeps what
    // typing it would keep; a click or Tab into a box selects its text, so
    // typing replaces it.
    void editingKeysPasteAndSelectionInTheFrequencyBoxes() {
        auto* rx = get<QLineEdit>("txtRx");
        auto* tx = get<QLineEdit>("txtTx");
        QClipboard* clipboard = QApplication::clipboard();
        QTest::mouseClick(rx, Qt::LeftButton);
        QCOMPARE(op->focused(), rx);
        op->type("435.125");
        QTest::keyClick(rx, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(rx->selectedText(), QString("435.125"));
        QTest::keyClick(rx, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QString("435.125"));
        QTest::keyClick(rx, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(text("txtRx"), QString());
        QCOMPARE(rig->ws.form.txtRx.text(), "");
        QTest::keyClick(rx, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rig->ws.form.txtRx.text(), "435.125");

        clipboard->setText("433.5125 MHz");
        op->tab();
        QCOMPARE(op->focused(), tx);
        QTest::keyClick(tx, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(text("txtTx"), QString("433.5125"));
        QCOMPARE(rig->ws.form.txtTx.text(), "433.5125");
        QTest::keyClick(tx, Qt::Key_Home);
        QTest::keyClick(tx, Qt::Key_V, Qt::ControlModifier); // in front: the cursor follows
        QCOMPARE(text("txtTx"), QString("433.5125433.5125"));
        QCOMPARE(tx->cursorPosition(), 8);

        QTest::mouseClick(rx, Qt::LeftButton, {}, QPoint(4, rx->height() / 2));
        QCOMPARE(rx->selectedText(), QString("435.125"));
        op->type("440");
        QCOMPARE(rig->ws.form.txtRx.text(), "440");
        op->tab();
        QCOMPARE(tx->selectedText(), text("txtTx"));
        op->type("430");
        QCOMPARE(rig->ws.form.txtTx.text(), "430");
    }

    // A tone typed into the tone box stays as typed: one of the radio's is
    // stored, any other refused by name.
    void typedToneIsStoredOrRefusedNeverReplaced() {
        auto* tone = get<QComboBox>("cboCTCSS");
        op->enterChannel("5", "435", "", "none ", false);
        op->focus("cboCh");
        get<QComboBox>("cboCh")->lineEdit()->selectAll();
        op->type("6");
        op->tab();
        op->type("436");
        op->tab();
        op->tab();
        QCOMPARE(op->focused(), tone);
        // Tab selects the tone shown, so typing replaces it.
        QCOMPARE(tone->lineEdit()->selectedText(), tone->currentText());
        op->type("100.0"); // a tone the radio lacks
        QCOMPARE(tone->currentText(), QString("100.0"));
        op->tab();
        op->tab(); // leaving the scan box stores
        QCOMPARE(platform->last().text,
                 std::string("100.0 Hz is not one of the radio's CTCSS tones"));
        QCOMPARE(slot(6), std::string());
        QCOMPARE(tone->currentText(), QString("100.0"));
        QTRY_COMPARE(op->focused(), tone);

        QTest::keyClick(tone, Qt::Key_A, Qt::ControlModifier);
        op->type("88.5");
        op->tab();
        op->tab();
        QCOMPARE(slot(6), std::string("6,436.0000,436.0000,88.5 ,N"));
        QCOMPARE(tone->currentText(), QString("none "));
    }

    void leavingTheScanBoxStoresTheChannel() {
        op->enterChannel("5", "435.125", "430.125", "88.5 ", false);
        QCOMPARE(slot(5), std::string("5,435.1250,430.1250,88.5 ,N"));
        QTRY_COMPARE(op->focused(), get("cboCh"));
        // Ready for the next channel: its number is selected, so typing replaces it.
        QCOMPARE(get<QComboBox>("cboCh")->lineEdit()->selectedText(), QString("6"));
        QCOMPARE(text("txtRx"), QString());

        // The scan box is dark while it has the focus.
        op->type("12");
        QCOMPARE(get<QComboBox>("cboCh")->currentText(), QString("12"));
        for (int i = 0; i < 4; ++i)
            op->tab();
        auto* scan = get<QCheckBox>("chkScan");
        QCOMPARE(op->focused(), scan);
        QCOMPARE(scan->palette().color(QPalette::Window), QColor(0, 0, 8));
        QVERIFY(scan->autoFillBackground());
        op->press(Qt::Key_Space);
        op->tab();
        QTRY_COMPARE(op->focused(), get("cboCh"));
        QVERIFY(!scan->autoFillBackground());
        QCOMPARE(slot(12), std::string("")); // no receive frequency
        QVERIFY(platform->messages.empty());
        QCOMPARE(get<QListWidget>("lstFreq")->count(), 1);
        QCOMPARE(get<QListWidget>("lstFreq")->item(0)->text(),
                 QString::fromStdString(ChannelListColumns(FormatListLine(slot(5)))));
    }

    void selectorTextIsNoChoiceUntilPicked() {
        const auto selected = rig->ws.data.SelectedChannel;
        op->focus("cboCh");
        get<QComboBox>("cboCh")->lineEdit()->selectAll();
        op->type("7");
        op->tab(); // copies the text into the channel box but runs no click
        QCOMPARE(rig->ws.form.txtCh.text(), "7");
        QCOMPARE(rig->ws.data.SelectedChannel, selected);
        QCOMPARE(get<QComboBox>("cboCh")->count(), 100); // typed text is no item

        op->focus("cboCh");
        op->press(Qt::Key_Down); // picking an item is a click
        QCOMPARE(rig->ws.data.SelectedChannel, 8);
    }

    void listLinesAndButtonsEditChannels() {
        op->enterChannel("3", "435", "", "none ", true);
        op->enterChannel("9", "440", "", "none ", false);
        QVERIFY(get<QCheckBox>("chkScan_En")->isChecked()); // a scan channel turns scanning on
        op->clickLine(0);
        QCOMPARE(get<QComboBox>("cboCh")->currentText(), QString("3"));
        QCOMPARE(text("txtRx"), QString("435.0000"));
        QCOMPARE(get<QPushButton>("cmdReset_Pers")->text(), QString("Update"));

        op->focus("txtRx"); // the same line again shows the stored channel again
        op->type("9");
        op->clickLine(0);
        QCOMPARE(text("txtRx"), QString("435.0000"));

        op->focus("txtRx");
        get<QLineEdit>("txtRx")->selectAll();
        op->type("436.5");
        QTest::mouseClick(get("cmdReset_Pers"), Qt::LeftButton); // Update
        QCOMPARE(slot(3), std::string("3,436.5000,435.0000,none ,Y"));
        QCOMPARE(get<QPushButton>("cmdReset_Pers")->text(), QString("Reset"));
        platform->answer(Answer::No);
        QTest::mouseClick(get("cmdReset_Pers"), Qt::LeftButton); // Reset asks first
        QCOMPARE(platform->last().text, std::string("Do you wish to clear the channel list?"));

        op->focus("lstFreq"); // the keyboard moves through the list as clicks do
        op->press(Qt::Key_Down);
        QCOMPARE(text("txtRx"), QString("440.0000"));
        op->press(Qt::Key_Up);
        QCOMPARE(text("txtRx"), QString("436.5000"));
        QTest::mouseClick(get("cmdDelete"), Qt::LeftButton);
        QCOMPARE(get<QListWidget>("lstFreq")->count(), 1);
        QCOMPARE(slot(3), std::string());
    }

    void optionInterlocksShowInTheWidgets() {
        op->tick("chkScan_Prog");
        QVERIFY(get<QCheckBox>("chkScan_En")->isChecked());
        op->tick("chkScan_En");
        QVERIFY(!get<QCheckBox>("chkScan_Prog")->isChecked());

        QVERIFY(!get("chkInd_On")->isEnabled());
        op->tick("chkDispl_Blnk");
        op->tick("chkInd_On");
        QVERIFY(get<QCheckBox>("chkInd_On")->isChecked());
        QVERIFY(!get("chkSilent")->isEnabled());
        QVERIFY(!get("chkTX_Inh")->isEnabled());
        op->tick("chkInd_On");
        QVERIFY(get("chkSilent")->isEnabled());

        auto* power = get<QCheckBox>("chkHiLo");
        op->choose("cboRadio", "KL40a-16");
        QCOMPARE(ConfigTextOf(rig->ws.data.radio)[14], '1');
        op->tick("chkHiLo");
        QVERIFY(power->isChecked());
        op->choose("cboRadio", "KL40c");
        QVERIFY(!power->isChecked());
        QVERIFY(!power->isEnabled());
        const std::string config = ConfigTextOf(rig->ws.data.radio);
        QCOMPARE(config.substr(2, 3), "000"); // scanning and programmed scan off
        QCOMPARE(config.substr(5, 2), "10");  // display timer on, LED indicator off
        QCOMPARE(config[13], '0');            // no high/low power
    }

    void realMessageDuringAFocusChange() {
        // A refused frequency is reported by a real modal message box while
        // the scan box loses the focus; the focus change still ends cleanly.
        QtPlatform qtPlatform;
        Rig real(qtPlatform);
        EntryFormView form(real.ws, real.form);
        qtPlatform.setParentWindow(&form);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QStringList shown;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        answer.start(10);
        test::FormOperator(form).enterChannel("4", "300", "", "none ", false);
        // The refused field has the focus, for the operator to correct it.
        QTRY_COMPARE(form.focusWidget(), form.findChild<QWidget*>("txtRx"));
        QTest::qWait(50);
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith("A valid frequency must be entered\nThe receive frequency"));
        QVERIFY(!real.ws.data.radio.channels[4]);
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::EntryFormViewTest)
#include "entry_form_view_test.moc"
