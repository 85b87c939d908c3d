#include "image/image_decode.h"

#include "coding/frequency_code.h"
#include "coding/options.h"
#include "coding/tone_table.h"
#include "core/hex_text.h"
#include "core/numbers.h"
#include "core/option_table.h"
#include "core/radio_model.h"
#include "entry/channel_entry.h"
#include "image/layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace kl40 {

namespace {

const char* const kDataError = "Data Error";

// Two binary-coded decimal digits read as a decimal number (0x47 -> 47).
int bcdValue(std::uint8_t b) {
    return (b / 16) * 10 + b % 16;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBcd(std::uint8_t b) {
    return b / 16 <= 9 && b % 16 <= 9;
}

std::uint8_t byteAt(const std::vector<std::uint8_t>& image, std::size_t address) {
    if (address >= image.size()) throw std::out_of_range("image too short");
    return image[address];
}

// Bytes 1-3 of a slot as six hex digits, or "" for an unused slot. A slot is
// in use when bytes 1-3 are not all 0xFF: byte 0 of a receive slot may hold a
// scan list entry instead of the code's lead byte.
std::string slotCode(const std::vector<std::uint8_t>& image, std::size_t address) {
    const std::uint8_t b1 = byteAt(image, address + 1);
    const std::uint8_t b2 = byteAt(image, address + 2);
    const std::uint8_t b3 = byteAt(image, address + 3);
    if (b1 == 0xFF && b2 == 0xFF && b3 == 0xFF) return "";
    constexpr const char* kDigits = "0123456789ABCDEF";
    const char code[] = {kDigits[b1 / 16], kDigits[b1 % 16], kDigits[b2 / 16],
                         kDigits[b2 % 16], kDigits[b3 / 16], kDigits[b3 % 16]};
    return std::string(code, sizeof code);
}

void setConfigChar(RadioData& data, int position, char c) {
    if (data.ConfigText.size() < 15) data.ConfigText.resize(15, '0');
    data.ConfigText[static_cast<std::size_t>(position - 1)] = c;
}

void setConfigDigits(RadioData& data, int position, int value) {
    setConfigChar(data, position, HexDigits(static_cast<std::uint32_t>(value)).back());
}

int optionDigit(Workspace& ws, int position) {
    const std::string& options = ws.data.OptionText;
    if (static_cast<std::size_t>(position) > options.size()) return 0;
    return HexToValue(ws.platform, options.substr(static_cast<std::size_t>(position - 1), 1));
}

} // namespace

std::string SplitToneByte(Platform& platform, std::string& code) {
    const std::string_view lead = std::string_view(code).substr(0, 2);
    const auto digit = HexDigitValue;
    // Two hex digits are read here; anything else goes to HexToValue, which
    // reports it.
    int x = lead.size() == 2 && digit(lead[0]) >= 0 && digit(lead[1]) >= 0
                ? digit(lead[0]) * 16 + digit(lead[1])
                : HexToValue(platform, lead);
    if (x >= 0x40) x -= 0x40;
    // x is below 0x100: two hex digits, the second one odd when bit 0 is set.
    constexpr const char* kDigits = "0123456789ABCDEF";
    const auto setLead = [&code](char second) {
        if (code.size() < 2) {
            code.replace(0, 2, std::string{'0', second});
            return;
        }
        code[0] = '0';
        code[1] = second;
    };
    if (x == 0x01) {
        setLead('1');
        return "00";
    }
    if (x % 2 == 1) {
        setLead('1');
        return {kDigits[x / 16], kDigits[x % 16 - 1]};
    }
    setLead('0');
    return {kDigits[x / 16], kDigits[x % 16]};
}

void DecodeScanList(Workspace& ws, int model) {
    RadioData& data = ws.data;
    data.ScanText.clear();
    const auto& image = data.ImageText;
    // Consecutive bytes from the model's scan list address, or byte 0 of
    // receive slots 0, 1, 2, ... Both end at the first 0xFF; a full list of
    // 32 entries may have none.
    const RadioModel& facts = ModelOrDefault(model);
    for (std::size_t k = 0; k < kMaxScanEntries; ++k) {
        const std::size_t address = facts.scanList == ScanListStyle::Consecutive
                                        ? facts.scanListAddress + k
                                        : facts.dataBase + kSlotSize * k;
        const std::uint8_t b = byteAt(image, address);
        if (b == 0xFF) break;
        // Only channels 1 to 99 can be scan entries; other bytes are damage.
        if (!isBcd(b) || b == 0x00) continue;
        data.ScanText += TwoDigit(bcdValue(b));
    }
}

void DecodeOptionBytes(Workspace& ws, int model) {
    RadioData& data = ws.data;
    EntryFields& form = ws.form;
    data.OptionText.clear();
    data.ChannelCountText.clear();
    const RadioModel* facts = FindModel(model);
    const std::size_t position = DataBase(model) + kCountOffset;
    std::uint8_t bytes[6];
    for (std::size_t i = 0; i < 6; ++i)
        bytes[i] = byteAt(data.ImageText, position + i);

    if (facts) {
        // Option bytes are two decimal or two hex digits each, by model; so
        // is whether "High/Low Power" exists.
        form.chkHiLo.setEnabled(facts->hasHighLowPower);
        const std::string count = TwoDigit(bcdValue(bytes[0]));
        data.ChannelCountText = count;
        data.OptionText = count;
        for (std::size_t i = 1; i < 6; ++i)
            data.OptionText +=
                facts->decimalOptionBytes ? TwoDigit(bcdValue(bytes[i])) : ByteToHex(bytes[i]);
        const int digit = optionDigit(ws, facts->timeoutOptionPos);
        form.cboToT.setListIndex(TimeoutIndex(*facts, digit));
    }
    data.ChannelCountText = data.OptionText.substr(0, 2);
    DecodeOptionFlags(ws, model);
}

void DecodeOptionFlags(Workspace& ws, int model) {
    RadioData& data = ws.data;
    const std::string count = data.ChannelCountText.substr(0, 2);
    setConfigChar(data, 1, count.size() > 0 ? count[0] : '0');
    setConfigChar(data, 2, count.size() > 1 ? count[1] : '0');

    // Each rule that finds its weight sets the flag and takes the weight off.
    auto take = [&](int& v, int weight, int flag) {
        if (v >= weight) {
            setConfigChar(data, flag, '1');
            v -= weight;
        }
    };
    // A code that names no model is read by the first model's rules.
    const RadioModel* found = FindModel(model);
    const RadioModel& facts = found ? *found : RadioModels().front();
    const auto options = RadioOptions();
    for (int p = 3; p <= 12; ++p) {
        int v = optionDigit(ws, p);
        if (p == facts.timeoutOptionPos) setConfigDigits(data, 12, v);
        const bool holdsConstant = p == facts.constantOptionPos;
        if (holdsConstant)
            setConfigDigits(data, 13,
                            facts.constantHalved ? static_cast<int>(std::nearbyint(v / 2.0)) : v);
        // The options with a bit in this digit, highest weight first: each
        // but the last takes its weight off; the last must match exactly (or,
        // beside a halved constant, be the odd bit).
        std::vector<std::pair<OptionBit, int>> bits;
        for (const RadioOption& option : options) {
            const OptionBit bit = facts.optionBits[OptionIndex(option)];
            if (bit.digit == p && option.configPos != 0) bits.emplace_back(bit, option.configPos);
        }
        std::sort(bits.begin(), bits.end(),
                  [](const auto& a, const auto& b) { return a.first.weight > b.first.weight; });
        for (std::size_t k = 0; k < bits.size(); ++k) {
            const auto [bit, flag] = bits[k];
            if (k + 1 < bits.size()) {
                take(v, bit.weight, flag);
            } else if (holdsConstant && facts.constantHalved ? v % 2 == 1 : v == bit.weight) {
                setConfigChar(data, flag, '1');
            }
        }
    }

    data.OptionText = data.ChannelCountText + std::string(facts.optionBase);
    data.OptionBaseText = data.OptionText;

    // The boxes of the options this model has a bit for.
    EntryFields& form = ws.form;
    for (const RadioOption& option : options)
        if (option.configPos != 0 && facts.optionBits[OptionIndex(option)].digit != 0)
            (form.*option.box)
                .setChecked(data.ConfigText[static_cast<std::size_t>(option.configPos - 1)] == '1');
}

bool DecodeChannelCodes(Workspace& ws, CodeArray& receive, CodeArray& transmit) {
    RadioData& data = ws.data;
    try {
        const auto count = ParseInt16(data.ChannelCountText);
        const int limit = count ? std::min<int>(*count, 100) : 0;
        // The channels of the scan list, which holds two-digit numbers.
        bool scanned[100] = {};
        const std::string& scanText = data.ScanText;
        for (std::size_t k = 0; k + 1 < scanText.size(); k += 2)
            if (isDigit(scanText[k]) && isDigit(scanText[k + 1]))
                scanned[(scanText[k] - '0') * 10 + scanText[k + 1] - '0'] = true;
        for (int i = 1; i <= limit; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            std::string& entry = data.ChannelTable[slot];
            std::string tone = "00";
            if (!receive[slot].empty()) {
                tone = SplitToneByte(ws.platform, receive[slot]);
                const std::string rx =
                    FrequencyText(FrequencyFromCode(ws.platform, receive[slot], kReceiveOffset));
                char number[4];
                const auto length = static_cast<std::size_t>(
                    std::to_chars(number, number + sizeof number, i).ptr - number);
                entry.reserve(length + rx.size() + 24);
                entry.assign(number, length).append(",").append(rx).append(",");
            }
            if (!transmit[slot].empty()) {
                tone = SplitToneByte(ws.platform, transmit[slot]);
                const std::string tx =
                    FrequencyText(FrequencyFromCode(ws.platform, transmit[slot], kTransmitOffset));
                const std::string toneText = ToneFromCode(tone);
                // Channel 100 has no two-digit number, so it is never a scan entry.
                const bool scan = i < 100 && scanned[i];
                entry.reserve(entry.size() + tx.size() + toneText.size() + 3);
                entry.append(tx).append(",").append(toneText).append(scan ? ",Y" : ",N");
            }
            if (!entry.empty()) {
                std::string line = FormatListLine(entry);
                if (!line.empty()) ws.form.lstFreq.addItem(std::move(line));
            }
        }
        return true;
    } catch (const std::exception&) {
        ws.platform.show("Error decoding frequency", kDataError, Icon::Exclamation);
        return false;
    }
}

bool DecodeImage(Workspace& ws) {
    RadioData& data = ws.data;
    try {
        const auto model = RecogniseModel(data.ImageText);
        if (!model) throw std::runtime_error("no model recognised");
        setConfigChar(data, 15, static_cast<char>('0' + *model));
        ws.form.cboRadio.setListIndex(ModelIndex(ModelOrDefault(*model)));

        DecodeScanList(ws, *model);
        DecodeOptionBytes(ws, *model);
        const int storedCount = ParseInt16(data.ChannelCountText).value_or(0);

        CodeArray receive{};
        CodeArray transmit{};
        const std::size_t base = DataBase(*model);
        std::size_t position = base + kSlotSize;
        int ch = 1;
        bool stopped = false;
        for (; ch <= 100; ++ch) {
            if (ch == 100) position = base;
            receive[static_cast<std::size_t>(ch)] = slotCode(data.ImageText, position);
            std::string tx = slotCode(data.ImageText, position + kTransmitTableOffset);
            if (!tx.empty()) {
                transmit[static_cast<std::size_t>(ch)] = std::move(tx);
                if (ch >= storedCount || ch == 100) {
                    stopped = true;
                    break;
                }
            }
            position += (ch % 10 == 9) ? 28 : 4;
        }

        if (!DecodeChannelCodes(ws, receive, transmit)) return false;
        // When no transmit slot at or above the stored count is in use, the
        // stored count stands.
        if (stopped) data.ChannelCountText = TwoDigit(ch);

        // Select the first listed channel's own line and show that channel.
        for (int first = 1; first < 100; ++first) {
            const std::string line =
                FormatListLine(data.ChannelTable[static_cast<std::size_t>(first)]);
            if (line.empty()) continue;
            const auto& lines = ws.form.lstFreq.lines();
            for (std::size_t k = 0; k < lines.size(); ++k) {
                if (lines[k] == line) {
                    ws.form.lstFreq.setListIndex(static_cast<int>(k));
                    break;
                }
            }
            ShowChannel(ws, static_cast<std::int16_t>(first));
            break;
        }
        return true;
    } catch (const std::exception&) {
        ws.platform.show("Error in decoding channel", kDataError, Icon::Exclamation);
        return false;
    }
}

} // namespace kl40
