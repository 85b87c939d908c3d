// Any text as a RADIO JSON file: parsed, applied to a fresh radio and built.
// Nothing may crash; a built image has its model's size, and a radio taken
// whole opens again from its image as the same radio.

#include "check.h"

#include "cli/session.h"
#include "coding/frequency_code.h"
#include "formats/radio_json.h"
#include "image/layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace {

using kl40::RadioRecord;

double Mhz(const std::optional<std::string>& text) {
    double value = -1;
    if (text) std::from_chars(text->data(), text->data() + text->size(), value);
    return value;
}

// The options an image holds: "Down Delete" has no bit, and the KL40c has no
// power switch.
std::vector<std::string> StoredOptions(const RadioRecord& radio) {
    std::vector<std::string> options = radio.options;
    std::erase_if(options, [&](const std::string& option) {
        return option == "Down Delete" || (option == "High/Low Power" && radio.model == "KL40c");
    });
    return options;
}

// The same radio, but for frequencies moved to the nearest 12.5 kHz step.
bool SameRadio(const RadioRecord& a, const RadioRecord& b) {
    auto near = [](const std::optional<std::string>& x, const std::optional<std::string>& y) {
        return x.has_value() == y.has_value() &&
               std::fabs(Mhz(x) - Mhz(y)) <= kl40::kChannelStep / 2 + 1e-9;
    };
    return a.model == b.model && a.timeout == b.timeout && StoredOptions(a) == StoredOptions(b) &&
           std::equal(a.channels.begin(), a.channels.end(), b.channels.begin(), b.channels.end(),
                      [&](const auto& x, const auto& y) {
                          return x.number == y.number && near(x.rx, y.rx) && near(x.tx, y.tx) &&
                                 x.tone == y.tone && x.scan == y.scan;
                      });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kl40::fuzz::Check;
    auto parsed = kl40::ParseRadioJson(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto* radio = std::get_if<kl40::RadioRecord>(&parsed);
    if (!radio) return 0;

    kl40::cli::Session session;
    const bool refused = session.Apply(*radio).has_value();
    // A refused item leaves the radio as far as it got, as in the form; it
    // must still build or be refused cleanly.
    if (!session.Build()) return 0;

    const auto& image = session.image;
    Check(kl40::IsImageSize(image.size()), "a built image is 2048 or 8192 bytes");
    if (refused) return 0;
    kl40::cli::Session reopened;
    Check(reopened.Load(image), "a built radio opens again");
    Check(SameRadio(session.Describe(), reopened.Describe()), "a built radio opens as itself");
    return 0;
}
