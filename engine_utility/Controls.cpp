#include "Controls.h"

#include <algorithm>
#include <utility>

namespace dorvik {

TComboBox::TComboBox(std::vector<std::string> items, std::string text)
    : items_(std::move(items)), text_(std::move(text)) {
    itemIndex_ = IndexOf(text_);
}

int TComboBox::IndexOf(const std::string& text) const {
    const auto found = std::find(items_.begin(), items_.end(), text);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TComboBox::SetItemIndex(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < items_.size()) {
        itemIndex_ = index;
        text_ = items_[static_cast<std::size_t>(index)];
    } else {
        itemIndex_ = -1;
        text_.clear();
    }
}

void TComboBox::UserSelects(int index) {
    SetItemIndex(index);
    if (OnChange)
        OnChange();
}

void TComboBox::UserEdits(const std::string& text) {
    text_ = text;
    // Typing the exact text of an item is the same choice as picking it.
    itemIndex_ = IndexOf(text_);
    if (OnChange)
        OnChange();
}

} // namespace dorvik
