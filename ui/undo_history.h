#pragma once
// Undo and redo over the operator's changes to the data set. An action that
// changes the data set leaves one step: the state from just before it. Undo
// puts that state back exactly and keeps the state it replaces for redo. New
// and Open start a fresh history; nothing else clears it.

#include "ui/form/workspace.h"
#include "ui/form_state.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace kl40 {

class UndoHistory {
public:
    // The most steps kept; the oldest goes first.
    static constexpr std::size_t kSteps = 100;

    explicit UndoHistory(Workspace& ws, std::size_t steps = kSteps) : ws_(ws), steps_(steps) {}
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Runs one of the operator's actions. When it changed the data set, the
    // state before it becomes the step that Undo goes back to, and what could
    // be redone is dropped. An action run within an action is part of it; an
    // action that fails part-way is recorded as far as it went.
    template <class Action> void record(Action&& action) {
        begin();
        try {
            action();
        } catch (...) {
            end();
            throw;
        }
        end();
    }

    bool canUndo() const { return depth_ == 0 && !undo_.empty(); }
    bool canRedo() const { return depth_ == 0 && !redo_.empty(); }
    // Each does nothing when there is nothing to undo or redo. Afterwards the
    // data set is unsaved unless it is where the last save left it.
    void undo();
    void redo();

    // New and Open: the data set as it is now starts a fresh history. It
    // counts as saved when it is unchanged (a file just opened).
    void restart();
    // A save wrote the data set as it is now.
    void saved() { savedAt_ = undo_.size(); }

private:
    void begin();
    void end();
    // Puts `state` back, keeping the state it replaces on `keep`.
    void move(std::deque<FormState>& from, std::deque<FormState>& keep);

    Workspace& ws_;
    std::size_t steps_;
    std::deque<FormState> undo_; // oldest first
    std::deque<FormState> redo_; // the next redo last
    // The history position (steps that can be undone) where the data set is
    // the one last saved or opened; none when no position holds it.
    std::optional<std::size_t> savedAt_ = 0;
    int depth_ = 0;
    // The state before the action under way; none once a restart dropped it.
    std::optional<FormState> before_;
};

} // namespace kl40
