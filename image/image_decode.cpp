#include "image/image_decode.h"

#include "coding/frequency_code.h"
#include "coding/options.h"
#include "coding/tone_table.h"
#include "core/hex_text.h"
#include "core/numbers.h"
#include "core/option_table.h"
#include "core/radio_model.h"
#include "entry/channel_rules.h"
#include "entry/channel_text.h"
#include "image/layout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace kl40 {

namespace {

// Two binary-coded decimal digits read as a decimal number (0x47 -> 47).
int bcdValue(std::uint8_t b) {
    return (b / 16) * 10 + b % 16;
}
bool isBcd(std::uint8_t b) {
    return b / 16 <= 9 && b % 16 <= 9;
}

// The channels of the scan list: consecutive bytes from the model's scan
// list address, or byte 0 of receive slots 0, 1, 2, ... Both end at the
// first 0xFF; a full list of 32 entries may have none. Only channels 1 to
// 99 can be scan entries; other bytes are damage.
std::array<bool, 100> scanList(std::span<const std::uint8_t> image, int model) {
    std::array<bool, 100> scanned{};
    for (std::size_t k = 0; k < static_cast<std::size_t>(kMaxScanChannels); ++k) {
        const std::uint8_t b = image[ScanEntryAddress(model, k)];
        if (b == 0xFF) break;
        if (isBcd(b) && b != 0x00) scanned[static_cast<std::size_t>(bcdValue(b))] = true;
    }
    return scanned;
}

// The count byte and the option bytes as OptionText digits: the count as a
// decimal number, then two decimal or two hex digits per option byte, by
// model, as many bytes as the model's option base has digits for. A count
// byte that is no BCD gives three digits and moves the option digits along,
// as it always has.
std::string optionDigits(std::span<const std::uint8_t> image, const RadioModel& model) {
    const std::size_t at = model.dataBase + kCountOffset;
    std::string text = TwoDigit(bcdValue(image[at]));
    for (std::size_t i = 1; i <= model.optionBase.size() / 2; ++i)
        text +=
            model.decimalOptionBytes ? TwoDigit(bcdValue(image[at + i])) : ByteToHex(image[at + i]);
    return text;
}

// The channel count as the decoder reads it: the first two option digits.
int storedCount(const std::string& digits) {
    return ParseInt16(digits.substr(0, 2)).value_or(0);
}

// The value of OptionText digit `position` (from 1); 0 past its end.
int optionDigit(const std::string& digits, int position) {
    if (static_cast<std::size_t>(position) > digits.size()) return 0;
    return HexDigitValue(digits[static_cast<std::size_t>(position - 1)]);
}

// The options whose bits the option digits hold. In each digit the bits are
// taken highest weight first, each but the last taking its weight off; the
// last must match exactly (or, beside a halved constant, be the odd bit).
OptionSet optionFlags(const std::string& digits, const RadioModel& model) {
    OptionSet options;
    const auto table = RadioOptions();
    for (int p = 3; p <= 12; ++p) {
        int v = optionDigit(digits, p);
        const bool halvedConstant = p == model.constantOptionPos && model.constantHalved;
        std::vector<std::pair<OptionBit, std::size_t>> bits;
        for (const RadioOption& option : table) {
            const OptionBit bit = model.optionBits[OptionIndex(option)];
            if (bit.digit == p && option.configPos != 0)
                bits.emplace_back(bit, OptionIndex(option));
        }
        std::sort(bits.begin(), bits.end(),
                  [](const auto& a, const auto& b) { return a.first.weight > b.first.weight; });
        for (std::size_t k = 0; k < bits.size(); ++k) {
            const auto [bit, index] = bits[k];
            if (k + 1 < bits.size()) {
                if (v >= bit.weight) {
                    options.set(index);
                    v -= bit.weight;
                }
            } else if (halvedConstant ? v % 2 == 1 : v == bit.weight) {
                options.set(index);
            }
        }
    }
    return options;
}

// Bytes 1-3 of a slot, or nothing for an unused slot. A slot is in use when
// they are not all 0xFF: byte 0 of a receive slot may hold a scan list entry
// instead of the code's lead byte.
std::optional<std::array<std::uint8_t, 3>> slotCode(std::span<const std::uint8_t> image,
                                                    std::size_t address) {
    const std::array<std::uint8_t, 3> code{image[address + 1], image[address + 2],
                                           image[address + 3]};
    if (code[0] == 0xFF && code[1] == 0xFF && code[2] == 0xFF) return std::nullopt;
    return code;
}

// The tone code in byte 1 of a slot code: 0x40 is the check bit and bit 0
// the divider's highest bit.
std::uint8_t toneCode(std::uint8_t b1) {
    const int x = b1 >= 0x40 ? b1 - 0x40 : b1;
    return static_cast<std::uint8_t>(x & ~1);
}

} // namespace

std::optional<Radio> DecodeImage(std::span<const std::uint8_t> image) {
    const std::optional<int> code =
        RecogniseModel(std::vector<std::uint8_t>(image.begin(), image.end()));
    if (!code) return std::nullopt;
    const RadioModel& model = ModelOrDefault(*code);

    Radio radio;
    radio.model = model.code;
    radio.optionsReadFrom = model.code;
    const std::array<bool, 100> scanned = scanList(image, model.code);
    const std::string digits = optionDigits(image, model);
    radio.timeout = TimeoutIndex(model, optionDigit(digits, model.timeoutOptionPos));
    radio.options = optionFlags(digits, model);
    const int count = storedCount(digits);

    // The slots are walked up to the first transmit slot in use at or above
    // the stored count; the channels up to the stored count are decoded.
    std::array<std::optional<std::array<std::uint8_t, 3>>, kChannelSlots> receive{};
    std::array<std::optional<std::array<std::uint8_t, 3>>, kChannelSlots> transmit{};
    int stoppedAt = 0;
    for (int ch = 1; ch <= 100; ++ch) {
        const auto n = static_cast<std::size_t>(ch);
        receive[n] = slotCode(image, ReceiveSlotAddress(ch, model.code));
        transmit[n] = slotCode(image, TransmitSlotAddress(ch, model.code));
        if (transmit[n] && (ch >= count || ch == 100)) {
            stoppedAt = ch;
            break;
        }
    }
    const int limit = std::min(count, 100);
    for (int i = 1; i <= limit; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const auto& rx = receive[n];
        const auto& tx = transmit[n];
        if (!rx && !tx) continue;
        Channel channel;
        if (rx) channel.rx = FrequencyOfCode((*rx)[0], (*rx)[1], (*rx)[2], kReceiveOffset);
        if (tx) {
            channel.tx = FrequencyOfCode((*tx)[0], (*tx)[1], (*tx)[2], kTransmitOffset);
            channel.tone = ToneRowOfCode(toneCode((*tx)[0]));
            // Channel 100 has no two-digit number, so it is never a scan entry.
            channel.scan = i < 100 && scanned[n];
        }
        radio.channels[n] = std::move(channel);
    }
    // When no transmit slot at or above the stored count is in use, the
    // stored count stands.
    radio.channelCount = stoppedAt != 0 ? stoppedAt : count;
    return radio;
}

std::vector<std::string> ImageDamage(std::span<const std::uint8_t> image, const Radio& decoded) {
    std::vector<std::string> notes;
    const int count = storedCount(optionDigits(image, ModelOrDefault(decoded.model)));
    const int read = std::min(count, 100);
    for (int n = 1; n <= kHighestChannel; ++n) {
        const std::string name = "channel " + std::to_string(n);
        const std::optional<Channel>& channel = decoded.channels[static_cast<std::size_t>(n)];
        if (!channel) {
            const bool held = slotCode(image, ReceiveSlotAddress(n, decoded.model)) ||
                              slotCode(image, TransmitSlotAddress(n, decoded.model));
            // Below the count, a channel is decoded whenever either code is held.
            if (held && n > read)
                notes.push_back(name + " lies above the image's channel count (" +
                                std::to_string(count) + ") and is not read");
            continue;
        }
        if (!channel->rx) notes.push_back(name + " has no receive frequency");
        if (!channel->tx)
            notes.push_back(name + " has no transmit frequency (saved as a radio file, it would "
                                   "transmit on its receive frequency)");
        for (const auto& [frequency, which] :
             {std::pair{channel->rx, "receive"}, std::pair{channel->tx, "transmit"}})
            if (frequency && !FrequencyInBand(*frequency))
                notes.push_back(name + ": " + which + " " + FrequencyText(*frequency) +
                                " MHz is outside 400 to 450 MHz");
        if (channel->tx) {
            const std::uint8_t code = toneCode(image[TransmitSlotAddress(n, decoded.model) + 1]);
            if (ToneCodeByte(channel->tone) != code)
                notes.push_back(name + ": tone code " + ByteToHex(code) +
                                " is no tone of the radio; read as " +
                                (channel->tone == 0 ? std::string("none") : ToneText(channel->tone)));
        }
    }
    return notes;
}

} // namespace kl40
