#include "core/option_table.h"

namespace kl40 {

namespace {
// Rows in the order of Option; each caption is the one kOptionCaptions gives it.
constexpr std::string_view caption(Option option) {
    return kOptionCaptions[static_cast<std::size_t>(option)];
}

const std::array<RadioOption, kOptionCount> kOptions{{
    {caption(Option::EnableScan), 3, &EntryFields::chkScan_En, "Channel Scan"},
    {caption(Option::DownDelete), 0, &EntryFields::chkDwn_Del, "Down deletes scan channel"},
    {caption(Option::UserProgrammedScan), 5, &EntryFields::chkScan_Prog,
     "Self programmed scan channels"},
    {caption(Option::DisplayTimer), 6, &EntryFields::chkDispl_Blnk, "20 Sec Display Timer"},
    {caption(Option::OpenLedIsPowerIndicator), 7, &EntryFields::chkInd_On,
     "Power LED is ON Indicator"},
    {caption(Option::ReceiveCtcss), 8, &EntryFields::chkCTCSS_en, "Rx CTCSS mute"},
    {caption(Option::BusyChannelLockout), 9, &EntryFields::chkBCO,
     "Transmit inhibit if channel busy"},
    {caption(Option::SilentSwitch), 10, &EntryFields::chkSilent, "Silent Switch"},
    {caption(Option::OpenLedOffInhibitsTransmit), 11, &EntryFields::chkTX_Inh,
     "Transmit inhibit if Open LED off"},
    {caption(Option::HighLowPower), 14, &EntryFields::chkHiLo, ""},
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
