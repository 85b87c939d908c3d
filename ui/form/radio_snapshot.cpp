#include "ui/form/radio_snapshot.h"
#include "ui/form/option_boxes.h"

#include "coding/options.h"
#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/numbers.h"
#include "core/option_rules.h"
#include "core/option_table.h"
#include "entry/channel_text.h"
#include "ui/form/channel_entry.h"

#include <algorithm>
#include <cmath>

namespace kl40 {

namespace {

int itemIndex(const ComboBox& combo, const std::string& text) {
    const auto& items = combo.items();
    auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

} // namespace

RadioRecord SnapshotOf(const Workspace& ws) {
    const EntryFields& form = ws.form;
    RadioRecord radio;
    radio.model = form.cboRadio.text();
    radio.timeout = form.cboToT.text();
    for (const RadioOption& option : RadioOptions())
        if (BoxOf(form, OptionIndex(option)).checked()) radio.options.emplace_back(option.caption);
    for (int n = 1; n < kChannelSlots; ++n)
        if (const auto& channel = ws.data.radio.channels[static_cast<std::size_t>(n)])
            radio.channels.push_back(ChannelRecordOf(n, *channel));
    return radio;
}

const Radio& RadioOf(const Workspace& ws) {
    return ws.data.radio;
}

void ShowDecodedRadio(Workspace& ws, const Radio& radio) {
    RadioData& data = ws.data;
    EntryFields& form = ws.form;
    const RadioModel& model = radio.modelFacts();
    form.cboRadio.setListIndex(ModelIndex(model));
    form.chkHiLo.setEnabled(model.hasHighLowPower);
    form.cboToT.setListIndex(radio.timeout);
    data.radio.channelCount = radio.channelCount;
    // The option digits no option sets start from the model's own.
    data.radio.optionsReadFrom = radio.optionsReadFrom;
    data.radio.model = radio.model;
    data.radio.timeout = radio.timeout;
    // The options the form shows for the model are the image's; the others
    // stay as they were.
    for (const RadioOption& option : RadioOptions()) {
        const std::size_t i = OptionIndex(option);
        if (option.configPos == 0 || model.optionBits[i].digit == 0) continue;
        BoxOf(form, i).setChecked(radio.options[i]);
        data.radio.options[i] = radio.options[i];
    }

    // Every channel with a list line is listed; the first listed channel
    // below 100 is selected and shown.
    int first = 0;
    int firstLine = -1;
    for (int n = 1; n < kChannelSlots; ++n) {
        const std::optional<Channel>& channel = radio.channels[static_cast<std::size_t>(n)];
        if (!channel) continue;
        data.radio.channels[static_cast<std::size_t>(n)] = channel;
        std::string line = FormatListLine(ChannelEntryText(n, *channel));
        if (line.empty()) continue;
        if (first == 0 && n < 100) {
            first = n;
            firstLine = form.lstFreq.count();
        }
        form.lstFreq.addItem(std::move(line));
    }
    if (first == 0) return;
    form.lstFreq.setListIndex(firstLine);
    ShowChannel(ws, static_cast<std::int16_t>(first));
}

ApplyOutcome ApplyRadio(Workspace& ws, const RadioRecord& radio, OnRefusal onRefusal,
                        bool storeOptions) {
    EntryFields& form = ws.form;
    RadioData& data = ws.data;
    ApplyOutcome outcome;

    // Choosing the model and the time-out runs the form's handlers, as a click does.
    form.cboRadio.setListIndex(itemIndex(form.cboRadio, radio.model));
    form.cboToT.setListIndex(itemIndex(form.cboToT, radio.timeout));

    const std::vector<const ChannelRecord*> channels = InEntryOrder(radio);
    for (const ChannelRecord* input : channels) {
        const ChannelRecord& channel = *input;
        ChannelOutcome result;
        result.number = channel.number;
        std::string tone = channel.tone;
        const int toneIndex = ToneIndex(tone);
        if (toneIndex == 0 && tone != "none") {
            result.unknownTone = channel.tone;
        } else {
            // The list is rebuilt by the last store only, which leaves it and
            // the fields as storing every channel from the form does.
            const ListRefresh refresh =
                input == channels.back() ? ListRefresh::Now : ListRefresh::Later;
            data.EditingChannel = false;
            form.txtCh.setText(std::to_string(channel.number));
            form.txtRx.setText(channel.rx.value_or(""));
            form.txtTx.setText(channel.tx.value_or(""));
            form.cboCTCSS.setListIndex(toneIndex);
            form.chkScan.setChecked(channel.scan);
            MessageCollector collector(ws.platform);
            const auto stored = StoreChannel(ws, refresh);
            result.messages = std::move(collector.messages);
            result.stored = stored.has_value();
            if (stored) {
                Channel& entered = *data.radio.channels[static_cast<std::size_t>(*stored)];
                entered.name = channel.name;
                entered.comment = channel.comment;
                result.rasterNote = OffRasterNote(entered);
            } else if (result.messages.empty()) {
                result.messages.push_back("a receive frequency must be entered");
            }
        }
        outcome.channels.push_back(result);
        // A radio file is refused for anything the entry had to say, even a
        // scan flag it dropped.
        if (onRefusal == OnRefusal::Stop && (!result.stored || !result.messages.empty())) {
            outcome.stoppedAt = std::move(result);
            return outcome;
        }
    }

    if (!storeOptions) return outcome;
    // The radio's options are the image's options. Storing a scan channel
    // ticks "Enable Scan", as the form does, so they are set after the
    // channels: a radio may have scan channels with scanning off.
    ApplyOptions(ws, radio.options);
    return outcome;
}

void ApplyOptions(Workspace& ws, const std::vector<std::string>& options) {
    RadioData& data = ws.data;
    data.LoadingForm = true;
    for (const RadioOption& option : RadioOptions()) {
        const bool on = std::find(options.begin(), options.end(), option.caption) != options.end();
        BoxOf(ws.form, OptionIndex(option)).setChecked(on);
        data.radio.options[OptionIndex(option)] = on;
    }
    data.LoadingForm = false;
}

} // namespace kl40
