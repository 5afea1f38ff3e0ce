#include "platform/store/Schema.h"

#include <cctype>

namespace velcaro::store {

namespace {

const char* SqlType(FieldType type) {
    switch (type) {
    case FieldType::AutoInc:
        return "INTEGER PRIMARY KEY AUTOINCREMENT";
    case FieldType::String:
    case FieldType::Memo:
        return "TEXT";
    case FieldType::Float:
        return "REAL";
    case FieldType::Integer:
    case FieldType::Boolean:
        return "INTEGER";
    }
    return "";
}

bool IsText(FieldType type) {
    return type == FieldType::String || type == FieldType::Memo;
}

} // namespace

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const FieldDef* TableDef::FindField(const std::string& fieldName) const {
    for (const auto& f : fields)
        if (SameName(f.name, fieldName))
            return &f;
    return nullptr;
}

const IndexDef* TableDef::FindIndex(const std::string& indexName) const {
    if (indexName.empty())
        return primary ? &*primary : nullptr;
    for (const auto& i : indexes)
        if (SameName(i.name, indexName))
            return &i;
    return nullptr;
}

std::string QuoteIdentifier(const std::string& name) {
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string SqlIndexName(const TableDef& def, const IndexDef& index) {
    return def.name + "." + (index.name.empty() ? std::string("primary") : index.name);
}

bool UsesNoCase(const TableDef& def, const IndexDef& index, const IndexField& key) {
    if (!index.caseInsensitive)
        return false;
    const FieldDef* f = def.FindField(key.field);
    return f != nullptr && IsText(f->type);
}

std::vector<std::string> CreateTableSql(const TableDef& def) {
    std::vector<std::string> sql;
    // Required fields are not NOT NULL here: the cursor refuses an empty required field
    // with the program's own message, and a row written by other means never fails obscurely.
    std::string create = "CREATE TABLE " + QuoteIdentifier(def.name) + " (";
    for (std::size_t i = 0; i < def.fields.size(); ++i) {
        if (i > 0)
            create += ", ";
        create += QuoteIdentifier(def.fields[i].name) + " " + SqlType(def.fields[i].type);
    }
    create += ")";
    sql.push_back(create);

    auto addIndex = [&](const IndexDef& index) {
        std::string s = std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX " +
                        QuoteIdentifier(SqlIndexName(def, index)) + " ON " +
                        QuoteIdentifier(def.name) + " (";
        for (std::size_t k = 0; k < index.fields.size(); ++k) {
            const IndexField& key = index.fields[k];
            if (k > 0)
                s += ", ";
            s += QuoteIdentifier(key.field);
            if (UsesNoCase(def, index, key))
                s += " COLLATE NOCASE";
            if (key.descending)
                s += " DESC";
        }
        s += ")";
        sql.push_back(s);
    };
    // A primary index on the auto-increment field alone is the rowid itself.
    if (def.primary) {
        const IndexDef& p = *def.primary;
        const FieldDef* only = p.fields.size() == 1 ? def.FindField(p.fields[0].field) : nullptr;
        if (only == nullptr || only->type != FieldType::AutoInc)
            addIndex(p);
    }
    for (const auto& index : def.indexes)
        addIndex(index);
    return sql;
}

std::string TableNameWithoutExtension(const std::string& fileName) {
    std::string name = fileName;
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name = name.substr(0, dot);
    return name;
}

} // namespace velcaro::store
