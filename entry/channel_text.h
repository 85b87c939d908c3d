#pragma once
// The texts the form and the printout show for a typed channel, made in one
// place.

#include "core/radio.h"

#include <string>

namespace kl40 {

// The stored channel entry of channel n, "5,435.1250,430.1250,88.5 ,Y". A
// channel without its receive frequency (from a damaged image) starts with
// its transmit part; one without its transmit frequency ends after its
// receive frequency ("5,435.1250,").
std::string ChannelEntryText(int n, const Channel& channel);

// The tone as the tone list shows it ("88.5 ", "103.5", "none ").
std::string ToneListText(int tone);
// The tone without the list's padding ("88.5", "none").
std::string ToneText(int tone);

} // namespace kl40
