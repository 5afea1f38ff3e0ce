#pragma once
// The state of the window's controls. The window logic writes it; a view shows it and
// forwards what the user does through the user-only members, which raise OnChange.

#include <functional>
#include <string>
#include <vector>

namespace dorvik {

enum class TColor { clWindow, clBtnFace };

struct TEdit {
    std::string Text;
};

// An editable drop-down list. ItemIndex is -1 when the text selects no item.
class TComboBox {
public:
    explicit TComboBox(std::vector<std::string> items, std::string text);

    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    const std::string& Text() const { return text_; }

    // The program selects an item; OnChange is not raised.
    void SetItemIndex(int index);

    // The user picks an item from the list.
    void UserSelects(int index);
    // The user edits the text; a text equal to an item selects that item.
    void UserEdits(const std::string& text);

    bool Enabled = true;
    TColor Color = TColor::clWindow;
    std::string Hint;
    bool ShowHint = true;
    std::function<void()> OnChange;

private:
    int IndexOf(const std::string& text) const;

    std::vector<std::string> items_;
    int itemIndex_ = -1;
    std::string text_;
};

} // namespace dorvik
