#pragma once
// Data-aware controls: they follow a data source of the store, show the current record
// (or the records of the cursor) and write back through the cursor.
#include "platform/store/Table.h"
#include "platform/ui/Controls.h"

#include <string>
#include <vector>

namespace velcaro::ui {

// Follows one data source for a control; detaches itself when destroyed.
class DataLink {
public:
    DataLink() = default;
    ~DataLink();
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;
    void Connect(store::DataSource* ds, store::DataSource::Listener listener);
    store::DataSource* Source() const { return ds_; }
    store::Table* DataSet() const { return ds_ ? ds_->DataSet() : nullptr; }
    bool Active() const;

private:
    store::DataSource* ds_ = nullptr;
    int id_ = 0;
};

// A field of the current record (dbe…). Shows the field's display text.
class DBEdit : public Control {
public:
    DBEdit(Form& f, std::string name, store::DataSource* ds, std::string dataField,
           bool readOnly = false);
    const std::string& DataField() const { return field_; }
    std::string Text() const override;
    // From the program: the box shows this text until the cursor's record or the field
    // changes again (the field itself is not written).
    void SetText(std::string text);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    std::optional<std::string> Property(const std::string& name) const override;
    // Typing puts the cursor into editing and writes the field, as the user's keys do.
    void UserType(const std::string& text);

    NotifyEvent OnChange;

private:
    DataLink link_;
    std::string field_;
    bool readOnly_;
    std::optional<std::string> shown_;
};

// A memo bound to a field.
class DBMemo : public Control {
public:
    DBMemo(Form& f, std::string name, store::DataSource* ds, std::string dataField);
    std::string Text() const override;
    void UserType(const std::string& text);

private:
    DataLink link_;
    std::string field_;
};

struct GridColumn {
    std::string field;
    std::string title;
    int width = 64; // pixels
};

// The records of a cursor as rows (dbg…). The current record is the selected row.
class DBGrid : public Control {
public:
    DBGrid(Form& f, std::string name, store::DataSource* ds, std::vector<GridColumn> columns);
    const std::vector<GridColumn>& Columns() const { return columns_; }
    store::DataSource* Source() const { return link_.Source(); }
    // Display texts of every row (calculated fields computed per row), in cursor order.
    std::vector<std::vector<std::string>> Rows() const;
    int CurrentRow() const; // 0-based, -1 when empty or closed
    std::string Text() const override; // the current row's cells joined with "|"
    // Clicks the N-th row (1-based): one move of the cursor.
    void UserClickRow(int row);

private:
    DataLink link_;
    std::vector<GridColumn> columns_;
};

enum class NavButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
const char* NavButtonName(NavButton b);

class DBNavigator : public Control {
public:
    DBNavigator(Form& f, std::string name, store::DataSource* ds);
    store::DataSource* Source() const { return link_.Source(); }
    bool ButtonVisible(NavButton b) const;
    void SetVisibleButtons(std::vector<NavButton> buttons);
    bool ButtonEnabled(NavButton b) const; // follows the cursor's state and position
    std::vector<std::string> Hints() const { return hints_; }
    void SetHints(std::vector<std::string> hints);
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool v) { confirmDelete_ = v; }
    void UserPress(NavButton b);

    std::function<void(NavButton&)> BeforeAction;
    std::function<void(NavButton)> OnClick;

private:
    DataLink link_;
    std::vector<NavButton> visible_;
    std::vector<std::string> hints_;
    bool confirmDelete_ = true;
};

// A lookup list over a cursor (dblcb…): its items are ListField of the cursor's records;
// choosing one moves the cursor to the record whose KeyField matches.
class DBLookupComboBox : public Control {
public:
    DBLookupComboBox(Form& f, std::string name, store::DataSource* listSource,
                     std::string keyField, std::string listField,
                     std::vector<std::string> shownFields = {});
    const std::string& KeyField() const { return keyField_; }
    const std::string& ListField() const { return listField_; }
    const std::vector<std::string>& ShownFields() const { return shownFields_; }
    store::DataSource* ListSource() const { return link_.Source(); }
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int px) { dropDownWidth_ = px; }
    // The key values of the list, in cursor order.
    std::vector<std::string> Items() const;
    // Rows of the open list (every shown field), for the view.
    std::vector<std::vector<std::string>> ListRows() const;
    const std::string& KeyValue() const { return keyValue_; }
    void SetKeyValue(std::string v); // from the program; no events
    std::string Text() const override { return keyValue_; }
    std::optional<std::string> Property(const std::string& name) const override;
    // Opens the list, moves the cursor to the chosen record (a locate: scroll events even
    // when it is already there), the box takes the choice (OnClick when the key changed),
    // the list closes (OnCloseUp).
    void UserChoose(int index);
    void UserChoose(const std::string& keyValue);
    void UserDropDown();

    NotifyEvent OnDropDown;
    NotifyEvent OnCloseUp;

private:
    DataLink link_;
    std::string keyField_;
    std::string listField_;
    std::vector<std::string> shownFields_;
    std::string keyValue_;
    int dropDownWidth_ = 0;
};

// A drop-down list bound to a field (dbcb…): its items are fixed (a family list), its
// text is the field of the current record.
class DBComboBox : public ListControl {
public:
    DBComboBox(Form& f, std::string name, store::DataSource* ds, std::string dataField);
    std::string Text() const override;
    void UserChoose(int index);

    NotifyEvent OnChange;

private:
    DataLink link_;
    std::string field_;
};

class DBRadioGroup : public ListControl {
public:
    DBRadioGroup(Form& f, std::string name, std::string caption, store::DataSource* ds,
                 std::string dataField, std::vector<std::string> items,
                 std::vector<std::string> values);
    std::string Text() const override;
    void UserChoose(int index);

private:
    void Follow();
    DataLink link_;
    std::string field_;
    std::vector<std::string> values_;
};

} // namespace velcaro::ui
