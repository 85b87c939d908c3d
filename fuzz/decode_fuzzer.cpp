// Any file of 1 to 65000 bytes, opened: the bytes go through the step the open
// flow takes after the read, and whatever decoded is built again, as a save
// would. Nothing may crash; a rebuilt image has its model's size and opens
// again, and when every channel of the file lies in the band, the rebuilt
// image opens as the same radio.

#include "check.h"

#include "cli/session.h"
#include "formats/radio_json.h"
#include "image/image_file.h"
#include "image/layout.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

bool InBand(const std::optional<std::string>& mhz) {
    double value = 0;
    if (!mhz) return false;
    const auto [end, ec] = std::from_chars(mhz->data(), mhz->data() + mhz->size(), value);
    return ec == std::errc() && end == mhz->data() + mhz->size() && value >= 400.0 &&
           value <= 450.0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kl40::fuzz::Check;
    if (size == 0 || size > kl40::kMaxImageFileSize) return 0;

    kl40::cli::Session opened;
    if (!opened.Load(std::vector<std::uint8_t>(data, data + size))) return 0;
    if (!opened.Build()) return 0;

    const std::vector<std::uint8_t>& image = opened.image;
    Check(kl40::IsImageSize(image.size()), "a rebuilt image is 2048 or 8192 bytes");
    kl40::cli::Session reopened;
    Check(reopened.Load(image), "a rebuilt image opens again");

    // A damaged file may hold codes of frequencies outside the band, which no
    // image can hold in turn; any other radio must survive open and save.
    const kl40::RadioRecord radio = opened.Describe();
    if (!std::all_of(radio.channels.begin(), radio.channels.end(),
                     [](const auto& c) { return InBand(c.rx) && InBand(c.tx); }))
        return 0;
    Check(kl40::WriteRadioJson(reopened.Describe()) == kl40::WriteRadioJson(radio),
          "an opened radio saved again opens as the same radio");
    return 0;
}
