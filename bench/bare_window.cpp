// The yardstick for the desktop application's start-up: a bare Qt Widgets
// main window with a menu bar and a central widget, nothing else. Like kl40,
// it quits after its first paint when KL40_QUIT_AFTER_FIRST_PAINT is set, so
// bench/run can time both the same way.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <cstdlib>

namespace {

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
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    QLabel central(QStringLiteral("A bare main window"));
    window.setCentralWidget(&central);
    window.resize(640, 480);
    QuitAfterFirstPaint quitAfterFirstPaint;
    if (std::getenv("KL40_QUIT_AFTER_FIRST_PAINT")) window.installEventFilter(&quitAfterFirstPaint);
    window.show();
    return QApplication::exec();
}
