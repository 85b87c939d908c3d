#include "ui/qt/qt_window_host.h"

#include "ui/qt/about_view.h"
#include "ui/qt/help_view.h"
#include "ui/qt/print_dialog_view.h"
#include "ui/qt/qt_print_targets.h"

#include <utility>

namespace kl40::qt {

namespace {

// Shows the window in `slot`, making it first when there is none. The new
// window belongs to its parent and deletes itself when closed, which clears
// the slot.
template <class View, class Make> void showOnce(QPointer<View>& slot, Make make) {
    if (slot.isNull()) {
        std::unique_ptr<View> view = make();
        slot = view.release();
    }
    slot->show();
    if (slot->isMinimized()) slot->showNormal();
    slot->raise();
    slot->activateWindow();
}

} // namespace

QtWindowHost::QtWindowHost(Workspace& ws, Platform& platform, std::filesystem::path programDir,
                           std::function<void()> endProgram)
    : ws_(ws), platform_(platform), programDir_(std::move(programDir)),
      endProgram_(std::move(endProgram)) {}

QtWindowHost::~QtWindowHost() = default;

void QtWindowHost::ShowPrintDialog() {
    if (!printTarget_) printTarget_ = std::make_unique<QtPrintTarget>(parent_);
    showOnce(print_, [this] {
        return std::make_unique<PrintDialogView>(ws_, *printTarget_, parent_, printTarget_.get());
    });
}

void QtWindowHost::ShowPrintDialogFor(int choice) {
    ShowPrintDialog();
    if (print_) print_->choose(choice);
}

void QtWindowHost::ShowHelp() {
    showOnce(help_, [this] { return std::make_unique<HelpView>(programDir_, parent_); });
}

void QtWindowHost::ShowAbout() {
    showOnce(about_, [this] {
        return std::make_unique<AboutView>(platform_, parent_, ws_.FirmwareFolder);
    });
}

void QtWindowHost::EndProgram() {
    if (endProgram_) endProgram_();
}

QWidget* QtWindowHost::printWindow() const {
    return print_.data();
}

QWidget* QtWindowHost::helpWindow() const {
    return help_.data();
}

QWidget* QtWindowHost::aboutWindow() const {
    return about_.data();
}

} // namespace kl40::qt
