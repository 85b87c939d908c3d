#pragma once
// The image of a radio file as `kl40-cli build` makes it, for the verbs that
// take a radio file where an image goes (eprom write and verify).

#include "cli/verbs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kl40::cli {

struct RadioImage {
    std::vector<std::uint8_t> image;
    int model = 0;
    // What the operator should know ("kl40-cli: radio.csv: no --model given: ...").
    std::vector<std::string> notes;
    // Why nothing was built: "FILE: reason".
    std::optional<std::string> refusal;
};

// Builds a RADIO JSON file or a channel list (with the model, time-out and
// options of `settings`) into its image, program code included: from
// --firmware, installed firmware or the shipped template, as `build` takes it.
RadioImage BuildRadioImage(const std::string& radioPath, const BuildSettings& settings);

} // namespace kl40::cli
