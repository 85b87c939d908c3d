#pragma once
// Text taken from the user (paths, names from a radio file) as it is safe to
// echo on a terminal.

#include <string>
#include <string_view>

namespace kl40 {

// Control characters, C1 controls among them, and bytes that are no UTF-8
// become escapes ("\n", "\t", "\x1b", "\xff"); an empty text is shown as ""
// so that a message still names it.
std::string EchoText(std::string_view text);

} // namespace kl40
