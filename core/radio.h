#pragma once
// The radio as one typed value: model, time-out, options and a table of
// channels holding numbers, not texts. The image build and decode, the radio
// files, kl40-cli and the entry form all read and write it; the texts the form
// and the printout show are made from it (core/radio_text.h).

#include "core/option_set.h"
#include "core/radio_model.h"
#include "core/radio_record.h"

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace kl40 {

inline constexpr int kChannelSlots = 101;   // channel table indices 0 to 100
inline constexpr int kHighestChannel = 99;  // channels are numbered 1 to 99
inline constexpr int kMaxScanChannels = 32; // the radio's scan list holds 32 channels

// A frequency as a whole number of 100 Hz units (435.125 MHz is 4351250). The
// radio's channel step of 12.5 kHz is 125 units.
struct Frequency {
    std::int64_t hundredHz = 0;

    static constexpr Frequency FromSteps(std::int64_t steps) { return {steps * 125}; }
    constexpr double megahertz() const { return static_cast<double>(hundredHz) / 10000.0; }
    auto operator<=>(const Frequency&) const = default;
};

struct Channel {
    // A damaged image may lack either frequency.
    std::optional<Frequency> rx;
    std::optional<Frequency> tx;
    int tone = 0; // row of the CTCSS tone table; row 0 is "none"
    bool scan = false;
    // The transmit frequency was typed as such ("split" duplex) rather than
    // following the receive frequency by an offset. Images do not hold it.
    bool split = false;
    // Kept in radio files only: no image holds them.
    std::string name;
    std::string comment;

    bool operator==(const Channel&) const = default;
};

// Channels by number (slot 0 unused; 100 only from an opened image).
using ChannelTable = std::array<std::optional<Channel>, kChannelSlots>;

struct Radio {
    int model = DefaultModel().code;
    int timeout = static_cast<int>(kDefaultTimeoutIndex); // position in kTimeoutTexts
    OptionSet options;
    // The channel count the image tells the radio: the highest channel stored
    // so far (a deleted channel does not lower it) or an opened image's count.
    int channelCount = 1;
    // The model whose image the options were read from (its option digits
    // that no option sets are kept), or 0 for a radio begun here.
    int optionsReadFrom = 0;
    ChannelTable channels{};

    bool operator==(const Radio&) const = default;

    const RadioModel& modelFacts() const { return ModelOrDefault(model); }
    // The highest channel in use, 0 when none is.
    int highestChannel() const;
    bool hasChannels() const { return highestChannel() > 0; }
};

} // namespace kl40
