#include "image/link_target.h"

#include <system_error>

namespace kl40 {

namespace fs = std::filesystem;

std::optional<fs::path> FinalLinkTarget(const fs::path& path) {
    // As many links as the system itself follows before it reports a loop.
    constexpr int kMaxLinks = 40;
    fs::path current = path;
    for (int followed = 0; followed <= kMaxLinks; ++followed) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) return current;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) return current;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

} // namespace kl40
