#pragma once
// Synthesizer divider codes of receive and transmit frequencies.

#include "core/radio.h"
#include "core/radio_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

inline constexpr double kChannelStep = 0.0125; // MHz
inline constexpr std::int16_t kPrescaler = 64;
inline constexpr std::int32_t kReceiveOffset = 1712;  // 21.4 MHz in steps
inline constexpr std::int32_t kTransmitOffset = 1536; // 19.2 MHz in steps

// True when `text` is not empty and low <= value <= high. Throws
// std::invalid_argument when a non-empty text is not a number.
bool FrequencyInRange(std::string_view text, double low, double high);

// Pads a frequency text to four decimals in place ("435" -> "435.0000",
// "435.1" -> "435.1000"); "" stays "". Never fails. Returns the text.
std::string& FormatFrequency(std::string& text);

// True when `text` has more than four decimals after its "." (digits only),
// which the four-decimal formatting cannot represent.
bool HasExcessDecimals(std::string_view text);

// The synthesizer code of `frequency` with `offset` steps (kReceiveOffset or
// kTransmitOffset) for `model`, as the four bytes of its slot; nothing when
// the frequency lies too far below or above the band to be coded.
std::optional<std::array<std::uint8_t, 4>> FrequencyCode(const RadioModel& model,
                                                         std::int32_t offset, Frequency frequency);

// The frequency of a slot's last three bytes, with `offset` steps: the
// tone bits are taken off the first of them (0x40 and the tone code), its
// lowest bit is the highest bit of the divider.
Frequency FrequencyOfCode(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::int32_t offset);

// A frequency as the form and the files write it: MHz with four decimals
// ("435.1250").
std::string FrequencyText(Frequency frequency);

// True when `mhz` lies strictly within 10 kHz of a harmonic of the comb.
bool NearHarmonic(double mhz);

// A frequency in MHz as text: at most 15 significant digits, no trailing
// zeros, then padded to four decimals (439.0 -> "439.0000").
std::string FrequencyText(double mhz);

} // namespace kl40
