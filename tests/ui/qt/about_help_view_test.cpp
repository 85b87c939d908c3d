// The about box and the help window on screen (headless).

#include "support/scripted_platform.h"
#include "ui/qt/about_view.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/help_view.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <filesystem>

namespace kl40::qt {

class AboutHelpViewTest : public QObject {
    Q_OBJECT

    test::ScriptedPlatform platform;
    const QString startDir = QDir::currentPath();

    static std::filesystem::path fsPath(const QString& dir) { return dir.toStdU16String(); }
    static QString shown(QWidget* view) {
        return view->findChild<QTextBrowser*>("rtfData")->toPlainText();
    }

private slots:
    void cleanup() { QDir::setCurrent(startDir); }

    // The icon drawn when first used gives what the icon drawn at once gives,
    // at its own sizes and others, in every mode and at a higher pixel ratio,
    // whether it is new or has drawn other sizes before.
    void appIconDrawnWhenUsed() {
        const QIcon lazy = AppIcon();
        const QIcon drawn = DrawAppIcon();
        QVERIFY(!lazy.isNull());
        for (QIcon::State state : {QIcon::Off, QIcon::On})
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled})
                QCOMPARE(lazy.availableSizes(mode, state), drawn.availableSizes(mode, state));
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected})
            for (int size : {100, 16, 300, 20, 256, 1, 48})
                for (qreal ratio : {1.0, 2.0}) {
                    const QSize asked(size, size * 3 / 4);
                    const QImage expected = drawn.pixmap(asked, ratio, mode).toImage();
                    QCOMPARE(lazy.actualSize(asked, mode), drawn.actualSize(asked, mode));
                    QCOMPARE(lazy.pixmap(asked, ratio, mode).toImage(), expected);
                    QCOMPARE(AppIcon().pixmap(asked, ratio, mode).toImage(), expected);
                }
        QImage painted(40, 30, QImage::Format_ARGB32_Premultiplied);
        QImage expected = painted;
        for (auto [icon, image] : {std::pair{&lazy, &painted}, std::pair{&drawn, &expected}}) {
            image->fill(Qt::white);
            QPainter painter(image);
            icon->paint(&painter, image->rect());
        }
        QCOMPARE(painted, expected);
    }

    void aboutBox() {
        QPointer<AboutView> view = new AboutView(platform); // deletes itself on close
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QCOMPARE(view->windowTitle(), QString("About KL40"));
        QVERIFY(!(view->windowFlags() & Qt::WindowMinMaxButtonsHint));
        auto* title = view->findChild<QLabel*>("lblTitle");
        QVERIFY(title->text() == "KL40" && title->font().bold());
        QCOMPARE(view->findChild<QLabel*>("lblVersion")->text(), QString("Version 2.4.6"));
        QCOMPARE(view->findChild<QLabel*>("lblDescription")->text(),
                 QString("This program has been designed to program KL40a and KL40c radios for "
                         "the UHF Amateur band only."));
        auto* disclaimer = view->findChild<QLabel*>("lblDisclaimer");
        QVERIFY(disclaimer->text().startsWith("Warning: ...This program will generate eprom"));
        QVERIFY(disclaimer->font().bold());
        QCOMPARE(disclaimer->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(!view->findChild<QLabel*>("Picture1")->pixmap().isNull());
        QCOMPARE(view->findChildren<QFrame*>(QRegularExpression("^Line[12]$")).size(), 2);
        QVERIFY(view->findChild<QPushButton*>("cmdOK")->isDefault());

        // No system information program here: the message comes through the
        // platform and the box stays open.
        QTest::mouseClick(view->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(platform.messages.size(), std::size_t{1});
        QCOMPARE(platform.last().text,
                 std::string("System Information Is Unavailable At This Time"));
        QCOMPARE(platform.last().title, std::string("KL40"));
        QCOMPARE(platform.last().icon, Icon::None);
        QVERIFY(view->isVisible());

        // OK, Enter and Esc each close and delete the box.
        for (const int way : {0, 1, 2}) {
            if (!view) {
                view = new AboutView(platform);
                view->show();
                QVERIFY(QTest::qWaitForWindowExposed(view));
            }
            if (way == 0) QTest::mouseClick(view->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            if (way > 0) QTest::keyClick(view, way == 1 ? Qt::Key_Return : Qt::Key_Escape);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(view.isNull(), way == 0 ? "OK" : way == 1 ? "Enter" : "Esc");
        }
    }

    void helpDocumentPlaces() {
        QTemporaryDir work, program, empty;
        QFile file(work.filePath("KL40.hlp"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><h1>Test Help</h1><p>Marker <b>text</b> here.</p></body></html>");
        file.close();
        QVERIFY(QFile::copy(qEnvironmentVariable("KL40_SOURCE_DIR") + "/app/KL40.hlp",
                            program.filePath("KL40.hlp")));

        // The working directory comes first, shown as rich text, read-only.
        QVERIFY(QDir::setCurrent(work.path()));
        QPointer<HelpView> view = new HelpView(fsPath(program.path())); // deletes itself on close
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QCOMPARE(view->windowTitle(), QString("KL40 Help"));
        QVERIFY(view->findChild<QTextBrowser*>("rtfData")->isReadOnly());
        QCOMPARE(shown(view), QString("Test Help\nMarker text here."));
        // Escape in the document closes the window.
        QTest::keyClick(view->findChild<QTextBrowser*>("rtfData"), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(view.isNull());

        // Then the program's folder: the shipped document.
        QVERIFY(QDir::setCurrent(empty.path()));
        HelpView shipped(fsPath(program.path()));
        QVERIFY(shipped.documentFound());
        QVERIFY(shown(&shipped).contains("Entering a channel"));
        QVERIFY(!shown(&shipped).contains("<h3>"));

        // Nowhere: the window still opens, with a note naming the document.
        QPointer<HelpView> missing = new HelpView(fsPath(empty.path()));
        missing->show();
        QVERIFY(QTest::qWaitForWindowExposed(missing));
        QVERIFY(!missing->documentFound());
        QVERIFY(shown(missing).contains("KL40.hlp"));

        // Its Close button closes it too.
        auto* close =
            missing->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Close);
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(missing.isNull());
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::AboutHelpViewTest)
#include "about_help_view_test.moc"
