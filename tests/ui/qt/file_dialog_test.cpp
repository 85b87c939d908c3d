// The desktop file dialogs: a folder of device-like files (/proc) must not
// block the dialog, in any view.

#include "ui/qt/qt_platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

namespace kl40::qt {

class FileDialogTest : public QObject {
    Q_OBJECT

private slots:
    void procFolderInTheDetailsViewKeepsTheDialogResponsive() {
        if (!QFileInfo(QStringLiteral("/proc/self")).exists()) QSKIP("no /proc here");
        QtPlatform platform;
        bool stillResponsive = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setViewMode(QFileDialog::Detail);
            dialog->setDirectory(QStringLiteral("/proc"));
            // Types and icons are looked up as the view shows the entries; a
            // provider that reads /proc/kmsg would stop the loop here for good.
            QTest::qWait(1500);
            stillResponsive = true;
            dialog->reject();
        });
        const auto chosen = platform.saveFileDialog({"KL40 Eprom Files (*.bin)|*.bin", "", true});
        QVERIFY(stillResponsive);
        QVERIFY(!chosen);
    }

    // Every format's filter is offered; a name typed without an extension
    // takes the chosen filter's, so that the filter picks the format.
    void chosenFilterGivesTheNameItsExtension() {
        QCOMPARE(QtFilter("KL40 Eprom Files (*.bin)|*.bin|Intel HEX (*.hex *.ihex)|*.hex;*.ihex"),
                 QString("KL40 Eprom Files (*.bin);;Intel HEX (*.hex *.ihex)"));
        QtPlatform platform;
        const QString folder = QDir::tempPath();
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->nameFilters().size(), 2);
            dialog->selectNameFilter(dialog->nameFilters().at(1));
            dialog->selectFile(QDir(folder).filePath("club"));
            static_cast<QDialog*>(dialog)->accept();
        });
        const auto chosen = platform.saveFileDialog(
            {"KL40 Eprom Files (*.bin)|*.bin|Intel HEX (*.hex *.ihex)|*.hex;*.ihex", "", false});
        QVERIFY(chosen);
        QCOMPARE(QString::fromStdString(*chosen), QDir(folder).filePath("club.hex"));
    }

    void initialNameAndChoiceComeBack() {
        QtPlatform platform;
        const QString folder = QDir::tempPath();
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->directory().absolutePath(), QDir(folder).absolutePath());
            QCOMPARE(dialog->selectedFiles().value(0), QDir(folder).filePath("club.bin"));
            static_cast<QDialog*>(dialog)->accept(); // as the Save button does
        });
        const auto chosen =
            platform.saveFileDialog({"KL40 Eprom Files (*.bin)|*.bin",
                                     QDir(folder).filePath("club.bin").toStdString(), false});
        QVERIFY(chosen);
        QCOMPARE(QString::fromStdString(*chosen), QDir(folder).filePath("club.bin"));
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::FileDialogTest)
#include "file_dialog_test.moc"
