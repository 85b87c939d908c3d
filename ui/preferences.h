#pragma once
// The operator's preferences, kept between runs beside the recent files: for
// now the repeater offset that "+" or "-" gives a simplex channel.

#include "core/radio.h"
#include "entry/repeater.h"

#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

struct PreferenceValues {
    Frequency repeaterOffset = kDefaultRepeaterOffset;

    bool operator==(const PreferenceValues&) const = default;
};

// Where the preferences are kept between runs.
class PreferencesStore {
public:
    virtual ~PreferencesStore() = default;
    virtual PreferenceValues load() = 0;
    virtual void save(const PreferenceValues& values) = 0;
};

class Preferences {
public:
    // Reads the values from `store` (none: the defaults, kept in memory).
    explicit Preferences(PreferencesStore* store = nullptr);

    const PreferenceValues& values() const { return values_; }
    Frequency repeaterOffset() const { return values_.repeaterOffset; }
    // "5.0000", as the Preferences dialog shows it.
    std::string repeaterOffsetText() const;
    // Takes a typed offset in MHz and keeps it; refused (zero, out of range or
    // not a number): the reason, and nothing changes.
    std::optional<std::string> setRepeaterOffset(std::string_view text);

private:
    PreferencesStore* store_;
    PreferenceValues values_;
};

} // namespace kl40
