#pragma once
// The frame's secondary windows on Qt: the print selection window, the help
// window and the about box. Each is made when it is first shown and brought
// forward when it is shown again while open; closing it deletes it.

#include "ui/form/workspace.h"
#include "ui/main_window.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>

namespace kl40::qt {

class AboutView;
class HelpView;
class PrintDialogView;
class QtPrintTarget;

class QtWindowHost final : public WindowHost {
public:
    // `programDir` is where the help window looks for its document after the
    // working directory; `endProgram` ends the event loop.
    QtWindowHost(Workspace& ws, Platform& platform, std::filesystem::path programDir,
                 std::function<void()> endProgram);
    ~QtWindowHost() override;
    QtWindowHost(const QtWindowHost&) = delete;
    QtWindowHost& operator=(const QtWindowHost&) = delete;

    // The window the secondary windows belong to and stay above (the frame).
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void ShowPrintDialog() override;
    // The print selection window with `choice` already selected.
    void ShowPrintDialogFor(int choice);
    void ShowHelp() override;
    void ShowAbout() override;
    void EndProgram() override;

    // The open windows, or null.
    QWidget* printWindow() const;
    QWidget* helpWindow() const;
    QWidget* aboutWindow() const;

private:
    Workspace& ws_;
    Platform& platform_;
    std::filesystem::path programDir_;
    std::function<void()> endProgram_;
    QWidget* parent_ = nullptr;
    // Kept from one printout to the next, so the printer settings stay.
    std::unique_ptr<QtPrintTarget> printTarget_;
    QPointer<PrintDialogView> print_;
    QPointer<HelpView> help_;
    QPointer<AboutView> about_;
};

} // namespace kl40::qt
