#pragma once
// The frame's Programmer menu: reading, writing and verifying the operator's
// EPROM, each in a progress window, and the programmer's settings.

#include "ui/main_window.h"
#include "ui/qt/eprom_progress_window.h"

#include <QMenu>

#include <functional>

namespace kl40::qt {

class ProgrammerMenu : public QMenu {
    Q_OBJECT

public:
    // `forward` runs a command as the frame runs its menu commands (the form
    // is shown again afterwards); `window` is the one the flows are modal to.
    using Forward = std::function<void(const std::function<void()>&)>;
    ProgrammerMenu(Workspace& ws, MDI_kl40& frame, QWidget& window, Forward forward);

private:
    void addCommand(const char* name, const QString& caption, std::function<void()> command);

    Workspace& ws_;
    MDI_kl40& frame_;
    QWidget& window_;
    Forward forward_;
    QtEpromRunner runner_;
};

} // namespace kl40::qt
