#include "ui/form/fields.h"

#include <stdexcept>

namespace kl40 {

void CheckBox::setChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    onClick_();
}

void ComboBox::clear() {
    items_.clear();
    text_.clear();
    listIndex_ = -1;
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        throw std::out_of_range("combo box index out of range");
    if (index == listIndex_) return;
    listIndex_ = index;
    text_ = index >= 0 ? items_[static_cast<std::size_t>(index)] : std::string();
    onClick_();
}

void ComboBox::setText(const std::string& text) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == text) {
            setListIndex(static_cast<int>(i));
            return;
        }
    }
    text_ = text;
    listIndex_ = -1;
}

void ComboBox::editText(std::string text) {
    text_ = std::move(text);
    listIndex_ = -1;
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= count()) throw std::out_of_range("list line out of range");
    lines_.erase(lines_.begin() + index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
}

void ListBox::clear() {
    lines_.clear();
    listIndex_ = -1;
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= count()) throw std::out_of_range("list line out of range");
    if (index == listIndex_) return;
    listIndex_ = index;
    onClick_();
}

void ListBox::highlight(int index) {
    if (index < -1 || index >= count()) throw std::out_of_range("list line out of range");
    listIndex_ = index;
}

std::string ListBox::text() const {
    return listIndex_ >= 0 ? lines_[static_cast<std::size_t>(listIndex_)] : std::string();
}

} // namespace kl40
