#pragma once
// Repeater entry: the duplex of a channel ("" simplex, "+", "-", "split") and
// its offset, the distance from receive to transmit frequency. Duplex follows
// from the two frequencies, except "split", which the channel remembers.

#include "core/radio.h"

#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

// The offset "+" and "-" start from on a simplex channel, unless the
// operator set another.
inline constexpr Frequency kDefaultRepeaterOffset{50000}; // 5.0000 MHz

enum class Duplex { Simplex, Plus, Minus, Split };

// Simplex when the frequencies are equal (or one is missing), "+" when the
// transmit frequency is above the receive one, "-" when below; "split" when
// the channel says so.
Duplex DuplexOf(const Channel& channel);

// "", "+", "-", "split".
std::string DuplexText(Duplex duplex);
// A typed duplex, blanks around it dropped; nothing for anything else.
std::optional<Duplex> ParseDuplex(std::string_view text);

// The distance between the frequencies of a "+" or "-" channel; 0 for any
// other.
Frequency OffsetOf(const Channel& channel);

// A typed offset in MHz, 0 to 50 with at most four decimals ("" is 0);
// nothing for anything else.
std::optional<Frequency> ParseOffset(std::string_view text);
inline constexpr const char* kOffsetRefusal =
    "The offset must be from 0 to 50 MHz, with at most four decimals.";

// The transmit frequency of a "+" or "-" channel, or the receive frequency.
Frequency TransmitFor(Frequency rx, Duplex duplex, Frequency offset);

// Why a transmit frequency an offset gives was refused.
std::string OffsetOutOfBandText(Frequency offset, Frequency tx);

} // namespace kl40
