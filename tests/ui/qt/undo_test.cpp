// Undo and redo on screen (headless): each kind of change made through the
// widgets, the Edit menu's enabled states and its keys, also in a text box.

#include "image/channel_transfer.h"
#include "support/form_operator.h"
#include "support/loaded_form.h"
#include "support/qt_app.h"
#include "ui/form/radio_snapshot.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_window_host.h"

#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <functional>
#include <memory>

namespace kl40::qt {

namespace {

using App = test::QtApp;

// What the form shows: each control's text or state and whether it is
// enabled, the list's lines and selection.
QStringList shown(const QWidget& form) {
    QStringList state;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        QString value;
        if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            value = edit->text();
        else if (const auto* combo = qobject_cast<const QComboBox*>(w))
            value = combo->currentText();
        else if (const auto* box = qobject_cast<const QCheckBox*>(w))
            value = box->isChecked() ? "ticked" : "clear";
        else if (const auto* button = qobject_cast<const QPushButton*>(w))
            value = button->text();
        else if (const auto* list = qobject_cast<const QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                value += list->item(i)->text().simplified() + "; ";
            value += "line " + QString::number(list->currentRow());
        } else
            continue;
        state << w->objectName() + " = " + value + (w->isEnabled() ? "" : " (disabled)");
    }
    return state;
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<App> app;
    std::unique_ptr<test::FormOperator> op;
    std::unique_ptr<QTemporaryDir> dir;

    QAction* action(const char* name) { return app->view->findChild<QAction*>(name); }
    void run(const char* name) {
        action(name)->trigger();
        QCoreApplication::processEvents();
    }
    int lines() { return op->get<QListWidget>("lstFreq")->count(); }
    void click(const char* name) {
        QTest::mouseClick(op->get(name), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Presses `key` in the control `name`, the frame being the active window.
    void press(const char* name, const QKeySequence& key) {
        app->view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->view.get()));
        op->focus(name);
        QTest::keySequence(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        app = std::make_unique<App>();
        op = std::make_unique<test::FormOperator>(app->view->entryForm());
        app->view->show();
        app->view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->view.get()));
    }
    void cleanup() {
        QVERIFY2(app->platform.answers.empty() && app->platform.paths.empty(),
                 "a scripted answer or path was not used");
        op.reset();
        app.reset();
    }

    void editMenuHasUndoAndRedoWithTheirKeys() {
        const auto bar = app->view->menuBar()->actions();
        QCOMPARE(bar[1]->text(), QString("&Edit"));
        QCOMPARE(bar[1]->menu()->actions().mid(0, 2),
                 QList<QAction*>({action("mnuUndo"), action("mnuRedo")}));
        QCOMPARE(action("mnuUndo")->text(), QString("&Undo"));
        QCOMPARE(action("mnuRedo")->text(), QString("&Redo"));
        // The menu shows the first key; the platform may add its own after them.
        QCOMPARE(action("mnuUndo")->shortcuts().front(), QKeySequence("Ctrl+Z"));
        QCOMPARE(action("mnuRedo")->shortcuts().mid(0, 2),
                 QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
        QVERIFY(!action("mnuUndo")->isEnabled());
        QVERIFY(!action("mnuRedo")->isEnabled());
    }

    // Each kind of change made through the widgets is undone and redone by
    // the Edit menu: the form shows exactly what it showed before and after,
    // the unsaved mark follows, and the commands are enabled when possible.
    void undoAndRedoEachKindOfChange() {
        // A channel list file to import: channel 20, and channel 5 again.
        const QString csv = dir->filePath("import.csv");
        {
            test::LoadedForm other;
            other.store(20, "441.5");
            other.store(5, "439.25", "", "none ", true);
            std::ofstream(csv.toStdString()) << ExportChannels(RadioOf(other.ws)).csv;
        }
        op->choose("cboRadio", "KL40a-64");
        op->enterChannel("5", "435.125", "430.125", "88.5 ", true);
        op->enterChannel("12", "440.5", "", "103.5", false);
        op->tick("chkBCO");
        app->platform.choosePath(dir->filePath("club.bin").toStdString());
        click("cmdSave");
        QVERIFY(!app->view->isWindowModified());

        struct Kind {
            const char* name;
            std::function<void()> prepare; // what the operator does first: no change
            std::function<void()> change;
        };
        const Kind kinds[] = {
            {"update",
             [&] {
                 op->clickLine(0);
                 op->focus("txtRx");
                 op->get<QLineEdit>("txtRx")->selectAll();
                 op->type("437.5");
             },
             [&] { click("cmdReset_Pers"); }},
            {"delete", [&] { op->clickLine(1); }, [&] { click("cmdDelete"); }},
            {"option box", nullptr, [&] { op->tick("chkDispl_Blnk"); }},
            {"model", nullptr, [&] { op->choose("cboRadio", "KL40a-16"); }},
            {"time-out", nullptr, [&] { op->choose("cboToT", "1.00"); }},
            {"import", [&] { app->platform.choosePath(csv.toStdString()); },
             [&] { run("mnuImportChannels"); }},
            {"store",
             [&] {
                 op->focus("cboCh");
                 op->get<QComboBox>("cboCh")->lineEdit()->selectAll();
                 op->type("9");
                 op->tab();
                 op->type("436.0125");
                 op->tab();
                 op->tab();
                 op->tab();
                 QCOMPARE(QApplication::focusWidget(), op->get("chkScan"));
             },
             [&] { op->tab(); }},
            {"Reset", [&] { app->platform.answer(Answer::Yes); }, [&] { click("cmdReset_Pers"); }},
        };
        for (const Kind& kind : kinds) {
            const QByteArray name = kind.name;
            if (kind.prepare) kind.prepare();
            const QStringList before = shown(app->view->entryForm());
            const bool modifiedBefore = app->view->isWindowModified();
            QVERIFY2(!action("mnuRedo")->isEnabled(), name);

            kind.change();
            const QStringList after = shown(app->view->entryForm());
            QVERIFY2(before != after, name);
            QVERIFY2(app->ws.data.DataChanged, name);
            QVERIFY2(action("mnuUndo")->isEnabled(), name);
            QVERIFY2(!action("mnuRedo")->isEnabled(), name);

            run("mnuUndo");
            QCOMPARE(shown(app->view->entryForm()), before);
            QCOMPARE(app->view->isWindowModified(), modifiedBefore);
            QVERIFY2(action("mnuRedo")->isEnabled(), name);

            run("mnuRedo");
            QCOMPARE(shown(app->view->entryForm()), after);
            QVERIFY2(app->ws.data.DataChanged, name);
        }
        QCOMPARE(lines(), 0); // after the Reset

        run("mnuUndo");
        app->platform.answer(Answer::No); // do not save
        run("mnuNewFile");                // a new radio starts a new history
        QCOMPARE(lines(), 0);
        QVERIFY(!action("mnuUndo")->isEnabled());
        QVERIFY(!action("mnuRedo")->isEnabled());
    }

    // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y act on the data set wherever the focus
    // is, also in a text box or the channel selector with typing in it.
    void undoKeysActOnTheDataSetInEveryControl() {
        op->enterChannel("3", "435", "", "none ", false);
        QCOMPARE(lines(), 1);
        op->type("7"); // into the selector, which has the focus after a store
        QTest::keySequence(QApplication::focusWidget(), QKeySequence("Ctrl+Z"));
        QCoreApplication::processEvents();
        QCOMPARE(lines(), 0);
        QCOMPARE(op->get<QComboBox>("cboCh")->currentText(), QString("3"));

        press("txtRx", QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(lines(), 1);
        press("txtTx", QKeySequence("Ctrl+Z"));
        QCOMPARE(lines(), 0);
        press("cboToT", QKeySequence("Ctrl+Y"));
        QCOMPARE(lines(), 1);
        press("txtRx", QKeySequence("Ctrl+Y")); // nothing more to redo: nothing typed either
        QCOMPARE(lines(), 1);
        QCOMPARE(op->get<QLineEdit>("txtRx")->text(), QString());
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::UndoTest)
#include "undo_test.moc"
