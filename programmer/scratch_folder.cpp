#include "programmer/scratch_folder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace kl40 {

std::variant<ScratchFolder, std::string> ScratchFolder::Make() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / "kl40-eprom-XXXXXX").string();
    auto state = std::make_unique<State>();
    // No signal between making the folder and registering it for removal.
    const CleanupSignalsBlocked blocked;
    if (!::mkdtemp(pattern.data()))
        return "cannot make a temporary folder in " + base.string() + ": " + std::strerror(errno);
    state->folder = pattern;
    state->file = pattern + "/chip.bin";
    state->folderRegistration.emplace(state->folder.c_str());
    state->fileRegistration.emplace(state->file.c_str());
    return ScratchFolder(std::move(state));
}

ScratchFolder::~ScratchFolder() {
    if (!state_) return;
    // Whatever the tool left there goes with the folder.
    std::error_code ignored;
    std::filesystem::remove_all(state_->folder, ignored);
}

} // namespace kl40
