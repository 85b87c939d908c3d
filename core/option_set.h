#pragma once
// A set of the radio's ten on/off options, indexed like the option table
// (core/option_table.h).

#include <array>
#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

namespace kl40 {

inline constexpr std::size_t kOptionCount = 10;

using OptionSet = std::bitset<kOptionCount>;

// The options by name, numbered like the rows of the option table.
enum class Option : std::size_t {
    EnableScan,
    DownDelete,
    UserProgrammedScan,
    DisplayTimer,
    OpenLedIsPowerIndicator,
    ReceiveCtcss,
    BusyChannelLockout,
    SilentSwitch,
    OpenLedOffInhibitsTransmit,
    HighLowPower,
};

// The options' captions, by Option: the captions of the form's boxes and the
// names in radio files.
inline constexpr std::array<std::string_view, kOptionCount> kOptionCaptions{
    "Enable Scan",
    "Down Delete",
    "User programmed scan",
    "Display Timer",
    "Open LED is power indicator",
    "Receive CTCSS enable",
    "Busy Channel Lockout",
    "Silent Switch enabled",
    "Open LED off inhibits Transmit",
    "High/Low Power",
};

inline std::string OptionCaption(Option option) {
    return std::string(kOptionCaptions[static_cast<std::size_t>(option)]);
}

inline bool Has(const OptionSet& options, Option option) {
    return options[static_cast<std::size_t>(option)];
}

} // namespace kl40
