#pragma once
// The files last opened or saved, newest first, as the File menu lists them.
// The list lives in a store that outlasts the program (the desktop keeps it
// in the user's settings); without a store it lasts as long as the program.

#include <cstddef>
#include <string>
#include <vector>

namespace kl40 {

inline constexpr std::size_t kMaxRecentFiles = 8;

// Where the list is kept between runs.
class RecentFilesStore {
public:
    virtual ~RecentFilesStore() = default;
    virtual std::vector<std::string> load() = 0;
    virtual void save(const std::vector<std::string>& paths) = 0;
};

class RecentFiles {
public:
    // Reads the list from `store` (none: an empty list kept in memory).
    explicit RecentFiles(RecentFilesStore* store = nullptr);

    // Newest first, at most kMaxRecentFiles, no path twice.
    const std::vector<std::string>& paths() const { return paths_; }

    // Puts the file (made absolute, so that it names the same file from any
    // working folder) at the top; the oldest beyond the limit is dropped.
    void add(const std::string& path);
    void remove(const std::string& path);

private:
    void save();

    RecentFilesStore* store_;
    std::vector<std::string> paths_;
};

// The menu caption of entry `number` (from 1): an access key for 1 to 9, then
// the path, with the ampersands in it doubled so that they show as written.
std::string RecentFileCaption(std::size_t number, const std::string& path);

} // namespace kl40
