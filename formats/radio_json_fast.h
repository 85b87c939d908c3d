#pragma once
// Reading a radio file the way it is usually written, with simdjson: about ten
// times faster than building a JSON document. It takes only texts whose every
// value is of the plain kind the file's schema names (strings for the model,
// time-out, options, frequencies and channel names and comments, null for no
// transmit frequency, a channel number from 1 to 99 once each), with no
// escapes and no key twice, and leaves anything else to the thorough reading
// (ParseRadioJsonThoroughly), which also words every refusal. Model, time-out and option names are
// not checked here (the caller looks them up).
//
// A statically linked kl40-cli cannot link simdjson (Debian ships it shared
// only); in such a build this declines every text.

#include "core/radio_record.h"

#include <optional>
#include <string_view>

namespace kl40 {

struct RadioJsonFastRead {
    RadioRecord radio;
    bool modelGiven;   // the text has a "model" key
    bool timeoutGiven; // the text has a "timeout" key
};

// The radio of `text`, starting from `fresh` (a new RadioRecord), or nothing
// when the text is not of the usual kind.
std::optional<RadioJsonFastRead> ReadRadioJsonFast(std::string_view text, RadioRecord fresh);

} // namespace kl40
