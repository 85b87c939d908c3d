#include "image/image_build.h"

#include "coding/frequency_code.h"
#include "coding/options.h"
#include "coding/tone_table.h"
#include "core/hex_text.h"
#include "core/numbers.h"
#include "core/radio_model.h"
#include "core/radio_record.h"
#include "formats/file_formats.h"
#include "image/firmware_store.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "image/templates.h"

#include <algorithm>
#include <stdexcept>

namespace kl40 {

namespace {

const char* const kDataError = "Data Error";

BuildRefusal refusal(std::string text) {
    return {std::move(text), kDataError, Icon::Exclamation};
}

std::uint8_t bcd(int n) {
    return static_cast<std::uint8_t>((n / 10) * 16 + n % 10);
}

void put(std::vector<std::uint8_t>& image, std::size_t address, const SlotCode& code) {
    if (address + code.size() > image.size()) throw std::out_of_range("slot outside the image");
    std::copy(code.begin(), code.end(), image.begin() + static_cast<std::ptrdiff_t>(address));
}

void put(std::vector<std::uint8_t>& image, std::size_t address, std::uint8_t byte) {
    image.at(address) = byte;
}

// Channels 1 to the count are built (channel 100 only from an opened image).
int channelLimit(const Radio& radio) {
    return std::clamp(radio.channelCount, 0, kChannelSlots - 1);
}

} // namespace

ProgramCodePlaced PlaceProgramCode(std::vector<std::uint8_t>& image, int model,
                                   const std::vector<std::uint8_t>& opened, int openedModel,
                                   const std::string& firmwareFolder) {
    if (!ModelOrDefault(model).hasProgramArea()) return {ProgramSource::None, {}};
    const bool fromOpened = openedModel == model && opened.size() == image.size();
    if (fromOpened && HasProgramCode(opened, model)) {
        CopyProgramCode(opened, image, model);
        return {ProgramSource::Opened, {}};
    }
    const FirmwareLookup firmware = LookUpFirmware(firmwareFolder, model);
    if (firmware.state == FirmwareLookup::State::Installed &&
        firmware.firmware.image.size() == image.size()) {
        CopyProgramCode(firmware.firmware.image, image, model);
        return {ProgramSource::Installed, {}};
    }
    std::string problem;
    if (firmware.state == FirmwareLookup::State::Damaged)
        problem = "The installed firmware " + firmware.file.string() +
                  " cannot be used: " + firmware.problem + ".";
    if (fromOpened) {
        CopyProgramCode(opened, image, model);
        return {ProgramSource::Opened, problem};
    }
    return {ProgramSource::Template, problem};
}

std::variant<ChannelCodes, BuildRefusal> GenerateChannelCodes(const Radio& radio) {
    const RadioModel& model = radio.modelFacts();
    // Channels with a tone carry it in the receive code too on models that
    // check it on receive, when that is switched on.
    const bool receiveTone = model.receiveTone && Has(radio.options, Option::ReceiveCtcss);
    ChannelCodes codes;
    const int limit = channelLimit(radio);
    for (int ch = 1; ch <= limit; ++ch) {
        const std::optional<Channel>& channel = radio.channels[static_cast<std::size_t>(ch)];
        if (!channel) continue;
        // Only a damaged image gives a channel without both frequencies.
        if (!channel->rx || !channel->tx) return refusal("Error in generating EPROM code");
        auto rx = FrequencyCode(model, kReceiveOffset, *channel->rx);
        auto tx = FrequencyCode(model, kTransmitOffset, *channel->tx);
        // A frequency far outside the band (from a damaged image) has no code:
        // the image is not built rather than built without the channel.
        if (!rx || !tx) return refusal("Unable to calculate frequency code");
        if (const std::uint8_t tone = ToneCodeByte(channel->tone); tone != 0) {
            (*tx)[1] = static_cast<std::uint8_t>((*tx)[1] + tone);
            if (receiveTone) (*rx)[1] = static_cast<std::uint8_t>((*rx)[1] + tone);
        }
        codes.receive[static_cast<std::size_t>(ch)] = rx;
        codes.transmit[static_cast<std::size_t>(ch)] = tx;
        // Channel 100 cannot be written as two BCD digits, so it never
        // enters the scan list.
        if (channel->scan && ch != 100) codes.scanList.push_back(bcd(ch));
    }
    return codes;
}

void PlaceChannelData(std::vector<std::uint8_t>& image, const Radio& radio,
                      const ChannelCodes& codes) {
    for (int ch = 1; ch < kChannelSlots; ++ch) {
        const auto& rx = codes.receive[static_cast<std::size_t>(ch)];
        const auto& tx = codes.transmit[static_cast<std::size_t>(ch)];
        if (!rx || !tx) continue;
        put(image, ReceiveSlotAddress(ch, radio.model), *rx);
        put(image, TransmitSlotAddress(ch, radio.model), *tx);
    }
    // The scan list goes in after the codes: on some models its entries take
    // byte 0 of the first receive slots.
    for (std::size_t k = 0; k < codes.scanList.size(); ++k)
        put(image, ScanEntryAddress(radio.model, k), codes.scanList[k]);
}

void PlaceCountAndOptions(std::vector<std::uint8_t>& image, const Radio& radio) {
    const std::size_t base = DataBase(radio.model);
    // The count byte holds two digits. A decoded count of 100 (a code in
    // slot 0, which belongs to no numbered channel) is stored as 99, which
    // decodes to 100 again.
    put(image, base + kCountOffset, bcd(std::clamp(radio.channelCount, 0, kHighestChannel)));
    const std::string options = OptionTextOf(radio);
    for (std::size_t k = 0; k < kOptionByteCount && 2 + 2 * k + 1 < options.size(); ++k)
        put(image, base + kOptionOffset + k,
            static_cast<std::uint8_t>(HexDigitValue(options[2 + 2 * k]) * 16 +
                                      HexDigitValue(options[2 + 2 * k + 1])));
}

std::variant<std::vector<std::uint8_t>, BuildRefusal> BuildImage(const Radio& radio) {
    if (!radio.hasChannels()) return refusal("No data available");
    auto codes = GenerateChannelCodes(radio);
    if (auto* refused = std::get_if<BuildRefusal>(&codes)) return std::move(*refused);
    std::vector<std::uint8_t> image = TemplateByteArray(radio.modelFacts().code);
    try {
        PlaceChannelData(image, radio, std::get<ChannelCodes>(codes));
        PlaceCountAndOptions(image, radio);
    } catch (const std::out_of_range&) {
        return refusal("Error in generating EPROM code");
    }
    return image;
}

std::string ImageFilePath(const std::string& chosen) {
    // A name that asks for a record format keeps it.
    const FileFormat* format = FormatOfPath(chosen, FormatContent::Image);
    if (format && format != &DefaultFormat(FormatContent::Image)) return chosen;
    const std::size_t slash = chosen.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.rfind('.');
    if (dot != std::string::npos && dot >= nameStart && chosen.size() - dot - 1 == 3)
        return chosen.substr(0, dot + 1) + "bin";
    return chosen + ".bin";
}

} // namespace kl40
