#include "TestProgramDir.h"
#include "platform/store/Database.h"
#include "tools/InstallDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <set>
#include <sstream>

namespace velcaro::tools {
namespace {

using testing::TestProgramDir;

// Rows of one query as text.
std::vector<std::vector<std::string>> Query(const std::string& dbPath, const std::string& sql)
{
    auto db = store::Database::Open(dbPath);
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db->Handle(), sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql;
    std::vector<std::vector<std::string>> rows;
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const unsigned char* t = sqlite3_column_text(st, c);
            row.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    return rows;
}

int Count(const std::string& dbPath, const std::string& sql) { return std::stoi(Query(dbPath, sql)[0][0]); }

std::vector<std::string> FamilyFile(const std::string& name)
{
    std::ifstream in(std::string(VELCARO_SOURCE_DIR) + "/resources/Testo/" + name, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::set<std::string> Column(const std::string& dbPath, const std::string& sql)
{
    std::set<std::string> s;
    for (auto& r : Query(dbPath, sql))
        s.insert(r[0]);
    return s;
}

TEST(SampleCatalogue, MakesTheFirstStartUseful)
{
    TestProgramDir p;
    const std::string db = p.DbPath();
    EXPECT_GE(Count(db, "SELECT count(*) FROM Contenitori"), 25);
    EXPECT_GE(Count(db, "SELECT count(*) FROM Pallet"), 8);
    EXPECT_GE(Count(db, "SELECT count(*) FROM Separatori"), 8);
    EXPECT_GE(Count(db, "SELECT count(DISTINCT Materiale) FROM Separatori"), 2);
    EXPECT_GE(Count(db, "SELECT count(*) FROM Automezzi"), 6);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM Calcoli"), 0);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM AppoggioStrati"), 0);
    // Useful sizes fit inside the outer ones, and every required figure is there.
    EXPECT_EQ(Count(db, "SELECT count(*) FROM Contenitori WHERE \"Larghezza Utile\" >= Larghezza "
                        "OR \"Lunghezza Utile\" >= Lunghezza OR \"Altezza Utile\" >= Altezza "
                        "OR \"Portata Massima\" <= 0 OR Tara <= 0 OR Costo IS NULL OR NeedPallet IS NULL"),
              0);
    // The common Odette footprints, each in more than one height.
    for (const char* footprint : {"Larghezza = 200 AND Lunghezza = 300", "Larghezza = 300 AND Lunghezza = 400",
                                  "Larghezza = 400 AND Lunghezza = 600"})
        EXPECT_GE(Count(db, std::string("SELECT count(DISTINCT Altezza) FROM Contenitori WHERE "
                                        "Famiglia = 'CASSETTA ODETTE' AND ") + footprint),
                  2)
            << footprint;
    // The main window reads separator thickness and grammage as whole numbers.
    EXPECT_EQ(Count(db, "SELECT count(*) FROM Separatori WHERE Spessore <> CAST(Spessore AS INTEGER) "
                        "OR Grammatura <> CAST(Grammatura AS INTEGER)"),
              0);
}

TEST(SampleCatalogue, FamilyFilesMatchTheCatalogue)
{
    TestProgramDir p;
    const std::string db = p.DbPath();
    const auto containers = FamilyFile("Famiglie Contenitori.txt");
    EXPECT_EQ(containers, (std::vector<std::string>{"CASSONE METALLICO", "CASSA di LEGNO", "CASSETTA ODETTE",
                                                    "SCATOLA di CARTONE", "CONTENITORE in RETE"}));
    EXPECT_EQ(Column(db, "SELECT DISTINCT Famiglia FROM Contenitori"),
              std::set<std::string>(containers.begin(), containers.end()));
    const auto pallets = FamilyFile("Famiglie Pallet.txt");
    EXPECT_EQ(pallets, (std::vector<std::string>{"LEGNO", "PLASTICA", "ALLUMINIO", "CARTONE"}));
    EXPECT_EQ(Column(db, "SELECT DISTINCT Famiglia FROM Pallet"),
              std::set<std::string>(pallets.begin(), pallets.end()));
    const auto separators = FamilyFile("Famiglie Separatori.txt");
    EXPECT_EQ(Column(db, "SELECT DISTINCT Materiale FROM Separatori"),
              std::set<std::string>(separators.begin(), separators.end()));
}

TEST(Install, KeepsAnExistingCatalogueAndReplacesAnInvalidFileAfterABackup)
{
    TestProgramDir p;
    const std::string sql = std::string(VELCARO_SOURCE_DIR) + "/resources/catalogo/catalogo.sql";
    store::Database::Open(p.DbPath())->Exec("DELETE FROM Automezzi WHERE Codice = 'FUR43'");
    EXPECT_EQ(InstallDatabase(p.DbPath(), sql).outcome, InstallOutcome::KeptExisting);
    EXPECT_EQ(Count(p.DbPath(), "SELECT count(*) FROM Automezzi WHERE Codice = 'FUR43'"), 0);

    std::ofstream(p.DbPath(), std::ios::binary | std::ios::trunc) << "not a database";
    EXPECT_EQ(InstallDatabase(p.DbPath(), sql).outcome, InstallOutcome::ReplacedInvalid);
    EXPECT_TRUE(std::filesystem::exists(p.DbPath() + ".bak"));
    EXPECT_EQ(Count(p.DbPath(), "SELECT count(*) FROM Automezzi WHERE Codice = 'FUR43'"), 1);
}

TEST(Install, ABrokenCatalogueLeavesNoHalfMadeDatabase)
{
    TestProgramDir p;
    std::filesystem::remove(p.DbPath());
    const std::string bad = p.Dir() + "/bad.sql";
    std::ofstream(bad) << "INSERT INTO Contenitori (Famiglia) VALUES ('X'); INSERT INTO Nessuna VALUES (1);";
    EXPECT_THROW(InstallDatabase(p.DbPath(), bad), std::exception);
    EXPECT_FALSE(std::filesystem::exists(p.DbPath()));
    EXPECT_FALSE(std::filesystem::exists(p.DbPath() + ".new"));
}

} // namespace
} // namespace velcaro::tools
