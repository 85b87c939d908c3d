#pragma once
// Runs kl40-cli in this process with its arguments, as the shell would, and
// keeps what it wrote to stdout and stderr.

#include "cli/cli_app.h"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace kl40::test {

struct CliResult {
    int status = 0;
    std::string out;
    std::string errors;
};

inline CliResult RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), "kl40-cli");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    std::ostringstream out, errors;
    auto* oldOut = std::cout.rdbuf(out.rdbuf());
    auto* oldErr = std::cerr.rdbuf(errors.rdbuf());
    CliResult result;
    result.status = cli::Run(static_cast<int>(argv.size()), argv.data());
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    result.out = out.str();
    result.errors = errors.str();
    return result;
}

} // namespace kl40::test
