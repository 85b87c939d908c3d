#include "ui/help_window.h"

#include "image/whole_file.h"

#include <system_error>
#include <variant>

namespace kl40 {

namespace {

constexpr const char* kMissingHelpNote =
    "<html><body><h2>KL40 Help</h2>"
    "<p>The help document <b>KL40.hlp</b> could not be found or read.</p>"
    "<p>Place KL40.hlp in the folder the program is started from, or beside the "
    "program itself, and open this window again.</p></body></html>";

} // namespace

HelpDocument LoadHelpDocument(const std::filesystem::path& workingDir,
                              const std::filesystem::path& programDir) {
    // Installed, the document lives in <prefix>/share/kl40 beside <prefix>/bin.
    const std::filesystem::path installedDir =
        programDir.empty() ? programDir : programDir.parent_path() / "share" / "kl40";
    for (const std::filesystem::path* dir : {&workingDir, &programDir, &installedDir}) {
        if (dir->empty()) continue;
        const std::filesystem::path path = *dir / kHelpFileName;
        // An unreadable file is treated like a missing one.
        auto text = ReadWholeFile(path.string(), kMaxHelpFileBytes, Pipes::Refuse);
        if (auto* read = std::get_if<std::string>(&text))
            return {std::move(*read), true, path};
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
