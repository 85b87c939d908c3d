// Benchmarks of the channel table window: opening it over a 99-channel radio
// (the grid made and painted once, offscreen) and pasting 99 rows into it
// (the logic with its undo step and the form's list rebuilt).

#include "formats/channel_clipboard.h"
#include "tests/support/no_windows.h"
#include "ui/channel_table.h"
#include "ui/entry_form.h"
#include "ui/main_window.h"
#include "ui/qt/channel_table_view.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace kl40::bench {
namespace {

class QuietPlatform : public Platform {
public:
    Answer message(const std::string&, const std::string&, Icon, Buttons) override {
        return Answer::Ok;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
    void setBusy(bool) override {}
};

// 99 channels: repeaters, tones, scan flags, names.
Radio FullRadio() {
    Radio radio;
    for (int n = 1; n <= kHighestChannel; ++n) {
        Channel& channel = radio.channels[static_cast<std::size_t>(n)].emplace();
        channel.rx = Frequency{4300000 + n * 250};
        channel.tx = n % 3 == 0 ? Frequency{channel.rx->hundredHz - 76000} : *channel.rx;
        channel.tone = n % 31;
        channel.scan = n <= kMaxScanChannels;
        channel.name = "CH" + std::to_string(n);
    }
    radio.channelCount = kHighestChannel;
    return radio;
}

struct Rig {
    Rig() { form.Form_Load(); }
    QuietPlatform platform;
    Workspace ws{platform};
    test::NoWindows windows;
    MDI_kl40 frame{ws, windows};
    EntryForm form{ws, frame};
    Preferences preferences;
    ChannelTableWindow table{ws, frame.history(), preferences};
};

void BM_OpenChannelTable(benchmark::State& state) {
    Rig rig;
    rig.ws.data.radio = FullRadio();
    for (auto _ : state) {
        qt::ChannelTableView view(rig.table, rig.ws);
        view.resize(900, 700);
        benchmark::DoNotOptimize(view.grab());
    }
}
BENCHMARK(BM_OpenChannelTable)->Unit(benchmark::kMillisecond);

void BM_Paste99Rows(benchmark::State& state) {
    Rig rig;
    ChannelSelection all;
    for (int n = 1; n <= kHighestChannel; ++n)
        all.insert(n);
    const std::string rows = CopyChannelRows(FullRadio(), all);
    const Radio empty = rig.ws.data.radio;
    for (auto _ : state) {
        rig.ws.data.radio = empty;
        rig.table.paste({1, kReceiveColumn, {}}, rows);
        if (rig.ws.data.radio.highestChannel() != kHighestChannel)
            state.SkipWithError(rig.table.status().c_str());
    }
}
BENCHMARK(BM_Paste99Rows)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kl40::bench

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
