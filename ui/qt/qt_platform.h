#pragma once
// The desktop implementation of the platform interface: Qt message boxes (a
// scrolling report window for a long text) and file dialogs, and the busy
// pointer.

#include "core/platform.h"

#include <QString>

class QWidget;

namespace kl40::qt {

class QtPlatform : public Platform {
public:
    // Dialogs are parented to the window that `parent` returns at the time
    // they are shown (the main frame once it exists).
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    Answer message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void setBusy(bool busy) override;
    std::optional<std::size_t> choose(const std::string& text, const std::string& title,
                                      const std::vector<std::string>& items,
                                      std::size_t preselected) override;

private:
    QWidget* parent_ = nullptr;
};

// "Description|pattern" as used by the logic -> "Description (pattern)" for Qt.
QString QtFilter(const std::string& filter);

} // namespace kl40::qt
