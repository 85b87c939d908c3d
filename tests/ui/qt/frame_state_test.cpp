// What the frame keeps between runs and brings at start-up, headless: the
// recent files in the File menu, the file named on the command line, the
// frame's size and place, and a form that scrolls in a frame too small for it.

#include "support/form_operator.h"
#include "support/qt_app.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_window_host.h"
#include "ui/qt/settings_store.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace kl40::qt {

namespace {

// The settings the frame keeps its recent files in, made before the frame.
struct SettingsFile {
    explicit SettingsFile(const QString& path)
        : settings(path, QSettings::IniFormat), store(settings) {}
    QSettings settings;
    SettingsRecentFilesStore store;
};

struct App : SettingsFile, test::QtApp {
    explicit App(const QString& settingsFile) : SettingsFile(settingsFile), QtApp(&store) {}
};

} // namespace

class FrameStateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<App> app;

    QString file(const QString& name) const { return dir->filePath(name); }
    void start() {
        app.reset();
        app = std::make_unique<App>(file("settings.ini"));
        app->view->show();
        app->view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->view.get()));
    }
    // The recent files as the File menu shows them.
    QStringList recentEntries() const {
        QStringList shown;
        for (QAction* action : app->view->findChild<QMenu*>("mnuFile")->actions())
            if (action->objectName().startsWith("mnuRecentFile") && action->isVisible())
                shown << action->text();
        return shown;
    }
    void saveRadio(const QString& name) {
        test::FormOperator op(app->view->entryForm());
        op.enterChannel("5", "435.125", "", "none ", false);
        app->platform.choosePath(file(name).toStdString());
        app->view->findChild<QAction*>("mnuSaveFileAs")->trigger();
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        start();
    }
    void cleanup() {
        QVERIFY2(app->platform.answers.empty() && app->platform.paths.empty(),
                 "a scripted answer or path was not used");
        app.reset();
    }

    void recentFilesInTheFileMenu() {
        QVERIFY(recentEntries().isEmpty());
        saveRadio("a.bin");
        saveRadio("R&D.bin");
        QCOMPARE(recentEntries(), QStringList({"&1 " + file("R&&D.bin"), "&2 " + file("a.bin")}));

        // The next run lists them, and opens one from the keyboard: Alt+F, 2.
        start();
        QCOMPARE(recentEntries().size(), 2);
        QTest::keyClick(app->view.get(), Qt::Key_F, Qt::AltModifier);
        auto* menu = app->view->findChild<QMenu*>("mnuFile");
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_2);
        QTRY_COMPARE(app->view->windowTitle(), QString("KL40 Programming - a.bin[*]"));
        QCOMPARE(recentEntries().front(), "&1 " + file("a.bin"));
        QVERIFY(app->platform.openRequests.empty());

        // A file removed since is reported and leaves the list, here and in
        // the settings.
        QVERIFY(QFile::remove(file("R&D.bin")));
        app->view->findChild<QAction*>("mnuRecentFile2")->trigger();
        QCOMPARE(app->platform.last().text, MissingRecentFileText(file("R&D.bin").toStdString()));
        QCOMPARE(recentEntries(), QStringList({"&1 " + file("a.bin")}));
        QCOMPARE(QSettings(file("settings.ini"), QSettings::IniFormat)
                     .value("recentFiles")
                     .toStringList(),
                 QStringList({file("a.bin")}));
    }

    void commandLineFileOpensAtStartUp() {
        saveRadio("club.bin");
        start();
        app->view->openFile(file("club.bin"));
        QCOMPARE(app->view->windowTitle(), QString("KL40 Programming - club.bin[*]"));
        QCOMPARE(app->view->entryForm().findChild<QListWidget*>("lstFreq")->count(), 1);
        QVERIFY(app->platform.messages.empty());

        // The program itself: it opens the file before its first paint and
        // keeps it as a recent file and its frame in the user's settings.
        const QString gui = qEnvironmentVariable("KL40_GUI");
        if (gui.isEmpty()) QSKIP("KL40_GUI is not set");
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", file("config"));
        env.insert("KL40_QUIT_AFTER_FIRST_PAINT", "1");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir->path());
        process.start(gui, {"club.bin"}); // relative to the working folder
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QSettings kept(file("config/KL40/KL40.conf"), QSettings::IniFormat);
        QCOMPARE(kept.value("recentFiles").toStringList(), QStringList({file("club.bin")}));
        QVERIFY(!kept.value("frame/geometry").toByteArray().isEmpty());
    }

    void frameSizeAndPlaceAreRestored() {
        app->view->setGeometry(40, 50, 620, 430);
        const QRect placed = app->view->geometry();
        SaveWindowGeometry(*app->view, app->settings);
        // Saving the same place again leaves the file (and the disk) alone.
        QFile kept(file("settings.ini"));
        const QDateTime longAgo = QDateTime::currentDateTime().addDays(-1);
        QVERIFY(kept.open(QIODevice::ReadWrite));
        QVERIFY(kept.setFileTime(longAgo, QFileDevice::FileModificationTime));
        kept.close();
        SaveWindowGeometry(*app->view, app->settings);
        QCOMPARE(QFileInfo(kept).lastModified(), longAgo);
        app.reset();
        App next(file("settings.ini"));
        QVERIFY(RestoreWindowGeometry(*next.view, next.settings));
        next.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(next.view.get()));
        QCOMPARE(next.view->geometry(), placed);
        QVERIFY(next.platform.messages.empty());
        app = std::make_unique<App>(file("other.ini"));
        QVERIFY(!RestoreWindowGeometry(*app->view, app->settings)); // nothing kept yet
    }

    // Smaller than the form, the frame scrolls it, and a control that takes
    // the focus from the keyboard is scrolled into view.
    void smallFrameScrollsTheForm() {
        MainWindowView& view = *app->view;
        view.resize(260, 200);
        QCoreApplication::processEvents();
        QVERIFY(view.area().horizontalScrollBar()->isVisible());
        QVERIFY(view.area().verticalScrollBar()->isVisible());
        QWidget* viewport = view.area().viewport();
        for (const char* name : {"cmdSave", "chkSilent", "cboCh"}) {
            QWidget* control = view.entryForm().findChild<QWidget*>(name);
            control->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            const QRect place(control->mapTo(viewport, QPoint(0, 0)), control->size());
            QVERIFY2(viewport->rect().contains(place), name);
        }
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::FrameStateTest)
#include "frame_state_test.moc"
