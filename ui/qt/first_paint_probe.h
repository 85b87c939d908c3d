#pragma once
// For start-up measurements. With KL40_QUIT_AFTER_FIRST_PAINT set, a program
// ends as soon as its main window has been painted once. When the launcher
// also sets KL40_LAUNCHED_AT to the time it started the program (seconds
// since the epoch with microseconds, as bash's EPOCHREALTIME gives it), the
// program prints "first-paint-us N" on stdout: the microseconds from then to
// the end of that first paint, leaving out what it does on its way out.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kl40::qt {

class FirstPaintProbe : public QObject {
public:
    // Watches `window` when the environment asks for it.
    void watchIfAsked(QWidget& window) {
        if (std::getenv("KL40_QUIT_AFTER_FIRST_PAINT")) window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            // Runs once the whole window has been painted and shown.
            QTimer::singleShot(0, [] {
                reportSinceLaunch();
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void reportSinceLaunch() {
        const char* launched = std::getenv("KL40_LAUNCHED_AT");
        if (!launched) return;
        std::string text(launched);
        const auto dot = text.find_first_of(".,");
        if (dot == std::string::npos || text.size() - dot != 7) return;
        text.erase(dot, 1);
        const long long startUs = std::strtoll(text.c_str(), nullptr, 10);
        const long long nowUs = std::chrono::duration_cast<std::chrono::microseconds>(
                                    std::chrono::system_clock::now().time_since_epoch())
                                    .count();
        std::printf("first-paint-us %lld\n", nowUs - startUs);
        std::fflush(stdout);
    }

    bool quitting_ = false;
};

} // namespace kl40::qt
