#pragma once
// Dataset cursors on SQLite, with the behaviour the windows were written against:
// a current record, an active index, a key range, edit/insert states, field objects,
// calculated fields, scroll/post events and data sources that tell the views.
//
// Ownership: a Database is shared (std::shared_ptr) by every Table opened on it.
// A Table owns its Field objects; Field pointers stay valid for the Table's life
// (fields are created when the table definition is set, not on Open).
// A DataSource does not own its Table; the Table must outlive the DataSource's use.
#include "platform/store/Schema.h"
#include "platform/store/Value.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velcaro::store {

class Database;
class Table;
class DataSource;

enum class DataSetState { Inactive, Browse, Edit, Insert, SetKey, CalcFields };

class Field {
public:
    const std::string& FieldName() const;
    FieldType DataType() const; // for a calculated field: its result type
    bool Calculated() const;
    bool Required() const; // may be changed by the program
    void SetRequired(bool r);
    int Size() const;

    // Pattern for DisplayText ("#,#", "#,#0.0", "0.0#,#"); empty = general form.
    const std::string& DisplayFormat() const;
    void SetDisplayFormat(std::string pattern);
    int DisplayWidth() const;
    void SetDisplayWidth(int characters);

    bool IsNull() const;
    std::string AsString() const; // general form for numbers, "" when null
    std::int32_t
    AsInteger() const;      // floats round half to even; null -> 0; throws on non-number text
    double AsFloat() const; // null -> 0
    bool AsBoolean() const;
    Value AsValue() const;
    std::string DisplayText() const; // by DisplayFormat under the regional settings

    // Reading a closed table gives the empty value, as a view that still shows it expects.
    // Writing requires the table in Edit/Insert (a calculated field may be written whenever
    // the table is open; its handler writes it in the CalcFields state). Writing a stored
    // field recomputes the calculated fields. An auto-increment field cannot be written.
    void SetAsString(const std::string& text); // converts to the field's type
    void SetAsInteger(std::int32_t v);
    void SetAsFloat(double v);
    void SetAsBoolean(bool v);
    void SetValue(const Value& v);
    void Clear();

    Table& DataSet() const;

private:
    friend class Table;
    Field(Table& table, FieldDef def, bool calculated);
    Table* table_;
    FieldDef def_;
    bool calculated_;
    std::string displayFormat_;
    int displayWidth_ = 0;
    int index_ = -1; // position in the record buffer
};

using Bookmark = std::int64_t; // rowid of the record; 0 = none

class Table {
public:
    // tableName as the program names it ("Contenitori.DB", "AppoggioStrati.db").
    // def describes the stored fields; calculated fields are added with AddCalculatedField.
    Table(std::shared_ptr<Database> db, std::string tableName, const TableDef& def);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& TableName() const;
    const std::shared_ptr<Database>& GetDatabase() const;
    // The data module builds its cursors before the database is reachable; a cursor
    // whose database is null fails to Open with the database's own error text.
    void SetDatabase(std::shared_ptr<Database> db);
    Field& AddCalculatedField(const std::string& name, FieldType resultType);

    // Index: "" = primary (or the default order when the table has none). On an open
    // cursor: posts/cancels an edit, drops the key range and stays on the current record
    // (no scroll events). An unknown name throws.
    void SetIndexName(const std::string& indexName);
    const std::string& IndexName() const;

    void Open();  // throws velcaro::Error with the store's text when missing/unreadable
    void Close(); // unposted changes are dropped; the key range is dropped
    bool Active() const;
    void EmptyTable(); // deletes every record (the cursor may be open or closed)

    DataSetState State() const;
    bool Modified() const;

    // Navigation in the active index order, within the key range.
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const;
    bool IsEmpty() const;
    int RecordCount() const;
    int RecNo() const; // 1-based position, 0 when empty
    // Moves by distance records in one step (one BeforeScroll/AfterScroll pair, as a grid
    // click does); returns the distance actually moved.
    int MoveBy(int distance);
    // The display texts of the given fields for every record of the range, in index order,
    // without moving the cursor: each record is read into a scratch buffer and its
    // calculated fields are computed for it (OnCalcFields runs), as a grid shows its rows.
    // No scroll events. maxRows < 0 = all.
    std::vector<std::vector<std::string>>
    RowsDisplayText(const std::vector<std::string>& fieldNames, int maxRows = -1);

    Bookmark GetBookmark() const;
    void GotoBookmark(Bookmark b); // throws when the record is gone; 0 does nothing
    void FreeBookmark(Bookmark b);
    bool BookmarkValid(Bookmark b) const;

    bool Locate(const std::string& fieldName, const Value& value); // exact, in index order

    // Then on the first record of the range (with scroll events). Only the last key value
    // given may differ between low and high.
    void SetRange(const std::vector<Value>& low, const std::vector<Value>& high);
    // Stays on the current record (no scroll events).
    void CancelRange();
    bool FindKey(const std::vector<Value>& key);

    void Refresh(); // re-reads the range, stays on the current record; no scroll events

    void Append();
    void Insert();
    void Edit(); // on an empty cursor: Append
    // One transaction (a savepoint inside one the caller opened with Database::Begin). On
    // failure the table is unchanged and the cursor stays in Edit/Insert with its values.
    void Post();
    void Cancel();
    void Delete();
    void CheckBrowseMode(); // posts a modified record, cancels an unmodified one

    Field& FieldByName(const std::string& name); // throws when unknown
    Field* FindField(const std::string& name);
    const std::vector<std::unique_ptr<Field>>& Fields() const;

    // Events, in the order a dataset raises them.
    std::function<void(Table&)> BeforeScroll;
    std::function<void(Table&)> AfterScroll;
    std::function<void(Table&)> BeforePost;
    std::function<void(Table&)> AfterPost;
    std::function<void(Table&)> BeforeDelete;
    std::function<void(Table&)> AfterDelete;
    std::function<void(Table&)> BeforeInsert;
    std::function<void(Table&)> AfterInsert;
    std::function<void(Table&)> BeforeEdit;
    std::function<void(Table&)> AfterEdit;
    std::function<void(Table&)> BeforeCancel;
    std::function<void(Table&)> AfterCancel;
    std::function<void(Table&)> OnNewRecord;
    std::function<void(Table&)> OnCalcFields;
    std::function<void(Table&)> BeforeOpen;
    std::function<void(Table&)> AfterOpen;
    std::function<void(Table&)> BeforeClose;
    std::function<void(Table&)> AfterClose;

    // Data sources attach/detach themselves.
    void Attach(DataSource* ds);
    void Detach(DataSource* ds);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend class Field;
};

class DataSource {
public:
    explicit DataSource(Table* table = nullptr);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    void SetDataSet(Table* table);
    Table* DataSet() const;
    // The state last announced by the table (a temporary CalcFields state is not announced).
    DataSetState State() const;

    std::function<void(DataSource&)> OnStateChange;
    // field == nullptr: the current record changed (scroll, refresh); otherwise that field's value.
    std::function<void(DataSource&, Field* field)> OnDataChange;
    // Before a post: bound controls (listeners) write their values back, then the handler
    // runs and sees what they wrote.
    std::function<void(DataSource&)> OnUpdateData;

    // Views that follow the source (data-aware controls) register here.
    struct Listener {
        std::function<void()> stateChanged;
        std::function<void(Field*)> dataChanged;
        std::function<void()> updateData;
    };
    int AddListener(Listener l);
    void RemoveListener(int id);

    // Called by the Table.
    void NotifyStateChange();
    void NotifyDataChange(Field* field);
    void NotifyUpdateData();

private:
    friend class Table;
    Table* table_ = nullptr;
    DataSetState state_ = DataSetState::Inactive;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextId_ = 1;
};

} // namespace velcaro::store
