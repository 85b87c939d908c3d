#include "core/option_rules.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace kl40 {

namespace {

// Two options the radio cannot have together. While one is ticked the other's
// box is greyed, except that `second` stays clickable when
// `secondUnticksFirst`: ticking it unticks `first`.
struct Exclusion {
    std::string_view first;
    std::string_view second;
    bool secondUnticksFirst;
};

// An option that works only with another. Its box is greyed until `needed` is
// ticked, unless `ticksNeeded`: ticking it ticks `needed` as well.
struct Need {
    std::string_view option;
    std::string_view needed;
    bool ticksNeeded;
};

constexpr std::array<Exclusion, 4> kExclusions{{
    {"Open LED is power indicator", "Silent Switch enabled", false},
    {"Open LED is power indicator", "Open LED off inhibits Transmit", false},
    {"Open LED is power indicator", "Receive CTCSS enable", true},
    {"Down Delete", "Enable Scan", false},
}};

constexpr std::array<Need, 3> kNeeds{{
    {"User programmed scan", "Enable Scan", true},
    {"Open LED is power indicator", "Display Timer", false},
    {"Open LED off inhibits Transmit", "Silent Switch enabled", false},
}};

std::size_t indexOf(std::string_view caption) {
    const RadioOption* option = FindOption(caption);
    if (!option) throw std::logic_error("the option rule names an unknown option");
    return OptionIndex(*option);
}

bool hasBit(const RadioModel& model, std::size_t option) {
    return model.optionBits[option].digit != 0;
}

std::string quoted(std::string_view caption) {
    return "\"" + std::string(caption) + "\"";
}

} // namespace

OptionSet OptionSetOf(const std::vector<std::string>& captions) {
    OptionSet set;
    for (const std::string& caption : captions)
        if (const RadioOption* option = FindOption(caption)) set.set(OptionIndex(*option));
    return set;
}

std::optional<std::string> OptionConflict(const OptionSet& options, const RadioModel& model) {
    for (const RadioOption& option : RadioOptions())
        if (options[OptionIndex(option)] && !hasBit(model, OptionIndex(option)))
            return "the " + std::string(model.name) + " has no " + quoted(option.caption) +
                   " option";
    for (const Exclusion& pair : kExclusions)
        if (options[indexOf(pair.first)] && options[indexOf(pair.second)])
            return quoted(pair.first) + " and " + quoted(pair.second) + " exclude each other";
    for (const Need& need : kNeeds)
        if (options[indexOf(need.option)] && !options[indexOf(need.needed)])
            return quoted(need.option) + " needs " + quoted(need.needed);
    return std::nullopt;
}

std::optional<std::string> OptionConflict(const std::vector<std::string>& captions,
                                          std::string_view model) {
    const RadioModel* known = FindModel(model);
    return OptionConflict(OptionSetOf(captions), known ? *known : DefaultModel());
}

OptionSet EnabledOptions(const OptionSet& ticked, const RadioModel& model) {
    OptionSet enabled;
    for (std::size_t i = 0; i < kOptionCount; ++i)
        enabled[i] = hasBit(model, i);
    // Only unticked boxes are greyed by the other options.
    for (const Exclusion& pair : kExclusions) {
        const std::size_t first = indexOf(pair.first);
        const std::size_t second = indexOf(pair.second);
        if (ticked[second] && !ticked[first]) enabled.reset(first);
        if (ticked[first] && !ticked[second] && !pair.secondUnticksFirst) enabled.reset(second);
    }
    for (const Need& need : kNeeds) {
        const std::size_t option = indexOf(need.option);
        if (!need.ticksNeeded && !ticked[option] && !ticked[indexOf(need.needed)])
            enabled.reset(option);
    }
    return enabled;
}

} // namespace kl40
