// Library benchmarks: building and decoding a full 99-channel image of each
// model, the per-file work of a batch build, and writing an image file.

#include "bench/sample_radio.h"
#include "cli/session.h"
#include "entry/radio_entry.h"
#include "formats/radio_json.h"
#include "image/atomic_write.h"
#include "image/image_build.h"
#include "image/image_decode.h"
#include "image/image_file.h"
#include "ui/flows/form_image.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace kl40::bench {
namespace {

// A session holding the sample radio of `model`, ready to build.
std::unique_ptr<cli::Session> PreparedSession(benchmark::State& state, int model) {
    auto session = std::make_unique<cli::Session>();
    auto parsed = ParseRadioJson(SampleRadioJson(model));
    if (auto* error = std::get_if<JsonError>(&parsed)) {
        state.SkipWithError(error->message.c_str());
        return nullptr;
    }
    if (auto refused = session->Apply(std::get<RadioRecord>(parsed))) {
        state.SkipWithError(refused->c_str());
        return nullptr;
    }
    if (!session->Build()) {
        state.SkipWithError("the sample radio does not build");
        return nullptr;
    }
    return session;
}

void BM_BuildImage(benchmark::State& state) {
    const int model = static_cast<int>(state.range(0));
    state.SetLabel(kModelNames[model]);
    auto session = PreparedSession(state, model);
    if (!session) return;
    const Radio radio = session->radio;
    std::vector<std::uint8_t> image;
    for (auto _ : state) {
        auto built = BuildImage(radio);
        benchmark::DoNotOptimize(built);
        if (state.iterations() == 1) image = std::get<std::vector<std::uint8_t>>(built);
    }
    // The data area must be the session's: a benchmark of another result
    // would measure nothing useful.
    auto built = BuildImage(radio);
    const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&built);
    if (!bytes || DecodeImage(*bytes) != DecodeImage(session->image))
        state.SkipWithError("the build gives another radio");
}
BENCHMARK(BM_BuildImage)->DenseRange(0, 2);

void BM_DecodeImage(benchmark::State& state) {
    const int model = static_cast<int>(state.range(0));
    state.SetLabel(kModelNames[model]);
    std::vector<std::uint8_t> image;
    {
        auto built = PreparedSession(state, model);
        if (!built) return;
        image = built->image;
    }
    std::optional<Radio> radio;
    for (auto _ : state) {
        radio = DecodeImage(image);
        benchmark::DoNotOptimize(radio);
    }
    if (!radio || radio->channels[99] == std::nullopt)
        state.SkipWithError("not all channels decoded");
}
BENCHMARK(BM_DecodeImage)->DenseRange(0, 2);

// Reading a radio file of 99 channels: the JSON and the channel entry rules,
// into the typed radio; without names, and with a name and a comment on every
// channel.
void readRadioFile(benchmark::State& state, bool named) {
    const std::string text = SampleRadioJson(2, 0, named);
    for (auto _ : state) {
        auto parsed = ParseRadioJson(text);
        Radio radio;
        const ApplyOutcome outcome =
            EnterRadio(radio, std::get<RadioRecord>(parsed), OnRefusal::Stop);
        if (outcome.stoppedAt) {
            state.SkipWithError("the sample radio is refused");
            break;
        }
        benchmark::DoNotOptimize(radio);
    }
}
void BM_ReadRadioFile(benchmark::State& state) {
    readRadioFile(state, false);
}
BENCHMARK(BM_ReadRadioFile);
void BM_ReadNamedRadioFile(benchmark::State& state) {
    readRadioFile(state, true);
}
BENCHMARK(BM_ReadNamedRadioFile);

// What a batch build does for each file apart from the file system: read the
// RADIO JSON, start a fresh radio, store the channels and build.
void BM_BuildFromJson(benchmark::State& state) {
    const int model = static_cast<int>(state.range(0));
    state.SetLabel(kModelNames[model]);
    const std::string text = SampleRadioJson(model);
    for (auto _ : state) {
        auto parsed = ParseRadioJson(text);
        cli::Session session;
        const bool built = !session.Apply(std::get<RadioRecord>(parsed)) && session.Build();
        if (!built) {
            state.SkipWithError("the sample radio does not build");
            break;
        }
        benchmark::DoNotOptimize(session.image.data());
    }
}
BENCHMARK(BM_BuildFromJson)->DenseRange(0, 2);

void BM_ParseRadioJson(benchmark::State& state) {
    const std::string text = SampleRadioJson(2);
    for (auto _ : state) {
        auto parsed = ParseRadioJson(text);
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_ParseRadioJson);

// The same text through the JSON document alone, as every text the fast
// reading declines is read.
void BM_ParseRadioJsonThoroughly(benchmark::State& state) {
    const std::string text = SampleRadioJson(2);
    for (auto _ : state) {
        auto parsed = ParseRadioJsonThoroughly(text);
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_ParseRadioJsonThoroughly);

void BM_NewSession(benchmark::State& state) {
    for (auto _ : state) {
        cli::Session session;
        benchmark::DoNotOptimize(session.radio);
    }
}
BENCHMARK(BM_NewSession);

// Writing one 8 KiB image with read-back verification. Argument 0: a new
// file each time, flushed later by the system (as a batch build writes);
// 1: replacing the same file, flushed later; 2: replacing it durably.
void BM_WriteImageFile(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const char* labels[] = {"new file", "replace", "replace, durable"};
    state.SetLabel(labels[mode]);
    auto session = PreparedSession(state, 2);
    if (!session) return;
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kl40-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const WriteOptions options{mode == 2, {}};
    long n = 0;
    for (auto _ : state) {
        const std::string path =
            (dir / (mode == 0 ? "radio-" + std::to_string(n++) + ".bin" : "radio.bin")).string();
        if (WriteFileAtomically(path, session->image, options)) {
            state.SkipWithError("cannot write the image");
            break;
        }
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_WriteImageFile)->DenseRange(0, 2);

} // namespace
} // namespace kl40::bench

BENCHMARK_MAIN();
