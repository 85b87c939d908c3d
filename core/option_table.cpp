#include "core/option_table.h"

namespace kl40 {

namespace {
const std::array<RadioOption, kOptionCount> kOptions{{
    {"Enable Scan", 3, &EntryFields::chkScan_En, "Channel Scan"},
    {"Down Delete", 0, &EntryFields::chkDwn_Del, "Down deletes scan channel"},
    {"User programmed scan", 5, &EntryFields::chkScan_Prog, "Self programmed scan channels"},
    {"Display Timer", 6, &EntryFields::chkDispl_Blnk, "20 Sec Display Timer"},
    {"Open LED is power indicator", 7, &EntryFields::chkInd_On, "Power LED is ON Indicator"},
    {"Receive CTCSS enable", 8, &EntryFields::chkCTCSS_en, "Rx CTCSS mute"},
    {"Busy Channel Lockout", 9, &EntryFields::chkBCO, "Transmit inhibit if channel busy"},
    {"Silent Switch enabled", 10, &EntryFields::chkSilent, "Silent Switch"},
    {"Open LED off inhibits Transmit", 11, &EntryFields::chkTX_Inh,
     "Transmit inhibit if Open LED off"},
    {"High/Low Power", 14, &EntryFields::chkHiLo, ""},
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
