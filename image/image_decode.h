#pragma once
// Decoding an EPROM image held in ImageText into the data set and the form.

#include "core/radio_data.h"
#include "image/image_build.h"

#include <string>

namespace kl40 {

// Decodes ImageText: model, scan list, count and options, channels. Returns
// false after a failure, which it has shown ("Error in decoding channel" or
// "Error decoding frequency"); what was set before the failure stays set.
bool DecodeImage(Workspace& ws);

void DecodeScanList(Workspace& ws, int model);
void DecodeOptionBytes(Workspace& ws, int model);
void DecodeOptionFlags(Workspace& ws, int model);
// Returns false after "Error decoding frequency".
bool DecodeChannelCodes(Workspace& ws, CodeArray& receive, CodeArray& transmit);

// Takes the tone off byte 1 of a six-digit slot code: returns the tone code and
// leaves "00" or "01" as the code's first two digits.
std::string SplitToneByte(Platform& platform, std::string& code);

} // namespace kl40
