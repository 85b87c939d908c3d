#pragma once
// Checking and storing the channel being edited, showing a stored channel in
// the entry fields, the channel list lines, the channel count and clearing.

#include "entry/channel_rules.h"
#include "ui/form/workspace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

// When a store rebuilds the channel list and selects its last line.
enum class ListRefresh {
    Now,   // as every store from the form does
    Later, // left to a later store with Now: for storing many channels at once
};

// Checks the entry fields and stores them as one channel entry. After a store
// the fields are ready for the next channel: the selector shows the next free
// channel, the other fields are empty, and the stored channel's line is marked
// in the list. A refusal names the field, empties it and puts the focus in it.
// Returns the channel stored, or nothing when nothing was stored. With
// ListRefresh::Later the channel list is not rebuilt; a following store with
// ListRefresh::Now brings the list and the fields to where storing each
// channel with Now would have.
std::optional<std::int16_t> StoreChannel(Workspace& ws, ListRefresh refresh = ListRefresh::Now);

// Rebuilds the channel list from the radio, as every store does; returns the
// line of channel `wanted` (-1 for none). Views that change the radio other
// than through the entry fields (the channel table) call it afterwards.
int RebuildChannelList(Workspace& ws, int wanted = -1);

// Shows channel n in the entry fields.
void ShowChannel(Workspace& ws, std::int16_t n);

// A scan channel is only scanned with scanning on: ticks "Enable Scan", whose
// handler sets the radio's option.
void EnableScanning(Workspace& ws);

// After a change made elsewhere (the channel table): when the entry fields
// show a channel as it was in `before` and the change altered or emptied it,
// they show it as it is now (or are cleared), so that a later store does not
// write the old values back. Fields holding anything else are left alone.
void ShowChangedChannel(Workspace& ws, const ChannelTable& before);

// Splits a channel entry (delimiter ',') or a list line (delimiter ' ') into
// the entry fields; runs of delimiters count as one.
void FillEntryFields(Workspace& ws, char delimiter, std::string_view text);

// The channel list line of an entry, or "" for an entry that makes none.
std::string FormatListLine(std::string_view entry);

// Raises ChannelCountText (two digits) and OptionText characters 1-2.
void SetChannelCount(Workspace& ws, std::string_view channel);

// Resets the options and the option boxes; empties the list and fields. With
// `unconfirmed` 0 and lines in the list it asks first: Yes also empties the
// channel table, No changes nothing at all. Returns false after No.
bool ClearChannelList(Workspace& ws, std::int16_t unconfirmed);

} // namespace kl40
