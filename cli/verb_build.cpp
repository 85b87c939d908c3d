#include "cli/echo_text.h"
#include "cli/radio_file.h"
#include "cli/same_file.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "image/image_file.h"

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

// Reads, checks and builds one radio file and writes its image to `outputPath`.
std::optional<Refusal> buildOne(const std::string& radioPath, const std::string& outputPath,
                                const WriteOptions& writeOptions) {
    auto text = ReadRadioFile(radioPath);
    if (auto* error = std::get_if<RadioFileError>(&text))
        return Refusal{radioPath, "cannot read the radio file: " + error->reason};

    auto parsed = ParseRadioJson(std::get<std::string>(text));
    if (auto* error = std::get_if<JsonError>(&parsed)) return Refusal{radioPath, error->message};

    Session session;
    if (auto refused = session.Apply(std::get<RadioInput>(parsed)))
        return Refusal{radioPath, *refused};
    if (!session.Build())
        return Refusal{radioPath, session.platform.messages.empty()
                                      ? "the image cannot be built"
                                      : session.platform.messages.front()};
    session.platform.messages.clear();
    if (!WriteImageFile(session.ws, outputPath, writeOptions))
        return Refusal{outputPath, session.platform.messages.empty()
                                       ? "cannot write the image"
                                       : session.platform.messages.front()};
    return std::nullopt;
}

} // namespace

int RunBuild(const std::string& radioPath, const std::string& outputPath) {
    if (InputSameAs(outputPath, {radioPath}))
        return report({outputPath, "is the radio file itself; it is not replaced"});
    if (auto refusal = buildOne(radioPath, outputPath, WriteOptions{})) return report(*refusal);
    return 0;
}

int RunBuildBatch(const std::vector<std::string>& radioPaths, const std::string& outputFolder) {
    std::error_code ec;
    fs::create_directories(outputFolder, ec);
    if (!fs::is_directory(outputFolder))
        return report({outputFolder, "cannot use this as the folder for the images"});

    // Each image is written atomically and read back before it replaces
    // anything, so a file that is there is whole and verified. Only flushing
    // each one to the device at once is left to the system, which does it
    // within seconds: waiting for the device thousands of times over would
    // make a batch hundreds of times slower.
    const WriteOptions writeOptions{.durable = false, .afterWrite = {}};

    // a.json becomes DIR/a.bin; a second file of the same name would replace
    // the first one's image, and an image may not replace a radio file given
    // (self.bin built into its own folder), so both are refused.
    const std::size_t count = radioPaths.size();
    std::vector<std::optional<Refusal>> refusals(count);
    std::vector<std::string> outputs(count);
    std::map<std::string, std::size_t> firstWithName;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = fs::path(radioPaths[i]).stem().string() + ".bin";
        const auto [first, isNew] = firstWithName.emplace(name, i);
        const std::string output = (fs::path(outputFolder) / name).string();
        if (!isNew)
            refusals[i] = Refusal{radioPaths[i], "its image " + name + " would replace that of " +
                                                     radioPaths[first->second]};
        else if (const std::string* input = InputSameAs(output, radioPaths))
            refusals[i] =
                Refusal{radioPaths[i], "its image " + EchoText(output) +
                                           " would replace the radio file " + EchoText(*input)};
        else
            outputs[i] = output;
    }

    // The files are independent: each gets its own radio, so they are built
    // on every processor at once. Refusals are reported in the order given.
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            if (refusals[i]) continue;
            try {
                refusals[i] = buildOne(radioPaths[i], outputs[i], writeOptions);
            } catch (const std::exception& e) {
                refusals[i] = Refusal{radioPaths[i], e.what()};
            }
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    {
        std::vector<std::jthread> helpers;
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(work);
        work();
    }

    int status = 0;
    for (const auto& refusal : refusals)
        if (refusal) status = report(*refusal);
    return status;
}

} // namespace kl40::cli
