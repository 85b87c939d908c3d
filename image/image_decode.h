#pragma once
// Reading the radio back out of an EPROM image, and showing a decoded radio
// in the data set and the form as opening an image does.

#include "core/radio.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kl40 {

// The radio an image holds: its model (by size and marker), scan list, count,
// option bytes and channels. Nothing for an image of no known model.
std::optional<Radio> DecodeImage(std::span<const std::uint8_t> image);

} // namespace kl40
