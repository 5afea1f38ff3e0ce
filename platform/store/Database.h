#pragma once
// One SQLite database file: the database named "Velcaro" is the folder Dati/ of the
// program folder holding Velcaro.db. Shared by the cursors opened on it.
#include <memory>
#include <string>

struct sqlite3;

namespace velcaro::store {

class Database {
public:
    // The name under which the program reaches its tables; it appears in the store's errors.
    static constexpr const char* kName = "Velcaro";

    // Opens an existing file; never creates one. Throws velcaro::Error with a clear
    // Italian text when the file is missing, unreadable or not a database. A file that
    // cannot be written is opened for reading, so browsing still works.
    static std::shared_ptr<Database> Open(const std::string& path);
    // The same, for reading only: every post fails with the read-only text.
    static std::shared_ptr<Database> OpenReadOnly(const std::string& path);
    // Creates (or opens) a file for the install step and for tests.
    static std::shared_ptr<Database> Create(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* Handle() const { return db_; }
    const std::string& Path() const { return path_; }
    void Exec(const std::string& sql); // throws velcaro::Error
    bool ReadOnly() const;

    // Actual name of a table matched without regard to case, or "" when absent.
    std::string FindTable(const std::string& name) const;

    // An explicit transaction around several posts (the calculation's appends). Each post
    // inside it is a savepoint of its own; Rollback undoes all of them.
    void Begin();
    void Commit();
    void Rollback();
    bool InTransaction() const;

private:
    Database(sqlite3* db, std::string path);
    static std::shared_ptr<Database> OpenWith(const std::string& path, int flags);
    sqlite3* db_;
    std::string path_;
};

} // namespace velcaro::store
