#include "entry/cell_edit.h"

#include "coding/frequency_code.h"
#include "coding/tone_table.h"
#include "entry/channel_rules.h"
#include "entry/channel_text.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace kl40 {

namespace {

constexpr Column kColumnsInEntryOrder[] = {Column::Receive, Column::Transmit, Column::Duplex,
                                           Column::Offset,  Column::Ctcss,    Column::Scan,
                                           Column::Name,    Column::Comment};

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') + 1 - first));
}

std::string noReceiveText(int number) {
    return "Channel " + std::to_string(number) + " has no receive frequency: enter it first.";
}

std::optional<bool> parseScan(std::string_view text) {
    if (text.empty() || text == "N" || text == "n" || text == "no") return false;
    if (text == "Y" || text == "y" || text == "yes") return true;
    return std::nullopt;
}

// The transmit frequency for `duplex` with `offset`, or why the band refuses it.
std::optional<std::string> setRepeaterTransmit(Channel& channel, Duplex duplex, Frequency offset) {
    const Frequency tx = TransmitFor(*channel.rx, duplex, offset);
    if (!FrequencyInBand(tx)) return OffsetOutOfBandText(offset, tx);
    channel.tx = tx;
    channel.split = false;
    return std::nullopt;
}

// Edits one field of `channel`, which has its receive frequency unless the
// Receive cell is being typed. Refused: the reason, and the channel is as it was.
std::optional<std::string> editChannel(Channel& channel, Column column, std::string_view typed,
                                       Frequency defaultOffset) {
    // Names and comments are kept as typed; the other cells lose their blanks.
    const std::string text =
        column == Column::Name || column == Column::Comment ? std::string(typed) : trimmed(typed);
    const Duplex duplex = DuplexOf(channel);
    switch (column) {
    case Column::Receive: {
        const FrequencyCheck check = CheckFrequency(text);
        if (check.outcome != FrequencyCheck::Taken) return FrequencyRefusalText("receive");
        // Simplex follows the receive frequency, "+" and "-" keep their
        // offset, "split" keeps its transmit frequency.
        const Frequency offset = OffsetOf(channel);
        const Frequency tx = duplex == Duplex::Split && channel.tx
                                 ? *channel.tx
                                 : TransmitFor(check.value, duplex, offset);
        if (!FrequencyInBand(tx)) return OffsetOutOfBandText(offset, tx);
        channel.rx = check.value;
        channel.tx = tx;
        return std::nullopt;
    }
    case Column::Transmit: {
        if (text.empty()) return setRepeaterTransmit(channel, Duplex::Simplex, {});
        const FrequencyCheck check = CheckFrequency(text);
        if (check.outcome != FrequencyCheck::Taken) return FrequencyRefusalText("transmit");
        if (check.value == channel.tx) return std::nullopt; // it matches the offset
        if (check.value == *channel.rx) return setRepeaterTransmit(channel, Duplex::Simplex, {});
        channel.tx = check.value;
        channel.split = true;
        return std::nullopt;
    }
    case Column::Duplex: {
        const std::optional<Duplex> wanted = ParseDuplex(text);
        if (!wanted) return "Duplex must be blank (simplex), \"+\", \"-\" or \"split\".";
        if (*wanted == Duplex::Split) {
            if (!channel.tx) channel.tx = channel.rx;
            channel.split = true;
            return std::nullopt;
        }
        // "+" and "-" keep the distance the frequencies have; a simplex
        // channel has none and takes the default offset.
        Frequency offset{};
        if (channel.tx) offset = {std::abs(channel.tx->hundredHz - channel.rx->hundredHz)};
        if (offset == Frequency{}) offset = defaultOffset;
        return setRepeaterTransmit(channel, *wanted, offset);
    }
    case Column::Offset: {
        const std::optional<Frequency> offset = ParseOffset(text);
        if (!offset) return kOffsetRefusal;
        if (*offset == Frequency{}) return setRepeaterTransmit(channel, Duplex::Simplex, {});
        if (duplex != Duplex::Plus && duplex != Duplex::Minus)
            return "Choose \"+\" or \"-\" as the duplex before typing an offset.";
        return setRepeaterTransmit(channel, duplex, *offset);
    }
    case Column::Ctcss: {
        // A tone the radio lacks is refused, never replaced by a near one.
        const std::optional<std::size_t> row = text.empty() ? 0 : TypedToneRow(text);
        if (!row) return UnlistedToneText(text) + ".";
        channel.tone = static_cast<int>(*row);
        return std::nullopt;
    }
    case Column::Scan: {
        const std::optional<bool> scan = parseScan(text);
        if (!scan) return "Scan must be Y or N.";
        channel.scan = *scan;
        return std::nullopt;
    }
    case Column::Name:
    case Column::Comment: {
        // Copied rows are tab-separated lines: a tab or line break would split them.
        if (text.find_first_of("\t\r\n") != std::string::npos)
            return std::string(column == Column::Name ? "A name" : "A comment") +
                   " cannot hold a tab or a line break.";
        (column == Column::Name ? channel.name : channel.comment) = text;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// Refused when `channel` would be one scan channel too many as channel `number`.
bool overScanLimit(const ChannelTable& table, int number, const Channel& channel) {
    const std::optional<Channel>& before = table[static_cast<std::size_t>(number)];
    return channel.scan && !(before && before->scan) &&
           ScanChannelsOtherThan(table, number) >= kMaxScanChannels;
}

void store(Radio& radio, int number, const Channel& channel, std::vector<std::string>& notes) {
    std::optional<Channel>& slot = radio.channels[static_cast<std::size_t>(number)];
    const bool frequencyChanged = !slot || slot->rx != channel.rx || slot->tx != channel.tx;
    if (frequencyChanged)
        if (std::optional<std::string> note = OffRasterNote(channel)) notes.push_back(*note);
    slot = channel;
    radio.channelCount = std::max(radio.channelCount, number);
}

bool validNumber(int number) {
    return number >= 1 && number <= kHighestChannel;
}

} // namespace

std::string CellText(const Channel& channel, Column column) {
    switch (column) {
    case Column::Receive:
        return channel.rx ? FrequencyText(*channel.rx) : "";
    case Column::Transmit:
        return channel.tx ? FrequencyText(*channel.tx) : "";
    case Column::Duplex:
        return DuplexText(DuplexOf(channel));
    case Column::Offset: {
        const Duplex duplex = DuplexOf(channel);
        if (duplex != Duplex::Plus && duplex != Duplex::Minus) return "";
        return FrequencyText(OffsetOf(channel));
    }
    case Column::Ctcss:
        return ToneText(channel.tone);
    case Column::Scan:
        return channel.scan ? "Y" : "N";
    case Column::Name:
        return channel.name;
    case Column::Comment:
        return channel.comment;
    }
    return "";
}

TableOutcome CommitCell(const Radio& radio, int number, Column column, std::string_view text,
                        Frequency defaultOffset) {
    if (!validNumber(number)) return TableRefusal{kChannelNumberRefusal};
    const std::optional<Channel>& slot = radio.channels[static_cast<std::size_t>(number)];
    TableChange change{radio, {}};
    if (column == Column::Receive && trimmed(text).empty()) {
        change.radio.channels[static_cast<std::size_t>(number)].reset();
        return change;
    }
    if (column != Column::Receive && !(slot && slot->rx))
        return TableRefusal{noReceiveText(number)};
    Channel channel = slot.value_or(Channel{});
    if (std::optional<std::string> refusal = editChannel(channel, column, text, defaultOffset))
        return TableRefusal{*refusal};
    if (overScanLimit(radio.channels, number, channel)) return TableRefusal{kScanLimitText};
    store(change.radio, number, channel, change.notes);
    return change;
}

RowEntry EnterRow(Radio& radio, int number, const RowCells& cells, Frequency defaultOffset) {
    const auto cell = [&cells](Column column) -> const std::string& {
        return cells[static_cast<std::size_t>(column)];
    };
    if (!validNumber(number)) return {false, kChannelNumberRefusal, {}};
    if (trimmed(cell(Column::Receive)).empty()) {
        const bool blank = std::all_of(cells.begin(), cells.end(), [](const std::string& text) {
            return trimmed(text).empty();
        });
        if (!blank) return {false, noReceiveText(number), {}};
        radio.channels[static_cast<std::size_t>(number)].reset();
        return {true, {}, {}};
    }
    // A "+" or "-" row that gives its offset starts from it, not from the
    // default, so that the default cannot push it out of the band.
    const std::optional<Frequency> rowOffset = ParseOffset(cell(Column::Offset));
    const Frequency offsetForDuplex =
        rowOffset && *rowOffset != Frequency{} ? *rowOffset : defaultOffset;
    Channel channel;
    for (Column column : kColumnsInEntryOrder) {
        if (column != Column::Receive && cell(column).empty()) continue;
        if (std::optional<std::string> refusal =
                editChannel(channel, column, cell(column), offsetForDuplex))
            return {false, *refusal, {}};
    }
    // A transmit frequency given with a duplex and offset that give another
    // is refused rather than changed.
    const std::string typedTx = trimmed(cell(Column::Transmit));
    if (!typedTx.empty() && CheckFrequency(typedTx).value != channel.tx)
        return {false,
                "the transmit frequency " + CheckFrequency(typedTx).text +
                    " MHz does not agree with the duplex and offset of the row",
                {}};
    if (channel.scan && ScanChannelsOtherThan(radio.channels, number) >= kMaxScanChannels)
        return {false, kScanLimitText, {}};
    RowEntry entry{true, {}, {}};
    store(radio, number, channel, entry.notes);
    return entry;
}

} // namespace kl40
