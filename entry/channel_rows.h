#pragma once
// Operations of the channel table on whole rows: insert, move, fill, sort
// and delete. Each is one undo step; each keeps the channel count rule (the
// count is the highest channel stored so far and never falls).

#include "entry/table_outcome.h"

#include <set>
#include <string_view>

namespace kl40 {

// Selected rows by channel number.
using ChannelSelection = std::set<int>;

// An empty channel at `number`, the channels from it to 98 one further down.
// Refused when channel 99 is in use.
TableOutcome InsertChannel(const Radio& radio, int number);

enum class MoveDirection { Up, Down };
// The selected channels one row up or down, each swapping with its neighbour.
// Refused when a selected channel is at the edge.
TableOutcome MoveChannels(const Radio& radio, const ChannelSelection& rows,
                          MoveDirection direction);

// Receive frequencies from `start` in steps of `step`, one per selected row
// in channel order, each channel keeping its duplex and offset (an empty row
// becomes a simplex channel). Refused as a whole when any frequency would
// leave the band.
inline constexpr Frequency kDefaultFillStep{125}; // 12.5 kHz
TableOutcome FillReceive(const Radio& radio, const ChannelSelection& rows, std::string_view start,
                         Frequency step = kDefaultFillStep);

// Channels 1 to 99 in the order of one column; equal ones keep their order,
// empty rows go last.
enum class SortKey { Receive, Transmit, Tone, Name };
TableOutcome SortChannels(const Radio& radio, SortKey key);

TableOutcome DeleteChannels(const Radio& radio, const ChannelSelection& rows);

} // namespace kl40
