#pragma once
// What two radios, and two images' program code, differ in: plain lines for
// `kl40-cli diff`, one per difference, in a fixed order.

#include "core/radio.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl40::cli {

// The model, the time-out, each option (in the option table's order), then
// each channel added, removed or changed, by ascending number:
//   model: KL40a-64 -> KL40c
//   time-out: 2.00 -> 3.00 minutes
//   option "Enable Scan": off -> on
//   channel 5 added: 435.1250 / 430.1250, tone 88.5, scan
//   channel 7 removed
//   channel 9: receive 435.1250 -> 435.1375; tone none -> 88.5; scan no -> yes
//   channel 12: name "" -> "Home"
// Empty when the radios are equal.
std::vector<std::string> RadioDifferences(const RadioRecord& a, const RadioRecord& b);

// An image as decoded: its bytes and the code of the model it holds.
struct DecodedImage {
    std::span<const std::uint8_t> bytes;
    int modelCode = 0;
};

// At most this many address ranges are listed; the rest are counted.
inline constexpr std::size_t kListedRanges = 20;

// The line about the bytes outside the data area that differ, e.g.
//   program code: 10 bytes differ in 0x0140-0x0147, 0x1800-0x1801
// or that only one image has any; nothing when the program code is the same
// or neither image has any.
std::optional<std::string> ProgramCodeDifference(const DecodedImage& a, const DecodedImage& b);

} // namespace kl40::cli
