#pragma once
// A Platform for tests: records every message and dialog, answers from queues.

#include "core/platform.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kl40::test {

struct RecordedMessage {
    std::string text;
    std::string title;
    Icon icon;
    Buttons buttons;
};

class ScriptedPlatform : public Platform {
public:
    Answer message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override {
        messages.push_back({text, title, icon, buttons});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) throw std::logic_error("unexpected question: " + text);
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return nextPath();
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return nextPath();
    }
    void setBusy(bool busy) override {
        busyChanges.push_back(busy);
        this->busy = busy;
    }

    std::optional<std::size_t> choose(const std::string& text, const std::string& title,
                                      const std::vector<std::string>& items,
                                      std::size_t preselected) override {
        choices.push_back({text, title, items, preselected});
        if (chosen.empty()) throw std::logic_error("unexpected choice: " + text);
        auto c = chosen.front();
        chosen.pop_front();
        return c;
    }

    // Queue an answer for the next Yes/No question.
    void answer(Answer a) { answers.push_back(a); }
    // Queue a path (or a cancel) for the next file dialog.
    void choosePath(std::string path) { paths.emplace_back(std::move(path)); }
    void cancelDialog() { paths.emplace_back(std::nullopt); }

    const RecordedMessage& last() const {
        if (messages.empty()) throw std::logic_error("no message shown");
        return messages.back();
    }
    void clear() { messages.clear(); }

    std::vector<RecordedMessage> messages;
    struct Choice {
        std::string text;
        std::string title;
        std::vector<std::string> items;
        std::size_t preselected;
    };
    std::vector<Choice> choices;
    std::deque<std::optional<std::size_t>> chosen; // the next choices' answers
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<bool> busyChanges;
    bool busy = false;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> paths;
    // Acts on a chosen path before the dialog returns it, as another program
    // might between the operator's choice and the file access.
    std::function<void(const std::string&)> onChosen;

private:
    std::optional<std::string> nextPath() {
        if (paths.empty()) throw std::logic_error("unexpected file dialog");
        auto p = paths.front();
        paths.pop_front();
        if (p && onChosen) onChosen(*p);
        return p;
    }
};

} // namespace kl40::test
