#include "platform/ui/DataControls.h"

#include "platform/Error.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

#include <algorithm>

namespace velcaro::ui {

using store::DataSetState;

// ---- DataLink ----------------------------------------------------------------------------

DataLink::~DataLink()
{
    if (ds_ && id_)
        ds_->RemoveListener(id_);
}

void DataLink::Connect(store::DataSource* ds, store::DataSource::Listener listener)
{
    if (ds_ && id_)
        ds_->RemoveListener(id_);
    ds_ = ds;
    id_ = ds_ ? ds_->AddListener(std::move(listener)) : 0;
}

bool DataLink::Active() const { return DataSet() && DataSet()->Active(); }

namespace {
store::DataSource::Listener Repaint(Control* c, std::function<void()> changed)
{
    (void)c;
    return {changed, [changed](store::Field*) { changed(); }, {}};
}

store::Field& RequireField(store::Table& t, const std::string& name) { return t.FieldByName(name); }

void StartEditing(store::Table& t)
{
    if (t.State() == DataSetState::Browse)
        t.Edit();
}
} // namespace

// ---- DBEdit ------------------------------------------------------------------------------

DBEdit::DBEdit(Form& f, std::string name, store::DataSource* ds, std::string dataField,
               bool readOnly)
    : Control(f, std::move(name), ControlKind::DBEdit), field_(std::move(dataField)),
      readOnly_(readOnly)
{
    SetColor(clWindow);
    SetCanFocus(true);
    link_.Connect(ds, Repaint(this, [this] {
                      shown_.reset();
                      Changed();
                      if (OnChange)
                          OnChange();
                  }));
}

void DBEdit::SetText(std::string text)
{
    shown_ = std::move(text);
    Changed();
    if (OnChange)
        OnChange();
}

std::string DBEdit::Text() const
{
    if (shown_)
        return *shown_;
    if (!link_.Active())
        return {};
    store::Table* t = link_.DataSet();
    store::Field* fld = t->FindField(field_);
    return fld ? fld->DisplayText() : std::string();
}

void DBEdit::SetReadOnly(bool v)
{
    readOnly_ = v;
    Changed();
}

std::optional<std::string> DBEdit::Property(const std::string& name) const
{
    if (name == "readonly") return readOnly_ ? "true" : "false";
    return Control::Property(name);
}

void DBEdit::UserType(const std::string& text)
{
    Owner().FocusControl(this);
    if (readOnly_ || !link_.Active())
        return;
    store::Table& t = *link_.DataSet();
    StartEditing(t);
    shown_.reset();
    RequireField(t, field_).SetAsString(text);
}

// ---- DBMemo ------------------------------------------------------------------------------

DBMemo::DBMemo(Form& f, std::string name, store::DataSource* ds, std::string dataField)
    : Control(f, std::move(name), ControlKind::DBMemo), field_(std::move(dataField))
{
    SetColor(clWindow);
    SetCanFocus(true);
    link_.Connect(ds, Repaint(this, [this] { Changed(); }));
}

std::string DBMemo::Text() const
{
    if (!link_.Active())
        return {};
    store::Field* fld = link_.DataSet()->FindField(field_);
    return fld ? fld->AsString() : std::string();
}

void DBMemo::UserType(const std::string& text)
{
    Owner().FocusControl(this);
    if (!link_.Active())
        return;
    store::Table& t = *link_.DataSet();
    StartEditing(t);
    RequireField(t, field_).SetAsString(text);
}

// ---- DBGrid ------------------------------------------------------------------------------

DBGrid::DBGrid(Form& f, std::string name, store::DataSource* ds, std::vector<GridColumn> columns)
    : Control(f, std::move(name), ControlKind::DBGrid), columns_(std::move(columns))
{
    SetColor(clWindow);
    SetCanFocus(true);
    link_.Connect(ds, Repaint(this, [this] { Changed(); }));
}

std::vector<std::vector<std::string>> DBGrid::Rows() const
{
    if (!link_.Active())
        return {};
    std::vector<std::string> fields;
    for (const GridColumn& c : columns_)
        fields.push_back(c.field);
    return link_.DataSet()->RowsDisplayText(fields);
}

int DBGrid::CurrentRow() const
{
    if (!link_.Active() || link_.DataSet()->IsEmpty())
        return -1;
    return link_.DataSet()->RecNo() - 1;
}

std::string DBGrid::Text() const
{
    if (!link_.Active() || link_.DataSet()->IsEmpty())
        return {};
    std::string s;
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (i)
            s += '|';
        store::Field* fld = link_.DataSet()->FindField(columns_[i].field);
        if (fld)
            s += fld->DisplayText();
    }
    return s;
}

void DBGrid::UserClickRow(int row)
{
    Owner().FocusControl(this);
    if (!link_.Active())
        return;
    store::Table& t = *link_.DataSet();
    if (row < 1 || row > t.RecordCount())
        throw Error("La griglia non mostra la riga " + std::to_string(row) + ".");
    const int distance = row - t.RecNo();
    if (distance != 0)
        t.MoveBy(distance);
}

// ---- DBNavigator -------------------------------------------------------------------------

const char* NavButtonName(NavButton b)
{
    switch (b) {
    case NavButton::First: return "first";
    case NavButton::Prior: return "prior";
    case NavButton::Next: return "next";
    case NavButton::Last: return "last";
    case NavButton::Insert: return "insert";
    case NavButton::Delete: return "delete";
    case NavButton::Edit: return "edit";
    case NavButton::Post: return "post";
    case NavButton::Cancel: return "cancel";
    case NavButton::Refresh: return "refresh";
    }
    return "?";
}

DBNavigator::DBNavigator(Form& f, std::string name, store::DataSource* ds)
    : Control(f, std::move(name), ControlKind::DBNavigator),
      visible_{NavButton::First, NavButton::Prior, NavButton::Next,   NavButton::Last,
               NavButton::Insert, NavButton::Delete, NavButton::Edit, NavButton::Post,
               NavButton::Cancel, NavButton::Refresh},
      hints_{"Primo record", "Record precedente", "Record successivo", "Ultimo record",
             "Inserisci record", "Elimina record", "Modifica record", "Registra modifiche",
             "Annulla modifiche", "Aggiorna dati"}
{
    link_.Connect(ds, Repaint(this, [this] { Changed(); }));
}

bool DBNavigator::ButtonVisible(NavButton b) const
{
    return std::find(visible_.begin(), visible_.end(), b) != visible_.end();
}

void DBNavigator::SetVisibleButtons(std::vector<NavButton> buttons)
{
    visible_ = std::move(buttons);
    Changed();
}

void DBNavigator::SetHints(std::vector<std::string> hints)
{
    hints_ = std::move(hints);
    Changed();
}

bool DBNavigator::ButtonEnabled(NavButton b) const
{
    if (!Enabled() || !ButtonVisible(b) || !link_.Active())
        return false;
    const store::Table& t = *link_.DataSet();
    const bool editing = t.State() == DataSetState::Edit || t.State() == DataSetState::Insert;
    switch (b) {
    case NavButton::First:
    case NavButton::Prior: return !t.Bof() && !t.IsEmpty();
    case NavButton::Next:
    case NavButton::Last: return !t.Eof() && !t.IsEmpty();
    case NavButton::Insert: return true;
    case NavButton::Delete: return !t.IsEmpty() || editing;
    case NavButton::Edit: return !editing && !t.IsEmpty();
    case NavButton::Post:
    case NavButton::Cancel: return editing;
    case NavButton::Refresh: return true;
    }
    return false;
}

void DBNavigator::UserPress(NavButton b)
{
    if (!ButtonVisible(b))
        throw Error(std::string("Il navigatore non ha il pulsante '") + NavButtonName(b) + "'.");
    if (!link_.Active())
        throw Error("Operazione non possibile: la tabella è chiusa.");
    if (BeforeAction)
        BeforeAction(b);
    store::Table& t = *link_.DataSet();
    switch (b) {
    case NavButton::First: t.First(); break;
    case NavButton::Prior: t.Prior(); break;
    case NavButton::Next: t.Next(); break;
    case NavButton::Last: t.Last(); break;
    case NavButton::Insert: t.Insert(); break;
    case NavButton::Delete:
        if (!confirmDelete_ ||
            Owner().App().MessageDlg(DialogKind::Confirmation, "Eliminare il record?",
                                     {DialogButton::OK, DialogButton::Cancel}) == DialogButton::OK)
            t.Delete();
        break;
    case NavButton::Edit: t.Edit(); break;
    case NavButton::Post: t.Post(); break;
    case NavButton::Cancel: t.Cancel(); break;
    case NavButton::Refresh: t.Refresh(); break;
    }
    if (OnClick)
        OnClick(b);
}

// ---- DBLookupComboBox -----------------------------------------------------------------------

DBLookupComboBox::DBLookupComboBox(Form& f, std::string name, store::DataSource* listSource,
                                   std::string keyField, std::string listField,
                                   std::vector<std::string> shownFields)
    : Control(f, std::move(name), ControlKind::DBLookupComboBox), keyField_(std::move(keyField)),
      listField_(std::move(listField)), shownFields_(std::move(shownFields))
{
    if (shownFields_.empty())
        shownFields_ = {listField_};
    SetColor(clWindow);
    SetCanFocus(true);
    link_.Connect(listSource, Repaint(this, [this] { Changed(); }));
}

std::vector<std::string> DBLookupComboBox::Items() const
{
    std::vector<std::string> items;
    if (!link_.Active())
        return items;
    for (auto& row : link_.DataSet()->RowsDisplayText({keyField_}))
        items.push_back(row.empty() ? std::string() : row[0]);
    return items;
}

std::vector<std::vector<std::string>> DBLookupComboBox::ListRows() const
{
    if (!link_.Active())
        return {};
    return link_.DataSet()->RowsDisplayText(shownFields_);
}

void DBLookupComboBox::SetKeyValue(std::string v)
{
    keyValue_ = std::move(v);
    Changed();
}

std::optional<std::string> DBLookupComboBox::Property(const std::string& name) const
{
    if (name == "items") {
        std::string s;
        const auto items = Items();
        for (size_t i = 0; i < items.size(); ++i)
            s += (i ? "|" : "") + items[i];
        return s;
    }
    if (name == "itemindex") {
        const auto items = Items();
        auto it = std::find(items.begin(), items.end(), keyValue_);
        return std::to_string(it == items.end() ? -1 : static_cast<int>(it - items.begin()));
    }
    return Control::Property(name);
}

void DBLookupComboBox::UserChoose(int index)
{
    const auto items = Items();
    if (index < 0 || index >= static_cast<int>(items.size()))
        throw Error("La lista '" + Name() + "' non ha l'elemento " + std::to_string(index) + ".");
    Owner().FocusControl(this);
    if (OnDropDown)
        OnDropDown();
    // Picking an entry moves the cursor to the first record, in the cursor's order and
    // range, whose key equals it; the box takes the choice, then the list closes.
    const std::string chosen = items[static_cast<size_t>(index)];
    link_.DataSet()->Locate(keyField_, chosen);
    if (chosen != keyValue_) {
        keyValue_ = chosen;
        Changed();
        if (OnClick)
            OnClick();
    }
    if (OnCloseUp)
        OnCloseUp();
}

void DBLookupComboBox::UserChoose(const std::string& keyValue)
{
    const auto items = Items();
    auto it = std::find(items.begin(), items.end(), keyValue);
    if (it == items.end())
        throw Error("La lista '" + Name() + "' non contiene \"" + keyValue + "\".");
    UserChoose(static_cast<int>(it - items.begin()));
}

void DBLookupComboBox::UserDropDown()
{
    Owner().FocusControl(this);
    if (OnDropDown)
        OnDropDown();
    if (OnCloseUp)
        OnCloseUp();
}

// ---- DBComboBox, DBRadioGroup ---------------------------------------------------------------

DBComboBox::DBComboBox(Form& f, std::string name, store::DataSource* ds, std::string dataField)
    : ListControl(f, std::move(name), ControlKind::DBComboBox), field_(std::move(dataField))
{
    SetColor(clWindow);
    SetCanFocus(true);
    link_.Connect(ds, Repaint(this, [this] { Changed(); }));
}

std::string DBComboBox::Text() const
{
    if (!link_.Active())
        return {};
    store::Field* fld = link_.DataSet()->FindField(field_);
    return fld ? fld->AsString() : std::string();
}

void DBComboBox::UserChoose(int index)
{
    Owner().FocusControl(this);
    if (index < 0 || index >= static_cast<int>(items_.size()) || !link_.Active())
        return;
    store::Table& t = *link_.DataSet();
    StartEditing(t);
    RequireField(t, field_).SetAsString(items_[static_cast<size_t>(index)]);
    if (OnChange)
        OnChange();
}

DBRadioGroup::DBRadioGroup(Form& f, std::string name, std::string caption, store::DataSource* ds,
                           std::string dataField, std::vector<std::string> items,
                           std::vector<std::string> values)
    : ListControl(f, std::move(name), ControlKind::DBRadioGroup), field_(std::move(dataField)),
      values_(std::move(values))
{
    SetCaption(std::move(caption));
    items_ = std::move(items);
    if (values_.empty())
        values_ = items_;
    SetCanFocus(true);
    link_.Connect(ds, Repaint(this, [this] { Follow(); }));
}

void DBRadioGroup::Follow()
{
    int index = -1;
    if (link_.Active()) {
        if (store::Field* fld = link_.DataSet()->FindField(field_)) {
            auto it = std::find(values_.begin(), values_.end(), fld->AsString());
            if (it != values_.end())
                index = static_cast<int>(it - values_.begin());
        }
    }
    itemIndex_ = index;
    Changed();
}

std::string DBRadioGroup::Text() const
{
    return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string();
}

void DBRadioGroup::UserChoose(int index)
{
    Owner().FocusControl(this);
    if (index < 0 || index >= static_cast<int>(values_.size()) || !link_.Active())
        return;
    store::Table& t = *link_.DataSet();
    StartEditing(t);
    RequireField(t, field_).SetAsString(values_[static_cast<size_t>(index)]);
    if (OnClick)
        OnClick();
}

} // namespace velcaro::ui
