// A long message (the import report of a 99-row channel list) opens in a
// window that fits the screen and scrolls, with Copy and Close.

#include "formats/chirp_csv_read.h"
#include "image/channel_transfer.h"
#include "support/loaded_form.h"
#include "ui/flows/channel_file_flow.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/report_window.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <string>
#include <variant>

namespace kl40::qt {

namespace {

// The import report of 99 channels, each off the raster and so remarked on.
std::string longImportReport() {
    std::string csv = "Location,Frequency\r\n";
    for (int n = 1; n <= 99; ++n)
        csv += std::to_string(n) + ",435.123400\r\n";
    auto read = ReadChirpCsv(csv);
    auto& import = std::get<ChannelImport>(read);
    test::LoadedForm radio;
    const std::size_t stored = StoreImportedChannels(radio.ws, import);
    return FormatImportReport(import.report, stored);
}

QPushButton* button(QWidget& window, const QString& text) {
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void longMessageScrollsInAWindowThatFitsTheScreen() {
        const QString report = QString::fromStdString(longImportReport());
        QVERIFY(report.count('\n') >= 99);
        QVERIFY(!IsLongMessage("File club.bin saved\nSecond line"));

        QtPlatform platform;
        QWidget frame;
        frame.resize(800, 600);
        frame.show();
        platform.setParentWindow(&frame);
        const QRect room = frame.screen()->availableGeometry();
        bool checked = false;
        QTimer::singleShot(0, [&] {
            // Whatever a check finds, the window goes, so the test cannot hang.
            const auto closeWindow = qScopeGuard([] {
                if (QWidget* open = QApplication::activeModalWidget()) open->close();
            });
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window != nullptr && qobject_cast<QMessageBox*>(window) == nullptr);
            QCOMPARE(window->windowTitle(), QString("Import Channels"));
            QVERIFY(room.contains(window->frameGeometry()));
            QVERIFY(window->height() <= room.height());
            auto* text = window->findChild<QPlainTextEdit*>();
            QVERIFY(text != nullptr);
            QCOMPARE(text->toPlainText(), report);
            QVERIFY(text->verticalScrollBar()->maximum() > 0);   // more than it shows: it scrolls
            QVERIFY(window->maximumHeight() > window->height()); // and may be made larger

            QApplication::clipboard()->clear();
            QPushButton* copy = button(*window, "Copy");
            QVERIFY(copy != nullptr);
            copy->click();
            QCOMPARE(QApplication::clipboard()->text(), report);
            QPushButton* close = button(*window, "Close");
            QVERIFY(close != nullptr);
            checked = true;
            close->click();
        });
        platform.show(report.toStdString(), "Import Channels", Icon::Information);
        QVERIFY(checked);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::ReportWindowTest)
#include "report_window_test.moc"
