#pragma once
// The texts the form and the printout show for a typed channel, made in one
// place.

#include "core/radio.h"
#include "core/radio_record.h"

#include <optional>

#include <string>

namespace kl40 {

// The stored channel entry of channel n, "5,435.1250,430.1250,88.5 ,Y". A
// channel without its receive frequency (from a damaged image) starts with
// its transmit part; one without its transmit frequency ends after its
// receive frequency ("5,435.1250,").
std::string ChannelEntryText(int n, const Channel& channel);

// The channel as files and kl40-cli write it: frequencies with four
// decimals, the tone without padding ("88.5", "none").
ChannelRecord ChannelRecordOf(int n, const Channel& channel);

// For a channel whose receive or transmit frequency lies off the radio's
// 12.5 kHz raster: one line per distinct such frequency, "435.1234 MHz is
// not on the radio's 12.5 kHz raster: it will use 435.1250 MHz." Nothing
// when both lie on it.
std::optional<std::string> OffRasterNote(const Channel& channel);

// The tone as the tone list shows it ("88.5 ", "103.5", "none ").
std::string ToneListText(int tone);
// The tone without the list's padding ("88.5", "none").
std::string ToneText(int tone);

} // namespace kl40
