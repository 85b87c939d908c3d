#pragma once
// Plain-value form fields. They follow the windowing toolkit's rule that the
// channel entry and the decoder rely on: changing a check box's value or a
// list's selected item from the program runs that field's click handler
// exactly as an operator's click does; setting the value it already has runs
// nothing. Text boxes have no click handler.
//
// A field's click handler belongs to the field it is wired to: a copy of a
// field holds its values only, and assigning one field's values to another
// keeps the target's handler and runs nothing. That is how the form's state is
// kept and put back without any handler seeing it as a change. Handlers are no
// part of a field's value: fields compare equal whatever they are wired to.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kl40 {

using Handler = std::function<void()>;

// The click handler a field is wired to; see above for how it is copied.
class WiredHandler {
public:
    WiredHandler() = default;
    WiredHandler(const WiredHandler&) noexcept {}
    WiredHandler& operator=(const WiredHandler&) noexcept { return *this; }
    ~WiredHandler() = default;

    void wire(Handler handler) { handler_ = std::move(handler); }
    // Runs the handler, if one is wired.
    void operator()() const {
        if (handler_) handler_();
    }
    bool operator==(const WiredHandler&) const { return true; }

private:
    Handler handler_;
};

class TextBox {
public:
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    void clear() { text_.clear(); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }

    bool operator==(const TextBox&) const = default;

private:
    std::string text_;
    bool enabled_ = true;
};

class CheckBox {
public:
    explicit CheckBox(std::string caption = {}) : caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    bool checked() const { return checked_; }
    // Runs the click handler when the value changes.
    void setChecked(bool on);
    // An operator's click: toggles the box and runs the click handler.
    void click() { setChecked(!checked_); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }
    void onClick(Handler handler) { onClick_.wire(std::move(handler)); }

    // Background colour as 0xRRGGBB; only the scan box changes it.
    std::uint32_t backColor() const { return backColor_; }
    void setBackColor(std::uint32_t rgb) { backColor_ = rgb; }

    bool operator==(const CheckBox&) const = default;

private:
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    std::uint32_t backColor_ = kButtonFace;
    WiredHandler onClick_;

public:
    static constexpr std::uint32_t kButtonFace = 0xF0F0F0;
};

// A combo box, free text or drop-down list. `listIndex` is -1 when no item is
// selected (free text that names no item).
class ComboBox {
public:
    const std::vector<std::string>& items() const { return items_; }
    void addItem(std::string item) { items_.push_back(std::move(item)); }
    // Removes every item and the text; runs nothing.
    void clear();

    int listIndex() const { return listIndex_; }
    // Selects item `index` (-1 for none) and runs the click handler when the
    // selection changes. An index outside -1 .. items-1 throws std::out_of_range.
    void setListIndex(int index);

    const std::string& text() const { return text_; }
    // From the program: a text that names an item selects that item (running
    // the click handler when the selection changes); any other text becomes
    // free text with no item selected and runs nothing.
    void setText(const std::string& text);
    // The operator typing into the edit part: free text, nothing runs.
    void editText(std::string text);

    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }
    void onClick(Handler handler) { onClick_.wire(std::move(handler)); }

    bool operator==(const ComboBox&) const = default;

private:
    std::vector<std::string> items_;
    std::string text_;
    int listIndex_ = -1;
    bool enabled_ = true;
    WiredHandler onClick_;
};

class ListBox {
public:
    const std::vector<std::string>& lines() const { return lines_; }
    int count() const { return static_cast<int>(lines_.size()); }
    void addItem(std::string line) { lines_.push_back(std::move(line)); }
    // Removes line `index`; a removed selected line leaves nothing selected.
    // Runs nothing. Throws std::out_of_range for a line that does not exist.
    void removeItem(int index);
    // Removes every line and the selection; runs nothing.
    void clear();

    int listIndex() const { return listIndex_; }
    // Selects line `index` (-1 for none) and runs the click handler when the
    // selection changes. Throws std::out_of_range for a line that does not exist.
    void setListIndex(int index);
    // Marks line `index` (-1 for none) as selected without running the click
    // handler: a selection the program shows, not a choice. Throws
    // std::out_of_range for a line that does not exist.
    void highlight(int index);
    // The selected line, or "" when none is selected.
    std::string text() const;

    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string tip) { toolTip_ = std::move(tip); }
    void onClick(Handler handler) { onClick_.wire(std::move(handler)); }

    bool operator==(const ListBox&) const = default;

private:
    std::vector<std::string> lines_;
    int listIndex_ = -1;
    std::string toolTip_;
    WiredHandler onClick_;
};

class Button {
public:
    explicit Button(std::string caption = {}) : caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }

    bool operator==(const Button&) const = default;

private:
    std::string caption_;
    bool enabled_ = true;
};

} // namespace kl40
