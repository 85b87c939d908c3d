#pragma once
// Building the EPROM image of a radio: the channels' synthesizer codes with
// their tones, the scan list, the channel count and the option bytes, placed
// into a fresh copy of the model's template. The program code outside the
// data area is placed afterwards (image/program_code.h).

#include "core/platform.h"
#include "core/radio.h"
#include "image/program_code.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kl40 {

// Why a radio gives no image, as the form shows it.
struct BuildRefusal {
    std::string text;
    std::string title;
    Icon icon = Icon::Exclamation;
};

using SlotCode = std::array<std::uint8_t, 4>;

// The slot codes of channels 1 to the channel count, tones merged, and the
// scan list as BCD channel numbers in ascending order.
struct ChannelCodes {
    std::array<std::optional<SlotCode>, kChannelSlots> receive{};
    std::array<std::optional<SlotCode>, kChannelSlots> transmit{};
    std::vector<std::uint8_t> scanList;
};

std::variant<ChannelCodes, BuildRefusal> GenerateChannelCodes(const Radio& radio);

// Places the codes and the scan list into `image`, a copy of the model's template.
void PlaceChannelData(std::vector<std::uint8_t>& image, const Radio& radio,
                      const ChannelCodes& codes);

// Writes the count byte and the option bytes. Throws std::out_of_range when an
// option digit would pass F.
void PlaceCountAndOptions(std::vector<std::uint8_t>& image, const Radio& radio);

// The whole image of the radio's model without program code: the template
// with the radio's data area.
std::variant<std::vector<std::uint8_t>, BuildRefusal> BuildImage(const Radio& radio);

// Where a build's program code came from, and why installed firmware was
// passed over ("" when nothing was wrong with it).
struct ProgramCodePlaced {
    ProgramSource source = ProgramSource::Template;
    std::string problem;
};

// Puts program code into a built image of `model`, never touching its data
// area: the opened image's while the model is still the one it was opened
// as and that image holds program code, otherwise the firmware installed in
// `firmwareFolder` ("" looks at none). With neither, the opened image's
// bytes stay as they were (an erased EPROM's too), or else the template's.
ProgramCodePlaced PlaceProgramCode(std::vector<std::uint8_t>& image, int model,
                                   const std::vector<std::uint8_t>& opened, int openedModel,
                                   const std::string& firmwareFolder);

// The file name a chosen save path is written under: its extension becomes
// "bin" (a three-character extension is replaced, otherwise ".bin" is
// appended) unless it names a record format.
std::string ImageFilePath(const std::string& chosen);

} // namespace kl40
