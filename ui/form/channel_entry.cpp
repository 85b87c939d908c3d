#include "ui/form/channel_entry.h"
#include "ui/form/option_boxes.h"

#include "core/radio.h"
#include "entry/channel_text.h"

#include "coding/frequency_code.h"
#include "coding/options.h"
#include "coding/tone_table.h"
#include "core/numbers.h"
#include "core/option_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace kl40 {

namespace {

constexpr std::size_t kFrequencyWidth = 8; // "435.1250"

// The slot of channel n; anything outside 0-100 is an error of the caller.
std::optional<Channel>& slotOf(RadioData& data, int n) {
    if (n < 0 || n >= kChannelSlots) throw std::out_of_range("channel slot out of range");
    return data.radio.channels[static_cast<std::size_t>(n)];
}

// Selects item `index` of a list only when the list holds it: during the form
// load the channel selector runs before the tone list is filled.
void selectItemIfPresent(ComboBox& box, int index) {
    if (index < static_cast<int>(box.items().size())) box.setListIndex(index);
}

bool isOneOrTwoDigits(std::string_view text) {
    if (text.empty() || text.size() > 2) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// The number a text starts with ("103.5" -> 103.5, "88.5 " -> 88.5); 0 when
// it starts with none.
double leadingValue(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    (void)end;
    return ec == std::errc() ? value : 0.0;
}

// The refused field is emptied and gets the focus, so the operator types the
// value again where it was wrong.
void refuseFrequency(Workspace& ws, TextBox& field, Control control, const char* which) {
    ws.platform.show(FrequencyRefusalText(which), "Frequency Error", Icon::Critical);
    field.clear();
    ws.form.focus = control;
}

// A typed tone the radio lacks keeps its text, so the operator sees what was
// refused; nothing else is put in its place.
void refuseTone(Workspace& ws, const std::string& tone) {
    ws.platform.show(UnlistedToneText(tone), "CTCSS Error", Icon::Critical);
    ws.form.focus = Control::cboCTCSS;
}

void refuseChannelNumber(Workspace& ws) {
    ws.platform.show(kChannelNumberRefusal, "Error", Icon::Critical);
    ws.form.focus = Control::cboCh;
}

// The first empty channel after `target`, going round from 99 to 1; 0 when
// all 99 are in use.
int nextFreeChannel(const RadioData& data, int target) {
    for (int k = 1; k <= kHighestChannel; ++k) {
        const int n = (target - 1 + k) % kHighestChannel + 1;
        if (!data.radio.channels[static_cast<std::size_t>(n)]) return n;
    }
    return 0;
}

// Empties the entry fields and puts the next free channel in the selector, so
// that what the operator types next is a new channel and overwrites none.
void prepareNextEntry(Workspace& ws, int stored) {
    EntryFields& form = ws.form;
    const int next = nextFreeChannel(ws.data, stored);
    const std::string nextText = next > 0 ? std::to_string(next) : std::string();
    form.cboCh.setText(nextText);
    form.txtCh.setText(nextText);
    form.txtRx.clear();
    form.txtTx.clear();
    selectItemIfPresent(form.cboCTCSS, 0);
    form.chkScan.setChecked(false);
    ws.data.EditingChannel = false;
    form.focus = Control::cboCh;
}

int scanChannelsOtherThan(const RadioData& data, int target) {
    return ScanChannelsOtherThan(data.radio.channels, target);
}

void clearListAndFields(EntryFields& form) {
    form.lstFreq.clear();
    // The selector keeps its number; its copy agrees with it.
    form.txtCh.setText(form.cboCh.text());
    form.txtRx.clear();
    form.txtTx.clear();
}

} // namespace

std::optional<std::int16_t> StoreChannel(Workspace& ws, ListRefresh refresh) {
    RadioData& data = ws.data;
    EntryFields& form = ws.form;
    data.DataChanged = true;
    try {
        // Channel number: only channels 1 to 99 are stored. Anything else is
        // refused so that no other channel's slot (or slot 0) is overwritten.
        const std::string typed = form.txtCh.text();
        const auto number = ParseInt16(typed);
        if (!number || *number < 1 || *number > kHighestChannel) {
            refuseChannelNumber(ws);
            return std::nullopt;
        }
        const int target = *number;
        // The entry's channel field is one or two digits as typed; other
        // spellings of the same number ("+5", "007") are written plainly so that
        // the list line and the channel count can be made from it.
        const std::string channel = isOneOrTwoDigits(typed) ? typed : std::to_string(target);
        if (data.radio.channelCount < target) SetChannelCount(ws, channel);

        // Receive frequency; the box shows it as checked.
        const FrequencyCheck receive = CheckFrequency(form.txtRx.text());
        if (receive.outcome == FrequencyCheck::Refused) {
            refuseFrequency(ws, form.txtRx, Control::txtRx, "receive");
            return std::nullopt;
        }
        form.txtRx.setText(receive.text);
        if (receive.outcome == FrequencyCheck::Empty) return std::nullopt;

        // Transmit frequency: empty means the same as receive.
        if (form.txtTx.text().empty()) form.txtTx.setText(receive.text);
        const FrequencyCheck transmit = CheckFrequency(form.txtTx.text());
        if (transmit.outcome != FrequencyCheck::Taken) {
            refuseFrequency(ws, form.txtTx, Control::txtTx, "transmit");
            return std::nullopt;
        }

        // Tone: one of the list, written as listed ("88.50" typed is "88.5 ");
        // a blank box is none.
        const std::string& typedTone = form.cboCTCSS.text();
        const std::optional<std::size_t> toneRow = TypedToneRow(typedTone);
        const std::size_t toneStart = typedTone.find_first_not_of(' ');
        if (!toneRow && toneStart != std::string::npos) {
            refuseTone(
                ws, typedTone.substr(toneStart, typedTone.find_last_not_of(' ') + 1 - toneStart));
            return std::nullopt;
        }

        // Scan flag, with the radio's limit of 32 scan channels.
        bool scan = false;
        if (form.chkScan.checked()) {
            if (scanChannelsOtherThan(data, target) >= kMaxScanChannels) {
                ws.platform.show(kScanLimitText, "Excess Scan Channels", Icon::None);
                form.chkScan.setChecked(false);
            } else {
                scan = true;
                EnableScanning(ws);
            }
        }

        // A channel stored over keeps its name and comment, which the form
        // does not show.
        std::optional<Channel>& slot = slotOf(data, target);
        Channel& stored = slot ? *slot : slot.emplace();
        stored.rx = receive.value;
        stored.tx = transmit.value;
        stored.tone = static_cast<int>(toneRow.value_or(0));
        stored.scan = scan;

        prepareNextEntry(ws, target);
        // The stored channel's line is marked, not clicked: clicking it would
        // load it into the fields again.
        if (refresh == ListRefresh::Now) form.lstFreq.highlight(RebuildChannelList(ws, target));
        return static_cast<std::int16_t>(target);
    } catch (const std::exception&) {
        ws.platform.show("Check data entered", "Error", Icon::Critical);
        return std::nullopt;
    }
}

int RebuildChannelList(Workspace& ws, int wanted) {
    ListBox& list = ws.form.lstFreq;
    list.clear();
    int wantedLine = -1;
    for (int n = 1; n < kChannelSlots; ++n) {
        const std::optional<Channel>& channel = ws.data.radio.channels[static_cast<std::size_t>(n)];
        if (!channel) continue;
        // A channel that makes no line (one without its receive frequency,
        // from an image) is left out rather than shown as an empty line.
        std::string line = FormatListLine(ChannelEntryText(n, *channel));
        if (line.empty()) continue;
        if (n == wanted) wantedLine = list.count();
        list.addItem(std::move(line));
    }
    return wantedLine;
}

void ShowChannel(Workspace& ws, std::int16_t n) {
    EntryFields& form = ws.form;
    try {
        const std::optional<Channel> channel = slotOf(ws.data, n);
        if (channel) {
            // A channel without both frequencies (decoded from a damaged image)
            // cannot be shown.
            if (!channel->rx || !channel->tx) throw std::invalid_argument("channel incomplete");
            form.txtCh.setText(std::to_string(n));
            form.txtRx.setText(FrequencyText(*channel->rx));
            form.txtTx.setText(FrequencyText(*channel->tx));
            form.cboCTCSS.setListIndex(channel->tone);
            form.chkScan.setChecked(channel->scan);
            form.cmdReset_Pers.setCaption("Update");
            // The selector lists "1" to "99" and then "0": item n-1 is channel n.
            form.cboCh.setListIndex(n - 1);
        } else {
            form.txtRx.clear();
            form.txtTx.clear();
            selectItemIfPresent(form.cboCTCSS, 0);
            form.chkScan.setChecked(false);
        }
    } catch (const std::exception&) {
        ws.platform.show("Unknown Channel Format", "Data Error", Icon::Exclamation);
    }
}

void EnableScanning(Workspace& ws) {
    ws.form.chkScan_En.setChecked(true);
}

namespace {

// Whether the entry fields hold `channel` as ShowChannel puts it there.
bool fieldsShow(const EntryFields& form, const std::optional<Channel>& channel) {
    return channel && channel->rx && channel->tx &&
           form.txtRx.text() == FrequencyText(*channel->rx) &&
           form.txtTx.text() == FrequencyText(*channel->tx) &&
           form.cboCTCSS.listIndex() == channel->tone && form.chkScan.checked() == channel->scan;
}

} // namespace

void ShowChangedChannel(Workspace& ws, const ChannelTable& before) {
    const auto n = ParseInt16(ws.form.txtCh.text());
    if (!n || *n < 1 || *n > kHighestChannel) return;
    const auto slot = static_cast<std::size_t>(*n);
    const std::optional<Channel>& now = ws.data.radio.channels[slot];
    if (now == before[slot] || !fieldsShow(ws.form, before[slot])) return;
    ShowChannel(ws, *n);
    if (!now) {
        // Nothing is left to update: the fields are for a new channel.
        ws.data.EditingChannel = false;
        ws.form.cmdReset_Pers.setCaption("Reset");
    }
}

void FillEntryFields(Workspace& ws, char delimiter, std::string_view text) {
    if (text.empty()) return;
    // A run of delimiters counts as one; number, receive, transmit and tone
    // must be there.
    const std::vector<std::string_view> fields =
        SplitChannelEntry(text, delimiter, Separators::Runs);
    if (fields.size() < 4) throw std::invalid_argument("channel text too short");
    // A frequency is the 8 characters from where its field starts.
    const auto frequency = [text](std::string_view field) {
        return std::string(
            text.substr(static_cast<std::size_t>(field.data() - text.data()), kFrequencyWidth));
    };

    EntryFields& form = ws.form;
    form.txtCh.setText(std::string(fields[0]));
    form.txtRx.setText(frequency(fields[1]));
    form.txtTx.setText(frequency(fields[2]));
    std::string tone(fields[3]);
    form.cboCTCSS.setListIndex(ToneIndex(tone));
    form.chkScan.setChecked(text.find('Y') != std::string_view::npos);
}

std::string FormatListLine(std::string_view entry) {
    const bool shortNumber =
        (entry.size() > 1 && entry[1] == ',') || (entry.size() > 2 && entry[2] == ',');
    if (!shortNumber || entry.front() == ',') return "";

    const std::vector<std::string_view> fields = SplitChannelEntry(entry);
    if (fields.size() < 4) return ""; // too few fields to make a line
    const std::string_view number = fields[0];
    const std::string_view receive = fields[1];
    const std::string_view transmit = fields[2];
    std::string_view tone = fields[3];
    if (tone == "0") tone = "none";
    const char scan = entry.back() == 'Y' ? 'Y' : 'N';

    // The list uses a proportional font: a digit is about two spaces wide, and
    // tones of 100 Hz and more have no trailing blank.
    const std::size_t pad1 = number.size() >= 2 ? 7 : 9;
    const bool noTone = tone.substr(0, 4) == "none";
    const std::size_t pad2 = !noTone && leadingValue(tone) > 100 ? 6 : 7;

    // Written in one piece: number, pad, receive, 5 blanks, transmit, 5 blanks,
    // tone, pad, scan flag.
    std::string line(number.size() + pad1 + receive.size() + 5 + transmit.size() + 5 + tone.size() +
                         pad2 + 1,
                     ' ');
    char* at = line.data();
    at = std::copy(number.begin(), number.end(), at) + pad1;
    at = std::copy(receive.begin(), receive.end(), at) + 5;
    at = std::copy(transmit.begin(), transmit.end(), at) + 5;
    at = std::copy(tone.begin(), tone.end(), at) + pad2;
    *at = scan;
    return line;
}

void SetChannelCount(Workspace& ws, std::string_view channel) {
    const auto n = ParseInt16(channel);
    if (!n || *n < 0 || *n > kHighestChannel) {
        ws.platform.show("Invalid channel number", "Data Error", Icon::Exclamation);
        return;
    }
    ws.data.radio.channelCount = *n;
}

bool ClearChannelList(Workspace& ws, std::int16_t unconfirmed) {
    RadioData& data = ws.data;
    EntryFields& form = ws.form;
    // The question comes first: No leaves the channels, the model, the
    // time-out and every option as they were.
    const bool ask = unconfirmed == 0 && form.lstFreq.count() > 0;
    if (ask && !ws.platform.askYesNo("Do you wish to clear the channel list?", "Clear Data"))
        return false;

    ResetOptions(data);
    ClearOptionBoxes(form);
    // Program selections run the lists' click handlers (SetOptions unless the
    // form is loading).
    selectItemIfPresent(form.cboToT, static_cast<int>(kDefaultTimeoutIndex));
    selectItemIfPresent(form.cboRadio, ModelIndex(DefaultModel()));
    clearListAndFields(form);
    GreyOptionBoxes(form);
    if (ask) data.radio.channels.fill(std::nullopt);
    data.DataChanged = true;
    return true;
}

} // namespace kl40
