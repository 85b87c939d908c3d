#pragma once
// The ten on/off options of the radio, each described once: the caption of its
// box on the form (also its name in radio files), the ConfigText flag it sets
// and its row in the printed options report. Where each option lands in the
// option bytes differs by model and is in the model table (core/radio_model.h).

#include "core/option_set.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

struct RadioOption {
    std::string_view caption;
    int configPos;                // ConfigText position (from 1) of its flag; 0: it has none
    std::string_view reportLabel; // its row in the options report; "" when it has none
};

// In the order radio files and reports list them.
std::span<const RadioOption, kOptionCount> RadioOptions();
// The options' captions, in the table's order.
std::vector<std::string> OptionCaptions();
// The option of a caption, or nothing.
const RadioOption* FindOption(std::string_view caption);
// Position of an option in RadioOptions().
std::size_t OptionIndex(const RadioOption& option);

} // namespace kl40
