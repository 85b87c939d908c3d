#pragma once
// The window an EPROM flow runs in: the step it is at, the programmer's
// output as it comes, and Cancel, which stops the programmer. The flow runs on
// a worker thread so the window repaints; the window is modal to its parent
// until the flow has ended.

#include "ui/eprom/eprom_runner.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stop_token>

namespace kl40::qt {

class EpromProgressWindow : public QDialog {
    Q_OBJECT

public:
    EpromProgressWindow(EpromJob job, QWidget* parent);

    // Runs `flow` to its end with the window shown; its outcome.
    EpromOutcome run(const EpromFlow& flow);

    QLabel& step() { return step_; }
    QPlainTextEdit& output() { return output_; }
    QPushButton& cancelButton() { return cancel_; }

public slots:
    // Escape and the close box cancel; the window stays until the flow ends.
    void reject() override;

private:
    void showStep(EpromStep step);

    std::stop_source stop_;
    bool running_ = false;
    QLabel step_;
    QPlainTextEdit output_;
    QPushButton cancel_;
};

// Runs each flow in a progress window over `parent`.
class QtEpromRunner : public EpromRunner {
public:
    explicit QtEpromRunner(QWidget* parent) : parent_(parent) {}
    EpromOutcome Run(EpromJob job, const EpromFlow& flow) override;

private:
    QWidget* parent_;
};

} // namespace kl40::qt
