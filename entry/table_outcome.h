#pragma once
// What an operation of the channel table came to: the radio after it, or why
// it was refused, in which case nothing changed. Each accepted operation is
// one undo step of the table.

#include "core/radio.h"

#include <string>
#include <variant>
#include <vector>

namespace kl40 {

struct TableChange {
    Radio radio;
    // What the operator should be told about the change: frequencies off the
    // raster, rows of a paste that were refused.
    std::vector<std::string> notes;
};

struct TableRefusal {
    std::string reason;
};

using TableOutcome = std::variant<TableChange, TableRefusal>;

} // namespace kl40
