#pragma once
// A programmer's command line as the operator writes it in a template, and
// back. No shell runs it: the template is split here into the program and its
// arguments, and {device} and {file} are filled in afterwards, so a device
// name or a path with spaces stays one argument.
//
// Splitting: blanks (spaces, tabs) separate arguments. Inside '...' every
// character stands for itself. Inside "..." a backslash before " or before
// another backslash keeps that character literal; before anything else it
// is kept. Outside quotes a backslash keeps
// the next character literal. Quotes may join pieces into one argument
// (-p"27C64 x" is one argument); '' or "" gives an empty argument.

#include <string>
#include <variant>
#include <vector>

namespace kl40 {

// The program and its arguments, or why the template cannot be split
// ("a quote ' is not closed", "no command").
std::variant<std::vector<std::string>, std::string> SplitCommandLine(const std::string& text);

// Replaces every {device} and {file} in each argument.
std::vector<std::string> FillCommandLine(std::vector<std::string> arguments,
                                         const std::string& device, const std::string& file);

// The arguments as one line that SplitCommandLine splits back into them
// (and a shell reads the same way), for messages the operator may paste.
std::string CommandLineText(const std::vector<std::string>& arguments);

} // namespace kl40
