#include "ui/qt/programmer_menu.h"

#include "programmer/programmer_settings.h"
#include "ui/eprom/eprom_commands.h"
#include "ui/qt/programmer_settings_view.h"

namespace kl40::qt {

ProgrammerMenu::ProgrammerMenu(Workspace& ws, MDI_kl40& frame, QWidget& window, Forward forward)
    : QMenu(QStringLiteral("P&rogrammer"), &window), ws_(ws), frame_(frame), window_(window),
      forward_(std::move(forward)), runner_(&window) {
    setObjectName("mnuProgrammer");
    // The settings file is looked up each time: it follows XDG_CONFIG_HOME.
    addCommand("mnuReadEprom", QStringLiteral("&Read EPROM..."),
               [this] { ReadEpromIntoForm(ws_, frame_, runner_, ProgrammerSettingsFile()); });
    addCommand("mnuWriteEprom", QStringLiteral("&Write EPROM"),
               [this] { WriteFormToEprom(ws_, runner_, ProgrammerSettingsFile()); });
    addCommand("mnuVerifyEprom", QStringLiteral("&Verify EPROM"),
               [this] { VerifyEpromAgainstForm(ws_, runner_, ProgrammerSettingsFile()); });
    addSeparator();
    addCommand("mnuProgrammerSettings", QStringLiteral("Programmer &Settings..."),
               [this] { ProgrammerSettingsView(ProgrammerSettingsFile(), &window_).exec(); });
}

void ProgrammerMenu::addCommand(const char* name, const QString& caption,
                                std::function<void()> command) {
    QAction* action = addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, command = std::move(command)] { forward_(command); });
}

} // namespace kl40::qt
