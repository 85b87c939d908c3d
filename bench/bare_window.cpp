// The yardstick for the desktop application's start-up: a bare Qt Widgets
// main window with a menu bar and a central widget, nothing else. Like kl40,
// it quits after its first paint through the same probe, so bench/run can
// time both the same way.

#include "ui/qt/first_paint_probe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    QLabel central(QStringLiteral("A bare main window"));
    window.setCentralWidget(&central);
    window.resize(640, 480);
    kl40::qt::FirstPaintProbe firstPaint;
    firstPaint.watchIfAsked(window);
    window.show();
    return QApplication::exec();
}
