#pragma once
// Whether two paths name the same file (through links as well), so that an
// output never replaces one of the inputs.

#include <string>
#include <vector>

namespace kl40::cli {

// The first of `inputs` that is the same file as `output` (same device and
// inode), or nullptr when none is or `output` does not exist yet.
const std::string* InputSameAs(const std::string& output, const std::vector<std::string>& inputs);

} // namespace kl40::cli
