#include "cli/cli_app.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace kl40::cli {

int Run(int argc, char** argv) {
    CLI::App app{"kl40-cli: builds, decodes and lists KL40 EPROM images"};
    app.set_version_flag("--version", std::string("kl40-cli ") + KL40_VERSION);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }
    return 0;
}

} // namespace kl40::cli
