#pragma once
// Which options go together, stated once: the pairs that exclude each other,
// the options that need another, and the options a model has no bit for. The
// form greys its boxes by it; radio files, channel list builds and opened
// images are checked against it.

#include "core/option_set.h"
#include "core/option_table.h"
#include "core/radio_model.h"

#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

// The options of these captions; captions of no option are left out.
OptionSet OptionSetOf(const std::vector<std::string>& captions);

// Why `model` cannot have these options together: the first option it has no
// bit for, pair that excludes each other or option without the one it needs.
// Nothing when the form could show them ticked.
std::optional<std::string> OptionConflict(const OptionSet& options, const RadioModel& model);
// The same for option captions and a model name (the default model for a name
// of none), as radio files give them.
std::optional<std::string> OptionConflict(const std::vector<std::string>& captions,
                                          std::string_view model);

// The boxes the operator may click with `ticked` ticked: a ticked box stays
// clickable (so an image's conflicting options can be unticked), an unticked
// one when ticking it breaks nothing the form would not mend itself, and none
// whose option the model has no bit for.
OptionSet EnabledOptions(const OptionSet& ticked, const RadioModel& model);

} // namespace kl40
