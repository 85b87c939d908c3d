#include "image/image_build.h"

#include "coding/frequency_code.h"
#include "coding/options.h"
#include "coding/tone_table.h"
#include "core/hex_text.h"
#include "core/numbers.h"
#include "image/image_file.h"
#include "image/layout.h"
#include "image/templates.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kl40 {

namespace {

const char* const kDataError = "Data Error";

// Channels 1 .. count are built; the count text may not be a number.
int channelLimit(const RadioData& data) {
    auto count = ParseInt16(data.ChannelCountText);
    if (!count) throw std::runtime_error("channel count is not a number");
    return std::clamp<int>(*count, 0, 100);
}

// Model code from ConfigText position 15 ("1", "2" or "3"; anything else is 3).
int modelCode(const RadioData& data) {
    if (data.ConfigText.size() < 15) return 3;
    char c = data.ConfigText[14];
    return c == '1' ? 1 : c == '2' ? 2 : 3;
}

// Writes hex digits into the hex image at byte address `address`.
void putHex(std::string& image, std::size_t address, const std::string& digits) {
    const std::size_t at = 2 * address;
    if (at + digits.size() > image.size()) throw std::out_of_range("image address out of range");
    image.replace(at, digits.size(), digits);
}

// Adds a tone code into byte 1 (digits 3-4) of an eight-digit code.
void mergeTone(Platform& platform, std::string& code, const std::string& toneCode) {
    if (code.size() < 4) throw std::runtime_error("no code to merge the tone into");
    int v = HexToValue(platform, code.substr(2, 2)) + HexToValue(platform, toneCode);
    std::string digits = HexDigits(static_cast<std::uint32_t>(v));
    if (digits.size() < 2) digits.insert(0, "0");
    code.replace(2, 2, digits.substr(digits.size() - 2));
}

// A frequency field: the number in the 8 characters that follow a separator.
double frequencyField(const std::string& entry, std::size_t separator) {
    auto value = ParseDecimal(entry.substr(separator + 1, 8));
    if (!value) throw std::runtime_error("frequency field is not a number");
    return *value;
}

} // namespace

std::string ImageFilePath(const std::string& chosen) {
    const std::size_t slash = chosen.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.rfind('.');
    if (dot != std::string::npos && dot >= nameStart && chosen.size() - dot - 1 == 3)
        return chosen.substr(0, dot + 1) + "bin";
    return chosen + ".bin";
}

std::string GenerateChannelCodes(Workspace& ws, char separator) {
    RadioData& data = ws.data;
    try {
        // The codes follow the chosen model's rules, so the options routine
        // runs before the first code is computed.
        SetOptions(ws);
        const auto receiveOffset = static_cast<std::int32_t>(std::nearbyint(21.4 / kChannelStep));
        const auto transmitOffset = static_cast<std::int32_t>(std::nearbyint(19.2 / kChannelStep));
        const int toneModel = ws.form.cboRadio.text() == "KL40c" ? 3 : 0;
        const int limit = channelLimit(data);

        CodeArray receive{};
        CodeArray transmit{};
        for (int ch = 1; ch <= limit; ++ch) {
            const std::string& entry = data.ChannelTable[static_cast<std::size_t>(ch)];
            if (entry.empty()) continue;
            const std::size_t s1 = entry.find(separator);
            const std::size_t s2 = s1 == std::string::npos ? s1 : entry.find(separator, s1 + 1);
            const std::size_t s3 = s2 == std::string::npos ? s2 : entry.find(separator, s2 + 1);
            const std::size_t s4 = s3 == std::string::npos ? s3 : entry.find(separator, s3 + 1);
            if (s4 == std::string::npos)
                throw std::runtime_error("channel entry has too few fields");

            std::string& rx = receive[static_cast<std::size_t>(ch)];
            std::string& tx = transmit[static_cast<std::size_t>(ch)];
            rx = FrequencyCode(ws, receiveOffset, frequencyField(entry, s1), kChannelStep,
                               kPrescaler);
            tx = FrequencyCode(ws, transmitOffset, frequencyField(entry, s2), kChannelStep,
                               kPrescaler);

            std::string tone = entry.substr(s3 + 1, s4 - s3 - 1);
            tone.erase(0, tone.find_first_not_of(' '));
            tone.erase(tone.find_last_not_of(' ') + 1);
            if (tone.find("none") == std::string::npos) {
                const std::string toneCode = ToneCode(tone);
                mergeTone(ws.platform, tx, toneCode);
                if (toneModel == 3 && data.ConfigText.size() >= 8 && data.ConfigText[7] == '1')
                    mergeTone(ws.platform, rx, toneCode);
            }

            // Channel 100 cannot be written as two BCD digits, so it never
            // enters the scan list.
            if (entry.find('Y') != std::string::npos && ch != 100) {
                std::string number = entry.substr(0, s1);
                if (number.size() < 2) number.insert(0, "0");
                data.ScanText += number;
            }
        }
        return PlaceChannelData(ws, receive, transmit);
    } catch (const std::exception&) {
        ws.platform.show("Error in generating EPROM code", kDataError, Icon::Exclamation);
        return "";
    }
}

std::string PlaceChannelData(Workspace& ws, const CodeArray& receive, const CodeArray& transmit) {
    RadioData& data = ws.data;
    BuildOptionText(ws);
    const int model = modelCode(data);
    std::string image = TemplateHex(model);
    const std::size_t base = DataBase(model);

    if (!HasChannelData(data)) {
        ws.platform.show("No channel data available", "No Data", Icon::None);
        return "";
    }

    const int limit = channelLimit(data);
    std::size_t slot = base + kSlotSize; // channel 1
    for (int ch = 1; ch <= limit; ++ch) {
        if (ch == 100) slot = base;
        const std::string& rx = receive[static_cast<std::size_t>(ch)];
        if (!rx.empty()) {
            const std::string& tx = transmit[static_cast<std::size_t>(ch)];
            putHex(image, slot, rx.substr(0, 8));
            putHex(image, slot + kTransmitTableOffset, tx.substr(0, 8));
        }
        slot += (ch % 10 == 9) ? 28 : 4;
    }

    const std::string& scan = data.ScanText;
    if (!scan.empty()) {
        if (model == 3) {
            putHex(image, kModel3ScanListAddress, scan.substr(0, scan.size() & ~std::size_t{1}));
        } else {
            for (std::size_t k = 0; 2 * k + 1 < scan.size(); ++k)
                putHex(image, base + kSlotSize * k, scan.substr(2 * k, 2));
        }
    }
    return image;
}

std::string& PlaceCountAndOptions(Workspace& ws, std::string& text) {
    RadioData& data = ws.data;
    BuildOptionText(ws);
    const std::size_t base = DataBase(modelCode(data));
    if (data.ChannelCountText.size() < 2) throw std::runtime_error("channel count too short");
    putHex(text, base + kCountOffset, data.ChannelCountText.substr(0, 2));
    const std::string& options = data.OptionText;
    for (std::size_t k = 0; k < kOptionByteCount && 2 + 2 * k + 1 < options.size(); ++k)
        putHex(text, base + kOptionOffset + k, options.substr(2 + 2 * k, 2));
    return text;
}

bool BuildImage(Workspace& ws) {
    RadioData& data = ws.data;
    if (!HasChannelData(data)) {
        ws.platform.show("No data available", kDataError, Icon::Exclamation);
        return false;
    }
    data.ScanText.clear();
    std::string text = GenerateChannelCodes(ws, ',');
    if (text.empty()) throw std::runtime_error("no EPROM code generated");
    PlaceCountAndOptions(ws, text);
    PackHexText(text);
    const std::size_t bytes =
        std::min<std::size_t>((text.size() + 1) / 2, ImageSize(modelCode(data)));
    data.ImageText.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bytes));
    if (data.ImageText.empty()) {
        ws.platform.show("Eprom data invalid", kDataError, Icon::Exclamation);
        return false;
    }
    return true;
}

bool BuildAndWriteImage(Workspace& ws, std::string& path) {
    if (!HasChannelData(ws.data)) {
        ws.platform.show("No data available", kDataError, Icon::Exclamation);
        return false;
    }
    if (path.empty()) throw std::runtime_error("no file name");
    path = ImageFilePath(path);
    if (!BuildImage(ws)) return false;
    return WriteImageFile(ws, path);
}

} // namespace kl40
