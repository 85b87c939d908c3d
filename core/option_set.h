#pragma once
// A set of the radio's ten on/off options, indexed like the option table
// (core/option_table.h).

#include <bitset>
#include <cstddef>

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

inline bool Has(const OptionSet& options, Option option) {
    return options[static_cast<std::size_t>(option)];
}

} // namespace kl40
