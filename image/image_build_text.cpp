// The image build as it was, through the hex text of the image: kept while
// the typed build is checked against it.
#include "image/image_build_text.h"

#include "coding/frequency_code.h"
#include "coding/options.h"
#include "coding/tone_table.h"
#include "core/hex_text.h"
#include "core/numbers.h"
#include "core/radio.h"
#include "core/radio_model.h"
#include "formats/file_formats.h"
#include "image/firmware_store.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "image/templates.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

namespace kl40 {

namespace {

const char* const kDataError = "Data Error";

// Channels 1 .. count are built; the count text may not be a number.
int channelLimit(const RadioData& data) {
    auto count = ParseInt16(data.ChannelCountText);
    if (!count) throw std::runtime_error("channel count is not a number");
    return std::clamp<int>(*count, 0, 100);
}

// Model code from ConfigText position 15; anything that names no model is
// the default model.
int modelCode(const RadioData& data) {
    return ConfigModelCode(data.ConfigText).value_or(DefaultModel().code);
}

// Value 0-15 of each of "0"-"9" and "A"-"F"; 0xFF for any other character.
constexpr std::array<std::uint8_t, 256> kHexDigitValues = [] {
    std::array<std::uint8_t, 256> values{};
    values.fill(0xFF);
    for (int c = 0; c < 256; ++c)
        if (const int d = HexDigitValue(static_cast<char>(c)); d >= 0)
            values[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(d);
    return values;
}();

std::uint8_t hexDigitValue(char c) {
    return kHexDigitValues[static_cast<unsigned char>(c)];
}

// Writes hex digits into the hex image at byte address `address`.
void putHex(std::string& image, std::size_t address, std::string_view digits) {
    const std::size_t at = 2 * address;
    if (at + digits.size() > image.size()) throw std::out_of_range("image address out of range");
    image.replace(at, digits.size(), digits);
}

// Adds a tone code into byte 1 (digits 3-4) of an eight-digit code; the sum
// keeps its last two hex digits.
void mergeTone(Platform& platform, std::string& code, std::string_view toneCode) {
    if (code.size() < 4) throw std::runtime_error("no code to merge the tone into");
    // Two hex digit pairs are added directly; anything else goes through
    // HexToValue, which reports it.
    const auto value = [&platform](std::string_view digits) {
        if (digits.size() == 2 &&
            ((hexDigitValue(digits[0]) | hexDigitValue(digits[1])) & 0xF0) == 0)
            return hexDigitValue(digits[0]) * 16 + hexDigitValue(digits[1]);
        return HexToValue(platform, digits);
    };
    const int v = value(std::string_view(code).substr(2, 2)) + value(toneCode);
    const auto last = static_cast<std::uint8_t>(v); // the last two of its hex digits
    code[2] = "0123456789ABCDEF"[last / 16];
    code[3] = "0123456789ABCDEF"[last % 16];
}

// A frequency field: the number in the 8 characters of the entry from where
// the field starts (a shorter field reaches into the next one and is refused).
double frequencyField(std::string_view entry, std::string_view field) {
    const auto start = static_cast<std::size_t>(field.data() - entry.data());
    auto value = ParseDecimal(entry.substr(start, 8));
    if (!value) throw std::runtime_error("frequency field is not a number");
    return *value;
}

// The hex image text as a place to write: the form the public steps use.
struct HexText {
    void start(int model) { text = TemplateHex(model); }
    void put(std::size_t address, std::string_view digits) { putHex(text, address, digits); }
    std::string& text;
};

// The steps of the build, for either place to write.

template <class Image>
bool placeChannelData(Workspace& ws, const CodeArray& receive, const CodeArray& transmit,
                      Image& image) {
    RadioData& data = ws.data;
    BuildOptionText(ws);
    const int model = modelCode(data);
    image.start(model);
    const std::size_t base = DataBase(model);

    if (!HasChannelData(data)) {
        ws.platform.show("No channel data available", "No Data", Icon::None);
        return false;
    }

    const int limit = channelLimit(data);
    std::size_t slot = base + kSlotSize; // channel 1
    for (int ch = 1; ch <= limit; ++ch) {
        if (ch == 100) slot = base;
        const std::string& rx = receive[static_cast<std::size_t>(ch)];
        if (!rx.empty()) {
            const std::string& tx = transmit[static_cast<std::size_t>(ch)];
            image.put(slot, std::string_view(rx).substr(0, 8));
            image.put(slot + kTransmitTableOffset, std::string_view(tx).substr(0, 8));
        }
        slot += (ch % 10 == 9) ? 28 : 4;
    }

    const std::string& scan = data.ScanText;
    const RadioModel& facts = ModelOrDefault(model);
    if (!scan.empty()) {
        if (facts.scanList == ScanListStyle::Consecutive) {
            image.put(facts.scanListAddress,
                      std::string_view(scan).substr(0, scan.size() & ~std::size_t{1}));
        } else {
            for (std::size_t k = 0; 2 * k + 1 < scan.size(); ++k)
                image.put(base + kSlotSize * k, std::string_view(scan).substr(2 * k, 2));
        }
    }
    return true;
}

template <class Image> bool generateChannelCodes(Workspace& ws, char separator, Image& image) {
    RadioData& data = ws.data;
    try {
        // The codes follow the chosen model's rules, so the options routine
        // runs before the first code is computed.
        SetOptions(ws);
        // The receive tone follows the model the selector shows.
        const RadioModel* shown = FindModel(ws.form.cboRadio.text());
        const bool receiveToneModel = shown && shown->receiveTone;
        const int limit = channelLimit(data);

        CodeArray receive{};
        CodeArray transmit{};
        std::vector<std::string_view> fields; // one for every entry: no allocation each
        for (int ch = 1; ch <= limit; ++ch) {
            const std::string& entry = data.ChannelTable[static_cast<std::size_t>(ch)];
            if (entry.empty()) continue;
            // Number, receive, transmit, tone and scan flag.
            SplitChannelEntryInto(fields, entry, separator);
            if (fields.size() < 5) throw std::runtime_error("channel entry has too few fields");

            std::string& rx = receive[static_cast<std::size_t>(ch)];
            std::string& tx = transmit[static_cast<std::size_t>(ch)];
            rx = FrequencyCode(ws, kReceiveOffset, frequencyField(entry, fields[1]), kChannelStep,
                               kPrescaler);
            tx = FrequencyCode(ws, kTransmitOffset, frequencyField(entry, fields[2]), kChannelStep,
                               kPrescaler);

            std::string_view tone = fields[3];
            tone.remove_prefix(std::min(tone.find_first_not_of(' '), tone.size()));
            tone.remove_suffix(tone.size() - (tone.find_last_not_of(' ') + 1));
            if (tone.find("none") == std::string_view::npos) {
                const std::string_view toneCode = ToneCodeOf(tone);
                mergeTone(ws.platform, tx, toneCode);
                if (receiveToneModel && data.ConfigText.size() >= 8 && data.ConfigText[7] == '1')
                    mergeTone(ws.platform, rx, toneCode);
            }

            // Channel 100 cannot be written as two BCD digits, so it never
            // enters the scan list.
            if (entry.find('Y') != std::string::npos && ch != 100) {
                std::string number(fields[0]);
                if (number.size() < 2) number.insert(number.begin(), '0');
                data.ScanText += number;
            }
        }
        return placeChannelData(ws, receive, transmit, image);
    } catch (const std::exception&) {
        ws.platform.show("Error in generating EPROM code", kDataError, Icon::Exclamation);
        return false;
    }
}

template <class Image> void placeCountAndOptions(Workspace& ws, Image& image) {
    RadioData& data = ws.data;
    BuildOptionText(ws);
    const std::size_t base = DataBase(modelCode(data));
    if (data.ChannelCountText.size() < 2) throw std::runtime_error("channel count too short");
    // The count byte holds two digits. A decoded count of 100 (a code in
    // slot 0, which belongs to no numbered channel) is stored as 99, which
    // decodes to 100 again; its first two digits, "10", would lose every
    // channel above 10.
    const auto count = ParseInt16(data.ChannelCountText);
    if (count && *count > kHighestChannel)
        image.put(base + kCountOffset, TwoDigit(kHighestChannel));
    else
        image.put(base + kCountOffset, std::string_view(data.ChannelCountText).substr(0, 2));
    const std::string& options = data.OptionText;
    for (std::size_t k = 0; k < kOptionByteCount && 2 + 2 * k + 1 < options.size(); ++k)
        image.put(base + kOptionOffset + k, std::string_view(options).substr(2 + 2 * k, 2));
}

} // namespace

std::string GenerateChannelCodes(Workspace& ws, char separator) {
    std::string text;
    HexText image{text};
    return generateChannelCodes(ws, separator, image) ? text : std::string();
}

std::string PlaceChannelData(Workspace& ws, const CodeArray& receive, const CodeArray& transmit) {
    std::string text;
    HexText image{text};
    return placeChannelData(ws, receive, transmit, image) ? text : std::string();
}

std::string& PlaceCountAndOptions(Workspace& ws, std::string& text) {
    HexText image{text};
    placeCountAndOptions(ws, image);
    return text;
}

} // namespace kl40
