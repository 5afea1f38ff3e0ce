// The scratch table on the embedded SQLite engine, in a temporary "TEMP" folder.

#include "SqliteTable.h"
#include "TempDir.h"

#include "RowPrinter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>

namespace dorvik {
namespace {

using testing::ScopedCurrentPath;
using testing::TempDir;

const std::vector<FieldDef> kFields{FieldDef{"tblTempField1", FieldType::SmallInt, true}};

struct Table {
    TempDir temp;
    SqliteTable table;
    Table() {
        table.SetTableName("DorvikTemporaryTestTable");
        table.SetDatabaseName(temp.path().string());
    }
    std::filesystem::path File() const { return temp / "DorvikTemporaryTestTable.db"; }
};

// Inserts one value into the created table through a connection of its own; gives the
// SQLite result code.
int Insert(const std::filesystem::path& file, std::optional<int> value) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO \"DorvikTemporaryTestTable\" VALUES (?1)", -1, &statement,
                       nullptr);
    if (value)
        sqlite3_bind_int(statement, 1, *value);
    else
        sqlite3_bind_null(statement, 1);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rc;
}

TEST(DorvikSqliteTable, CreateOpenCloseDeleteLeavesNothingBehind) {
    Table t;
    EXPECT_FALSE(t.table.Exists());
    t.table.CreateTable(kFields);
    EXPECT_TRUE(t.table.Exists());
    EXPECT_TRUE(std::filesystem::is_regular_file(t.File()));
    t.table.Open();
    EXPECT_TRUE(t.table.IsOpen());
    t.table.Close();
    t.table.DeleteTable();
    EXPECT_FALSE(t.table.Exists());
    EXPECT_TRUE(std::filesystem::is_empty(t.temp.path()));
}

TEST(DorvikSqliteTable, FieldIsARequiredSixteenBitInteger) {
    Table t;
    t.table.CreateTable(kFields);
    EXPECT_EQ(Insert(t.File(), 32767), SQLITE_DONE);
    EXPECT_EQ(Insert(t.File(), -32768), SQLITE_DONE);
    EXPECT_EQ(Insert(t.File(), 32768), SQLITE_CONSTRAINT) << "wider than 16 bits";
    EXPECT_EQ(Insert(t.File(), -32769), SQLITE_CONSTRAINT);
    EXPECT_EQ(Insert(t.File(), std::nullopt), SQLITE_CONSTRAINT) << "the field is required";
}

struct FailureRow {
    const char* fault;
    void (*arrange)(Table&);
    void (*act)(Table&);
    const char* messagePart;
};

class DorvikSqliteFailures : public ::testing::TestWithParam<FailureRow> {};

TEST_P(DorvikSqliteFailures, RaiseTheEngineErrorWithAMessage) {
    Table t;
    if (GetParam().arrange)
        GetParam().arrange(t);
    try {
        GetParam().act(t);
        FAIL() << "no engine error";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().messagePart), std::string::npos)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikSqliteFailures,
    ::testing::Values(
        FailureRow{"DeleteOfMissingTableSilent", nullptr, [](Table& t) { t.table.DeleteTable(); },
                   "does not exist"},
        FailureRow{"OpenOfMissingTableCreatesIt", nullptr, [](Table& t) { t.table.Open(); },
                   "Cannot open table"},
        FailureRow{"OpenOfForeignFileSucceeds",
                   [](Table& t) { std::ofstream(t.File()) << "not a database at all, really"; },
                   [](Table& t) { t.table.Open(); }, "file is not a database"},
        FailureRow{"OpenOfDatabaseWithoutTheTableSucceeds",
                   [](Table& t) {
                       sqlite3* db = nullptr;
                       sqlite3_open(t.File().c_str(), &db);
                       sqlite3_exec(db, "CREATE TABLE other (x)", nullptr, nullptr, nullptr);
                       sqlite3_close(db);
                   },
                   [](Table& t) { t.table.Open(); }, "no such table"},
        FailureRow{"CreateInMissingFolderSucceeds",
                   [](Table& t) { t.table.SetDatabaseName((t.temp / "missing").string()); },
                   [](Table& t) { t.table.CreateTable(kFields); }, "Cannot create table"},
        FailureRow{"DeleteOfOpenTableSucceeds",
                   [](Table& t) {
                       t.table.CreateTable(kFields);
                       t.table.Open();
                   },
                   [](Table& t) { t.table.DeleteTable(); }, "while it is open"},
        FailureRow{"FolderOfTheTablesNameRemoved",
                   [](Table& t) {
                       std::filesystem::create_directory(t.File());
                       std::ofstream(t.File() / "inside") << "x";
                   },
                   [](Table& t) { t.table.DeleteTable(); }, "Cannot delete table"},
        FailureRow{"NamelessTableLooksForDotDb", [](Table& t) { t.table.SetTableName(""); },
                   [](Table& t) { (void)t.table.Exists(); }, "Table name is missing"}),
    [](const auto& info) { return std::string(info.param.fault); });

TEST(DorvikSqliteTable, FailedCreateLeavesNoFileThatWouldLookLikeATable) {
    Table t;
    EXPECT_THROW(t.table.CreateTable({FieldDef{"a", FieldType::SmallInt, true},
                                      FieldDef{"A", FieldType::SmallInt, true}}),
                 EngineError)
        << "duplicate column";
    EXPECT_FALSE(t.table.Exists());
}

TEST(DorvikSqliteTable, CreateReplacesALeftoverTable) {
    Table t;
    t.table.CreateTable(kFields);
    ASSERT_EQ(Insert(t.File(), 1), SQLITE_DONE);
    t.table.CreateTable(kFields);
    t.table.Open();
    t.table.Close();
    sqlite3* db = nullptr;
    sqlite3_open(t.File().c_str(), &db);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM \"DorvikTemporaryTestTable\"", -1, &count,
                       nullptr);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(count, 0), 0);
    sqlite3_finalize(count);
    sqlite3_close(db);
}

TEST(DorvikSqliteTable, EmptyDatabaseNameMeansTheCurrentFolder) {
    TempDir current;
    ScopedCurrentPath inside(current.path());
    SqliteTable table;
    table.SetTableName("DorvikTemporaryTestTable");
    table.SetDatabaseName("");
    table.CreateTable(kFields);
    EXPECT_TRUE(std::filesystem::exists(current / "DorvikTemporaryTestTable.db"));
    table.DeleteTable();
    EXPECT_FALSE(std::filesystem::exists(current / "DorvikTemporaryTestTable.db"));
}

} // namespace
} // namespace dorvik
