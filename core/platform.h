#pragma once
// Everything the logic asks of the operator goes through this interface:
// message boxes, Yes/No and Yes/No/Cancel questions, a choice from a list, the open and save
// dialogs and the busy pointer. The desktop application implements it with Qt; tests script it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

enum class Icon { None, Information, Exclamation, Critical, Question };
// YesNoDefaultNo: a question whose Yes risks something, so Enter answers No.
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
// Escape and the window's close button answer Cancel where it is offered.
enum class Answer { Ok, Yes, No, Cancel };

inline constexpr const char* kAppTitle = "KL40";

struct FileDialogRequest {
    std::string filter;   // "Description|pattern", e.g. "Radio Data Files(*.bin)|*.bin"
    std::string fileName; // initial file name ("" for none)
    bool overwritePrompt = false;
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual Answer message(const std::string& text, const std::string& title, Icon icon,
                           Buttons buttons) = 0;
    // Return the chosen path, or nothing when the operator cancels.
    virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    virtual void setBusy(bool busy) = 0;
    // One of `items`, starting at `preselected`: its index, or nothing when the
    // operator cancels. A platform that cannot ask answers nothing.
    virtual std::optional<std::size_t> choose(const std::string& /*text*/,
                                              const std::string& /*title*/,
                                              const std::vector<std::string>& /*items*/,
                                              std::size_t /*preselected*/) {
        return std::nullopt;
    }

    // Convenience for the common single-button message. While a
    // MessageCollector is attached, the text is collected instead of shown.
    void show(const std::string& text, const std::string& title, Icon icon) {
        if (collected_) {
            collected_->push_back(text);
            return;
        }
        message(text, title, icon, Buttons::Ok);
    }
    bool askYesNo(const std::string& text, const std::string& title) {
        return message(text, title, Icon::Question, Buttons::YesNo) == Answer::Yes;
    }
    bool askYesNoDefaultNo(const std::string& text, const std::string& title) {
        return message(text, title, Icon::Question, Buttons::YesNoDefaultNo) == Answer::Yes;
    }
    Answer askYesNoCancel(const std::string& text, const std::string& title) {
        return message(text, title, Icon::Question, Buttons::YesNoCancel);
    }

private:
    friend class MessageCollector;
    std::vector<std::string>* collected_ = nullptr;
};

// Shows the busy pointer for the life of the guard, whatever way it ends.
class BusyPointer {
public:
    explicit BusyPointer(Platform& platform) : platform_(platform) { platform_.setBusy(true); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
    ~BusyPointer() { platform_.setBusy(false); }

private:
    Platform& platform_;
};

// Collects the single-button messages of a platform for its lifetime, so that
// an operation run many times over (storing the channels of a file) can report
// them once, together, instead of one message box each.
class MessageCollector {
public:
    explicit MessageCollector(Platform& platform)
        : platform_(platform), previous_(platform.collected_) {
        platform_.collected_ = &messages;
    }
    MessageCollector(const MessageCollector&) = delete;
    MessageCollector& operator=(const MessageCollector&) = delete;
    ~MessageCollector() { platform_.collected_ = previous_; }

    std::vector<std::string> messages;

private:
    Platform& platform_;
    std::vector<std::string>* previous_;
};

} // namespace kl40
