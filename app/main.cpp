// The desktop application: the main frame with the data-entry form inside it.

#include "core/radio_data.h"
#include "image/temporary_files.h"
#include "ui/entry_form.h"
#include "ui/main_window.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_window_host.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

namespace {

// For start-up measurements: with KL40_QUIT_AFTER_FIRST_PAINT set, the program
// ends as soon as the main window with its form has been painted once.
class QuitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting_ = false;
};

} // namespace

int main(int argc, char** argv) {
    // An interrupted save removes its temporary file before the program ends.
    kl40::InstallTemporaryFileCleanup();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KL40"));
    QApplication::setApplicationVersion(QStringLiteral(KL40_VERSION));
    QApplication::setWindowIcon(kl40::qt::AppIcon());

    kl40::qt::QtPlatform platform;
    kl40::Workspace ws(platform);
    // Ending the program leaves the event loop at once: no window is asked
    // whether it may close.
    kl40::qt::QtWindowHost windows(
        ws, platform, std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()),
        [] { QCoreApplication::exit(0); });
    kl40::MDI_kl40 frame(ws, windows);
    kl40::EntryForm form(ws, frame);
    form.Form_Load();

    kl40::qt::MainWindowView mainWindow(ws, frame, form);
    platform.setParentWindow(&mainWindow);
    windows.setParentWindow(&mainWindow);
    QuitAfterFirstPaint quitAfterFirstPaint;
    if (std::getenv("KL40_QUIT_AFTER_FIRST_PAINT"))
        mainWindow.installEventFilter(&quitAfterFirstPaint);
    mainWindow.show();
    return QApplication::exec();
}
