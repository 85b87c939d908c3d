#include "cli/cli_app.h"

#include "cli/usage_messages.h"
#include "cli/verbs.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

namespace kl40::cli {

int Run(int argc, char** argv) {
    CLI::App app{"kl40-cli: builds, decodes, lists and compares KL40 EPROM images"};
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
    std::string firmwarePath;
    build->add_option("--firmware", firmwarePath,
                      "take the program code from this image (read from your radio's EPROM) "
                      "for this build only");

    std::string imagePath;
    auto* decode = app.add_subcommand("decode", "Print an EPROM image as RADIO JSON");
    decode->add_option("image", imagePath, "EPROM image (.bin)")->required();

    auto* list =
        app.add_subcommand("list", "Print the channel list and options report of an image");
    list->add_option("image", imagePath, "EPROM image (.bin)")->required();

    std::string diffA, diffB;
    auto* diff = app.add_subcommand(
        "diff", "Print what two radios differ in: channels, options, model, program code");
    diff->add_option("a", diffA, "EPROM image (.bin) or RADIO JSON file (.json)")->required();
    diff->add_option("b", diffB, "EPROM image (.bin) or RADIO JSON file (.json)")->required();

    auto* firmware = app.add_subcommand(
        "firmware", "Install, list or remove the firmware (program code) that builds use");
    firmware->require_subcommand(1);
    std::string firmwareImage;
    auto* install = firmware->add_subcommand(
        "install", "Install the program code of an image read from your radio's EPROM");
    install->add_option("image", firmwareImage, "EPROM image (.bin)")->required();
    auto* listFirmware =
        firmware->add_subcommand("list", "Show what each model's builds take program code from");
    std::string firmwareModel;
    auto* remove = firmware->add_subcommand("remove", "Remove a model's installed firmware");
    remove->add_option("model", firmwareModel, "KL40a-64 or KL40c")->required();

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
        return *output ? RunBuild(radioPaths.front(), outputPath, firmwarePath)
                       : RunBuildBatch(radioPaths, outputFolder, firmwarePath);
    if (*decode) return RunDecode(imagePath, std::cout);
    if (*list) return RunList(imagePath, std::cout);
    if (*diff) return RunDiff(diffA, diffB, std::cout);
    if (*install) return RunFirmwareInstall(firmwareImage, std::cout);
    if (*listFirmware) return RunFirmwareList(std::cout);
    if (*remove) return RunFirmwareRemove(firmwareModel, std::cout);
    return 2;
}

} // namespace kl40::cli
