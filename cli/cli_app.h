#pragma once

namespace kl40::cli {
// Parses the command line and runs the chosen verb; returns the exit status
// (0 success, 1 refused input, 2 usage error).
int Run(int argc, char** argv);
} // namespace kl40::cli
