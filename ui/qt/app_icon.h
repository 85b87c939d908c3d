#pragma once
// The application's icon, drawn in code at the usual icon sizes when it is
// first used: a handheld UHF radio with its antenna, display and keypad.

#include <QIcon>

namespace kl40::qt {

QIcon AppIcon();
// The same icon with every size drawn at once.
QIcon DrawAppIcon();

} // namespace kl40::qt
