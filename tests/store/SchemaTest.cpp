#include "StoreTestSupport.h"

#include <sqlite3.h>

namespace velcaro::store::testing {
namespace {

struct NameRow {
    const char* fault;
    const char* in;
    const char* out;
};

TEST(TableNameWithoutExtension, MapsTheProgramsFileNamesToTheSqliteTable) {
    const NameRow rows[] = {
        {"upper-case extension kept", "Contenitori.DB", "Contenitori"},
        {"lower-case extension kept", "contenitori.db", "contenitori"},
        {"name without extension changed", "Contenitori", "Contenitori"},
        {"folder left in the name", "Dati/AppoggioStrati.db", "AppoggioStrati"},
        {"backslash folder left in the name", "..\\Velcaro\\Dati\\Calcoli.DB", "Calcoli"},
        {"only the last dot removed", "a.b.DB", "a.b"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(TableNameWithoutExtension(r.in), r.out) << r.fault;
}

TEST(QuoteIdentifier, KeepsBlanksAndDoublesQuotes) {
    EXPECT_EQ(QuoteIdentifier("Larghezza Utile"), "\"Larghezza Utile\"");
    EXPECT_EQ(QuoteIdentifier("a\"b"), "\"a\"\"b\"");
}

// The SQL has to run on a real SQLite: two tables with an index of the same program name,
// an auto-increment field that is not the first column, names with blanks.
TEST(CreateTableSql, BuildsTablesThatSqliteAccepts) {
    const std::string dir = FreshDir();
    auto db = CreateStoreFile(dir + "/Velcaro.db");
    for (const char* table : {"Contenitori", "Calcoli", "Separatori", "AppoggioStrati"})
        EXPECT_EQ(db->FindTable(table), table);

    // Separatori: ID is the second column and still numbers the records itself.
    db->Exec("INSERT INTO Separatori (Codice, Materiale, Spessore) VALUES ('S1', 'CARTONE', 2)");
    db->Exec("INSERT INTO Separatori (Codice, Materiale, Spessore) VALUES ('S2', 'CARTONE', 3)");
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db->Handle(), "SELECT max(ID) FROM Separatori", -1, &stmt, nullptr),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), 2);
    sqlite3_finalize(stmt);
}

TEST(CreateTableSql, NamesEachIndexAfterItsTable) {
    const auto sql = CreateTableSql(SeparatorsDef());
    ASSERT_EQ(sql.size(), 3u); // table + two named indexes; the primary is the rowid
    EXPECT_NE(sql[2].find("\"Separatori.iFamiglia\""), std::string::npos) << sql[2];
    EXPECT_NE(sql[2].find("COLLATE NOCASE"), std::string::npos) << sql[2];
    EXPECT_EQ(sql[1].find("COLLATE NOCASE"), std::string::npos) << sql[1];
    EXPECT_EQ(sql[0].find("NOT NULL"), std::string::npos) << sql[0];
}

} // namespace
} // namespace velcaro::store::testing
