#include "cli/cli_app.h"

#include "cli/usage_messages.h"
#include "cli/verbs.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

namespace kl40::cli {

int Run(int argc, char** argv) {
    CLI::App app{"kl40-cli: builds, decodes and lists KL40 EPROM images"};
    app.set_version_flag("--version", std::string("kl40-cli ") + KL40_VERSION);
    app.require_subcommand(1);

    std::vector<std::string> radioPaths;
    std::string outputPath;
    std::string outputFolder;
    auto* build = app.add_subcommand(
        "build", "Build an EPROM image from a RADIO JSON file, or from each of several");
    build->add_option("radio", radioPaths, "RADIO JSON file(s)")->required();
    auto* output =
        build->add_option("-o,--output", outputPath, "image file to write (exactly this name)");
    auto* folder = build->add_option("--out-dir", outputFolder,
                                     "folder to write each a.json's image into as a.bin");
    output->excludes(folder);

    std::string imagePath;
    auto* decode = app.add_subcommand("decode", "Print an EPROM image as RADIO JSON");
    decode->add_option("image", imagePath, "EPROM image (.bin)")->required();

    auto* list =
        app.add_subcommand("list", "Print the channel list and options report of an image");
    list->add_option("image", imagePath, "EPROM image (.bin)")->required();

    try {
        app.parse(argc, argv);
        if (*build && !*output && !*folder) throw CLI::RequiredError("-o,--output or --out-dir");
        if (*output && radioPaths.size() != 1)
            throw CLI::ValidationError("-o,--output",
                                       "names one image; use --out-dir for several radio files");
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() != 0 && app.get_subcommands().empty())
            return ReportMissingVerb(app, argc, argv);
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    if (*build)
        return *output ? RunBuild(radioPaths.front(), outputPath)
                       : RunBuildBatch(radioPaths, outputFolder);
    if (*decode) return RunDecode(imagePath, std::cout);
    if (*list) return RunList(imagePath, std::cout);
    return 2;
}

} // namespace kl40::cli
