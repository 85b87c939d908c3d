#pragma once
// The radio tunes in whole 12.5 kHz steps: a frequency between two steps is
// coded as the nearest one. These tell the operator which one it will be.

#include "core/radio.h"

#include <string>
#include <string_view>

namespace kl40 {

// The frequency the radio uses for `frequency`: the nearest 12.5 kHz step.
Frequency RasterFrequency(Frequency frequency);

// The same for a decimal MHz text, with four decimals; "" for a text that is
// not a number.
std::string RasterFrequency(std::string_view mhz);

} // namespace kl40
