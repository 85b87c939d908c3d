#pragma once
// Building the EPROM image of the radio data set: channel codes with their
// tones, the scan list, the channel count and the option bytes, placed into a
// fresh copy of the model's firmware template.

#include "core/radio_data.h"

#include <array>
#include <string>

namespace kl40 {

using CodeArray = std::array<std::string, kChannelSlots>; // index = channel number

// Builds the image into ImageText (cut to the model's size) without writing
// it. The data area is built from the model's template; the bytes outside it
// (the program code of the 8 KiB models) come from the opened image while the
// model is still the one it was opened as and that image holds program code,
// else from the firmware installed in
// `ws.FirmwareFolder`, else from the template (image/image_build.cpp,
// placeProgramCode). LastProgramSource says which; FirmwareProblem says why
// installed firmware could not be used ("" when nothing was wrong with it).
// Returns false after "No data available" or "Eprom data invalid"; throws
// std::runtime_error when the build itself breaks (the save flow reports it).
bool BuildImage(Workspace& ws);

// The model code the data set is built as (1, 2 or 3).
int BuildModel(const RadioData& data);
// True when ImageText, just built, is of an 8 KiB model and holds no program
// code: burnt as it is, it would not run a radio.
bool BuiltWithoutProgramCode(const RadioData& data);

// Receive and transmit codes of channels 1 to the channel count, tones
// merged, ScanText rebuilt; returns the template in hex form with the codes and
// scan list placed, or "" after a failure.
std::string GenerateChannelCodes(Workspace& ws, char separator);

// Places the codes and the scan list into the current model's template.
std::string PlaceChannelData(Workspace& ws, const CodeArray& receive, const CodeArray& transmit);

// Writes the count byte and the option bytes into the hex image.
std::string& PlaceCountAndOptions(Workspace& ws, std::string& text);

// The file name a chosen save path is written under: its extension becomes
// "bin" (a three-character extension is replaced, otherwise ".bin" is
// appended) unless it names a record format.
std::string ImageFilePath(const std::string& chosen);

} // namespace kl40
