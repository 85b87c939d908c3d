#pragma once
// The help window: shows the help document "KL40.hlp", an HTML file that the
// view renders as rich text. A missing or unreadable document leaves a short
// note in its place; the window opens either way.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

namespace kl40 {

inline constexpr const char* kHelpCaption = "KL40 Help";
inline constexpr const char* kHelpFileName = "KL40.hlp";
// A help file larger than this is taken as not a help document.
inline constexpr std::uintmax_t kMaxHelpFileBytes = 16u * 1024u * 1024u;

struct HelpDocument {
    std::string text;           // the document, or the note shown in its place
    bool found = false;         // whether `text` is the document
    std::filesystem::path path; // the file read, when found
};

// Reads "KL40.hlp" from `workingDir`, or failing that from `programDir` (the
// folder of the executable; skipped when empty), or from the installed data
// folder `programDir`/../share/kl40.
HelpDocument LoadHelpDocument(const std::filesystem::path& workingDir,
                              const std::filesystem::path& programDir);

class Help {
public:
    // `programDir` is the second place to look for the document.
    explicit Help(std::filesystem::path programDir = {}) : programDir_(std::move(programDir)) {}

    std::string caption = kHelpCaption;
    // The rich text shown in the window.
    std::string rtfData;
    bool documentFound = false;

    // Loads the document from the current working directory (or the program
    // directory) into `rtfData`.
    void Form_Load();

private:
    std::filesystem::path programDir_;
};

} // namespace kl40
