#include "core/option_table.h"

namespace kl40 {

namespace {
// Rows in the order of Option; each caption is the one kOptionCaptions gives it.
constexpr std::string_view caption(Option option) {
    return kOptionCaptions[static_cast<std::size_t>(option)];
}

const std::array<RadioOption, kOptionCount> kOptions{{
    {caption(Option::EnableScan), 3, "Channel Scan"},
    {caption(Option::DownDelete), 0, "Down deletes scan channel"},
    {caption(Option::UserProgrammedScan), 5, "Self programmed scan channels"},
    {caption(Option::DisplayTimer), 6, "20 Sec Display Timer"},
    {caption(Option::OpenLedIsPowerIndicator), 7, "Power LED is ON Indicator"},
    {caption(Option::ReceiveCtcss), 8, "Rx CTCSS mute"},
    {caption(Option::BusyChannelLockout), 9, "Transmit inhibit if channel busy"},
    {caption(Option::SilentSwitch), 10, "Silent Switch"},
    {caption(Option::OpenLedOffInhibitsTransmit), 11, "Transmit inhibit if Open LED off"},
    {caption(Option::HighLowPower), 14, ""},
}};
} // namespace

std::span<const RadioOption, kOptionCount> RadioOptions() {
    return kOptions;
}

std::vector<std::string> OptionCaptions() {
    std::vector<std::string> captions;
    for (const RadioOption& option : kOptions)
        captions.emplace_back(option.caption);
    return captions;
}

const RadioOption* FindOption(std::string_view caption) {
    for (const RadioOption& option : kOptions)
        if (option.caption == caption) return &option;
    return nullptr;
}

std::size_t OptionIndex(const RadioOption& option) {
    return static_cast<std::size_t>(&option - kOptions.data());
}

} // namespace kl40
