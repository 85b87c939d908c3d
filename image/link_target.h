#pragma once
// Where a write through a symbolic link lands.

#include <filesystem>
#include <optional>

namespace kl40 {

// Follows `path` through every symbolic link it is (a relative link is read
// from the link's own folder) to the path that is no link: an existing file,
// or the name a dangling link points at. Nothing for a loop of links.
std::optional<std::filesystem::path> FinalLinkTarget(const std::filesystem::path& path);

} // namespace kl40
