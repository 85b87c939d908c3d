#pragma once
// The image build as it was, through the hex text of the image and the form's
// texts: kept while the typed build (image/image_build.h) is checked against it.

#include "core/radio_data.h"

#include <array>
#include <string>

namespace kl40 {

using CodeArray = std::array<std::string, kChannelSlots>; // index = channel number

std::string GenerateChannelCodes(Workspace& ws, char separator);
std::string PlaceChannelData(Workspace& ws, const CodeArray& receive, const CodeArray& transmit);
std::string& PlaceCountAndOptions(Workspace& ws, std::string& text);

} // namespace kl40
