#include "cli/radio_build.h"
#include "cli/same_file.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "coding/options.h"
#include "core/echo_text.h"
#include "core/option_rules.h"
#include "entry/radio_entry.h"
#include "formats/chirp_csv_read.h"
#include "formats/radio_json.h"
#include "image/channel_transfer.h"
#include "image/firmware_store.h"
#include "image/image_build.h"
#include "image/image_file.h"
#include "image/program_code.h"
#include "image/radio_file.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <thread>
#include <vector>

namespace kl40::cli {

namespace {

namespace fs = std::filesystem;

// Why a file was refused: the file the reason is about and the reason.
struct Refusal {
    std::string file;
    std::string reason;
};

int report(const Refusal& refusal) {
    std::cerr << "kl40-cli: " << EchoText(refusal.file) << ": " << refusal.reason << '\n';
    return 1;
}

// What building one radio file came to.
struct BuildResult {
    std::optional<Refusal> refusal;
    int model = 0;
    bool noProgramCode = false;     // the image is an 8 KiB one without program code
    std::vector<std::string> notes; // what the operator should know about the radio file
    std::vector<std::uint8_t> file;  // the output file's bytes
    std::vector<std::uint8_t> image; // the image itself
};

// The program code that --firmware gives every build of a run.
struct FirmwareImage {
    std::vector<std::uint8_t> image;
    int model = 0;
    std::string path;
};

// Reads and checks the image given with --firmware into `firmware`; nothing
// is read when `path` is empty.
std::optional<Refusal> readFirmwareImage(const std::string& path,
                                         std::optional<FirmwareImage>& firmware) {
    if (path.empty()) return std::nullopt;
    auto read = ReadImage(path);
    if (const auto* reason = std::get_if<std::string>(&read))
        return Refusal{path, "Unable to open data file: " + *reason};
    auto& image = std::get<std::vector<std::uint8_t>>(read);
    const FirmwareCheck check = CheckFirmwareImage(image, EchoText(path));
    if (!check.modelCode) return Refusal{"--firmware", check.refusal}; // the reason names the file
    firmware = FirmwareImage{std::move(image), *check.modelCode, path};
    return std::nullopt;
}

std::string noProgramCodeHint() {
    return " Add your radio's firmware with 'kl40-cli firmware install DUMP.bin', or build with "
           "--firmware DUMP.bin (an image read from your radio's EPROM).";
}

// Stores the radio of a channel list as the form's import does: the
// settings' model, time-out and options, then the file's channels through the
// channel entry (storing a scan channel ticks "Enable Scan", and the report
// says so). The import report goes to `notes`.
std::optional<std::string> applyChannelList(Session& session, const std::string& text,
                                            const BuildSettings& settings,
                                            std::vector<std::string>& notes) {
    auto read = ReadChirpCsv(text);
    if (const auto* error = std::get_if<CsvError>(&read)) return error->message;
    ChannelImport& import = std::get<ChannelImport>(read);
    if (auto conflict = OptionConflict(settings.options, settings.model)) return conflict;
    if (auto refused =
            session.Apply(RadioRecord{settings.model, settings.timeout, settings.options, {}}))
        return refused;
    const std::size_t stored = ImportChannels(session.radio, import);
    const std::string report = FormatImportReport(import.report, stored);
    for (std::size_t from = 0, end; from < report.size(); from = end + 1) {
        end = report.find('\n', from);
        if (end == std::string::npos) end = report.size();
        if (end > from) notes.push_back(report.substr(from, end - from));
    }
    return std::nullopt;
}

// Reads, checks and builds one radio file into the bytes of its output file
// `outputPath`; nothing is written.
BuildResult buildOne(const std::string& radioPath, const std::string& outputPath,
                     const FileFormat* format, const FirmwareImage* firmware,
                     const BuildSettings& settings) {
    BuildResult result;
    const auto refuse = [&result, &radioPath](std::string reason) {
        result.refusal = Refusal{radioPath, std::move(reason)};
        return std::move(result);
    };
    const auto note = [&result, &radioPath](const std::string& line) {
        result.notes.push_back("kl40-cli: " + EchoText(radioPath) + ": " + line);
    };

    Session session;
    std::string model;
    if (FormatOfPath(radioPath, FormatContent::Channels)) {
        auto text = ReadRadioFile(radioPath);
        if (auto* error = std::get_if<RadioFileError>(&text))
            return refuse("cannot read the radio file: " + error->reason);
        BuildSettings listSettings = settings;
        if (listSettings.model.empty()) {
            listSettings.model = RadioRecord{}.model;
            note("no --model given: a " + listSettings.model + " radio");
        }
        model = listSettings.model;
        std::vector<std::string> report;
        const auto refused =
            applyChannelList(session, std::get<std::string>(text), listSettings, report);
        for (const std::string& line : report)
            note(line);
        if (refused) return refuse(*refused);
    } else {
        auto loaded = LoadRadioFile(radioPath);
        if (auto* reason = std::get_if<std::string>(&loaded)) return refuse(std::move(*reason));
        const RadioFileContent& content = std::get<RadioFileContent>(loaded);
        for (const std::string& line : content.notes)
            note(line);
        // Only what the form could show: an opened image may hold more, a
        // radio file to build may not.
        if (auto conflict = OptionConflict(content.radio.options, content.radio.model))
            return refuse(*conflict);
        if (auto refused = session.Apply(content.radio)) return refuse(*refused);
        model = content.radio.model;
    }
    for (const std::string& line : session.notes)
        note(line);
    if (!session.radio.hasChannels()) return refuse("no channels to build");
    result.model = ModelCodeOf(model).value_or(0);
    if (firmware) {
        if (firmware->model != result.model) {
            result.refusal =
                Refusal{firmware->path, "is a " + ModelName(firmware->model) + " image, but " +
                                            EchoText(radioPath) + " is a " + model +
                                            " radio: its program code does not fit"};
            return result;
        }
        // The build takes the program code of an opened image of its model.
        session.openedImage = firmware->image;
        session.openedModel = firmware->model;
    }
    if (!session.Build()) return refuse(session.refusal);
    // Its image would lack the program code the operator installed: a script
    // must not mistake it for a good one, so nothing is written.
    if (const std::string& problem = session.firmwareProblem; !problem.empty())
        return refuse(problem +
                      " Nothing was built: run `kl40-cli firmware install IMAGE` again or "
                      "`kl40-cli firmware remove " +
                      ModelName(result.model) + "`.");
    result.image = session.image;
    // An output named as a radio file gets the radio as entered, names and
    // comments included, after the same checks and build as an image.
    if (!format && FormatOfPath(outputPath, FormatContent::Radio)) {
        const std::string text = WriteRadioJson(RecordOf(session.radio));
        result.file.assign(text.begin(), text.end());
        return result;
    }
    result.file = EncodeImageFile(session.image, outputPath, format);
    result.noProgramCode = ModelOrDefault(result.model).hasProgramArea() &&
                           !HasProgramCode(session.image, result.model);
    return result;
}

void printNotes(const std::vector<std::string>& notes) {
    for (const std::string& note : notes)
        std::cerr << note << '\n';
}

} // namespace

RadioImage BuildRadioImage(const std::string& radioPath, const BuildSettings& settings) {
    RadioImage built;
    const auto refusalText = [](const Refusal& refusal) {
        return EchoText(refusal.file) + ": " + refusal.reason;
    };
    std::optional<FirmwareImage> firmware;
    if (auto refusal = readFirmwareImage(settings.firmwarePath, firmware)) {
        built.refusal = refusalText(*refusal);
        return built;
    }
    BuildResult result =
        buildOne(radioPath, "", nullptr, firmware ? &*firmware : nullptr, settings);
    built.notes = std::move(result.notes);
    if (result.refusal) {
        built.refusal = refusalText(*result.refusal);
        return built;
    }
    built.image = std::move(result.image);
    built.model = result.model;
    return built;
}

int RunBuild(const std::string& radioPath, const std::string& outputPath,
             const BuildSettings& settings) {
    if (InputSameAs(outputPath, {radioPath}))
        return report({outputPath, "is the radio file itself; it is not replaced"});
    if (!settings.firmwarePath.empty() && InputSameAs(outputPath, {settings.firmwarePath}))
        return report({outputPath, "is the --firmware image itself; it is not replaced"});
    std::optional<FirmwareImage> firmware;
    if (auto refusal = readFirmwareImage(settings.firmwarePath, firmware)) return report(*refusal);
    const BuildResult result =
        buildOne(radioPath, outputPath, settings.format, firmware ? &*firmware : nullptr, settings);
    printNotes(result.notes);
    if (result.refusal) return report(*result.refusal);
    if (auto failure = WriteFileAtomically(outputPath, result.file))
        return report({outputPath, *failure});
    if (result.noProgramCode)
        std::cerr << "kl40-cli: warning: " << outputPath << ": " << NoProgramCodeText(result.model)
                  << noProgramCodeHint() << '\n';
    return 0;
}

int RunBuildBatch(const std::vector<std::string>& radioPaths, const std::string& outputFolder,
                  const BuildSettings& settings) {
    std::optional<FirmwareImage> firmware;
    if (auto refusal = readFirmwareImage(settings.firmwarePath, firmware)) return report(*refusal);
    const FileFormat& format =
        settings.format ? *settings.format : DefaultFormat(FormatContent::Image);

    // a.json becomes DIR/a.bin; a second file of the same name would replace
    // the first one's image, and an image may not replace a radio file given
    // (self.bin built into its own folder) or the --firmware image, so both
    // are refused.
    const std::size_t count = radioPaths.size();
    std::vector<BuildResult> results(count);
    std::vector<std::string> outputs(count);
    std::map<std::string, std::size_t> firstWithName;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name =
            fs::path(radioPaths[i]).stem().string() + std::string(format.extensions.front());
        const auto [first, isNew] = firstWithName.emplace(name, i);
        outputs[i] = (fs::path(outputFolder) / name).string();
        const auto refuse = [&](const std::string& image, const std::string& what,
                                const std::string& other) {
            results[i].refusal = Refusal{radioPaths[i], "its image " + image + " would replace " +
                                                            what + EchoText(other)};
        };
        if (!isNew)
            refuse(name, "that of ", radioPaths[first->second]);
        else if (const std::string* input = InputSameAs(outputs[i], radioPaths))
            refuse(EchoText(outputs[i]), "the radio file ", *input);
        else if (!settings.firmwarePath.empty() && InputSameAs(outputs[i], {settings.firmwarePath}))
            refuse(EchoText(outputs[i]), "the --firmware image ", settings.firmwarePath);
    }

    // The files are independent: each gets its own radio, so they are built
    // on every processor at once, and so are the images written.
    const auto onEveryProcessor = [count](const auto& job) {
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t i = next++; i < count; i = next++)
                job(i);
        };
        const std::size_t threads =
            std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
        std::vector<std::jthread> helpers;
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(work);
        work();
    };
    onEveryProcessor([&](std::size_t i) {
        if (results[i].refusal) return;
        try {
            results[i] = buildOne(radioPaths[i], outputs[i], settings.format,
                                  firmware ? &*firmware : nullptr, settings);
        } catch (const std::exception& e) {
            results[i].refusal = Refusal{radioPaths[i], e.what()};
        }
    });

    // Every radio file and every image name is checked before anything is
    // written: one refusal and no image is written. Refusals are reported in
    // the order the files were given.
    std::size_t refused = 0;
    for (const BuildResult& result : results) {
        printNotes(result.notes);
        if (result.refusal) {
            report(*result.refusal);
            ++refused;
        }
    }
    if (refused > 0) {
        std::cerr << "kl40-cli: " << refused << " of " << count
                  << " radio files refused: no image written\n";
        return 1;
    }
    std::error_code ec;
    fs::create_directories(outputFolder, ec);
    if (!fs::is_directory(outputFolder))
        return report({outputFolder, "cannot use this as the folder for the images"});

    // Each image is written atomically and read back before it replaces
    // anything, so a file that is there is whole and verified. Only flushing
    // each one to the device at once is left to the system, which does it
    // within seconds: waiting for the device thousands of times over would
    // make a batch hundreds of times slower.
    const WriteOptions writeOptions{.durable = false, .afterWrite = {}, .format = settings.format};
    std::vector<std::optional<std::string>> writeFailures(count);
    onEveryProcessor([&](std::size_t i) {
        writeFailures[i] = WriteFileAtomically(outputs[i], results[i].file, writeOptions);
    });

    int status = 0;
    std::size_t withoutProgramCode = 0;
    int model = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (writeFailures[i]) status = report({outputs[i], *writeFailures[i]});
        const BuildResult& result = results[i];
        if (result.noProgramCode) {
            ++withoutProgramCode;
            model = result.model;
        }
    }
    // One line, however many images it concerns.
    if (withoutProgramCode == 1)
        std::cerr << "kl40-cli: warning: 1 image: " << NoProgramCodeText(model)
                  << noProgramCodeHint() << '\n';
    else if (withoutProgramCode > 1)
        std::cerr << "kl40-cli: warning: " << withoutProgramCode
                  << " images hold no program code (the shipped templates have none), so a "
                     "radio cannot run them as they are."
                  << noProgramCodeHint() << '\n';
    return status;
}

} // namespace kl40::cli
