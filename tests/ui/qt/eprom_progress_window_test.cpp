// The EPROM progress window over the simulated programmer: the programmer's
// output as it comes, Cancel stopping a hung tool; and the settings dialog
// refusing a value with its reason before saving.

#include "support/loaded_form.h"
#include "ui/eprom/eprom_commands.h"
#include "ui/qt/eprom_progress_window.h"
#include "ui/qt/programmer_settings_view.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <variant>

namespace kl40::qt {

class EpromProgressWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cancelStopsAHungProgrammer() {
        // The simulated tool hangs; the programmer's files go to a folder of the test's own.
        QTemporaryDir folder;
        const std::filesystem::path dir = folder.path().toStdString();
        std::filesystem::create_directories(dir / "tmp");
        qputenv("KL40_SIM_FAULT", "hang");
        qputenv("TMPDIR", QByteArray::fromStdString((dir / "tmp").string()));
        const std::filesystem::path settingsFile = dir / "programmer.json";
        ProgrammerSettings settings;
        settings.programmer = "Custom";
        settings.customRead = std::string(KL40_SIMULATED_PROGRAMMER) + " -p X -r {file}";
        settings.customWrite = std::string(KL40_SIMULATED_PROGRAMMER) + " -p X -w {file}";
        settings.timeLimitSeconds = 20; // a Cancel that did not stop fails sooner
        QVERIFY(!SaveProgrammerSettings(settingsFile, settings));
        test::LoadedForm radio;
        radio.store(1, "439.0125");

        QWidget frame;
        frame.show();
        QtEpromRunner runner(&frame);
        bool sawOutput = false;
        bool modal = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* window = frame.findChild<EpromProgressWindow*>();
            if (window == nullptr || !window->cancelButton().isEnabled()) return;
            // Cancel once the tool is running and its first line has been shown.
            if (!window->output().toPlainText().contains("Found simulated programmer")) return;
            sawOutput = true;
            modal = window->windowModality() == Qt::WindowModal && window->isVisible();
            QTest::mouseClick(&window->cancelButton(), Qt::LeftButton);
        });
        poll.start(20);
        VerifyEpromAgainstForm(radio.ws, runner, settingsFile);
        poll.stop();

        QVERIFY(sawOutput);
        QVERIFY(modal);
        QCOMPARE(radio.platform.last().text, std::string("Cancelled: the chip is as it was."));
        QVERIFY(std::filesystem::is_empty(dir / "tmp"));
        qunsetenv("TMPDIR");
    }

    void settingsAreRefusedWithAReasonOrSaved() {
        QTemporaryDir folder;
        const std::filesystem::path file =
            std::filesystem::path(folder.path().toStdString()) / "kl40" / "programmer.json";
        ProgrammerSettingsView dialog(file, nullptr);
        dialog.show();
        QCOMPARE(dialog.programmer().currentText(), QStringLiteral("minipro"));
        dialog.timeLimit().setText("0");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.problem().text().contains("from 1 to 3600"));
        QVERIFY(!std::filesystem::exists(file));

        dialog.timeLimit().setText("30");
        dialog.device8k().setText("AT27C64@DIP28");
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        const auto saved = LoadProgrammerSettings(file);
        QVERIFY(std::holds_alternative<ProgrammerSettings>(saved));
        QCOMPARE(std::get<ProgrammerSettings>(saved).timeLimitSeconds, 30);
        QCOMPARE(std::get<ProgrammerSettings>(saved).device8k, std::string("AT27C64@DIP28"));
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::EpromProgressWindowTest)
#include "eprom_progress_window_test.moc"
