#pragma once
// The application's icon, drawn in code at the usual icon sizes: a handheld
// UHF radio with its antenna, display and keypad.

#include <QIcon>

namespace kl40::qt {

QIcon AppIcon();

} // namespace kl40::qt
