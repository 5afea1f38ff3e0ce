#include "tools/InstallDatabase.h"

#include "data/Schema.h"
#include "platform/Error.h"
#include "platform/store/Database.h"
#include "platform/store/Schema.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace velcaro::tools {

namespace {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error("Impossibile leggere il catalogo di esempio '" + path + "'.");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool HoldsEveryTable(const std::string& dbPath)
{
    try {
        auto db = store::Database::Open(dbPath);
        for (const store::TableDef* def : data::AllTables()) {
            const std::string actual = db->FindTable(def->name);
            if (actual.empty())
                return false;
            for (const store::FieldDef& f : def->fields) {
                sqlite3_stmt* stmt = nullptr;
                const std::string sql = "SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2 COLLATE NOCASE";
                if (sqlite3_prepare_v2(db->Handle(), sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
                    return false;
                sqlite3_bind_text(stmt, 1, actual.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(stmt, 2, f.name.c_str(), -1, SQLITE_TRANSIENT);
                const bool found = sqlite3_step(stmt) == SQLITE_ROW;
                sqlite3_finalize(stmt);
                if (!found)
                    return false;
            }
        }
        return true;
    } catch (const Error&) {
        return false;
    }
}

void CreateTables(store::Database& db)
{
    for (const store::TableDef* def : data::AllTables())
        for (const std::string& sql : store::CreateTableSql(*def))
            db.Exec(sql);
}

void WriteNewDatabase(const std::string& target, const std::string* catalogueSql)
{
    const std::string temp = target + ".new";
    fs::remove(temp);
    try {
        auto db = store::Database::Create(temp);
        db->Exec("BEGIN");
        CreateTables(*db);
        if (catalogueSql)
            db->Exec(*catalogueSql);
        db->Exec("COMMIT");
    } catch (...) {
        fs::remove(temp);
        throw;
    }
    fs::rename(temp, target);
}

} // namespace

InstallResult InstallDatabase(const std::string& dbPath, const std::string& catalogueSqlPath)
{
    const std::string sql = ReadWholeFile(catalogueSqlPath);
    fs::create_directories(fs::path(dbPath).parent_path());
    if (fs::exists(dbPath)) {
        if (HoldsEveryTable(dbPath))
            return {InstallOutcome::KeptExisting, "Database già presente, lasciato com'è: " + dbPath};
        const std::string backup = dbPath + ".bak";
        fs::rename(dbPath, backup);
        WriteNewDatabase(dbPath, &sql);
        return {InstallOutcome::ReplacedInvalid,
                "Il database esistente non era valido: spostato in " + backup + " e ricreato: " + dbPath};
    }
    WriteNewDatabase(dbPath, &sql);
    return {InstallOutcome::Created, "Database creato con il catalogo di esempio: " + dbPath};
}

void CreateEmptyDatabase(const std::string& dbPath)
{
    fs::create_directories(fs::path(dbPath).parent_path());
    fs::remove(dbPath);
    WriteNewDatabase(dbPath, nullptr);
}

} // namespace velcaro::tools
