#include "ui/form/workspace.h"

#include <array>

namespace kl40 {

namespace {
// The form's box of each option, in the order of Option.
constexpr std::array<CheckBox EntryFields::*, kOptionCount> kBoxes{
    &EntryFields::chkScan_En,    &EntryFields::chkDwn_Del, &EntryFields::chkScan_Prog,
    &EntryFields::chkDispl_Blnk, &EntryFields::chkInd_On,  &EntryFields::chkCTCSS_en,
    &EntryFields::chkBCO,        &EntryFields::chkSilent,  &EntryFields::chkTX_Inh,
    &EntryFields::chkHiLo};
} // namespace

CheckBox& BoxOf(EntryFields& form, std::size_t option) {
    return form.*kBoxes.at(option);
}

const CheckBox& BoxOf(const EntryFields& form, std::size_t option) {
    return form.*kBoxes.at(option);
}

} // namespace kl40
