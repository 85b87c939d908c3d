// Arbitrary text in the channel entry fields. The input is a list of lines,
// each one channel as typed: number, receive, transmit, tone and flags,
// separated by tabs ("S" in the flags ticks the scan box, "E" stores as an
// update of the channel shown). After every store the channel table must hold
// entries only in slots 1 to 99, each under its own number, and the channel
// count must be two digits; at the end the radio builds or is refused cleanly.

#include "check.h"
#include "ui/flows/form_image.h"

#include "cli/stderr_platform.h"
#include "image/image_build.h"
#include "image/layout.h"
#include "ui/entry_form.h"
#include "ui/form/channel_entry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kl40::fuzz::Check;

std::vector<std::string> Split(std::string_view text, char separator, std::size_t limit) {
    std::vector<std::string> parts;
    while (parts.size() + 1 < limit) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos) break;
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.emplace_back(text);
    parts.resize(limit);
    return parts;
}

void CheckTable(const kl40::Workspace& ws) {
    const auto& table = ws.data.radio.channels;
    Check(!table[0], "slot 0 is never written");
    Check(!table[100], "slot 100 is never written by the entry");
    int stored = 0;
    int scanned = 0;
    for (int n = 1; n < 100; ++n) {
        const auto& channel = table[static_cast<std::size_t>(n)];
        if (!channel) continue;
        ++stored;
        if (channel->scan) ++scanned;
        Check(channel->rx && channel->tx, "a stored channel has both frequencies");
        Check(channel->rx->hundredHz >= 4000000 && channel->rx->hundredHz <= 4500000,
              "a stored receive frequency lies in the band");
    }
    Check(scanned <= 32, "at most 32 scan channels");
    Check(ws.form.lstFreq.count() == stored, "one list line for each stored channel");
    Check(ws.data.radio.channelCount >= 1 && ws.data.radio.channelCount <= 99, "the channel count is 1 to 99");
}

// The form's host: nothing to save, print or end.
class NoHost : public kl40::FormHost {
public:
    kl40::SaveOutcome SaveRadioFile() override { return kl40::SaveOutcome::Cancelled; }
    void ShowPrintDialog() override {}
    void EndProgram() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    kl40::cli::StderrPlatform platform;
    platform.quiet = true;
    kl40::Workspace ws{platform};
    NoHost host;
    kl40::EntryForm form{ws, host};
    form.Form_Load();

    std::size_t lines = 0;
    for (std::string_view rest = input; !rest.empty() && lines < 200; ++lines) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);

        const std::vector<std::string> field = Split(line, '\t', 5);
        ws.data.EditingChannel = field[4].find('E') != std::string::npos;
        ws.form.txtCh.setText(field[0]);
        ws.form.txtRx.setText(field[1]);
        ws.form.txtTx.setText(field[2]);
        ws.form.cboCTCSS.setText(field[3]);
        ws.form.chkScan.setChecked(field[4].find('S') != std::string::npos);
        kl40::StoreChannel(ws);
        CheckTable(ws);
    }

    ws.FirmwareFolder.clear();
    if (kl40::BuildImage(ws)) {
        const auto& image = ws.data.ImageText;
        Check(kl40::IsImageSize(image.size()), "a built image is 2048 or 8192 bytes");
    }
    return 0;
}
