#include "ui/qt/eprom_progress_window.h"

#include <QFontDatabase>
#include <QVBoxLayout>

#include <thread>

namespace kl40::qt {

namespace {

QString jobTitle(EpromJob job) {
    switch (job) {
    case EpromJob::Read:
        return QStringLiteral("Read EPROM");
    case EpromJob::Write:
        return QStringLiteral("Write EPROM");
    case EpromJob::Verify:
        break;
    }
    return QStringLiteral("Verify EPROM");
}

} // namespace

EpromProgressWindow::EpromProgressWindow(EpromJob job, QWidget* parent)
    : QDialog(parent), step_(this), output_(this), cancel_(QStringLiteral("Cancel"), this) {
    setObjectName("EpromProgress");
    setWindowTitle(jobTitle(job));
    setWindowModality(Qt::WindowModal);
    step_.setText(QStringLiteral("Starting the programmer..."));
    output_.setReadOnly(true);
    output_.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    output_.setAccessibleName(QStringLiteral("Programmer output"));
    auto* layout = new QVBoxLayout(this); // owned by the window
    layout->addWidget(&step_);
    layout->addWidget(&output_);
    layout->addWidget(&cancel_, 0, Qt::AlignRight);
    connect(&cancel_, &QPushButton::clicked, this, &EpromProgressWindow::reject);
    resize(520, 300);
}

void EpromProgressWindow::showStep(EpromStep step) {
    if (stop_.stop_requested()) return; // "Stopping" stays until the end
    static const char* const kSteps[] = {"Reading the EPROM...", "Comparing...",
                                         "Writing the EPROM...", "Reading it back..."};
    step_.setText(QString::fromLatin1(kSteps[static_cast<int>(step)]));
}

void EpromProgressWindow::reject() {
    if (!running_) {
        QDialog::reject();
        return;
    }
    // The programmer is asked to end, then killed; the flow ends the window.
    stop_.request_stop();
    cancel_.setEnabled(false);
    step_.setText(QStringLiteral("Stopping the programmer..."));
}

EpromOutcome EpromProgressWindow::run(const EpromFlow& flow) {
    EpromProgress progress;
    progress.stop = stop_.get_token();
    // Called on the worker: the window's changes are queued to its thread.
    progress.onStep = [this](EpromStep step) {
        QMetaObject::invokeMethod(
            this, [this, step] { showStep(step); }, Qt::QueuedConnection);
    };
    progress.onLine = [this](const std::string& line) {
        QMetaObject::invokeMethod(
            this, [this, text = QString::fromStdString(line)] { output_.appendPlainText(text); },
            Qt::QueuedConnection);
    };
    EpromOutcome outcome;
    running_ = true;
    std::thread worker([&] {
        outcome = flow(progress);
        QMetaObject::invokeMethod(
            this,
            [this] {
                running_ = false;
                accept();
            },
            Qt::QueuedConnection);
    });
    exec();
    worker.join(); // already ended: only the worker's end closes the window
    return outcome;
}

EpromOutcome QtEpromRunner::Run(EpromJob job, const EpromFlow& flow) {
    EpromProgressWindow window(job, parent_);
    return window.run(flow);
}

} // namespace kl40::qt
