#pragma once
// Table definitions. The data module holds the one definition of every table; the
// install step creates the SQLite tables from it and each cursor checks the table
// against it when it opens.
#include <optional>
#include <string>
#include <vector>

namespace velcaro::store {

enum class FieldType {
    AutoInc, // 32-bit integer assigned by the store on post; read-only to the program
    String,  // text of Size characters
    Float,   // 64-bit double
    Integer, // 32-bit signed
    Boolean,
    Memo, // text of any length
};

struct FieldDef {
    std::string name; // as the program names it, blanks included ("Larghezza Utile")
    FieldType type = FieldType::Integer;
    int size = 0; // characters, for String
    bool required = false;
};

struct IndexField {
    std::string field;
    bool descending = false;
};

struct IndexDef {
    std::string name;               // "iFamiglia"; empty for the primary index
    std::vector<IndexField> fields; // key fields, most significant first
    bool caseInsensitive = false;   // string keys compare without regard to case
    bool unique = false;
};

struct TableDef {
    std::string name;                // SQLite table name, without extension ("Contenitori")
    std::vector<FieldDef> fields;    // stored fields, in table order
    std::optional<IndexDef> primary; // absent: the default order is the order of appending
    std::vector<IndexDef> indexes;   // named secondary indexes

    const FieldDef* FindField(const std::string& name) const;      // case-insensitive
    const IndexDef* FindIndex(const std::string& indexName) const; // "" = primary
};

// SQL that creates the table and its indexes (quoted identifiers, blanks kept).
std::vector<std::string> CreateTableSql(const TableDef& def);

// "Contenitori.DB", "contenitori.db", "Contenitori" -> "Contenitori".
std::string TableNameWithoutExtension(const std::string& fileName);

// SQL identifier in double quotes, inner quotes doubled: Larghezza Utile -> "Larghezza Utile".
std::string QuoteIdentifier(const std::string& name);

// SQLite index names are global to the database while the program's index names repeat
// across tables (iFamiglia), so the SQLite index is named "<table>.<index>".
std::string SqlIndexName(const TableDef& def, const IndexDef& index);

// Text keys of a case-insensitive index compare with SQLite's NOCASE collation.
bool UsesNoCase(const TableDef& def, const IndexDef& index, const IndexField& key);

// Case-insensitive comparison of names (ASCII letters), as table and field names are matched.
bool SameName(const std::string& a, const std::string& b);

} // namespace velcaro::store
