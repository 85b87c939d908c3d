#pragma once
// Handing what a verb printed to standard output, checked: a full disk, a
// full device or a broken pipe is reported with the system's reason and the
// run fails, so `kl40-cli decode r.bin > r.json && ...` never goes on after
// an empty or cut-off file.

#include <ostream>
#include <string>

namespace kl40::cli {

// Writes `text` to `out` and flushes it through to the system. Returns
// `status` when all of it was written; otherwise tells why on stderr and
// returns `failed` (diff's trouble status is 2, as 1 means "different").
int DeliverOutput(const std::string& text, int status, std::ostream& out, int failed = 1);

} // namespace kl40::cli
