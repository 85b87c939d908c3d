#pragma once
// Text taken from the user (paths, names from a radio file) as it is safe to
// echo on a terminal.

#include <string>
#include <string_view>

namespace kl40 {

// Control characters become escapes ("\n", "\t", "\x1b"); an empty text is
// shown as "" so that a message still names it.
std::string EchoText(std::string_view text);

} // namespace kl40
