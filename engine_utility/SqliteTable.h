#pragma once
// The engine's scratch table on this platform: a table of the embedded SQLite engine,
// kept in its own database file "<table name>.db" in the table's database folder. An
// empty database name means the current folder, where the engine puts tables that
// name no database.

#include "EnginePlatform.h"

#include <filesystem>
#include <string>

struct sqlite3;

namespace dorvik {

class SqliteTable : public EngineTable {
public:
    SqliteTable() = default;
    ~SqliteTable() override;
    SqliteTable(const SqliteTable&) = delete;
    SqliteTable& operator=(const SqliteTable&) = delete;

    void SetTableName(const std::string& name) override { tableName_ = name; }
    std::string TableName() const override { return tableName_; }
    void SetDatabaseName(const std::string& folder) override;
    std::string DatabaseName() const override { return databaseName_; }

    bool Exists() override;
    void CreateTable(const std::vector<FieldDef>& fields) override;
    void Open() override;
    void Close() override;
    void DeleteTable() override;

    bool IsOpen() const { return db_ != nullptr; }
    std::filesystem::path FilePath() const;

private:
    void RequireName() const;
    void RequireClosed(const char* action) const;

    std::string tableName_;
    std::string databaseName_;
    sqlite3* db_ = nullptr;
};

} // namespace dorvik
