// Every control of the entry form and the print selection window has an
// accessible name, and it is the control's caption or the label that names
// it on screen.

#include "support/loaded_form.h"
#include "support/recording_printer.h"
#include "ui/qt/entry_form_view.h"
#include "ui/qt/print_dialog_view.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QtTest>

#include <memory>

namespace kl40::qt {

namespace {

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The texts of the labels that the accessibility interface reports as
// labelling `widget` (a combo box's name is its value on this desktop, so
// readers take the label from this relation).
QStringList labelsOf(QWidget* widget) {
    QStringList texts;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    for (const auto& [other, relation] : face->relations(QAccessible::Label))
        texts << other->text(QAccessible::Name).simplified();
    return texts;
}

// The caption of a button or option box, as it reads.
QString caption(QWidget* widget) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    return button ? button->text().remove('&') : QString();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void entryFormControlsAreNamedByCaptionOrLabel() {
        test::LoadedForm rig;
        EntryFormView view(rig.ws, rig.form);
        const QMap<QString, QString> labelled{{"cboCh", "Channel"},
                                              {"txtCh", "Channel"},
                                              {"txtRx", "Receive in MHz"},
                                              {"txtTx", "Transmit in MHz"},
                                              {"cboCTCSS", "CTCSS"},
                                              {"chkScan", "Scan"},
                                              {"cboToT", "Tx Time-out-Timer in mins"},
                                              {"cboRadio", "KL40 Model Type"},
                                              {"lstFreq", "Channel Data"}};
        int named = 0;
        for (QWidget* control : view.findChildren<QWidget*>()) {
            if (control->parentWidget() != &view || control->focusPolicy() == Qt::NoFocus) continue;
            const QString name = control->objectName();
            if (labelled.contains(name)) {
                QCOMPARE(control->accessibleName(), labelled[name]);
                if (name != "lstFreq" && name != "txtCh") // no label of their own on screen
                    QCOMPARE(labelsOf(control), QStringList(labelled[name]));
            } else {
                QVERIFY2(!caption(control).isEmpty(), qPrintable(name + " has no caption"));
                QCOMPARE(accessibleName(control), caption(control));
            }
            ++named;
        }
        QCOMPARE(named, 24);
        // A caption that changes renames its button.
        auto* store = view.findChild<QAbstractButton*>("cmdReset_Pers");
        rig.ws.form.cmdReset_Pers.setCaption("Update");
        view.refresh();
        QCOMPARE(accessibleName(store), QString("Update"));
    }

    void printSelectionControlsAreNamedByCaption() {
        test::LoadedForm rig;
        test::RecordingPrintTarget target;
        PrintDialogView view(rig.ws, target);
        int named = 0;
        for (QAbstractButton* button : view.findChildren<QAbstractButton*>()) {
            QVERIFY(!button->text().isEmpty());
            QCOMPARE(accessibleName(button), caption(button));
            ++named;
        }
        QCOMPARE(named, 7); // four printouts, Preview..., OK, Cancel
        QCOMPARE(accessibleName(view.findChild<QGroupBox*>("frPrint_Selection")),
                 QString("Available Printouts"));
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::AccessibilityTest)
#include "accessibility_test.moc"
