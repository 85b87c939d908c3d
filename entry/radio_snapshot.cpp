#include "entry/radio_snapshot.h"

#include "coding/raster.h"
#include "coding/tone_table.h"
#include "core/option_table.h"
#include "entry/channel_entry.h"

#include <algorithm>

namespace kl40 {

namespace {

int itemIndex(const ComboBox& combo, const std::string& text) {
    const auto& items = combo.items();
    auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

} // namespace

Radio SnapshotOf(const Workspace& ws) {
    const EntryFields& form = ws.form;
    Radio radio;
    radio.model = form.cboRadio.text();
    radio.timeout = form.cboToT.text();
    for (const RadioOption& option : RadioOptions())
        if ((form.*option.box).checked()) radio.options.emplace_back(option.caption);
    for (int i = 1; i < kChannelSlots; ++i) {
        const std::string& entry = ws.data.ChannelTable[static_cast<std::size_t>(i)];
        if (!entry.empty()) radio.channels.push_back(ParseChannelEntry(i, entry));
    }
    return radio;
}

ApplyOutcome ApplyRadio(Workspace& ws, const Radio& radio, OnRefusal onRefusal, bool storeOptions) {
    EntryFields& form = ws.form;
    RadioData& data = ws.data;
    ApplyOutcome outcome;

    // Choosing the model and the time-out runs the form's handlers, as a click does.
    form.cboRadio.setListIndex(itemIndex(form.cboRadio, radio.model));
    form.cboToT.setListIndex(itemIndex(form.cboToT, radio.timeout));

    std::vector<const Channel*> channels;
    channels.reserve(radio.channels.size());
    for (const Channel& channel : radio.channels)
        channels.push_back(&channel);
    std::stable_sort(channels.begin(), channels.end(),
                     [](const Channel* a, const Channel* b) { return a->number < b->number; });
    for (const Channel* input : channels) {
        const Channel& channel = *input;
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
                result.rasterNote =
                    OffRasterNote(data.ChannelTable[static_cast<std::size_t>(*stored)]);
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
        (ws.form.*option.box).setChecked(on);
        if (option.configPos != 0)
            data.ConfigText[static_cast<std::size_t>(option.configPos - 1)] = on ? '1' : '0';
    }
    data.LoadingForm = false;
}

} // namespace kl40
