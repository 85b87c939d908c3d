#include "cli/cli_app.h"

#include "cli/verbs.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace kl40::cli {

int Run(int argc, char** argv) {
    CLI::App app{"kl40-cli: builds, decodes and lists KL40 EPROM images"};
    app.set_version_flag("--version", std::string("kl40-cli ") + KL40_VERSION);
    app.require_subcommand(1);

    std::string radioPath;
    std::string outputPath;
    auto* build = app.add_subcommand("build", "Build an EPROM image from a RADIO JSON file");
    build->add_option("radio", radioPath, "RADIO JSON file")->required();
    build->add_option("-o,--output", outputPath, "image file to write (exactly this name)")
        ->required();

    std::string imagePath;
    auto* decode = app.add_subcommand("decode", "Print an EPROM image as RADIO JSON");
    decode->add_option("image", imagePath, "EPROM image (.bin)")->required();

    auto* list =
        app.add_subcommand("list", "Print the channel list and options report of an image");
    list->add_option("image", imagePath, "EPROM image (.bin)")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    if (*build) return RunBuild(radioPath, outputPath);
    if (*decode) return RunDecode(imagePath, std::cout);
    if (*list) return RunList(imagePath, std::cout);
    return 2;
}

} // namespace kl40::cli
