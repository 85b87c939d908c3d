#include "ui/help_window.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace kl40 {

namespace {

constexpr const char* kMissingHelpNote =
    "<html><body><h2>KL40 Help</h2>"
    "<p>The help document <b>KL40.hlp</b> could not be found or read.</p>"
    "<p>Place KL40.hlp in the folder the program is started from, or beside the "
    "program itself, and open this window again.</p></body></html>";

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxHelpFileBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

} // namespace

HelpDocument LoadHelpDocument(const std::filesystem::path& workingDir,
                              const std::filesystem::path& programDir) {
    // Installed, the document lives in <prefix>/share/kl40 beside <prefix>/bin.
    const std::filesystem::path installedDir =
        programDir.empty() ? programDir : programDir.parent_path() / "share" / "kl40";
    for (const std::filesystem::path* dir : {&workingDir, &programDir, &installedDir}) {
        if (dir->empty()) continue;
        const std::filesystem::path path = *dir / kHelpFileName;
        try {
            if (auto text = ReadWholeFile(path)) return {std::move(*text), true, path};
        } catch (...) {
            // An unreadable file is treated like a missing one.
        }
    }
    return {kMissingHelpNote, false, {}};
}

void Help::Form_Load() {
    std::error_code error;
    std::filesystem::path workingDir = std::filesystem::current_path(error);
    if (error) workingDir.clear();
    HelpDocument document = LoadHelpDocument(workingDir, programDir_);
    rtfData = std::move(document.text);
    documentFound = document.found;
}

} // namespace kl40
