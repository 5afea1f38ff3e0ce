#include "StoreTestSupport.h"

#include "platform/Error.h"

#include <filesystem>
#include <fstream>

namespace velcaro::store::testing {
namespace {

std::string OpenError(const std::string& path) {
    try {
        Database::Open(path);
    } catch (const Error& e) {
        return e.what();
    }
    return "(opened)";
}

TEST(DatabaseOpen, RefusesFilesThatAreNoDatabaseWithTheirName) {
    const std::string dir = FreshDir();
    const std::string missing = dir + "/Velcaro.db";
    EXPECT_EQ(OpenError(missing),
              "Impossibile aprire il database 'Velcaro' (" + missing + "): il file non esiste.");
    EXPECT_FALSE(std::filesystem::exists(missing)) << "opening must never create the file";

    const std::string garbage = dir + "/Rotto.db";
    {
        std::ofstream out(garbage, std::ios::binary);
        for (int i = 0; i < 4096; ++i)
            out.put(static_cast<char>((i * 37 + 11) & 0xFF));
    }
    EXPECT_EQ(OpenError(garbage), "Impossibile aprire il database 'Velcaro' (" + garbage +
                                      "): il file non è un database valido.");

    EXPECT_EQ(OpenError(dir),
              "Impossibile aprire il database 'Velcaro' (" + dir + "): il percorso non è un file.");
}

TEST_F(StoreTest, FindTableIgnoresCase) {
    EXPECT_EQ(db->FindTable("contenitori"), "Contenitori");
    EXPECT_EQ(db->FindTable("CALCOLI"), "Calcoli");
    EXPECT_EQ(db->FindTable("Automezzi"), "");
}

TEST_F(StoreTest, MissingTableLeavesTheCursorClosedAndSaysWhichTable) {
    Table t(db, "Automezzi.DB", ContainersDef());
    try {
        t.Open();
        FAIL() << "opened a table that does not exist";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Tabella 'Automezzi.DB' non trovata nel database 'Velcaro'.");
    }
    EXPECT_FALSE(t.Active());
    EXPECT_TRUE(t.Eof());
    EXPECT_TRUE(t.FieldByName("Famiglia").IsNull()) << "a closed cursor reads as empty";
    const char* closed = "Operazione non possibile: la tabella 'Automezzi.DB' è chiusa.";
    for (auto op : std::initializer_list<void (*)(Table&)>{
             [](Table& x) { x.First(); }, [](Table& x) { x.Next(); }, [](Table& x) { x.Append(); },
             [](Table& x) { x.Edit(); }, [](Table& x) { x.Refresh(); },
             [](Table& x) { x.SetRange({"A"}, {"A"}); },
             [](Table& x) { x.Locate("Codice", std::string("A")); },
             [](Table& x) { x.FieldByName("Codice").SetAsString("A"); }}) {
        try {
            op(t);
            ADD_FAILURE() << "an operation on a closed cursor went through";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), closed);
        }
    }
}

TEST_F(StoreTest, MissingColumnIsRefusedOnOpen) {
    TableDef def = ResultsDef();
    def.fields.push_back({"Carico Extra", FieldType::Float, 0, false});
    Table t(db, "Calcoli.DB", def);
    try {
        t.Open();
        FAIL() << "opened a table that lacks a field";
    } catch (const Error& e) {
        EXPECT_STREQ(
            e.what(),
            "La tabella 'Calcoli.DB' del database 'Velcaro' non ha il campo 'Carico Extra'.");
    }
    EXPECT_FALSE(t.Active());
}

TEST(DatabaseOpen, CursorWithoutDatabaseFailsToOpen) {
    Table t(nullptr, "Calcoli.DB", ResultsDef());
    EXPECT_THROW(t.Open(), Error);
    EXPECT_FALSE(t.Active());
}

TEST_F(StoreTest, BothSpellingsOfTheFileNameReachOneTable) {
    Table lower(db, "Contenitori.db", ContainersDef());
    Table upper(db, "Contenitori.DB", ContainersDef());
    lower.Open();
    upper.Open();
    AppendContainer(lower, {"C1", "GABBIA", "Gabbia 1", 1200, 800, 975, 12.5});
    upper.Refresh();
    ASSERT_EQ(upper.RecordCount(), 1);
    EXPECT_EQ(upper.FieldByName("Descrizione").AsString(), "Gabbia 1");
}

} // namespace
} // namespace velcaro::store::testing
