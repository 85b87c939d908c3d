// The whole application on screen (headless): menus, saving and opening
// through the dialogs, Exit and the close box, the secondary windows.

#include "support/form_operator.h"
#include "support/qt_app.h"
#include "ui/qt/help_view.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_window_host.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>

namespace kl40::qt {

namespace {

using App = test::QtApp;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList texts(const QList<QAction*>& actions) {
    QStringList list;
    for (QAction* action : actions)
        if (!action->isSeparator() && action->isVisible()) list << action->text();
    return list;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<App> app;
    std::unique_ptr<test::FormOperator> op;
    std::unique_ptr<QTemporaryDir> dir;

    std::string path(const QString& name) const { return dir->filePath(name).toStdString(); }
    void run(const char* action) { app->view->findChild<QAction*>(action)->trigger(); }
    QListWidget* list() { return op->get<QListWidget>("lstFreq"); }
    const test::RecordedMessage& last() { return app->platform.last(); }

    // A radio entered through the widgets: model, two channels, one option.
    void enterRadio() {
        op->choose("cboRadio", "KL40a-64");
        op->enterChannel("5", "435.125", "430.125", "88.5 ", true);
        op->enterChannel("12", "440.5", "", "103.5", false);
        op->tick("chkBCO");
        QCOMPARE(list()->count(), 2);
        QVERIFY(app->platform.messages.empty());
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

    void frameHoldsTheFormAndTheMenus() {
        MainWindowView& view = *app->view;
        QCOMPARE(view.windowTitle(), QString("KL40 Programming[*]"));
        QVERIFY(!view.isWindowModified());
        const auto windows = view.area().subWindowList();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->widget(), &view.entryForm());
        QCOMPARE(windows[0]->windowTitle(), QString("KL40 Data Entry Form"));
        QVERIFY(op->get("cboCh")->hasFocus());
        // Typing the first channel number replaces the "1" shown.
        QCOMPARE(qobject_cast<QComboBox*>(op->get("cboCh"))->lineEdit()->selectedText(),
                 QString("1"));
        const QSize room = view.area().viewport()->size(); // across the middle, 3/8 down
        QCOMPARE(windows[0]->pos(), QPoint(room.width() / 2 - windows[0]->width() / 2,
                                           room.height() / 8 * 3 - windows[0]->height() / 2));
        windows[0]->close(); // the form does not close on its own
        QVERIFY(windows[0]->isVisible());

        const auto bar = view.menuBar()->actions();
        QCOMPARE(texts(bar), QStringList({"&File", "&Edit", "P&rogrammer", "&Print", "KL40 Info"}));
        QVERIFY(bar[3]->menu() == nullptr); // a command of its own
        QCOMPARE(texts(bar[0]->menu()->actions()),
                 QStringList({"&New Radio File", "&Open Radio File", "&Save", "Save &As...",
                              "&Import Channels...", "&Export Channels...",
                              "Use &Firmware From Image...", "&Print Channel Table...", "E&xit"}));
        QCOMPARE(texts(bar[1]->menu()->actions()),
                 QStringList({"&Undo", "&Redo", "Channel Table", "&Fill Frequencies...",
                              "&Sort Channels", "Pr&eferences..."}));
        QCOMPARE(texts(bar[2]->menu()->actions()),
                 QStringList({"&Read EPROM...", "&Write EPROM", "&Verify EPROM",
                              "Programmer &Settings..."}));
        QCOMPARE(texts(bar[4]->menu()->actions()), QStringList({"&Help", "&About"}));
        // The usual shortcuts besides the access keys, and no others.
        const QMap<QString, QString> shortcuts{
            {"mnuNewFile", "Ctrl+N"},    {"mnuOpenFile", "Ctrl+O"},
            {"mnuSaveFile", "Ctrl+S"},   {"mnuSaveFileAs", "Ctrl+Shift+S"},
            {"mnuKL40", "Ctrl+Q"},       {"mnuPrint", "Ctrl+P"},
            {"mnuKL40_Help", "F1"},      {"mnuUndo", "Ctrl+Z"},
            {"mnuRedo", "Ctrl+Shift+Z"}, {"mnuChannelTable", "Ctrl+T"}};
        for (QAction* top : bar)
            for (QAction* action : top->menu() ? top->menu()->actions() : QList{top})
                QCOMPARE(action->shortcut().toString(),
                         shortcuts.value(action->objectName(), QString()));
    }

    // Each shortcut runs its command, also while the focus is in a field of
    // the form whose keys are filtered.
    void shortcutsRunTheirCommands() {
        op->enterChannel("3", "435", "", "none ", false);
        op->focus("txtRx");
        // Into the field, with the frame the active window again.
        const auto press = [this](QKeyCombination key) {
            app->view->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(app->view.get()));
            op->focus("txtRx");
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));
            QCoreApplication::processEvents();
        };
        app->platform.answer(Answer::No);
        press(Qt::CTRL | Qt::Key_N); // asks about the channel, then clears it
        QCOMPARE(list()->count(), 0);
        app->platform.cancelDialog();
        press(Qt::CTRL | Qt::Key_O);
        QCOMPARE(app->platform.openRequests.size(), std::size_t(1));
        op->enterChannel("4", "436", "", "none ", false);
        app->platform.choosePath(path("keys.bin"));
        press(Qt::CTRL | Qt::Key_S); // no file yet: asks
        QVERIFY(QFile::exists(dir->filePath("keys.bin")));
        op->enterChannel("7", "437", "", "none ", false);
        press(Qt::CTRL | Qt::Key_S); // the same file again, without asking
        QCOMPARE(app->platform.saveRequests.size(), std::size_t(1));
        QVERIFY(!app->view->isWindowModified());
        app->platform.choosePath(path("keys.json"));
        press(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        QCOMPARE(app->platform.saveRequests.size(), std::size_t(2));
        QVERIFY(QFile::exists(dir->filePath("keys.json")));
        press(Qt::CTRL | Qt::Key_P);
        QVERIFY(app->windows.printWindow() != nullptr);
        press(Qt::Key_F1);
        QVERIFY(app->windows.helpWindow() != nullptr);
        press(Qt::CTRL | Qt::Key_Q);
        QCOMPARE(app->ended, 1);
    }

    void savedFileIsTheCommandLineImage() {
        const QString cli = qEnvironmentVariable("KL40_CLI");
        if (cli.isEmpty()) QSKIP("KL40_CLI is not set");
        enterRadio();
        app->platform.choosePath(path("radio.bin"));
        run("mnuSaveFile");
        // A KL40a-64 from the template: saved, with the warning that it holds no program code.
        QVERIFY(last().text.starts_with("File radio.bin saved\nThe image holds no program code"));
        QCOMPARE(app->view->entryWindow().windowTitle(), QString("KL40 File : radio.bin"));

        QFile json(dir->filePath("radio.json"));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(R"({"model":"KL40a-64","timeout":"2.00",
            "options":["Enable Scan","Busy Channel Lockout"],
            "channels":[{"channel":5,"rx":"435.1250","tx":"430.1250","ctcss":"88.5","scan":true},
                {"channel":12,"rx":"440.5000","tx":"440.5000","ctcss":"103.5","scan":false}]})");
        json.close();
        QProcess process;
        process.start(cli, {"build", json.fileName(), "-o", dir->filePath("other.bin")});
        QVERIFY(process.waitForFinished(30000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        const QByteArray saved = readAll(dir->filePath("radio.bin"));
        QCOMPARE(saved.size(), 8192);
        QCOMPARE(saved, readAll(dir->filePath("other.bin")));
    }

    void newAndOpenReplaceTheRadio() {
        enterRadio();
        app->platform.choosePath(path("club.bin"));
        QTest::mouseClick(op->get("cmdSave"), Qt::LeftButton);
        const QString line = list()->item(1)->text();

        run("mnuNewFile"); // asks nothing
        QCOMPARE(list()->count(), 0);
        QVERIFY(!op->get<QCheckBox>("chkBCO")->isChecked());
        QCOMPARE(app->platform.messages.size(), std::size_t(1));

        app->platform.choosePath(path("club.bin"));
        run("mnuOpenFile");
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->item(1)->text().simplified(), line.simplified());
        QVERIFY(op->get<QCheckBox>("chkBCO")->isChecked());
        QCOMPARE(op->get<QComboBox>("cboRadio")->currentText(), QString("KL40a-64"));
        QCOMPARE(app->view->entryWindow().windowTitle(), QString("KL40 File : club.bin"));
    }

    void exitAsksOnlyWithUnsavedChannels() {
        run("mnuKL40"); // nothing entered: no question
        QCOMPARE(app->ended, 1);
        QVERIFY(app->platform.messages.empty());

        op->enterChannel("3", "435", "", "none ", false);
        app->platform.answer(Answer::No);
        QTest::mouseClick(op->get("cmdExit"), Qt::LeftButton);
        QCOMPARE(last().text, std::string("Do you want to save your data?"));
        QCOMPARE(last().title, std::string("Save Data"));
        QCOMPARE(app->ended, 2);

        app->platform.answer(Answer::Yes); // a cancelled save keeps the program and the work
        app->platform.cancelDialog();
        run("mnuKL40");
        QCOMPARE(last().text, std::string("Save Action cancelled"));
        QCOMPARE(app->ended, 2);
        QVERIFY(app->view->isWindowModified());
    }

    // The title names the file written and marks unsaved work; the real
    // question offers Yes, No and Cancel, and Escape and its close button
    // answer Cancel.
    void titleShowsTheFileAndTheQuestionHasThreeButtons() {
        MainWindowView& view = *app->view;
        op->enterChannel("3", "435", "", "none ", false);
        QVERIFY(view.isWindowModified());
        app->platform.choosePath(path("club.txt"));
        run("mnuSaveFile");
        QCOMPARE(view.windowTitle(), QString("KL40 Programming - club.bin[*]"));
        QVERIFY(!view.isWindowModified());
        op->tick("chkBCO");
        QVERIFY(view.isWindowModified());

        QtPlatform real;
        real.setParentWindow(&view);
        const auto ask = [&](const std::function<void(QMessageBox&)>& act) {
            QMessageBox::StandardButtons offered;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) return;
                offered = box->standardButtons();
                QCOMPARE(box->windowTitle(), QString("Save Data"));
                QCOMPARE(box->icon(), QMessageBox::Question);
                act(*box);
            });
            const Answer answer =
                real.askYesNoCancel("Do you want to save your data?", "Save Data");
            return std::make_pair(answer, offered);
        };
        const auto [yes, offered] =
            ask([](QMessageBox& b) { b.button(QMessageBox::Yes)->click(); });
        QCOMPARE(offered, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(yes, Answer::Yes);
        QCOMPARE(ask([](QMessageBox& b) { b.button(QMessageBox::No)->click(); }).first, Answer::No);
        QCOMPARE(ask([](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }).first,
                 Answer::Cancel);
        QCOMPARE(ask([](QMessageBox& b) { b.close(); }).first, Answer::Cancel);
    }

    void closeBoxAsksAndStaysOpenWhenTheSaveFails() {
        op->enterChannel("3", "435", "", "none ", false);
        app->platform.answer(Answer::Yes);
        app->platform.choosePath(path("no-such-folder/radio.bin"));
        QVERIFY(!app->view->close());
        QVERIFY(app->view->isVisible());
        QCOMPARE(app->ended, 0);
        QCOMPARE(app->platform.messages.front().text,
                 std::string("Do you want to save your data?"));

        app->platform.answer(Answer::Yes);
        app->platform.choosePath(path("radio.bin"));
        QVERIFY(app->view->close());
        QCOMPARE(app->ended, 1);
        QCOMPARE(readAll(dir->filePath("radio.bin")).size(), 8192);
    }

    void secondaryWindowsOpenOnce() {
        QtWindowHost& host = app->windows;
        for (const char* command : {"mnuKL40_Help", "mnuKL40_About", "mnuPrint"})
            run(command);
        QWidget* help = host.helpWindow();
        QWidget* about = host.aboutWindow();
        QWidget* print = host.printWindow();
        QVERIFY(help && about && print && help->isWindow() && print->isVisible());
        for (const char* command : {"mnuKL40_Help", "mnuKL40_About", "mnuPrint"})
            run(command);
        QTest::mouseClick(op->get("cmdPrint"), Qt::LeftButton);
        QCOMPARE(host.helpWindow(), help);
        QCOMPARE(host.aboutWindow(), about);
        QCOMPARE(host.printWindow(), print);
        QCOMPARE(app->view->findChildren<HelpView*>().size(), 1);

        help->close(); // a closed window is made afresh next time
        QTRY_VERIFY(host.helpWindow() == nullptr);
        run("mnuKL40_Help");
        QVERIFY(host.helpWindow() != nullptr);
    }

    // Writes a picture of the main window for the documentation when
    // KL40_SCREENSHOT names the file.
    void screenshot() {
        const QString file = qEnvironmentVariable("KL40_SCREENSHOT");
        if (file.isEmpty()) QSKIP("KL40_SCREENSHOT is not set");
        op->enterChannel("1", "439.1", "431.5", "88.5 ", true);
        op->enterChannel("2", "439.15", "431.55", "103.5", true);
        op->enterChannel("5", "435.125", "430.125", "none ", false);
        op->enterChannel("12", "438.0125", "", "71.9 ", true);
        op->tick("chkBCO");
        op->tick("chkDispl_Blnk");
        op->clickLine(1);
        QVERIFY(app->view->grab().save(file));
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::MainWindowTest)
#include "main_window_test.moc"
