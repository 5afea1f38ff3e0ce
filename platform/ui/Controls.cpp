#include "platform/ui/Controls.h"

#include "platform/Error.h"
#include "platform/FileError.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace velcaro::ui {

std::string ColorName(Color c)
{
    switch (c) {
    case clWindow: return "window";
    case clBtnFace: return "btnface";
    case clSkyBlue: return "skyblue";
    case clYellow: return "yellow";
    case clGreen: return "green";
    default: break;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", static_cast<unsigned>((c >> 16) & 0xFF),
                  static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>(c & 0xFF));
    return buf;
}

const char* KindName(ControlKind k)
{
    switch (k) {
    case ControlKind::Label: return "Label";
    case ControlKind::Button: return "Button";
    case ControlKind::Edit: return "Edit";
    case ControlKind::MaskEdit: return "MaskEdit";
    case ControlKind::SpinEdit: return "SpinEdit";
    case ControlKind::ComboBox: return "ComboBox";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::RadioGroup: return "RadioGroup";
    case ControlKind::Gauge: return "Gauge";
    case ControlKind::Image: return "Image";
    case ControlKind::StatusBar: return "StatusBar";
    case ControlKind::ListView: return "ListView";
    case ControlKind::Memo: return "Memo";
    case ControlKind::GroupBox: return "GroupBox";
    case ControlKind::DBEdit: return "DBEdit";
    case ControlKind::DBGrid: return "DBGrid";
    case ControlKind::DBNavigator: return "DBNavigator";
    case ControlKind::DBLookupComboBox: return "DBLookupComboBox";
    case ControlKind::DBComboBox: return "DBComboBox";
    case ControlKind::DBRadioGroup: return "DBRadioGroup";
    case ControlKind::DBMemo: return "DBMemo";
    }
    return "?";
}

namespace {
std::string Bool(bool b) { return b ? "true" : "false"; }
std::string Joined(const std::vector<std::string>& items)
{
    std::string s;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i)
            s += '|';
        s += items[i];
    }
    return s;
}
} // namespace

// ---- Control ---------------------------------------------------------------------------

Control::Control(Form& owner, std::string name, ControlKind kind)
    : owner_(&owner), name_(std::move(name)), kind_(kind)
{
    owner_->Register(this);
}

Control::~Control() { owner_->Unregister(this); }

void Control::SetEnabled(bool v)
{
    if (enabled_ != v) {
        enabled_ = v;
        Changed();
    }
}
void Control::SetVisible(bool v)
{
    if (visible_ != v) {
        visible_ = v;
        Changed();
    }
}
void Control::SetCaption(std::string v)
{
    if (caption_ != v) {
        caption_ = std::move(v);
        Changed();
    }
}
void Control::SetHint(std::string v)
{
    hint_ = std::move(v);
    Changed();
}
void Control::SetColor(Color c)
{
    if (color_ != c) {
        color_ = c;
        Changed();
    }
}
bool Control::Focused() const { return owner_->ActiveControl() == this; }
void Control::SetFocus()
{
    if (!enabled_ || !visible_)
        throw Error("Impossibile dare il fuoco a un controllo disattivato o nascosto ('" + name_ + "').");
    owner_->RequestFocus(this);
}

std::optional<std::string> Control::Property(const std::string& name) const
{
    if (name == "enabled") return Bool(enabled_);
    if (name == "visible") return Bool(visible_);
    if (name == "caption") return caption_;
    if (name == "hint") return hint_;
    if (name == "color") return ColorName(color_);
    if (name == "tag") return std::to_string(tag_);
    return std::nullopt;
}

int Control::Observe(std::function<void()> cb) { return observers_.Add(std::move(cb)); }
void Control::Unobserve(int id) { observers_.Remove(id); }
void Control::Changed() { observers_.Notify(); }
void Control::UserClick()
{
    if (OnClick)
        OnClick();
}

// ---- simple controls -------------------------------------------------------------------

Label::Label(Form& f, std::string name, std::string caption)
    : Control(f, std::move(name), ControlKind::Label)
{
    SetCaption(std::move(caption));
}

GroupBox::GroupBox(Form& f, std::string name, std::string caption)
    : Control(f, std::move(name), ControlKind::GroupBox)
{
    SetCaption(std::move(caption));
}

Button::Button(Form& f, std::string name, std::string caption, bool takesFocus)
    : Control(f, std::move(name), ControlKind::Button)
{
    SetCaption(std::move(caption));
    SetCanFocus(takesFocus);
}

void Button::SetDown(bool v)
{
    down_ = v;
    Changed();
}

void Button::Click()
{
    if (OnClick)
        OnClick();
    if (modalResult_ != mrNone)
        Owner().SetModalResult(modalResult_);
}

void Button::UserClick()
{
    if (CanFocus())
        Owner().FocusControl(this);
    // The exit handler of the control left behind may have kept the focus (a refused
    // entry): then the click never reaches the button, as with a real mouse click.
    if (CanFocus() && Owner().ActiveControl() != this)
        return;
    Click();
}

std::optional<std::string> Button::Property(const std::string& name) const
{
    if (name == "picture") return glyph_;
    return Control::Property(name);
}

// ---- Edit ------------------------------------------------------------------------------

Edit::Edit(Form& f, std::string name, std::string text, bool readOnly)
    : Edit(f, std::move(name), ControlKind::Edit, std::move(text), readOnly)
{
}

Edit::Edit(Form& f, std::string name, ControlKind kind, std::string text, bool readOnly)
    : Control(f, std::move(name), kind), text_(std::move(text)), readOnly_(readOnly)
{
    SetColor(clWindow);
    SetCanFocus(true);
}

void Edit::SetText(std::string t)
{
    if (t == text_)
        return;
    text_ = std::move(t);
    Changed();
    if (OnChange)
        OnChange();
}

void Edit::SetReadOnly(bool v)
{
    readOnly_ = v;
    Changed();
}

std::optional<std::string> Edit::Property(const std::string& name) const
{
    if (name == "readonly") return Bool(readOnly_);
    return Control::Property(name);
}

void Edit::UserType(const std::string& text)
{
    Owner().FocusControl(this);
    if (readOnly_)
        return; // a read-only box takes the focus but not the keys
    std::string t = text;
    if (maxLength_ > 0 && static_cast<int>(t.size()) > maxLength_)
        t.resize(static_cast<size_t>(maxLength_));
    SetText(std::move(t));
}

// ---- MaskEdit --------------------------------------------------------------------------

namespace {
struct ParsedMask {
    std::string positions; // mask characters, one per text position
    char blank = '_';
};

ParsedMask ParseMask(const std::string& mask)
{
    ParsedMask p;
    std::string body = mask;
    const auto first = mask.find(';');
    if (first != std::string::npos) {
        body = mask.substr(0, first);
        const auto second = mask.find(';', first + 1);
        if (second != std::string::npos && second + 1 < mask.size())
            p.blank = mask[second + 1];
    }
    for (size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '!' || c == '>' || c == '<')
            continue; // flags, not positions
        if (c == '\\' && i + 1 < body.size()) {
            p.positions += '\x01'; // escaped literal marker followed by the literal
            p.positions += body[++i];
            continue;
        }
        p.positions += c;
    }
    return p;
}

bool Accepts(char maskChar, char c)
{
    const bool digit = c >= '0' && c <= '9';
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    switch (maskChar) {
    case '0': return digit;
    case '9': return digit || c == ' ';
    case '#': return digit || c == ' ' || c == '+' || c == '-';
    case 'L': return letter;
    case 'l': return letter || c == ' ';
    case 'A': return letter || digit;
    case 'a': return letter || digit || c == ' ';
    case 'C': return c != ' ';
    case 'c': return true;
    default: return false;
    }
}

bool IsPosition(char m) { return std::string("09#LlAaCc").find(m) != std::string::npos; }
} // namespace

char MaskBlank(const std::string& mask) { return ParseMask(mask).blank; }

std::string ApplyMask(const std::string& mask, const std::string& typed)
{
    const ParsedMask p = ParseMask(mask);
    std::string out;
    size_t in = 0;
    for (size_t i = 0; i < p.positions.size(); ++i) {
        const char m = p.positions[i];
        if (m == '\x01') { // escaped literal
            out += p.positions[++i];
            continue;
        }
        if (!IsPosition(m)) {
            out += m; // literal kept in the text
            if (in < typed.size() && typed[in] == m)
                ++in;
            continue;
        }
        char placed = ' ';
        while (in < typed.size()) {
            char c = typed[in++];
            if (c == p.blank)
                c = ' ';
            if (Accepts(m, c)) {
                placed = c;
                break;
            }
        }
        out += placed;
    }
    return out;
}

MaskEdit::MaskEdit(Form& f, std::string name, std::string editMask, std::string text)
    : Edit(f, std::move(name), ControlKind::MaskEdit, {}, false), mask_(std::move(editMask))
{
    text_ = ApplyMask(mask_, text);
}

void MaskEdit::SetText(std::string t) { Edit::SetText(ApplyMask(mask_, t)); }

void MaskEdit::UserType(const std::string& typed)
{
    Owner().FocusControl(this);
    if (readOnly_)
        return;
    SetText(typed);
}

std::optional<std::string> MaskEdit::Property(const std::string& name) const
{
    if (name == "mask") return mask_;
    return Edit::Property(name);
}

// ---- SpinEdit --------------------------------------------------------------------------

SpinEdit::SpinEdit(Form& f, std::string name) : Control(f, std::move(name), ControlKind::SpinEdit)
{
    SetColor(clWindow);
    SetCanFocus(true);
}

int SpinEdit::Bounded(std::int64_t v) const
{
    // Bounds apply only when they differ: equal bounds (0..0 at start) leave any value free.
    if (min_ != max_) {
        v = std::max<std::int64_t>(v, min_);
        v = std::min<std::int64_t>(v, max_);
    }
    v = std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX);
    return static_cast<int>(v);
}

void SpinEdit::SetValue(int v)
{
    const int b = Bounded(v);
    if (b == value_)
        return;
    value_ = b;
    Changed();
    if (OnChange)
        OnChange();
}

void SpinEdit::SetMinValue(int v)
{
    min_ = v;
    Changed();
}
void SpinEdit::SetMaxValue(int v)
{
    max_ = v;
    Changed();
}
void SpinEdit::SetIncrement(int v)
{
    increment_ = v;
    Changed();
}
std::string SpinEdit::Text() const { return std::to_string(value_); }

std::optional<std::string> SpinEdit::Property(const std::string& name) const
{
    if (name == "value") return std::to_string(value_);
    if (name == "min") return std::to_string(min_);
    if (name == "max") return std::to_string(max_);
    if (name == "increment") return std::to_string(increment_);
    return Control::Property(name);
}

void SpinEdit::UserSpinUp()
{
    Owner().FocusControl(this);
    SetValue(Bounded(static_cast<std::int64_t>(value_) + increment_));
}
void SpinEdit::UserSpinDown()
{
    Owner().FocusControl(this);
    SetValue(Bounded(static_cast<std::int64_t>(value_) - increment_));
}
void SpinEdit::UserSetValue(int v)
{
    Owner().FocusControl(this);
    SetValue(v);
}

// ---- lists -----------------------------------------------------------------------------

ListControl::ListControl(Form& f, std::string name, ControlKind kind)
    : Control(f, std::move(name), kind)
{
}

void ListControl::SetItems(std::vector<std::string> items)
{
    items_ = std::move(items);
    itemIndex_ = -1;
    Changed();
}
void ListControl::AddItem(std::string item)
{
    items_.push_back(std::move(item));
    Changed();
}
void ListControl::ClearItems() { SetItems({}); }
void ListControl::SetItemIndex(int i)
{
    if (i < -1 || i >= static_cast<int>(items_.size()))
        i = -1;
    itemIndex_ = i;
    Changed();
}
int ListControl::IndexOf(const std::string& item) const
{
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}
std::optional<std::string> ListControl::Property(const std::string& name) const
{
    if (name == "itemindex") return std::to_string(itemIndex_);
    if (name == "items") return Joined(items_);
    return Control::Property(name);
}

ComboBox::ComboBox(Form& f, std::string name, bool dropDownList)
    : ListControl(f, std::move(name), ControlKind::ComboBox), dropDownList_(dropDownList)
{
    SetColor(clWindow);
    SetCanFocus(true);
}

std::string ComboBox::Text() const
{
    if (dropDownList_)
        return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string();
    return text_;
}

void ComboBox::SetText(std::string t)
{
    if (dropDownList_) {
        SetItemIndex(IndexOf(t));
        return;
    }
    text_ = std::move(t);
    itemIndex_ = IndexOf(text_);
    Changed();
}

bool ComboBox::UserChoose(int index)
{
    return UserChoose([index](const std::vector<std::string>&) { return index; });
}

bool ComboBox::UserChoose(const std::string& item)
{
    return UserChoose([&item](const std::vector<std::string>& items) {
        auto it = std::find(items.begin(), items.end(), item);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    });
}

bool ComboBox::UserChoose(const std::function<int(const std::vector<std::string>&)>& pick)
{
    Owner().FocusControl(this);
    // Opening the list may fill it anew: the user picks from what the list shows then.
    if (OnDropDown)
        OnDropDown();
    const int index = pick(items_);
    if (index < 0 || index >= static_cast<int>(items_.size())) {
        if (OnCloseUp)
            OnCloseUp();
        return false;
    }
    const bool changed = index != itemIndex_;
    if (changed) {
        itemIndex_ = index;
        if (index >= 0)
            text_ = items_[static_cast<size_t>(index)];
        Changed();
        if (OnChange)
            OnChange();
    }
    if (OnCloseUp)
        OnCloseUp();
    return true;
}

void ComboBox::UserDropDown()
{
    Owner().FocusControl(this);
    if (OnDropDown)
        OnDropDown();
    if (OnCloseUp)
        OnCloseUp();
}

void ComboBox::UserType(const std::string& text)
{
    Owner().FocusControl(this);
    if (dropDownList_)
        return;
    text_ = text;
    itemIndex_ = IndexOf(text_);
    Changed();
    if (OnChange)
        OnChange();
}

RadioGroup::RadioGroup(Form& f, std::string name, std::string caption,
                       std::vector<std::string> items, int columns)
    : ListControl(f, std::move(name), ControlKind::RadioGroup), columns_(columns)
{
    SetCaption(std::move(caption));
    items_ = std::move(items);
    SetCanFocus(true);
}

std::string RadioGroup::Text() const
{
    return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string();
}

void RadioGroup::UserChoose(int index)
{
    Owner().FocusControl(this);
    if (index == itemIndex_)
        return;
    SetItemIndex(index);
    if (OnClick)
        OnClick();
}

CheckBox::CheckBox(Form& f, std::string name, std::string caption)
    : Control(f, std::move(name), ControlKind::CheckBox)
{
    SetCaption(std::move(caption));
    SetCanFocus(true);
}

void CheckBox::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    Changed();
    if (OnClick)
        OnClick();
}

std::optional<std::string> CheckBox::Property(const std::string& name) const
{
    if (name == "checked") return Bool(checked_);
    return Control::Property(name);
}

void CheckBox::UserSetChecked(bool v)
{
    Owner().FocusControl(this);
    SetChecked(v);
}

// ---- Gauge, Image, StatusBar, Memo, ListView ----------------------------------------------

Gauge::Gauge(Form& f, std::string name) : Control(f, std::move(name), ControlKind::Gauge) {}

void Gauge::SetProgress(int v)
{
    progress_ = std::clamp(v, min_, max_);
    Changed();
}
std::string Gauge::Text() const
{
    const long long span = static_cast<long long>(max_) - min_;
    const long long pct = span > 0 ? (static_cast<long long>(progress_) - min_) * 100 / span : 0;
    return std::to_string(pct) + "%";
}
std::optional<std::string> Gauge::Property(const std::string& name) const
{
    if (name == "position" || name == "value") return std::to_string(progress_);
    if (name == "min") return std::to_string(min_);
    if (name == "max") return std::to_string(max_);
    return Control::Property(name);
}

Image::Image(Form& f, std::string name) : Control(f, std::move(name), ControlKind::Image) {}

void Image::LoadFromFile(const std::string& fileName)
{
    const std::string path = Owner().App().ResolvePath(fileName);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw Error(FileErrorText(fileName, EISDIR));
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(FileErrorText(fileName, errno ? errno : ENOENT));
    picture_ = fileName;
    Changed();
}
void Image::SetPicture(std::string fileName)
{
    picture_ = std::move(fileName);
    Changed();
}

void Image::Clear()
{
    picture_.clear();
    Changed();
}
std::optional<std::string> Image::Property(const std::string& name) const
{
    if (name == "picture") return picture_;
    return Control::Property(name);
}

StatusBar::StatusBar(Form& f, std::string name, int panels)
    : Control(f, std::move(name), ControlKind::StatusBar),
      panels_(static_cast<size_t>(std::max(panels, 0)))
{
}
void StatusBar::SetPanelText(int i, std::string text)
{
    if (i < 0)
        return;
    if (static_cast<size_t>(i) >= panels_.size())
        panels_.resize(static_cast<size_t>(i) + 1);
    panels_[static_cast<size_t>(i)] = std::move(text);
    Changed();
}
std::string StatusBar::Text() const { return panels_.empty() ? simpleText_ : Joined(panels_); }
void StatusBar::SetSimpleText(std::string t)
{
    simpleText_ = std::move(t);
    Changed();
}

Memo::Memo(Form& f, std::string name) : Control(f, std::move(name), ControlKind::Memo)
{
    SetColor(clWindow);
    SetCanFocus(true);
}
void Memo::SetText(std::string t)
{
    if (t == text_)
        return;
    text_ = std::move(t);
    Changed();
    if (OnChange)
        OnChange();
}
std::vector<std::string> Memo::Lines() const
{
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text_.size(); ++i) {
        const char c = text_[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n')
                ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        lines.push_back(cur);
    return lines;
}
void Memo::UserType(const std::string& text)
{
    Owner().FocusControl(this);
    if (readOnly_)
        return;
    modified_ = true;
    SetText(text);
}

ListView::ListView(Form& f, std::string name) : Control(f, std::move(name), ControlKind::ListView)
{
    SetColor(clWindow);
    SetCanFocus(true);
}
void ListView::SetRows(std::vector<std::vector<std::string>> rows)
{
    rows_ = std::move(rows);
    selected_ = -1;
    Changed();
}
void ListView::AddRow(std::vector<std::string> row)
{
    rows_.push_back(std::move(row));
    Changed();
}
void ListView::ClearRows() { SetRows({}); }
void ListView::SetSelected(int i)
{
    selected_ = (i >= 0 && i < static_cast<int>(rows_.size())) ? i : -1;
    Changed();
}
std::string ListView::Text() const
{
    if (selected_ < 0 || rows_[static_cast<size_t>(selected_)].empty())
        return {};
    return rows_[static_cast<size_t>(selected_)][0];
}
void ListView::UserSelect(int row)
{
    Owner().FocusControl(this);
    SetSelected(row);
    if (OnChange)
        OnChange();
}

} // namespace velcaro::ui
