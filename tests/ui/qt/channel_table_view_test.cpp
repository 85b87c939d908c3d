// The channel table on screen (headless), driven by the keyboard only: open
// it, type channels, paste a channel list, undo and redo, and see the radio
// and the entry form's list follow.

#include "image/image_decode.h"
#include "support/qt_app.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/print_dialog_view.h"
#include "ui/qt/qt_window_host.h"
#include "ui/qt/table_dialogs.h"

#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace kl40::qt {

namespace {

using App = test::QtApp;

// The channels (frequencies, tone, scan) an image file holds.
std::optional<Radio> decodedFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    return DecodeImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())));
}

bool sameChannels(const Radio& a, const Radio& b) {
    for (int n = 1; n <= kHighestChannel; ++n) {
        const auto& x = a.channels[static_cast<std::size_t>(n)];
        const auto& y = b.channels[static_cast<std::size_t>(n)];
        if (x.has_value() != y.has_value()) return false;
        if (x && (x->rx != y->rx || x->tx != y->tx || x->tone != y->tone || x->scan != y->scan))
            return false;
    }
    return true;
}

QString receiveOf(const Radio& radio, int n) {
    const auto& channel = radio.channels[static_cast<std::size_t>(n)];
    return channel && channel->rx ? QString::number(channel->rx->megahertz(), 'f', 4) : QString();
}

} // namespace

class ChannelTableViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<App> app;

    QWidget* focused() { return QApplication::focusWidget(); }
    void press(const QKeySequence& keys) {
        QTest::keySequence(focused(), keys);
        QCoreApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), k, modifiers);
        QCoreApplication::processEvents();
    }
    // Typed as the operator types: each key goes where the focus is then.
    void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClicks(focused(), QString(c));
    }
    QStringList formList() {
        QStringList lines;
        const auto* list = app->view->entryForm().findChild<QListWidget*>("lstFreq");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text().simplified();
        return lines;
    }
    QString cell(int channel, int column) {
        QAbstractItemModel& model = *app->view->channelTables().view()->grid().model();
        return model.index(channel - 1, column).data().toString();
    }

private slots:
    void init() {
        app = std::make_unique<App>();
        app->view->show();
        QVERIFY(QTest::qWaitForWindowExposed(app->view.get()));
    }
    void cleanup() { app.reset(); }

    void keyboardOnlyEditPasteUndoRedo() {
        press(QKeySequence("Ctrl+T"));
        ChannelTableView* table = app->view->channelTables().view();
        QVERIFY(table != nullptr);
        QCOMPARE(table->windowTitle(), QString("Channel Table"));
        QCOMPARE(table->grid().currentIndex(), table->grid().model()->index(0, kReceiveColumn));
        QCOMPARE(focused(), &table->grid());

        for (const char* rx : {"435.0", "435.0125", "436.5"}) {
            type(rx);
            key(Qt::Key_Return);
        }
        QCOMPARE(receiveOf(app->ws.data.radio, 3), QString("436.5000"));
        QCOMPARE(table->grid().currentIndex().row(), 3);
        QCOMPARE(formList().size(), 3);
        QVERIFY(app->view->isWindowModified());

        // A refused value stays in its editor with the reason below the table.
        type("146");
        key(Qt::Key_Return);
        const auto* editor = qobject_cast<QLineEdit*>(focused());
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QString("146"));
        QVERIFY(table->statusLine().text().contains("400 to 450 MHz"));
        key(Qt::Key_Escape);
        QCOMPARE(receiveOf(app->ws.data.radio, 4), QString());

        for (int row = 4; row < 10; ++row)
            key(Qt::Key_Down);
        QApplication::clipboard()->setText(
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq\n"
            "1,RPT,439.5000,-,7.600000,Tone,88.5,88.5\n"
            "2,SPX,433.5000,,0.000000,,88.5,88.5\n");
        press(QKeySequence("Ctrl+V"));
        QCOMPARE(receiveOf(app->ws.data.radio, 10), QString("439.5000"));
        QCOMPARE(cell(10, TableColumn(Column::Transmit)), QString("431.9000"));
        QCOMPARE(cell(10, TableColumn(Column::Ctcss)), QString("88.5"));
        QCOMPARE(receiveOf(app->ws.data.radio, 11), QString("433.5000"));
        QCOMPARE(formList().size(), 5);
        QVERIFY(formList().at(3).startsWith("10 439.5000 431.9000 88.5"));

        press(QKeySequence("Ctrl+Z"));
        QCOMPARE(receiveOf(app->ws.data.radio, 10), QString());
        QCOMPARE(cell(11, kReceiveColumn), QString());
        QCOMPARE(formList().size(), 3);
        press(QKeySequence("Ctrl+Y"));
        QCOMPARE(cell(11, kReceiveColumn), QString("433.5000"));
        QCOMPARE(formList().size(), 5);
        QCOMPARE(receiveOf(app->ws.data.radio, 2), QString("435.0125"));

        // Save into a new file (the save dialog answers), change a cell, save
        // in place without a dialog; the file holds the table's channels.
        QTemporaryDir dir;
        const QString path = dir.filePath("table.bin");
        app->platform.choosePath(path.toStdString());
        press(QKeySequence("Ctrl+S"));
        QVERIFY(app->platform.paths.empty());
        // The pasted names ("RPT", "SPX") are kept only in radio files.
        QVERIFY(app->view->isWindowModified());
        const int changed = table->grid().currentIndex().row() + 1;
        QCOMPARE(table->grid().currentIndex().column(), kReceiveColumn);
        type("438.25");
        key(Qt::Key_Return);
        QCOMPARE(receiveOf(app->ws.data.radio, changed), QString("438.2500"));
        QVERIFY(app->view->isWindowModified());
        const std::size_t dialogs = app->platform.saveRequests.size();
        press(QKeySequence("Ctrl+S"));
        QCOMPARE(app->platform.saveRequests.size(), dialogs);
        QVERIFY(app->view->isWindowModified());
        const std::optional<Radio> written = decodedFile(path);
        QVERIFY(written.has_value());
        QCOMPARE(receiveOf(*written, changed), QString("438.2500"));
        QVERIFY(sameChannels(*written, app->ws.data.radio));

        // Print with the table active: the print selection window, table chosen.
        press(QKeySequence("Ctrl+P"));
        auto* print = qobject_cast<PrintDialogView*>(app->windows.printWindow());
        QVERIFY(print != nullptr);
        QCOMPARE(print->logic().PrintChoice, int(kPrintTable));
        print->close();
    }

    // Leaving a refused value by clicking another cell or another window
    // reverts the cell and names the typed text and the reason.
    void leavingARefusedValueSaysWhatWasNotTaken() {
        press(QKeySequence("Ctrl+T"));
        ChannelTableView* table = app->view->channelTables().view();
        type("435");
        key(Qt::Key_Return);
        key(Qt::Key_Up);
        type("146");
        QTest::mouseClick(table->grid().viewport(), Qt::LeftButton, {},
                          table->grid().visualRect(table->grid().model()->index(4, 1)).center());
        QCOMPARE(cell(1, kReceiveColumn), QString("435.0000"));
        QVERIFY(!table->grid().editing());
        QVERIFY(table->statusLine().text().contains("\"146\" was not taken"));
        QVERIFY(table->statusLine().text().contains("400 to 450 MHz"));

        key(Qt::Key_Up);
        type("999");
        app->view->entryForm().findChild<QLineEdit*>("txtRx")->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(cell(4, kReceiveColumn), QString());
        QVERIFY(table->statusLine().text().contains("\"999\" was not taken"));
    }

    // Tab moves right, F2 keeps the text, the tone list refuses a tone the
    // radio lacks, Space toggles Scan, rows move and empty by key.
    void spreadsheetKeys() {
        press(QKeySequence("Ctrl+T"));
        ChannelTableView* table = app->view->channelTables().view();
        type("435");
        key(Qt::Key_Tab);
        QCOMPARE(table->grid().currentIndex().column(), TableColumn(Column::Transmit));
        key(Qt::Key_Left);
        key(Qt::Key_F2); // "435.0000" kept, the cursor at its end
        for (int i = 0; i < 6; ++i)
            key(Qt::Key_Backspace);
        type("5.5");
        key(Qt::Key_Return);
        QCOMPARE(cell(1, kReceiveColumn), QString("435.5000"));
        key(Qt::Key_Up);
        for (int i = kReceiveColumn; i < TableColumn(Column::Ctcss); ++i)
            key(Qt::Key_Tab);
        type("100.0");
        key(Qt::Key_Return);
        QVERIFY(table->statusLine().text().contains("100.0"));
        QCOMPARE(cell(1, TableColumn(Column::Ctcss)), QString("none"));
        key(Qt::Key_Backspace, Qt::ControlModifier);
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        type("88.5");
        key(Qt::Key_Tab);
        QCOMPARE(cell(1, TableColumn(Column::Ctcss)), QString("88.5"));
        key(Qt::Key_Space);
        QCOMPARE(cell(1, TableColumn(Column::Scan)), QString("Y"));

        press(QKeySequence("Ctrl+Shift+Down"));
        QCOMPARE(cell(2, kReceiveColumn), QString("435.5000"));
        QCOMPARE(table->grid().currentIndex().row(), 1);
        key(Qt::Key_Insert);
        QCOMPARE(cell(3, kReceiveColumn), QString("435.5000"));
        key(Qt::Key_Down);
        key(Qt::Key_Delete);
        QCOMPARE(cell(3, kReceiveColumn), QString());
        QCOMPARE(formList().size(), 0);
        press(QKeySequence("Ctrl+Z"));
        QCOMPARE(cell(3, kReceiveColumn), QString("435.5000"));
    }

    // A refused offset keeps the dialog open with its reason; a taken one is kept.
    void preferencesDialogKeepsOnlyATakenOffset() {
        Preferences& preferences = app->view->channelTables().preferences();
        PreferencesDialog dialog(preferences, app->view.get());
        dialog.show(); // sized for no message
        auto* offset = dialog.findChild<QLineEdit*>("repeaterOffset");
        QCOMPARE(offset->text(), QString("5.0000"));
        offset->setText("0");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // The window grows to show the whole reason.
        const auto* problem = dialog.findChild<QLabel*>("problem");
        QVERIFY(problem->isVisible());
        QVERIFY(problem->height() >= problem->heightForWidth(problem->width()));
        offset->setText("0.6");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(preferences.repeaterOffsetText(), std::string("0.6000"));
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::ChannelTableViewTest)
#include "channel_table_view_test.moc"
