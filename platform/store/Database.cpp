#include "platform/store/Database.h"

#include "platform/Error.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

namespace velcaro::store {

namespace {

// Another program (or a second copy of this one) may hold the file for a moment.
constexpr int kBusyTimeoutMs = 3000;

std::string OpenFailure(const std::string& path, const std::string& reason) {
    return std::string("Impossibile aprire il database '") + Database::kName + "' (" + path +
           "): " + reason;
}

std::string ReasonFor(int code, sqlite3* db) {
    switch (code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return "il file non è un database valido.";
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return "il file non si può leggere.";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "il file è bloccato da un altro programma.";
    default:
        return std::string("errore ") + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code)) + ".";
    }
}

} // namespace

Database::Database(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

Database::~Database() {
    sqlite3_close_v2(db_);
}

std::shared_ptr<Database> Database::OpenWith(const std::string& path, int flags) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = ReasonFor(rc, db);
        sqlite3_close_v2(db);
        throw Error(OpenFailure(path, reason));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // SQLite reads the header lazily: make it read now so that a file that is not a
    // database is refused at once, with its name, rather than at the first cursor.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = ReasonFor(rc, db);
        sqlite3_close_v2(db);
        throw Error(OpenFailure(path, reason));
    }
    // The catalogues are read whole each time a cursor opens or refreshes: keep their pages
    // in memory rather than asking the file system again for every one of them.
    sqlite3_exec(db, "PRAGMA cache_size = -32768; PRAGMA mmap_size = 268435456", nullptr, nullptr,
                 nullptr);
    return std::shared_ptr<Database>(new Database(db, path));
}

std::shared_ptr<Database> Database::Open(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        throw Error(OpenFailure(path, "il file non esiste."));
    if (!std::filesystem::is_regular_file(status))
        throw Error(OpenFailure(path, "il percorso non è un file."));
    // READWRITE falls back to reading only when the file cannot be written.
    return OpenWith(path, SQLITE_OPEN_READWRITE);
}

std::shared_ptr<Database> Database::OpenReadOnly(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw Error(OpenFailure(path, "il file non esiste."));
    return OpenWith(path, SQLITE_OPEN_READONLY);
}

std::shared_ptr<Database> Database::Create(const std::string& path) {
    return OpenWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void Database::Exec(const std::string& sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string text = std::string("Errore del database '") + kName +
                           "': " + (message ? message : sqlite3_errstr(rc)) + ".";
        sqlite3_free(message);
        throw Error(text);
    }
}

bool Database::ReadOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

std::string Database::FindTable(const std::string& name) const {
    sqlite3_stmt* stmt = nullptr;
    const char* sql =
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE";
    if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw Error(std::string("Errore del database '") + kName + "': " + sqlite3_errmsg(db_) +
                    ".");
    sqlite3_bind_text(stmt, 1, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    std::string found;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        found = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw Error(std::string("Errore del database '") + kName + "': " + sqlite3_errstr(rc) +
                    ".");
    return found;
}

void Database::Begin() {
    if (InTransaction())
        throw Error(std::string("Una transazione è già aperta sul database '") + kName + "'.");
    Exec("BEGIN IMMEDIATE");
}

void Database::Commit() {
    if (!InTransaction())
        throw Error(std::string("Nessuna transazione aperta sul database '") + kName + "'.");
    Exec("COMMIT");
}

void Database::Rollback() {
    if (InTransaction())
        Exec("ROLLBACK");
}

bool Database::InTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

} // namespace velcaro::store
