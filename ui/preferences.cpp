#include "ui/preferences.h"

#include "coding/frequency_code.h"

namespace kl40 {

namespace {

// What the dialog takes: an offset of 0 would make "+" and "-" mean simplex.
bool usableOffset(Frequency offset) {
    return offset > Frequency{} && ParseOffset(FrequencyText(offset)) == offset;
}

} // namespace

Preferences::Preferences(PreferencesStore* store) : store_(store) {
    if (store_ == nullptr) return;
    // A settings file edited by hand may hold anything: keep only what the
    // dialog would have taken.
    const PreferenceValues kept = store_->load();
    if (usableOffset(kept.repeaterOffset)) values_.repeaterOffset = kept.repeaterOffset;
}

std::string Preferences::repeaterOffsetText() const {
    return FrequencyText(values_.repeaterOffset);
}

std::optional<std::string> Preferences::setRepeaterOffset(std::string_view text) {
    const std::optional<Frequency> offset = ParseOffset(text);
    if (!offset || !usableOffset(*offset))
        return "The default repeater offset must be more than 0 and at most 50 MHz, with at "
               "most four decimals.";
    if (values_.repeaterOffset == *offset) return std::nullopt;
    values_.repeaterOffset = *offset;
    if (store_ != nullptr) store_->save(values_);
    return std::nullopt;
}

} // namespace kl40
