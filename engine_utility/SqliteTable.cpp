#include "SqliteTable.h"

#include <sqlite3.h>

#include <memory>
#include <system_error>

namespace dorvik {

namespace {

namespace fs = std::filesystem;

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

// Table and field names go into SQL as quoted identifiers; only values could be bound.
std::string Quoted(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

std::string ColumnSql(const FieldDef& field) {
    std::string sql = Quoted(field.Name);
    switch (field.Type) {
    case FieldType::SmallInt:
        // A 16-bit signed integer: SQLite stores any integer, so the range is a check.
        sql += " INTEGER CHECK (" + Quoted(field.Name) + " BETWEEN -32768 AND 32767)";
        break;
    }
    if (field.Required)
        sql += " NOT NULL";
    return sql;
}

Database OpenFile(const fs::path& file, int flags, std::string& error) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK) {
        error = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
        return nullptr;
    }
    sqlite3_extended_result_codes(raw, 1);
    return db;
}

void Execute(sqlite3* db, const std::string& sql, const std::string& context) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw EngineError(context + ": " + text);
    }
}

} // namespace

SqliteTable::~SqliteTable() {
    Close();
}

void SqliteTable::SetDatabaseName(const std::string& folder) {
    RequireClosed("change the database of");
    databaseName_ = folder;
}

fs::path SqliteTable::FilePath() const {
    const fs::path file = tableName_ + ".db";
    return databaseName_.empty() ? file : fs::path(databaseName_) / file;
}

void SqliteTable::RequireName() const {
    if (tableName_.empty())
        throw EngineError("Table name is missing.");
}

void SqliteTable::RequireClosed(const char* action) const {
    if (db_)
        throw EngineError(std::string("Cannot ") + action + " table " + tableName_ +
                          " while it is open.");
}

bool SqliteTable::Exists() {
    RequireName();
    std::error_code ec;
    const bool exists = fs::exists(FilePath(), ec);
    if (ec)
        throw EngineError("Cannot look for table " + FilePath().string() + ": " + ec.message());
    return exists;
}

void SqliteTable::CreateTable(const std::vector<FieldDef>& fields) {
    RequireName();
    RequireClosed("create");
    if (fields.empty())
        throw EngineError("Table " + tableName_ + " has no fields.");
    const fs::path file = FilePath();
    std::error_code ec;
    const bool existed = fs::exists(file, ec);

    std::string error;
    Database db = OpenFile(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
    if (!db)
        throw EngineError("Cannot create table " + file.string() + ": " + error);
    std::string sql = "CREATE TABLE " + Quoted(tableName_) + " (";
    for (std::size_t i = 0; i < fields.size(); ++i)
        sql += (i ? ", " : "") + ColumnSql(fields[i]);
    sql += ")";
    try {
        // Creating a table replaces one of the same name, as the engine always did.
        Execute(db.get(),
                "BEGIN; DROP TABLE IF EXISTS " + Quoted(tableName_) + "; " + sql + "; COMMIT;",
                "Cannot create table " + file.string());
    } catch (const EngineError&) {
        db.reset();
        // A file this call made and could not fill is no table; leave nothing behind.
        if (!existed)
            fs::remove(file, ec);
        throw;
    }
}

void SqliteTable::Open() {
    if (db_)
        return;
    RequireName();
    const fs::path file = FilePath();
    std::string error;
    Database db = OpenFile(file, SQLITE_OPEN_READWRITE, error);
    if (!db)
        throw EngineError("Cannot open table " + file.string() + ": " + error);
    // Reading the table proves that the file is a database holding it.
    Execute(db.get(), "SELECT * FROM " + Quoted(tableName_) + " LIMIT 1",
            "Cannot open table " + file.string());
    db_ = db.release();
}

void SqliteTable::Close() {
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void SqliteTable::DeleteTable() {
    RequireName();
    RequireClosed("delete");
    const fs::path file = FilePath();
    std::error_code ec;
    if (!fs::remove(file, ec)) {
        if (ec)
            throw EngineError("Cannot delete table " + file.string() + ": " + ec.message());
        throw EngineError("Table " + file.string() + " does not exist.");
    }
    // A journal left by a crashed run belongs to the table and goes with it.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        fs::path extra = file;
        extra += suffix;
        fs::remove(extra, ec);
    }
}

} // namespace dorvik
