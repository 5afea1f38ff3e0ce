#pragma once
// One SQLite database file: the database named "Velcaro" is the folder Dati/ of the
// program folder holding Velcaro.db. Shared by the cursors opened on it.
#include <memory>
#include <string>

struct sqlite3;

namespace velcaro::store {

class Database {
public:
    // Opens an existing file; never creates one. Throws velcaro::Error with a clear
    // Italian text when the file is missing, unreadable or not a database.
    static std::shared_ptr<Database> Open(const std::string& path);
    // Creates (or opens) a file for the install step and for tests.
    static std::shared_ptr<Database> Create(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* Handle() const { return db_; }
    const std::string& Path() const { return path_; }
    void Exec(const std::string& sql); // throws velcaro::Error

    // Actual name of a table matched without regard to case, or "" when absent.
    std::string FindTable(const std::string& name) const;

private:
    Database(sqlite3* db, std::string path);
    sqlite3* db_;
    std::string path_;
};

} // namespace velcaro::store
