#pragma once
// The channel list as the screen shows it. A list line pads its fields for a
// proportional font (a digit about two spaces wide), so its columns wander
// with the channel number and the tone. Shown in a fixed-pitch font, each
// field gets a column of its own instead.

#include <string>
#include <string_view>

namespace kl40 {

// The fields of a list line (channel, receive, transmit, tone, scan flag) in
// fixed columns: the channel right-aligned in two characters, the tone
// left-aligned in five, two spaces between columns. A line that does not
// have the five fields comes back as it is.
std::string ChannelListColumns(std::string_view line);

} // namespace kl40
