#pragma once
// Control models: what each control of a window shows and the events it raises, with
// no toolkit behind them. Window logic owns its controls as members and hangs its
// handlers on their events; the Qt views and the scenario runner drive them through
// the User* members, which behave as the user's action would (events in the toolkit's
// order).
//
// Ownership: a Control belongs to the window object that declares it; it registers
// itself with its Form by name on construction and must not outlive the Form.
// Views observe a control through Observe(); they never own it.
#include "platform/ui/Observers.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velcaro::store {
class DataSource;
class Field;
} // namespace velcaro::store

namespace velcaro::ui {

class Form;

// A colour: 0xRRGGBB, or one of the system colours below (resolved by the view).
using Color = std::int64_t;
inline constexpr Color clWindow = -1;  // background of edit boxes
inline constexpr Color clBtnFace = -2; // background of windows and buttons
inline constexpr Color clSkyBlue = 0xA6CAF0;
inline constexpr Color clYellow = 0xFFFF00;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clRed = 0xFF0000;
inline constexpr Color clMaroon = 0x800000;
inline constexpr Color clNavy = 0x000080;
std::string ColorName(Color c); // "window", "btnface", "skyblue", "yellow", "green" or "#RRGGBB"

enum class ControlKind {
    Label, Button, Edit, MaskEdit, SpinEdit, ComboBox, CheckBox, RadioGroup, Gauge, Image,
    StatusBar, ListView, Memo, GroupBox, DBEdit, DBGrid, DBNavigator, DBLookupComboBox,
    DBComboBox, DBRadioGroup, DBMemo
};
const char* KindName(ControlKind k);

using NotifyEvent = std::function<void()>;

class Control {
public:
    Control(Form& owner, std::string name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }
    Form& Owner() const { return *owner_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string v);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string v);
    Color GetColor() const { return color_; }
    void SetColor(Color c);
    int Tag() const { return tag_; }
    void SetTag(int t) { tag_ = t; }
    // Whether a click or the tab key gives this control the focus.
    bool CanFocus() const { return canFocus_; }
    void SetCanFocus(bool v) { canFocus_ = v; }
    bool Focused() const;
    // Moves the focus here, from the program (the exit handler of the focused control runs).
    void SetFocus();

    // The text the control shows (edit text, combo text, caption of labels and buttons).
    virtual std::string Text() const { return caption_; }
    // A property by the name the scenario scripts use; nullopt when the control has none.
    virtual std::optional<std::string> Property(const std::string& name) const;

    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    NotifyEvent OnClick;

    // Views follow the control; the callback runs after every change of what it shows.
    int Observe(std::function<void()> cb);
    void Unobserve(int id);

    // User actions (views and scenario runner).
    virtual void UserClick();

protected:
    void Changed();

private:
    Form* owner_;
    std::string name_;
    ControlKind kind_;
    bool enabled_ = true;
    bool visible_ = true;
    bool canFocus_ = false;
    std::string caption_;
    std::string hint_;
    Color color_ = clBtnFace;
    int tag_ = 0;
    Observers observers_;
};

class Label : public Control {
public:
    Label(Form& f, std::string name, std::string caption = {});
};

class GroupBox : public Control {
public:
    GroupBox(Form& f, std::string name, std::string caption = {});
};

enum ModalResult : int { mrNone = 0, mrOK = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                         mrIgnore = 5, mrYes = 6, mrNo = 7 };

class Button : public Control {
public:
    // takesFocus: a push button takes the focus when clicked; a speed or tool button does not.
    Button(Form& f, std::string name, std::string caption = {}, bool takesFocus = true);
    int ModalResultValue() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    bool Default() const { return default_; }
    void SetDefault(bool v) { default_ = v; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    bool Down() const { return down_; }
    void SetDown(bool v);
    const std::string& Glyph() const { return glyph_; }
    void SetGlyph(std::string file) { glyph_ = std::move(file); Changed(); }
    void Click(); // from the program: OnClick, then the modal result
    void UserClick() override;
    std::optional<std::string> Property(const std::string& name) const override;

private:
    int modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
    bool down_ = false;
    std::string glyph_;
};

class Edit : public Control {
public:
    Edit(Form& f, std::string name, std::string text = {}, bool readOnly = false);
    std::string Text() const override { return text_; }
    void SetText(std::string t); // raises OnChange when the text changes
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n) { maxLength_ = n; }
    std::optional<std::string> Property(const std::string& name) const override;
    // The user replaces the whole text, as typing does.
    virtual void UserType(const std::string& text);

    NotifyEvent OnChange;

protected:
    Edit(Form& f, std::string name, ControlKind kind, std::string text, bool readOnly);
    std::string text_;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

// An edit with an input mask ("!99999;1;_"). The text holds blanks where the mask's
// positions are empty; the blank character of the mask shows them while editing and,
// written into the text, reads back as a blank.
class MaskEdit : public Edit {
public:
    MaskEdit(Form& f, std::string name, std::string editMask, std::string text = {});
    const std::string& EditMask() const { return mask_; }
    void SetText(std::string t);      // '_' (the blank character) reads back as a blank
    void UserType(const std::string& typed) override; // characters fill the mask positions
    std::optional<std::string> Property(const std::string& name) const override;

private:
    std::string mask_;
};

// Places typed characters into the positions of a mask such as "!99999;1;_".
// Characters a position does not accept are skipped; free positions become blanks.
std::string ApplyMask(const std::string& mask, const std::string& typed);
// The mask's blank character ("_" for "!99999;1;_").
char MaskBlank(const std::string& mask);

class SpinEdit : public Control {
public:
    SpinEdit(Form& f, std::string name);
    int Value() const { return value_; }
    // From the program: bounded by MinValue/MaxValue only when they differ; raises OnChange
    // on every change of value.
    void SetValue(int v);
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    int Increment() const { return increment_; }
    // Changing a bound never moves the value.
    void SetMinValue(int v);
    void SetMaxValue(int v);
    void SetIncrement(int v);
    std::string Text() const override;
    std::optional<std::string> Property(const std::string& name) const override;
    void UserSpinUp();
    void UserSpinDown();
    void UserSetValue(int v);

    NotifyEvent OnChange;

private:
    int Bounded(std::int64_t v) const;
    int value_ = 0;
    int min_ = 0;
    int max_ = 0;
    int increment_ = 1;
};

class ListControl : public Control {
public:
    ListControl(Form& f, std::string name, ControlKind kind);
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items); // leaves no selection
    void AddItem(std::string item);
    void ClearItems();
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int i); // -1 = none; no events from the program
    int IndexOf(const std::string& item) const;
    std::optional<std::string> Property(const std::string& name) const override;

protected:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A drop-down list; with ReadOnlyList (no free text) the text is always the chosen item.
class ComboBox : public ListControl {
public:
    ComboBox(Form& f, std::string name, bool dropDownList = true);
    std::string Text() const override;
    void SetText(std::string t);
    // The user opens the list, picks item i, and the list closes:
    // OnDropDown, OnChange (when the choice changed), OnCloseUp.
    // Returns false, with the list closed again and nothing chosen, when the open list has
    // no such item.
    bool UserChoose(int index);
    bool UserChoose(const std::string& item); // by the text shown once the list is open
    void UserDropDown(); // opens and closes without a choice
    void UserType(const std::string& text); // free-text combos only

    NotifyEvent OnChange;
    NotifyEvent OnDropDown;
    NotifyEvent OnCloseUp;

private:
    bool UserChoose(const std::function<int(const std::vector<std::string>&)>& pick);
    bool dropDownList_;
    std::string text_;
};

class RadioGroup : public ListControl {
public:
    RadioGroup(Form& f, std::string name, std::string caption, std::vector<std::string> items,
               int columns = 1);
    int Columns() const { return columns_; }
    std::string Text() const override;
    void UserChoose(int index); // OnClick when the choice changes

private:
    int columns_;
};

class CheckBox : public Control {
public:
    CheckBox(Form& f, std::string name, std::string caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool v); // from the program: OnClick runs when the state changes
    std::optional<std::string> Property(const std::string& name) const override;
    void UserSetChecked(bool v);

private:
    bool checked_ = false;
};

class Gauge : public Control {
public:
    Gauge(Form& f, std::string name);
    int Progress() const { return progress_; }
    void SetProgress(int v);
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetMinValue(int v) { min_ = v; Changed(); }
    void SetMaxValue(int v) { max_ = v; Changed(); }
    std::string Text() const override;
    std::optional<std::string> Property(const std::string& name) const override;

private:
    int progress_ = 0;
    int min_ = 0;
    int max_ = 100;
};

// A picture. The file name is kept as the program named it ("Images\LOGO.jpg").
class Image : public Control {
public:
    Image(Form& f, std::string name);
    const std::string& Picture() const { return picture_; }
    // Loads a picture file named relative to the program folder; a file that cannot be
    // read throws velcaro::Error naming the file, and the picture shown stays as it was.
    void LoadFromFile(const std::string& fileName);
    // A picture built into the window itself (no file is read when it is set).
    void SetPicture(std::string fileName);
    void Clear();
    std::optional<std::string> Property(const std::string& name) const override;

private:
    std::string picture_;
};

class StatusBar : public Control {
public:
    StatusBar(Form& f, std::string name, int panels = 1);
    const std::vector<std::string>& Panels() const { return panels_; }
    void SetPanelText(int i, std::string text);
    std::string Text() const override; // panels joined with "|"
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(std::string t);

private:
    std::vector<std::string> panels_;
    std::string simpleText_;
};

class Memo : public Control {
public:
    Memo(Form& f, std::string name);
    std::string Text() const override { return text_; }
    void SetText(std::string t);
    std::vector<std::string> Lines() const;
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; Changed(); }
    bool Modified() const { return modified_; }
    void SetModified(bool v) { modified_ = v; }
    void UserType(const std::string& text);

    NotifyEvent OnChange;

private:
    std::string text_;
    bool readOnly_ = false;
    bool modified_ = false;
};

// A list of rows with columns (the first column is the caption of the row).
class ListView : public Control {
public:
    ListView(Form& f, std::string name);
    const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
    void SetRows(std::vector<std::vector<std::string>> rows);
    void AddRow(std::vector<std::string> row);
    void ClearRows();
    int Selected() const { return selected_; }
    void SetSelected(int i);
    std::string Text() const override;
    void UserSelect(int row);

    NotifyEvent OnChange;

private:
    std::vector<std::vector<std::string>> rows_;
    int selected_ = -1;
};

} // namespace velcaro::ui
