#pragma once
// Reading the radio back out of an EPROM image, and showing a decoded radio
// in the data set and the form as opening an image does.

#include "core/radio.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl40 {

// The radio an image holds: its model (by size and marker), scan list, count,
// option bytes and channels. Nothing for an image of no known model.
std::optional<Radio> DecodeImage(std::span<const std::uint8_t> image);

// What `image` holds that no radio entered here would, one note a channel
// ("channel 4 has no transmit frequency"): a frequency missing or outside the
// band, a tone code of no tone, codes above the channel count that are not
// read. `decoded` is DecodeImage's radio of the same image.
std::vector<std::string> ImageDamage(std::span<const std::uint8_t> image, const Radio& decoded);

} // namespace kl40
