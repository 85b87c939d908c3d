#include "ui/undo_history.h"

#include <utility>

namespace kl40 {

void UndoHistory::begin() {
    if (depth_++ == 0) before_ = CaptureState(ws_);
}

void UndoHistory::end() {
    if (--depth_ > 0 || !before_) return;
    FormState before = std::move(*before_);
    before_.reset();
    if (SameDataSet(before, CaptureState(ws_))) return;
    redo_.clear();
    // A save on the branch just dropped can no longer be returned to.
    if (savedAt_ && *savedAt_ > undo_.size()) savedAt_.reset();
    undo_.push_back(std::move(before));
    if (undo_.size() > steps_) {
        undo_.pop_front();
        if (savedAt_) savedAt_ = *savedAt_ == 0 ? std::nullopt : std::optional(*savedAt_ - 1);
    }
}

void UndoHistory::move(std::deque<FormState>& from, std::deque<FormState>& keep) {
    if (depth_ > 0 || from.empty()) return;
    keep.push_back(CaptureState(ws_));
    RestoreState(ws_, from.back());
    from.pop_back();
    ws_.data.DataChanged = savedAt_ != undo_.size();
}

void UndoHistory::undo() {
    move(undo_, redo_);
}

void UndoHistory::redo() {
    move(redo_, undo_);
}

void UndoHistory::restart() {
    undo_.clear();
    redo_.clear();
    before_.reset();
    savedAt_ = ws_.data.DataChanged ? std::nullopt : std::optional<std::size_t>(0);
}

} // namespace kl40
