// The desktop application: the main frame with the data-entry form inside it.

#include "image/firmware_store.h"
#include "image/temporary_files.h"
#include "ui/entry_form.h"
#include "ui/form/workspace.h"
#include "ui/main_window.h"
#include "ui/print_reports.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/first_paint_probe.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_window_host.h"
#include "ui/qt/settings_store.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>

#include <filesystem>
#include <string_view>

namespace {

// The options of the command line; --help and --version are answered before
// the application needs a display.
void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Edits KL40 radio channels and options and builds their EPROM images."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("An EPROM image to open at start-up."),
                                 QStringLiteral("[file]"));
}

bool asksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}

void setNames() {
    // The settings are kept under these names (~/.config/KL40/KL40.conf).
    QCoreApplication::setOrganizationName(QStringLiteral("KL40"));
    QCoreApplication::setApplicationName(QStringLiteral("KL40"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KL40_VERSION));
}

} // namespace

int main(int argc, char** argv) {
    // An interrupted save removes its temporary file before the program ends.
    kl40::InstallTemporaryFileCleanup();
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication core(argc, argv);
        setNames();
        QCommandLineParser parser;
        describeOptions(parser);
        parser.process(core); // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    setNames();
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app);
    QApplication::setWindowIcon(kl40::qt::AppIcon());

    kl40::qt::QtPlatform platform;
    kl40::Workspace ws(platform);
    ws.FirmwareFolder = kl40::DefaultFirmwareFolder().string();
    // Ending the program leaves the event loop at once: no window is asked
    // whether it may close.
    kl40::qt::QtWindowHost windows(
        ws, platform, std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()),
        [] { QCoreApplication::exit(0); });
    QSettings settings;
    kl40::qt::SettingsRecentFilesStore recentFiles(settings);
    kl40::MDI_kl40 frame(ws, windows, &recentFiles);
    kl40::EntryForm form(ws, frame);
    form.Form_Load();

    kl40::qt::MainWindowView mainWindow(ws, frame, form);
    kl40::qt::SettingsPreferencesStore preferences(settings);
    mainWindow.channelTables().preferences() = kl40::Preferences(&preferences);
    mainWindow.channelTables().onPrint = [&windows] {
        windows.ShowPrintDialogFor(kl40::kPrintTable);
    };
    platform.setParentWindow(&mainWindow);
    windows.setParentWindow(&mainWindow);
    kl40::qt::RestoreWindowGeometry(mainWindow, settings);
    kl40::qt::FirstPaintProbe firstPaint;
    firstPaint.watchIfAsked(mainWindow);
    mainWindow.show();
    // The file named on the command line opens once the frame is on screen,
    // so that a message about it has its window.
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty())
        mainWindow.openFile(files.front());
    const int status = QApplication::exec();
    kl40::qt::SaveWindowGeometry(mainWindow, settings);
    return status;
}
