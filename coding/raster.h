#pragma once
// The radio tunes in whole 12.5 kHz steps: a frequency between two steps is
// coded as the nearest one. These tell the operator which one it will be.

#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

// The frequency the radio uses for `mhz` (a decimal MHz text), with four
// decimals; "" for a text that is not a number.
std::string RasterFrequency(std::string_view mhz);

// For a channel entry ("5,435.1234,430.1250,none ,N") whose receive or
// transmit frequency lies off the raster: one line per distinct such
// frequency, "435.1234 MHz is not on the radio's 12.5 kHz raster: it will use
// 435.1250 MHz." Nothing when both lie on it.
std::optional<std::string> OffRasterNote(std::string_view entry);

} // namespace kl40
