#include "cli/session.h"

#include "cli/echo_text.h"
#include "cli/file_descriptor.h"
#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/channel_entry.h"
#include "core/radio.h"
#include "image/firmware_store.h"
#include "image/flows.h"
#include "image/image_build.h"
#include "image/image_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kl40::cli {

namespace {

// ConfigText position of each option name; "Down Delete" has none.
int configPosition(const std::string& option) {
    static const std::pair<const char*, int> positions[] = {{"Enable Scan", 3},
                                                            {"Down Delete", 0},
                                                            {"User programmed scan", 5},
                                                            {"Display Timer", 6},
                                                            {"Open LED is power indicator", 7},
                                                            {"Receive CTCSS enable", 8},
                                                            {"Busy Channel Lockout", 9},
                                                            {"Silent Switch enabled", 10},
                                                            {"Open LED off inhibits Transmit", 11},
                                                            {"High/Low Power", 14}};
    for (const auto& [name, position] : positions)
        if (option == name) return position;
    return 0;
}

CheckBox& optionBox(EntryFields& form, const std::string& option) {
    CheckBox* boxes[] = {&form.chkScan_En,    &form.chkDwn_Del, &form.chkScan_Prog,
                         &form.chkDispl_Blnk, &form.chkInd_On,  &form.chkCTCSS_en,
                         &form.chkBCO,        &form.chkSilent,  &form.chkTX_Inh,
                         &form.chkHiLo};
    for (CheckBox* box : boxes)
        if (box->caption() == option) return *box;
    return form.chkScan_En;
}

int itemIndex(const ComboBox& combo, const std::string& text) {
    const auto& items = combo.items();
    auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// A message of the form on one line: its lines joined as sentences.
std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, ". ");
    return text;
}

} // namespace

Session::Session() {
    platform.quiet = true;
    ws.FirmwareFolder = DefaultFirmwareFolder().string();
    form_.Form_Load();
}

std::optional<std::string> Session::Apply(const RadioInput& radio) {
    EntryFields& form = ws.form;
    RadioData& data = ws.data;
    platform.messages.clear();
    notes.clear();

    // Choosing the model and the time-out runs the form's handlers, as a click does.
    form.cboRadio.setListIndex(itemIndex(form.cboRadio, radio.model));
    form.cboToT.setListIndex(itemIndex(form.cboToT, radio.timeout));

    std::vector<const ChannelInput*> channels;
    channels.reserve(radio.channels.size());
    for (const ChannelInput& channel : radio.channels)
        channels.push_back(&channel);
    std::sort(channels.begin(), channels.end(),
              [](const ChannelInput* a, const ChannelInput* b) { return a->channel < b->channel; });
    for (const ChannelInput* input : channels) {
        const ChannelInput& channel = *input;
        const auto aboutChannel = [&channel](const std::string& reason) {
            return "channel " + std::to_string(channel.channel) + ": " + reason;
        };
        std::string tone = channel.ctcss;
        const int toneIndex = ToneIndex(tone);
        if (toneIndex == 0 && tone != "none")
            return aboutChannel("unknown CTCSS tone \"" + EchoText(channel.ctcss) + "\"");

        // The list is rebuilt by the last store only, which leaves it and the
        // fields as storing every channel from the form does.
        const ListRefresh refresh =
            input == channels.back() ? ListRefresh::Now : ListRefresh::Later;
        data.EditingChannel = false;
        form.txtCh.setText(std::to_string(channel.channel));
        form.txtRx.setText(channel.rx);
        form.txtTx.setText(channel.tx.value_or(""));
        form.cboCTCSS.setListIndex(toneIndex);
        form.chkScan.setChecked(channel.scan);
        platform.messages.clear();
        const auto stored = StoreChannel(ws, refresh);
        if (!platform.messages.empty()) return aboutChannel(oneLine(platform.messages.front()));
        if (!stored) return aboutChannel("a receive frequency must be entered");
        const std::string& entry = data.ChannelTable[static_cast<std::size_t>(*stored)];
        if (const auto note = OffRasterNote(entry)) {
            std::size_t from = 0;
            for (std::size_t end; (end = note->find('\n', from)) != std::string::npos;
                 from = end + 1)
                notes.push_back(aboutChannel(note->substr(from, end - from)));
            notes.push_back(aboutChannel(note->substr(from)));
        }
    }

    // The radio file's options are the image's options. Storing a scan
    // channel ticks "Enable Scan", as the form does, so they are set after
    // the channels: a radio may have scan channels with scanning off.
    // They set their flags directly, as decoding an image does: no interlocks.
    data.LoadingForm = true;
    for (const std::string& option : OptionNames()) {
        const bool on =
            std::find(radio.options.begin(), radio.options.end(), option) != radio.options.end();
        optionBox(form, option).setChecked(on);
        if (const int position = configPosition(option))
            data.ConfigText[static_cast<std::size_t>(position - 1)] = on ? '1' : '0';
    }
    data.LoadingForm = false;
    return std::nullopt;
}

bool Session::Build() {
    platform.messages.clear();
    try {
        return BuildImage(ws);
    } catch (const std::exception&) {
        if (platform.messages.empty())
            platform.show("Error saving data", "Data Error", Icon::Exclamation);
        return false;
    }
}

bool Session::Load(std::vector<std::uint8_t> image) {
    platform.messages.clear();
    std::vector<std::uint8_t> previous = std::move(ws.data.ImageText);
    ws.data.ImageText = std::move(image);
    return LoadOpenedImage(ws, std::move(previous)) == LoadResult::Decoded;
}

DecodedRadio Session::Describe() const {
    const EntryFields& form = ws.form;
    DecodedRadio radio;
    radio.model = form.cboRadio.text();
    radio.timeout = form.cboToT.text();
    for (const std::string& option : OptionNames())
        if (optionBox(const_cast<EntryFields&>(form), option).checked())
            radio.options.push_back(option);

    for (int i = 1; i < kChannelSlots; ++i) {
        const std::string& entry = ws.data.ChannelTable[static_cast<std::size_t>(i)];
        if (entry.empty()) continue;
        const Channel channel = ParseChannelEntry(i, entry);
        radio.channels.push_back(
            {channel.number, channel.rx, channel.tx, channel.tone, channel.scan});
    }
    return radio;
}

std::variant<std::vector<std::uint8_t>, std::string> ReadImage(const std::string& path) {
    const auto systemReason = [](int error) {
        return std::error_code(error, std::generic_category()).message();
    };
    // O_NONBLOCK keeps a FIFO from blocking the open; such a file is refused.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    const int fd = file.get();
    if (fd < 0) return systemReason(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) return systemReason(errno);
    if (S_ISDIR(st.st_mode)) return std::string("is a folder");
    if (!S_ISREG(st.st_mode)) return std::string("not a regular file");
    if (st.st_size == 0) return std::string("empty file");
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxImageFileSize)
        return "larger than " + std::to_string(kMaxImageFileSize) + " bytes";
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return systemReason(errno);
        if (n == 0) return std::string("the file became shorter while it was read");
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

} // namespace kl40::cli
