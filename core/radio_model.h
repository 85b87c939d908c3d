#pragma once
// The three radio models, each described once. The build, the decoder, model
// recognition, the option coding, the form's lists and kl40-cli all read this
// table; a fourth model is one more entry here and one more template.

#include "core/option_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

// Where the scan list lives in the data area.
enum class ScanListStyle {
    SlotLeadBytes, // byte 0 of receive slots 0, 1, 2, ... (from the data base)
    Consecutive,   // consecutive BCD bytes from scanListAddress
};

inline constexpr std::size_t kDataAreaSize = 0x800;

// The time-out selector's texts (minutes), the same for every model.
inline constexpr std::array<std::string_view, 3> kTimeoutTexts{"1.00", "2.00", "3.00"};
// The time-out of a new radio: its position in kTimeoutTexts.
inline constexpr std::size_t kDefaultTimeoutIndex = 1;

// Where an option's flag lands in OptionText: the weight added to the digit at
// `digit` (a position from 1); digit 0 when the model has no bit for it.
struct OptionBit {
    int digit = 0;
    int weight = 0;
};

// How the time-out selector's position is read back from its option digit.
enum class TimeoutDecoding {
    ExactDigit,     // the position whose digit it is; any other digit: 1.00
    NearestQuarter, // the digit divided by 4, rounded: 0-1 -> 1.00, 3 -> 3.00, else 2.00
};

struct RadioModel {
    int code;              // model code: ConfigText position 15, BandCode
    std::string_view name; // as the model selector lists it
    std::size_t imageSize; // bytes of a whole image
    std::size_t dataBase;  // first byte of the 2 KiB data area
    // Recognition: an image of imageSize bytes is this model when the marker
    // byte holds its value; no marker: the size alone decides.
    std::optional<std::pair<std::size_t, std::uint8_t>> marker;
    ScanListStyle scanList;
    std::size_t scanListAddress; // for ScanListStyle::Consecutive
    // Option bytes are stored as two decimal digits each (else two hex digits).
    bool decimalOptionBytes;
    // ConfigText digit for the time-out selector's three positions (1.00,
    // 2.00, 3.00 minutes) and the OptionText position it is copied to.
    std::array<char, 3> timeoutDigits;
    int timeoutOptionPos;
    TimeoutDecoding timeoutDecoding;
    // ConfigText position 13, a constant of the model, and the OptionText
    // position it is read back from. Halved: that digit holds twice the
    // constant plus the lowest option bit, and the build leaves it to the base.
    char modelConstant;
    int constantOptionPos;
    bool constantHalved;
    bool hasHighLowPower;
    // Receive codes near a harmonic of the reference get the lead byte 00 and
    // no code gets a check bit (the other models set a check bit instead).
    bool harmonicMarker;
    // The option bits, indexed like RadioOptions().
    std::array<OptionBit, kOptionCount> optionBits;
    // Channels with a tone carry it in the receive code too when "Receive
    // CTCSS enable" is set (otherwise only the transmit code has it).
    bool receiveTone;
    // OptionText characters 3-12 that a decoded image's options start from.
    std::string_view optionBase;
    std::string_view templateFile; // image/templates/<file>

    // An image larger than the data area holds the radio's program besides.
    bool hasProgramArea() const { return imageSize > kDataAreaSize; }
};

// In the order of the model selector.
std::span<const RadioModel> RadioModels();
// The models' names, in the table's order.
std::vector<std::string> ModelNames();
// Position of a model in the table (the model selector's list index).
int ModelIndex(const RadioModel& model);
// The model of a code or a name; nothing for any other.
const RadioModel* FindModel(int code);
const RadioModel* FindModel(std::string_view name);
// The model of a new radio (the selector shows it after start-up, New and
// Reset); the build and the decoder also take every unknown model code as it.
const RadioModel& DefaultModel();
// The model of a code, or the default model for any code that names none.
const RadioModel& ModelOrDefault(int code);

} // namespace kl40
