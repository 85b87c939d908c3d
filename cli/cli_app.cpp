#include "cli/cli_app.h"

#include "cli/output_name.h"
#include "cli/standard_output.h"
#include "cli/usage_messages.h"
#include "cli/verbs.h"
#include "core/echo_text.h"
#include "core/option_table.h"
#include "core/radio_model.h"
#include "image/firmware_store.h"
#include "programmer/programmer_table.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace kl40::cli {

namespace {

std::vector<std::string> formatIdsOf(FormatContent content) {
    std::vector<std::string> ids;
    for (const FileFormat& format : FileFormats())
        if (format.content == content) ids.emplace_back(format.id);
    return ids;
}

std::vector<std::string> timeoutTexts() {
    return {kTimeoutTexts.begin(), kTimeoutTexts.end()};
}

} // namespace

int Run(int argc, char** argv) {
    CLI::App app{"kl40-cli: builds, decodes, lists and compares KL40 EPROM images, and reads, writes "
                 "and verifies EPROMs through your programmer"};
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
    BuildSettings settings;
    build->add_option("--firmware", settings.firmwarePath,
                      "take the program code from this image (read from your radio's EPROM) "
                      "for this build only");
    std::string formatId;
    build
        ->add_option("--format", formatId,
                     "image format: " + FormatIds(FormatContent::Image) +
                         " (default: by the output's extension, else bin)")
        ->check(CLI::IsMember(formatIdsOf(FormatContent::Image)));
    auto* model =
        build->add_option("--model", settings.model, "model of a channel list (.csv) radio file")
            ->check(CLI::IsMember(ModelNames()));
    auto* timeout = build
                        ->add_option("--timeout", settings.timeout,
                                     "time-out of a channel list (.csv) radio file")
                        ->check(CLI::IsMember(timeoutTexts()));
    auto* options = build
                        ->add_option("--option", settings.options,
                                     "an option of a channel list (.csv) radio file (repeatable)")
                        ->check(CLI::IsMember(OptionCaptions()));

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

    std::string exportInput, exportOutput;
    auto* exportCsv = app.add_subcommand(
        "export-csv", "Write the channel list of an image or a RADIO JSON file as CSV");
    exportCsv->add_option("input", exportInput, "EPROM image or RADIO JSON file")->required();
    exportCsv->add_option("-o,--output", exportOutput, "CSV file to write (default: stdout)");

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
    remove->add_option("model", firmwareModel, ModelsWithProgramCode())->required();

    auto* eprom = app.add_subcommand(
        "eprom", "Read, write or verify an EPROM through your programmer's tool");
    eprom->require_subcommand(1);
    EpromSettings epromSettings;
    const auto addProgrammerOptions = [&epromSettings](CLI::App* verb) {
        verb->add_option("--programmer", epromSettings.programmer,
                         "programmer (default: the settings file's, else minipro)")
            ->check(CLI::IsMember(ProgrammerNames()));
        verb->add_option("--device", epromSettings.device,
                         "the chip's device name for the programmer (e.g. 27C64@DIP28)");
    };
    // The options of building a radio file, and those of a channel list only.
    std::vector<CLI::Option*> radioFileOptions, channelListOptions;
    const auto addSourceOptions = [&](CLI::App* verb) {
        BuildSettings& build = epromSettings.build;
        radioFileOptions.push_back(verb->add_option(
            "--firmware", build.firmwarePath,
            "building a radio file: take the program code from this image"));
        channelListOptions.push_back(
            verb->add_option("--model", build.model, "model of a channel list (.csv)")
                ->check(CLI::IsMember(ModelNames())));
        channelListOptions.push_back(
            verb->add_option("--timeout", build.timeout, "time-out of a channel list (.csv)")
                ->check(CLI::IsMember(timeoutTexts())));
        channelListOptions.push_back(
            verb->add_option("--option", build.options, "an option of a channel list (repeatable)")
                ->check(CLI::IsMember(OptionCaptions())));
    };
    std::string epromFile, epromModel;
    auto* epromRead = eprom->add_subcommand(
        "read", "Read the EPROM into an image file (bin, hex or s19 by its extension)");
    epromRead->add_option("output", epromFile, "image file to write")->required();
    epromRead->add_option("--model", epromModel, "the radio's model: it decides the chip's size")
        ->required()
        ->check(CLI::IsMember(ModelNames()));
    addProgrammerOptions(epromRead);
    auto* epromWrite = eprom->add_subcommand(
        "write", "Write an image, a RADIO JSON file or a channel list to the EPROM");
    epromWrite->add_option("source", epromFile, "image, RADIO JSON file or channel list (.csv)")
        ->required();
    epromWrite->add_flag("--allow-no-program-code", epromSettings.allowNoProgramCode,
                         "write a KL40a-64 or KL40c image that holds no program code");
    addProgrammerOptions(epromWrite);
    addSourceOptions(epromWrite);
    auto* epromVerify = eprom->add_subcommand(
        "verify", "Compare the EPROM with an image, a RADIO JSON file or a channel list");
    epromVerify->add_option("source", epromFile, "image, RADIO JSON file or channel list (.csv)")
        ->required();
    addProgrammerOptions(epromVerify);
    addSourceOptions(epromVerify);

    try {
        app.parse(argc, argv);
        if (*build && !*output && !*folder) throw CLI::RequiredError("-o,--output or --out-dir");
        if (*output && radioPaths.size() != 1)
            throw CLI::ValidationError("-o,--output",
                                       "names one image; use --out-dir for several radio files");
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() != 0 && app.get_subcommands().empty())
            return ReportMissingVerb(app, argc, argv);
        // Help and the version go through the checked output like any report.
        std::ostringstream text;
        const int code = app.exit(e, text, std::cerr);
        return code == 0 ? DeliverOutput(text.str(), 0, std::cout) : 2;
    }

    if (*build) {
        const bool channelLists =
            std::any_of(radioPaths.begin(), radioPaths.end(), [](const auto& p) {
                return FormatOfPath(p, FormatContent::Channels) != nullptr;
            });
        if ((*model || *timeout || *options) && !channelLists) {
            std::cerr << "kl40-cli: --model, --timeout and --option are for channel list (.csv) "
                         "radio files; a RADIO JSON file holds its own\n";
            return 2;
        }
        settings.format = formatId.empty() ? nullptr : FindFormat(formatId);
        // A radio file's name asks for the radio as entered, not an image.
        const bool radioOutput =
            !settings.format && FormatOfPath(outputPath, FormatContent::Radio) != nullptr;
        if (*output && !radioOutput)
            if (auto refusal = ImageOutputNameRefusal(outputPath, settings.format)) {
                std::cerr << "kl40-cli: " << EchoText(outputPath) << ": " << *refusal << '\n';
                return 2;
            }
        return *output ? RunBuild(radioPaths.front(), outputPath, settings)
                       : RunBuildBatch(radioPaths, outputFolder, settings);
    }
    if (*epromRead) {
        if (auto refusal = ImageOutputNameRefusal(epromFile, nullptr)) {
            std::cerr << "kl40-cli: " << EchoText(epromFile) << ": " << *refusal << '\n';
            return 2;
        }
        return RunEpromRead(epromFile, epromModel, epromSettings);
    }
    if (*epromWrite || *epromVerify) {
        const auto given = [](const std::vector<CLI::Option*>& options) {
            return std::any_of(options.begin(), options.end(),
                               [](const CLI::Option* option) { return option->count() > 0; });
        };
        const bool channelList = FormatOfPath(epromFile, FormatContent::Channels) != nullptr;
        if (given(channelListOptions) && !channelList) {
            std::cerr << "kl40-cli: --model, --timeout and --option are for a channel list "
                         "(.csv); a radio file or an image holds its own\n";
            return 2;
        }
        if (given(radioFileOptions) && !channelList &&
            !FormatOfPath(epromFile, FormatContent::Radio)) {
            std::cerr << "kl40-cli: --firmware is for building a radio file; an image holds its "
                         "own program code\n";
            return 2;
        }
    }
    if (*epromWrite) return RunEpromWrite(epromFile, epromSettings);
    if (*epromVerify) return RunEpromVerify(epromFile, epromSettings);
    // What a verb prints is checked on its way out (cli/standard_output.h).
    std::ostringstream printed;
    const int status = [&] {
        if (*exportCsv) return RunExportCsv(exportInput, exportOutput, printed);
        if (*decode) return RunDecode(imagePath, printed);
        if (*list) return RunList(imagePath, printed);
        if (*diff) return RunDiff(diffA, diffB, printed);
        if (*install) return RunFirmwareInstall(firmwareImage, printed);
        if (*listFirmware) return RunFirmwareList(printed);
        if (*remove) return RunFirmwareRemove(firmwareModel, printed);
        return 2;
    }();
    return DeliverOutput(printed.str(), status, std::cout, *diff ? 2 : 1);
}

} // namespace kl40::cli
