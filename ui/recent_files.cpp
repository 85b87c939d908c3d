#include "ui/recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kl40 {

namespace {

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

} // namespace

RecentFiles::RecentFiles(RecentFilesStore* store) : store_(store) {
    if (store_ == nullptr) return;
    // A list edited by hand or written by another version may hold blanks,
    // duplicates or too many entries: keep what the menu can show.
    for (const std::string& path : store_->load()) {
        if (path.empty() || std::find(paths_.begin(), paths_.end(), path) != paths_.end()) continue;
        if (paths_.size() == kMaxRecentFiles) break;
        paths_.push_back(path);
    }
}

void RecentFiles::add(const std::string& path) {
    if (path.empty()) return;
    const std::string absolute = Absolute(path);
    std::erase(paths_, absolute);
    paths_.insert(paths_.begin(), absolute);
    if (paths_.size() > kMaxRecentFiles) paths_.resize(kMaxRecentFiles);
    save();
}

void RecentFiles::remove(const std::string& path) {
    if (std::erase(paths_, path) > 0) save();
}

void RecentFiles::save() {
    if (store_ != nullptr) store_->save(paths_);
}

std::string RecentFileCaption(std::size_t number, const std::string& path) {
    std::string caption;
    if (number < 10) caption = "&" + std::to_string(number) + " ";
    for (const char c : path) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

} // namespace kl40
