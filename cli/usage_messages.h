#pragma once
// Usage errors that CLI11 words too vaguely for the operator.

#include <CLI/CLI.hpp>

namespace kl40::cli {

// No verb was recognised: names the word given (if any) and lists the verbs
// the application has. Returns the usage exit status, 2.
int ReportMissingVerb(const CLI::App& app, int argc, char** argv);

} // namespace kl40::cli
