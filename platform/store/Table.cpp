#include "platform/store/Table.h"

#include "platform/Error.h"
#include "platform/store/Database.h"
#include "platform/text/Checked.h"
#include "platform/text/Conversions.h"
#include "platform/text/FormatFloat.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

// How the cursor works: it holds the ordered list of the rowids of the records in its range
// (the keyset), loaded from SQLite in the order of the active index, and reads the current
// record by rowid when it becomes current. So moving is cheap, two cursors on one table never
// disturb each other, and a record deleted elsewhere simply drops out when it cannot be read.

namespace velcaro::store {

namespace {

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

bool IsText(FieldType t) {
    return t == FieldType::String || t == FieldType::Memo;
}
bool IsWhole(FieldType t) {
    return t == FieldType::Integer || t == FieldType::AutoInc || t == FieldType::Boolean;
}
bool IsNumeric(FieldType t) {
    return IsWhole(t) || t == FieldType::Float;
}

void Bind(sqlite3_stmt* stmt, int index, const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v))
        sqlite3_bind_int64(stmt, index, *i);
    else if (const auto* d = std::get_if<double>(&v))
        sqlite3_bind_double(stmt, index, *d);
    else if (const auto* s = std::get_if<std::string>(&v))
        sqlite3_bind_text(stmt, index, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(stmt, index);
}

Value ReadColumn(sqlite3_stmt* stmt, int col, FieldType type) {
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER: {
        const std::int64_t v = sqlite3_column_int64(stmt, col);
        if (type == FieldType::Float)
            return static_cast<double>(v);
        return v;
    }
    case SQLITE_FLOAT: {
        const double d = sqlite3_column_double(stmt, col);
        // A whole number written into an integer column by other means reads as an integer.
        if (IsWhole(type) && std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.0e18)
            return static_cast<std::int64_t>(d);
        return d;
    }
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, col));
        const int n = sqlite3_column_bytes(stmt, col);
        if (n <= 0 || p == nullptr)
            return IsText(type) ? Value{} : Value{std::string()};
        return std::string(p, static_cast<std::size_t>(n));
    }
    default:
        return {};
    }
}

// Resets a cached statement when the use of it ends, so that it holds no read lock.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* s) : stmt_(s) {}
    ~StatementUse() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3_stmt* stmt_;
};

bool IsEditing(DataSetState s) {
    return s == DataSetState::Edit || s == DataSetState::Insert;
}

} // namespace

// ---------------------------------------------------------------------------------------------

struct Table::Impl {
    Impl(Table& t, std::shared_ptr<Database> d, std::string name, const TableDef& td)
        : self(t), db(std::move(d)), tableName(std::move(name)), def(td) {}

    Table& self;
    std::shared_ptr<Database> db;
    std::string tableName; // as the program names it
    TableDef def;
    std::string sqlName; // the SQLite table, resolved when the cursor opens
    std::vector<std::unique_ptr<Field>> fields;
    std::size_t storedCount = 0;

    std::string indexName;
    const IndexDef* index = nullptr; // into def; null = order of appending

    bool hasRange = false;
    std::vector<Value> rangeLow, rangeHigh;

    DataSetState state = DataSetState::Inactive;
    bool modified = false;
    std::vector<std::int64_t> keys;
    std::size_t pos = 0;
    bool bof = true, eof = true;

    std::vector<Value> buffer; // the current record: stored fields, then calculated ones
    std::vector<Value> saved;  // the record as it was when editing began
    std::int64_t current = 0;  // rowid of the record in the buffer; 0 when none
    std::int64_t returnTo = 0; // record to go back to when an insert is cancelled

    std::vector<DataSource*> sources;
    std::map<std::string, sqlite3_stmt*> statements;

    // --- errors -------------------------------------------------------------------------
    std::string Name() const { return Quoted(tableName); }
    [[noreturn]] void ThrowClosed() const {
        throw Error("Operazione non possibile: la tabella " + Name() + " è chiusa.");
    }
    [[noreturn]] void ThrowSql(const std::string& what) const {
        throw Error("Errore del database '" + std::string(Database::kName) + "' sulla tabella " +
                    Name() + " (" + what + "): " + sqlite3_errmsg(db->Handle()) + ".");
    }
    void CheckActive() const {
        if (state == DataSetState::Inactive)
            ThrowClosed();
        if (state == DataSetState::CalcFields)
            throw Error("Operazione non possibile durante il calcolo dei campi della tabella " +
                        Name() + ".");
    }
    void CheckCanModify() const {
        if (db->ReadOnly())
            throw Error("Impossibile modificare: il database '" + std::string(Database::kName) +
                        "' è in sola lettura.");
    }

    // --- notifications --------------------------------------------------------------------
    void Fire(const std::function<void(Table&)>& event) {
        if (event) {
            auto handler = event; // the handler may replace itself
            handler(self);
        }
    }
    void SetState(DataSetState s) {
        if (state == s)
            return;
        state = s;
        auto copy = sources;
        for (DataSource* ds : copy)
            ds->NotifyStateChange();
    }
    void DataChanged(Field* f) {
        auto copy = sources;
        for (DataSource* ds : copy)
            ds->NotifyDataChange(f);
    }
    void UpdateData() {
        auto copy = sources;
        for (DataSource* ds : copy)
            ds->NotifyUpdateData();
    }

    // --- statements -----------------------------------------------------------------------
    sqlite3_stmt* Prepare(const std::string& sql) {
        auto it = statements.find(sql);
        if (it != statements.end())
            return it->second;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v3(db->Handle(), sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt,
                               nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt);
            ThrowSql("preparazione");
        }
        statements.emplace(sql, stmt);
        return stmt;
    }
    void FinalizeAll() {
        for (auto& [sql, stmt] : statements)
            sqlite3_finalize(stmt);
        statements.clear();
    }

    std::string SqlTable() const { return QuoteIdentifier(sqlName); }

    std::string KeyColumn(const IndexField& key) const {
        std::string s = QuoteIdentifier(key.field);
        if (index && UsesNoCase(def, *index, key))
            s += " COLLATE NOCASE";
        return s;
    }

    std::string OrderBy() const {
        std::string s = " ORDER BY ";
        if (index)
            for (const auto& key : index->fields)
                s += KeyColumn(key) + (key.descending ? " DESC" : "") + ", ";
        return s + "rowid";
    }

    // "key = ?" for one key field; an empty key value matches the empty fields.
    void KeyEquals(const IndexField& key, const Value& v, std::string& where,
                   std::vector<Value>& binds) const {
        if (!where.empty())
            where += " AND ";
        if (IsNull(v)) {
            where += QuoteIdentifier(key.field) + " IS NULL";
        } else {
            where += KeyColumn(key) + " = ?";
            binds.push_back(v);
        }
    }

    void RangeWhere(std::string& where, std::vector<Value>& binds) const {
        if (!hasRange || !index)
            return;
        for (std::size_t k = 0; k < rangeLow.size(); ++k) {
            const IndexField& key = index->fields[k];
            if (rangeLow[k] == rangeHigh[k]) {
                KeyEquals(key, rangeLow[k], where, binds);
                continue;
            }
            // The last key field may span from low to high in the index's direction.
            const Value& from = key.descending ? rangeHigh[k] : rangeLow[k];
            const Value& to = key.descending ? rangeLow[k] : rangeHigh[k];
            if (!IsNull(from)) {
                where += (where.empty() ? "" : " AND ") + KeyColumn(key) + " >= ?";
                binds.push_back(from);
            }
            if (!IsNull(to)) {
                where += (where.empty() ? "" : " AND ") + KeyColumn(key) + " <= ?";
                binds.push_back(to);
            }
        }
    }

    // Rowids in the active order within the range, with extra conditions.
    std::vector<std::int64_t> QueryRowids(std::string where, std::vector<Value> binds,
                                          bool firstOnly) {
        std::string range;
        std::vector<Value> rangeBinds;
        RangeWhere(range, rangeBinds);
        if (!range.empty()) {
            where = where.empty() ? range : range + " AND " + where;
            rangeBinds.insert(rangeBinds.end(), binds.begin(), binds.end());
            binds = std::move(rangeBinds);
        }
        std::string sql = "SELECT rowid FROM " + SqlTable();
        if (!where.empty())
            sql += " WHERE " + where;
        sql += OrderBy();
        if (firstOnly)
            sql += " LIMIT 1";
        StatementUse use(Prepare(sql));
        for (std::size_t i = 0; i < binds.size(); ++i)
            Bind(use.get(), static_cast<int>(i + 1), binds[i]);
        std::vector<std::int64_t> out;
        int rc;
        while ((rc = sqlite3_step(use.get())) == SQLITE_ROW)
            out.push_back(sqlite3_column_int64(use.get(), 0));
        if (rc != SQLITE_DONE)
            ThrowSql("lettura");
        return out;
    }

    void LoadKeys() { keys = QueryRowids({}, {}, false); }

    // Locate and FindKey: the first record of the range, in the active order, that meets
    // the condition becomes current (the keyset is re-read when it was posted through another
    // cursor since). AfterScroll only when one was found.
    bool MoveToFirstMatch(const std::string& where, const std::vector<Value>& binds,
                          const std::function<void(Table&)>& afterScroll) {
        const auto found = QueryRowids(where, binds, true);
        if (found.empty())
            return false;
        auto p = PositionOf(found.front());
        if (!p) {
            LoadKeys();
            p = PositionOf(found.front());
            if (!p)
                return false;
        }
        pos = *p;
        LoadCurrent();
        bof = eof = false;
        DataChanged(nullptr);
        Fire(afterScroll);
        return true;
    }

    std::optional<std::size_t> PositionOf(std::int64_t rowid) const {
        auto it = std::find(keys.begin(), keys.end(), rowid);
        if (it == keys.end())
            return std::nullopt;
        return static_cast<std::size_t>(it - keys.begin());
    }

    // --- the record buffer ----------------------------------------------------------------
    std::string SelectByRowidSql() {
        std::string sql = "SELECT ";
        for (std::size_t i = 0; i < storedCount; ++i)
            sql += (i ? ", " : "") + QuoteIdentifier(fields[i]->FieldName());
        return sql + " FROM " + SqlTable() + " WHERE rowid = ?";
    }

    // Reads one record into the buffer; false when it is no longer in the table.
    bool Fetch(std::int64_t rowid) {
        StatementUse use(Prepare(SelectByRowidSql()));
        sqlite3_bind_int64(use.get(), 1, rowid);
        const int rc = sqlite3_step(use.get());
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            ThrowSql("lettura");
        for (std::size_t i = 0; i < storedCount; ++i)
            buffer[i] = ReadColumn(use.get(), static_cast<int>(i), fields[i]->DataType());
        return true;
    }

    void ClearBuffer() {
        for (auto& v : buffer)
            v.emplace<std::monostate>();
    }

    void CalcFields() {
        if (fields.size() == storedCount)
            return;
        for (std::size_t i = storedCount; i < buffer.size(); ++i)
            buffer[i].emplace<std::monostate>();
        if (!self.OnCalcFields)
            return;
        const DataSetState before = state;
        state = DataSetState::CalcFields; // temporary: the data sources are not told
        try {
            auto handler = self.OnCalcFields;
            handler(self);
        } catch (...) {
            state = before;
            throw;
        }
        state = before;
    }

    // Makes keys[pos] the current record; records deleted meanwhile drop out of the keyset.
    void LoadCurrent() {
        while (!keys.empty()) {
            if (pos >= keys.size())
                pos = keys.size() - 1;
            if (Fetch(keys[pos])) {
                current = keys[pos];
                CalcFields();
                return;
            }
            keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(pos));
        }
        pos = 0;
        current = 0;
        bof = eof = true;
        ClearBuffer();
    }

    // Re-reads the keyset and stays on `rowid` when it is still there, else nearby.
    void Resync(std::int64_t rowid) {
        LoadKeys();
        if (auto p = PositionOf(rowid))
            pos = *p;
        LoadCurrent();
        bof = eof = keys.empty();
    }

    // An event handler may have closed the cursor or started editing it.
    void AfterBeforeEvent() {
        CheckActive();
        if (IsEditing(state))
            self.CheckBrowseMode();
    }

    // --- writing --------------------------------------------------------------------------
    [[noreturn]] void ThrowWrite(int rc, const std::string& verb) const {
        const std::string dbName = Quoted(Database::kName);
        const int primary = rc & 0xFF;
        if (primary == SQLITE_READONLY)
            throw Error("Impossibile " + verb + ": il database " + dbName + " è in sola lettura.");
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
            throw Error("Impossibile " + verb + ": il database " + dbName +
                        " è bloccato da un altro programma. Riprovare più tardi.");
        if (primary == SQLITE_FULL)
            throw Error("Impossibile " + verb + ": il disco del database " + dbName + " è pieno.");
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            throw Error("Impossibile " + verb + ": chiave duplicata nella tabella " + Name() + ".");
        throw Error("Impossibile " + verb + " nella tabella " + Name() + ": " +
                    sqlite3_errmsg(db->Handle()) + ".");
    }

    int ExecRc(const char* sql) {
        return sqlite3_exec(db->Handle(), sql, nullptr, nullptr, nullptr);
    }

    // Runs `body` as one transaction (a savepoint inside a transaction the caller opened);
    // on any failure nothing of it stays in the table.
    template <class Body> void Transaction(const std::string& verb, Body body) {
        const bool nested = db->InTransaction();
        int rc = ExecRc(nested ? "SAVEPOINT velcaro_write" : "BEGIN IMMEDIATE");
        if (rc != SQLITE_OK)
            ThrowWrite(sqlite3_extended_errcode(db->Handle()), verb);
        try {
            body();
            rc = ExecRc(nested ? "RELEASE velcaro_write" : "COMMIT");
            if (rc != SQLITE_OK)
                ThrowWrite(sqlite3_extended_errcode(db->Handle()), verb);
        } catch (...) {
            if (nested) {
                ExecRc("ROLLBACK TO velcaro_write");
                ExecRc("RELEASE velcaro_write");
            } else if (db->InTransaction()) {
                ExecRc("ROLLBACK");
            }
            throw;
        }
    }

    void Step(sqlite3_stmt* stmt, const std::string& verb) {
        const int rc = sqlite3_step(stmt);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            ThrowWrite(sqlite3_extended_errcode(db->Handle()), verb);
    }

    std::vector<std::size_t> WritableColumns() const {
        std::vector<std::size_t> cols;
        for (std::size_t i = 0; i < storedCount; ++i)
            if (fields[i]->DataType() != FieldType::AutoInc)
                cols.push_back(i);
        return cols;
    }

    std::int64_t InsertRow() {
        const auto cols = WritableColumns();
        std::string sql = "INSERT INTO " + SqlTable();
        if (cols.empty()) {
            sql += " DEFAULT VALUES";
        } else {
            std::string names, marks;
            for (std::size_t c = 0; c < cols.size(); ++c) {
                names += (c ? ", " : "") + QuoteIdentifier(fields[cols[c]]->FieldName());
                marks += c ? ", ?" : "?";
            }
            sql += " (" + names + ") VALUES (" + marks + ")";
        }
        StatementUse use(Prepare(sql));
        for (std::size_t c = 0; c < cols.size(); ++c)
            Bind(use.get(), static_cast<int>(c + 1), buffer[cols[c]]);
        Step(use.get(), "salvare");
        return sqlite3_last_insert_rowid(db->Handle());
    }

    void UpdateRow(std::int64_t rowid) {
        const auto cols = WritableColumns();
        if (cols.empty())
            return;
        std::string sql = "UPDATE " + SqlTable() + " SET ";
        for (std::size_t c = 0; c < cols.size(); ++c)
            sql += (c ? ", " : "") + QuoteIdentifier(fields[cols[c]]->FieldName()) + " = ?";
        sql += " WHERE rowid = ?";
        StatementUse use(Prepare(sql));
        for (std::size_t c = 0; c < cols.size(); ++c)
            Bind(use.get(), static_cast<int>(c + 1), buffer[cols[c]]);
        sqlite3_bind_int64(use.get(), static_cast<int>(cols.size() + 1), rowid);
        Step(use.get(), "salvare");
        if (sqlite3_changes(db->Handle()) == 0)
            throw Error("Impossibile salvare: il record della tabella " + Name() +
                        " è stato eliminato nel frattempo.");
    }

    void DeleteRow(std::int64_t rowid) {
        StatementUse use(Prepare("DELETE FROM " + SqlTable() + " WHERE rowid = ?"));
        sqlite3_bind_int64(use.get(), 1, rowid);
        Step(use.get(), "eliminare");
    }

    void CheckRequired() const {
        for (std::size_t i = 0; i < storedCount; ++i) {
            const Field& f = *fields[i];
            if (f.Required() && f.DataType() != FieldType::AutoInc && IsNull(buffer[i]))
                throw Error("Field '" + f.FieldName() + "' must have a value");
        }
    }

    // --- opening --------------------------------------------------------------------------
    std::string ResolveTable() const {
        if (!db)
            throw Error("Impossibile aprire la tabella " + Name() + ": il database '" +
                        std::string(Database::kName) + "' non è aperto.");
        const std::string name = db->FindTable(TableNameWithoutExtension(tableName));
        if (name.empty())
            throw Error("Tabella " + Name() + " non trovata nel database '" +
                        std::string(Database::kName) + "'.");
        return name;
    }

    void CheckColumns() {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db->Handle(), "SELECT name FROM pragma_table_info(?1)", -1, &stmt,
                               nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt);
            ThrowSql("apertura");
        }
        sqlite3_bind_text(stmt, 1, sqlName.c_str(), -1, SQLITE_TRANSIENT);
        std::vector<std::string> columns;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            ThrowSql("apertura");
        for (std::size_t i = 0; i < storedCount; ++i) {
            const std::string& name = fields[i]->FieldName();
            const bool found = std::any_of(columns.begin(), columns.end(),
                                           [&](const std::string& c) { return SameName(c, name); });
            if (!found)
                throw Error("La tabella " + Name() + " del database '" +
                            std::string(Database::kName) + "' non ha il campo '" + name + "'.");
        }
    }

    // Did the edit change a key of the active index (and so maybe the record's place)?
    bool KeyChanged() const {
        if (!index)
            return false;
        for (const auto& key : index->fields)
            for (std::size_t i = 0; i < storedCount; ++i)
                if (SameName(fields[i]->FieldName(), key.field) && saved[i] != buffer[i])
                    return true;
        return false;
    }

    // The post once the bound controls have written their values back.
    void PostUpdated() {
        Fire(self.BeforePost);
        CheckActive();
        if (!IsEditing(state))
            return; // the handler posted or cancelled it already
        CheckRequired();
        std::int64_t rowid = current;
        const bool inserting = state == DataSetState::Insert;
        Transaction("salvare", [&] {
            if (inserting)
                rowid = InsertRow();
            else
                UpdateRow(rowid);
        });
        modified = false;
        const bool reorder = inserting || KeyChanged();
        SetState(DataSetState::Browse);
        if (reorder) {
            Resync(rowid);
        } else {
            // Same place in the order: re-read the record alone, not the whole keyset.
            LoadCurrent();
            bof = eof = keys.empty();
        }
        DataChanged(nullptr);
        Fire(self.AfterPost);
    }

    // --- fields ---------------------------------------------------------------------------
    Value Converted(const Field& f, const Value& v) const;
    void Write(Field& f, Value v);
};

// ---------------------------------------------------------------------------------------------
// Field

Field::Field(Table& table, FieldDef def, bool calculated)
    : table_(&table), def_(std::move(def)), calculated_(calculated) {}

const std::string& Field::FieldName() const {
    return def_.name;
}
FieldType Field::DataType() const {
    return def_.type;
}
bool Field::Calculated() const {
    return calculated_;
}
bool Field::Required() const {
    return def_.required;
}
void Field::SetRequired(bool r) {
    def_.required = r;
}
int Field::Size() const {
    return def_.size;
}
const std::string& Field::DisplayFormat() const {
    return displayFormat_;
}
void Field::SetDisplayFormat(std::string pattern) {
    displayFormat_ = std::move(pattern);
}
int Field::DisplayWidth() const {
    return displayWidth_ > 0 ? displayWidth_ : def_.size;
}
void Field::SetDisplayWidth(int characters) {
    displayWidth_ = characters;
}
Table& Field::DataSet() const {
    return *table_;
}

Value Field::AsValue() const {
    return table_->impl_->buffer[static_cast<std::size_t>(index_)];
}

bool Field::IsNull() const {
    return store::IsNull(AsValue());
}

std::string Field::AsString() const {
    const Value v = AsValue();
    if (def_.type == FieldType::Boolean && !store::IsNull(v))
        return AsBoolean() ? "True" : "False";
    return ValueToString(v);
}

std::int32_t Field::AsInteger() const {
    return ValueToInt32(AsValue());
}

double Field::AsFloat() const {
    return ValueToFloat(AsValue());
}

bool Field::AsBoolean() const {
    const Value v = AsValue();
    if (const auto* s = std::get_if<std::string>(&v)) {
        const std::string t = text::Trim(*s);
        if (SameName(t, "true"))
            return true;
        if (SameName(t, "false") || t.empty())
            return false;
        throw ConversionError("'" + *s + "' is not a valid boolean value");
    }
    if (const auto* d = std::get_if<double>(&v))
        return *d != 0.0;
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return *i != 0;
    return false;
}

std::string Field::DisplayText() const {
    const Value v = AsValue();
    if (store::IsNull(v))
        return {};
    if (!displayFormat_.empty() && IsNumeric(def_.type) && def_.type != FieldType::Boolean)
        return text::FormatFloat(displayFormat_, ValueToFloat(v));
    return AsString();
}

void Field::SetAsString(const std::string& s) {
    switch (def_.type) {
    case FieldType::String:
    case FieldType::Memo:
        SetValue(s);
        return;
    case FieldType::Boolean: {
        const std::string t = text::Trim(s);
        if (t.empty())
            Clear();
        else if (SameName(t, "true"))
            SetAsBoolean(true);
        else if (SameName(t, "false"))
            SetAsBoolean(false);
        else
            throw ConversionError("'" + s + "' is not a valid boolean value");
        return;
    }
    case FieldType::Float:
        if (s.empty())
            Clear();
        else
            SetAsFloat(text::StrToFloat(s));
        return;
    case FieldType::Integer:
    case FieldType::AutoInc:
        if (s.empty())
            Clear();
        else
            SetAsInteger(text::StrToInt(s));
        return;
    }
}

void Field::SetAsInteger(std::int32_t v) {
    SetValue(static_cast<std::int64_t>(v));
}
void Field::SetAsFloat(double v) {
    SetValue(v);
}
void Field::SetAsBoolean(bool v) {
    SetValue(static_cast<std::int64_t>(v ? 1 : 0));
}
void Field::Clear() {
    SetValue(Value{});
}

void Field::SetValue(const Value& v) {
    Table::Impl& t = *table_->impl_;
    t.Write(*this, t.Converted(*this, v));
}

// The value as the field's type holds it; conversion errors are the program's texts.
Value Table::Impl::Converted(const Field& f, const Value& v) const {
    if (store::IsNull(v))
        return v;
    switch (f.DataType()) {
    case FieldType::String: {
        std::string s = ValueToString(v);
        if (s.empty())
            return {};
        return TruncateToCharacters(s, f.Size() > 0 ? f.Size() : CharacterCount(s));
    }
    case FieldType::Memo: {
        std::string s = ValueToString(v);
        return s.empty() ? Value{} : Value{std::move(s)};
    }
    case FieldType::Float: {
        double d;
        if (const auto* s = std::get_if<std::string>(&v))
            d = text::StrToFloat(*s);
        else
            d = ValueToFloat(v);
        if (!std::isfinite(d))
            throw Error("Valore non valido per il campo '" + f.FieldName() + "'.");
        return d;
    }
    case FieldType::Integer:
    case FieldType::AutoInc:
        return static_cast<std::int64_t>(ValueToInt32(v));
    case FieldType::Boolean:
        if (const auto* s = std::get_if<std::string>(&v)) {
            const std::string t = text::Trim(*s);
            if (SameName(t, "true"))
                return std::int64_t{1};
            if (SameName(t, "false"))
                return std::int64_t{0};
            throw ConversionError("'" + *s + "' is not a valid boolean value");
        }
        return static_cast<std::int64_t>(ValueToFloat(v) != 0.0 ? 1 : 0);
    }
    return v;
}

void Table::Impl::Write(Field& f, Value v) {
    if (state == DataSetState::Inactive)
        ThrowClosed();
    auto& slot = buffer[static_cast<std::size_t>(f.index_)];
    if (f.Calculated()) {
        slot = std::move(v);
        if (state != DataSetState::CalcFields)
            DataChanged(&f);
        return;
    }
    if (!IsEditing(state))
        throw Error("Il record della tabella " + Name() +
                    " non è in modifica: impossibile scrivere il campo '" + f.FieldName() + "'.");
    if (f.DataType() == FieldType::AutoInc)
        throw Error("Il campo '" + f.FieldName() +
                    "' è numerato automaticamente e non si può modificare.");
    slot = std::move(v);
    modified = true;
    CalcFields();
    DataChanged(&f);
}

// ---------------------------------------------------------------------------------------------
// Table

Table::Table(std::shared_ptr<Database> db, std::string tableName, const TableDef& def)
    : impl_(std::make_unique<Impl>(*this, std::move(db), std::move(tableName), def)) {
    for (const auto& fd : impl_->def.fields) {
        if (impl_->def.FindField(fd.name) != &fd)
            throw Error("Campo '" + fd.name + "' ripetuto nella tabella " + impl_->Name() + ".");
        auto f = std::unique_ptr<Field>(new Field(*this, fd, false));
        f->index_ = static_cast<int>(impl_->fields.size());
        impl_->fields.push_back(std::move(f));
    }
    impl_->storedCount = impl_->fields.size();
    impl_->buffer.resize(impl_->fields.size());
    impl_->index = impl_->def.FindIndex("");
}

Table::~Table() {
    // No events here: the windows that handle them may already be gone.
    for (DataSource* ds : impl_->sources) {
        ds->table_ = nullptr;
        ds->state_ = DataSetState::Inactive;
    }
    impl_->FinalizeAll();
}

const std::string& Table::TableName() const {
    return impl_->tableName;
}
const std::shared_ptr<Database>& Table::GetDatabase() const {
    return impl_->db;
}

void Table::SetDatabase(std::shared_ptr<Database> db) {
    Impl& t = *impl_;
    if (t.state != DataSetState::Inactive)
        throw Error("Impossibile cambiare il database della tabella " + t.Name() +
                    " mentre è aperta.");
    t.FinalizeAll(); // prepared on the old connection
    t.db = std::move(db);
}

Field& Table::AddCalculatedField(const std::string& name, FieldType resultType) {
    if (FindField(name) != nullptr)
        throw Error("Campo '" + name + "' ripetuto nella tabella " + impl_->Name() + ".");
    FieldDef fd;
    fd.name = name;
    fd.type = resultType == FieldType::AutoInc ? FieldType::Integer : resultType;
    auto f = std::unique_ptr<Field>(new Field(*this, fd, true));
    f->index_ = static_cast<int>(impl_->fields.size());
    impl_->fields.push_back(std::move(f));
    impl_->buffer.resize(impl_->fields.size());
    return *impl_->fields.back();
}

void Table::SetIndexName(const std::string& indexName) {
    Impl& t = *impl_;
    const IndexDef* target = t.def.FindIndex(indexName);
    if (!indexName.empty() && target == nullptr)
        throw Error("Indice '" + indexName + "' non trovato nella tabella " + t.Name() + ".");
    if (t.state == DataSetState::Inactive) {
        t.indexName = indexName;
        t.index = target;
        return;
    }
    CheckBrowseMode();
    if (target == t.index)
        return;
    // A range belongs to the index it was set on.
    t.indexName = indexName;
    t.index = target;
    t.hasRange = false;
    t.Resync(t.current);
    t.DataChanged(nullptr);
}

const std::string& Table::IndexName() const {
    return impl_->indexName;
}

void Table::Open() {
    Impl& t = *impl_;
    if (t.state != DataSetState::Inactive)
        return;
    t.Fire(BeforeOpen);
    try {
        t.sqlName = t.ResolveTable();
        t.CheckColumns();
        t.hasRange = false;
        t.pos = 0;
        t.modified = false;
        t.LoadKeys();
        t.state = DataSetState::Browse; // LoadCurrent's calculated fields need an open cursor
        t.LoadCurrent();
        t.bof = true;
        t.eof = t.keys.empty();
    } catch (...) {
        t.state = DataSetState::Inactive;
        t.FinalizeAll();
        t.keys.clear();
        t.current = 0;
        t.ClearBuffer();
        throw;
    }
    // Announce the change: the cursor was already switched to Browse above.
    t.state = DataSetState::Inactive;
    t.SetState(DataSetState::Browse);
    t.Fire(AfterOpen);
    if (t.state != DataSetState::Inactive && !t.keys.empty())
        t.Fire(AfterScroll);
}

void Table::Close() {
    Impl& t = *impl_;
    if (t.state == DataSetState::Inactive)
        return;
    if (t.state == DataSetState::CalcFields)
        t.CheckActive();
    t.Fire(BeforeClose);
    // Unposted changes are dropped, as closing a dataset always did.
    t.FinalizeAll();
    t.keys.clear();
    t.pos = 0;
    t.current = 0;
    t.bof = t.eof = true;
    t.modified = false;
    t.hasRange = false;
    t.ClearBuffer();
    t.SetState(DataSetState::Inactive);
    t.Fire(AfterClose);
}

bool Table::Active() const {
    return impl_->state != DataSetState::Inactive;
}

void Table::EmptyTable() {
    Impl& t = *impl_;
    if (t.state == DataSetState::Inactive) {
        const std::string name = t.ResolveTable();
        t.Transaction("svuotare la tabella", [&] {
            StatementUse use(t.Prepare("DELETE FROM " + QuoteIdentifier(name)));
            t.Step(use.get(), "svuotare la tabella");
        });
        t.FinalizeAll(); // the statement named a table that a closed cursor does not hold
        return;
    }
    CheckBrowseMode();
    t.CheckCanModify();
    t.Transaction("svuotare la tabella", [&] {
        StatementUse use(t.Prepare("DELETE FROM " + t.SqlTable()));
        t.Step(use.get(), "svuotare la tabella");
    });
    t.keys.clear();
    t.LoadCurrent();
    t.DataChanged(nullptr);
}

DataSetState Table::State() const {
    return impl_->state;
}
bool Table::Modified() const {
    return impl_->modified;
}

void Table::First() {
    Impl& t = *impl_;
    CheckBrowseMode();
    t.Fire(BeforeScroll);
    t.AfterBeforeEvent();
    t.pos = 0;
    t.LoadCurrent();
    t.bof = true;
    t.eof = t.keys.empty();
    t.DataChanged(nullptr);
    t.Fire(AfterScroll);
}

void Table::Last() {
    Impl& t = *impl_;
    CheckBrowseMode();
    t.Fire(BeforeScroll);
    t.AfterBeforeEvent();
    t.pos = t.keys.empty() ? 0 : t.keys.size() - 1;
    t.LoadCurrent();
    t.eof = true;
    t.bof = t.keys.empty();
    t.DataChanged(nullptr);
    t.Fire(AfterScroll);
}

void Table::Next() {
    MoveBy(1);
}

void Table::Prior() {
    MoveBy(-1);
}

int Table::MoveBy(int distance) {
    Impl& t = *impl_;
    CheckBrowseMode();
    t.Fire(BeforeScroll);
    t.AfterBeforeEvent();
    std::int64_t moved = 0;
    if ((distance > 0 && !t.eof) || (distance < 0 && !t.bof)) {
        t.bof = t.eof = false;
        const auto count = static_cast<std::int64_t>(t.keys.size());
        const auto from = static_cast<std::int64_t>(t.pos);
        std::int64_t target = from + distance;
        if (target >= count) {
            target = count - 1;
            t.eof = true;
        }
        if (target <= 0 && distance < 0) {
            t.bof = target < 0;
            target = 0;
        }
        if (count == 0) {
            t.bof = t.eof = true;
        } else if (target != from) {
            moved = target - from;
            t.pos = static_cast<std::size_t>(target);
            t.LoadCurrent();
            if (t.keys.empty())
                t.bof = t.eof = true;
            t.DataChanged(nullptr);
        }
    }
    t.Fire(AfterScroll);
    return static_cast<int>(moved);
}

std::vector<std::vector<std::string>>
Table::RowsDisplayText(const std::vector<std::string>& fieldNames, int maxRows) {
    Impl& t = *impl_;
    t.CheckActive();
    std::vector<Field*> shown;
    for (const auto& name : fieldNames)
        shown.push_back(&FieldByName(name));
    const std::size_t limit =
        maxRows < 0 ? t.keys.size() : std::min(t.keys.size(), std::size_t(maxRows));
    std::vector<std::vector<std::string>> rows;
    rows.reserve(limit);
    // Each row passes through the record buffer, which is put back as it was afterwards;
    // the record being edited shows what the user typed, not what is stored.
    const std::vector<Value> kept = t.buffer;
    try {
        for (std::size_t i = 0; i < limit; ++i) {
            const bool editedRow = i == t.pos && t.state == DataSetState::Edit;
            if (editedRow)
                t.buffer = kept;
            else if (!t.Fetch(t.keys[i]))
                continue; // deleted meanwhile by another cursor
            else
                t.CalcFields();
            std::vector<std::string> row;
            row.reserve(shown.size());
            for (Field* f : shown)
                row.push_back(f->DisplayText());
            rows.push_back(std::move(row));
        }
    } catch (...) {
        t.buffer = kept;
        throw;
    }
    t.buffer = kept;
    return rows;
}

bool Table::Eof() const {
    return impl_->state == DataSetState::Inactive || impl_->eof;
}
bool Table::Bof() const {
    return impl_->state == DataSetState::Inactive || impl_->bof;
}

bool Table::IsEmpty() const {
    return impl_->state == DataSetState::Inactive ||
           (impl_->keys.empty() && impl_->state != DataSetState::Insert);
}

int Table::RecordCount() const {
    impl_->CheckActive();
    return static_cast<int>(impl_->keys.size());
}

int Table::RecNo() const {
    impl_->CheckActive();
    if (impl_->keys.empty() || impl_->state == DataSetState::Insert)
        return 0;
    return static_cast<int>(impl_->pos + 1);
}

Bookmark Table::GetBookmark() const {
    const Impl& t = *impl_;
    if (t.state != DataSetState::Browse && t.state != DataSetState::Edit)
        return 0;
    return t.current;
}

void Table::GotoBookmark(Bookmark b) {
    Impl& t = *impl_;
    t.CheckActive();
    if (b == 0)
        return;
    CheckBrowseMode();
    if (!BookmarkValid(b))
        throw Error("Record non trovato nella tabella " + t.Name() + ".");
    t.Fire(BeforeScroll);
    t.AfterBeforeEvent();
    auto p = t.PositionOf(b);
    if (!p)
        throw Error("Record non trovato nella tabella " + t.Name() + ".");
    t.pos = *p;
    t.LoadCurrent();
    t.bof = t.eof = false;
    t.DataChanged(nullptr);
    t.Fire(AfterScroll);
}

void Table::FreeBookmark(Bookmark) {
    // A bookmark is a rowid: there is nothing to release.
}

bool Table::BookmarkValid(Bookmark b) const {
    Impl& t = *impl_;
    if (b == 0 || t.state == DataSetState::Inactive || !t.PositionOf(b))
        return false;
    // Still in the table? Check without disturbing the record being shown or edited.
    StatementUse use(t.Prepare("SELECT 1 FROM " + t.SqlTable() + " WHERE rowid = ?"));
    sqlite3_bind_int64(use.get(), 1, b);
    return sqlite3_step(use.get()) == SQLITE_ROW;
}

bool Table::Locate(const std::string& fieldName, const Value& value) {
    Impl& t = *impl_;
    CheckBrowseMode();
    Field& f = FieldByName(fieldName);
    if (f.Calculated())
        throw Error("Ricerca non possibile sul campo calcolato '" + f.FieldName() + "'.");
    const Value key = t.Converted(f, value);
    t.Fire(BeforeScroll);
    t.AfterBeforeEvent();
    std::string where;
    std::vector<Value> binds;
    if (IsNull(key)) {
        where = QuoteIdentifier(f.FieldName()) + " IS NULL";
    } else {
        where = QuoteIdentifier(f.FieldName()) + " = ?";
        binds.push_back(key);
    }
    return t.MoveToFirstMatch(where, binds, AfterScroll);
}

void Table::SetRange(const std::vector<Value>& low, const std::vector<Value>& high) {
    Impl& t = *impl_;
    CheckBrowseMode();
    if (!t.index)
        throw Error("Intervallo non possibile: la tabella " + t.Name() +
                    " non ha un indice attivo.");
    if (low.size() != high.size() || low.empty() || low.size() > t.index->fields.size())
        throw Error("Intervallo non valido per l'indice della tabella " + t.Name() + ".");
    std::vector<Value> lo, hi;
    for (std::size_t k = 0; k < low.size(); ++k) {
        const Field& f = FieldByName(t.index->fields[k].field);
        lo.push_back(t.Converted(f, low[k]));
        hi.push_back(t.Converted(f, high[k]));
        if (lo[k] != hi[k] && k + 1 < low.size())
            throw Error("Intervallo non valido per l'indice della tabella " + t.Name() +
                        ": solo l'ultimo campo della chiave può avere estremi diversi.");
    }
    t.rangeLow = std::move(lo);
    t.rangeHigh = std::move(hi);
    t.hasRange = true;
    t.LoadKeys();
    t.pos = 0;
    First();
}

void Table::CancelRange() {
    Impl& t = *impl_;
    CheckBrowseMode();
    if (!t.hasRange)
        return;
    t.hasRange = false;
    t.Resync(t.current);
    t.DataChanged(nullptr);
}

bool Table::FindKey(const std::vector<Value>& key) {
    Impl& t = *impl_;
    CheckBrowseMode();
    if (!t.index)
        throw Error("Ricerca per chiave non possibile: la tabella " + t.Name() +
                    " non ha un indice attivo.");
    if (key.empty() || key.size() > t.index->fields.size())
        throw Error("Chiave non valida per l'indice della tabella " + t.Name() + ".");
    std::string where;
    std::vector<Value> binds;
    for (std::size_t k = 0; k < key.size(); ++k) {
        const Field& f = FieldByName(t.index->fields[k].field);
        t.KeyEquals(t.index->fields[k], t.Converted(f, key[k]), where, binds);
    }
    t.Fire(BeforeScroll);
    t.AfterBeforeEvent();
    return t.MoveToFirstMatch(where, binds, AfterScroll);
}

void Table::Refresh() {
    Impl& t = *impl_;
    CheckBrowseMode();
    t.Resync(t.current);
    t.DataChanged(nullptr);
}

void Table::Append() {
    Impl& t = *impl_;
    CheckBrowseMode();
    t.CheckCanModify();
    t.Fire(BeforeInsert);
    t.AfterBeforeEvent();
    t.Fire(BeforeScroll);
    t.AfterBeforeEvent();
    t.returnTo = t.current;
    t.current = 0;
    t.ClearBuffer();
    t.bof = false;
    t.eof = true;
    t.SetState(DataSetState::Insert);
    try {
        t.Fire(OnNewRecord);
    } catch (...) {
        // A record that could not be set up is not left half made.
        t.current = t.returnTo;
        t.modified = false;
        t.SetState(DataSetState::Browse);
        t.LoadCurrent();
        t.bof = t.eof = t.keys.empty();
        t.DataChanged(nullptr);
        throw;
    }
    t.modified = false;
    t.DataChanged(nullptr);
    t.Fire(AfterInsert);
    t.Fire(AfterScroll);
}

void Table::Insert() {
    // The active index decides where the posted record appears, so inserting is appending.
    Append();
}

void Table::Edit() {
    Impl& t = *impl_;
    t.CheckActive();
    if (IsEditing(t.state))
        return;
    if (t.keys.empty()) {
        Append();
        return;
    }
    t.CheckCanModify();
    t.Fire(BeforeEdit);
    t.AfterBeforeEvent();
    if (IsEditing(t.state))
        return;
    // Edit what is in the table now, not what was read when the record became current.
    if (!t.Fetch(t.current)) {
        t.LoadCurrent();
        t.bof = t.eof = t.keys.empty();
        t.DataChanged(nullptr);
        throw Error("Il record della tabella " + t.Name() +
                    " è stato eliminato da un altro utente.");
    }
    t.CalcFields();
    t.saved = t.buffer;
    t.modified = false;
    t.SetState(DataSetState::Edit);
    t.DataChanged(nullptr);
    t.Fire(AfterEdit);
}

void Table::Post() {
    Impl& t = *impl_;
    t.CheckActive();
    if (!IsEditing(t.state))
        throw Error("Il record della tabella " + t.Name() +
                    " non è in modifica: niente da salvare.");
    t.UpdateData();
    t.PostUpdated();
}

void Table::Cancel() {
    Impl& t = *impl_;
    if (!IsEditing(t.state))
        return;
    t.Fire(BeforeCancel);
    if (!IsEditing(t.state))
        return;
    const bool inserting = t.state == DataSetState::Insert;
    if (inserting)
        t.Fire(BeforeScroll);
    if (inserting) {
        t.current = t.returnTo;
        if (auto p = t.PositionOf(t.current))
            t.pos = *p;
    }
    t.modified = false;
    t.SetState(DataSetState::Browse);
    t.LoadCurrent();
    t.bof = t.eof = t.keys.empty();
    t.DataChanged(nullptr);
    t.Fire(AfterCancel);
    if (inserting)
        t.Fire(AfterScroll);
}

void Table::Delete() {
    Impl& t = *impl_;
    t.CheckActive();
    if (t.state == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (t.keys.empty())
        throw Error("Impossibile eliminare: la tabella " + t.Name() + " è vuota.");
    t.CheckCanModify();
    t.Fire(BeforeDelete);
    t.CheckActive();
    t.Fire(BeforeScroll);
    t.CheckActive();
    if (t.keys.empty())
        throw Error("Impossibile eliminare: la tabella " + t.Name() + " è vuota.");
    const std::int64_t rowid = t.current;
    t.Transaction("eliminare", [&] { t.DeleteRow(rowid); });
    t.modified = false;
    if (auto p = t.PositionOf(rowid))
        t.keys.erase(t.keys.begin() + static_cast<std::ptrdiff_t>(*p));
    t.SetState(DataSetState::Browse);
    t.LoadCurrent();
    t.bof = t.eof = t.keys.empty();
    t.DataChanged(nullptr);
    t.Fire(AfterDelete);
    t.Fire(AfterScroll);
}

void Table::CheckBrowseMode() {
    Impl& t = *impl_;
    t.CheckActive();
    if (!IsEditing(t.state))
        return;
    t.UpdateData();
    if (t.modified)
        t.PostUpdated();
    else
        Cancel();
}

Field& Table::FieldByName(const std::string& name) {
    if (Field* f = FindField(name))
        return *f;
    throw Error("Campo '" + name + "' non trovato nella tabella " + impl_->Name() + ".");
}

Field* Table::FindField(const std::string& name) {
    for (auto& f : impl_->fields)
        if (SameName(f->FieldName(), name))
            return f.get();
    return nullptr;
}

const std::vector<std::unique_ptr<Field>>& Table::Fields() const {
    return impl_->fields;
}

void Table::Attach(DataSource* ds) {
    if (ds && std::find(impl_->sources.begin(), impl_->sources.end(), ds) == impl_->sources.end())
        impl_->sources.push_back(ds);
}

void Table::Detach(DataSource* ds) {
    auto& s = impl_->sources;
    s.erase(std::remove(s.begin(), s.end(), ds), s.end());
}

// ---------------------------------------------------------------------------------------------
// DataSource

DataSource::DataSource(Table* table) {
    SetDataSet(table);
}

DataSource::~DataSource() {
    if (table_)
        table_->Detach(this);
}

void DataSource::SetDataSet(Table* table) {
    if (table == table_)
        return;
    if (table_)
        table_->Detach(this);
    table_ = table;
    if (table_)
        table_->Attach(this);
    NotifyStateChange();
}

Table* DataSource::DataSet() const {
    return table_;
}
DataSetState DataSource::State() const {
    return state_;
}

int DataSource::AddListener(Listener l) {
    const int id = nextId_++;
    listeners_.emplace_back(id, std::move(l));
    return id;
}

void DataSource::RemoveListener(int id) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [id](const auto& p) { return p.first == id; }),
                     listeners_.end());
}

void DataSource::NotifyStateChange() {
    const DataSetState now = table_ ? table_->State() : DataSetState::Inactive;
    if (now == state_)
        return;
    const DataSetState prior = state_;
    state_ = now;
    auto copy = listeners_; // a listener may remove itself
    for (auto& [id, l] : copy)
        if (l.stateChanged)
            l.stateChanged();
    if (OnStateChange) {
        auto handler = OnStateChange;
        handler(*this);
    }
    // A source that comes alive shows the record it now has.
    if (prior == DataSetState::Inactive)
        NotifyDataChange(nullptr);
}

void DataSource::NotifyDataChange(Field* field) {
    if (state_ == DataSetState::Inactive)
        return;
    auto copy = listeners_;
    for (auto& [id, l] : copy)
        if (l.dataChanged)
            l.dataChanged(field);
    if (OnDataChange) {
        auto handler = OnDataChange;
        handler(*this, field);
    }
}

void DataSource::NotifyUpdateData() {
    if (state_ == DataSetState::Inactive)
        return;
    auto copy = listeners_;
    for (auto& [id, l] : copy)
        if (l.updateData)
            l.updateData();
    if (OnUpdateData) {
        auto handler = OnUpdateData;
        handler(*this);
    }
}

} // namespace velcaro::store
