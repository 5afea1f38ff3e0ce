#include "StoreTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace velcaro::store::testing {

std::string FreshDir() {
    std::string pattern = ::testing::TempDir() + "store_XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed for " + pattern);
    return pattern;
}

TableDef ContainersDef() {
    TableDef t;
    t.name = "Contenitori";
    t.fields = {
        {"ID", FieldType::AutoInc, 0, false},      {"Codice", FieldType::String, 8, false},
        {"Famiglia", FieldType::String, 30, true}, {"Descrizione", FieldType::String, 40, false},
        {"Larghezza", FieldType::Float, 0, true},  {"Lunghezza", FieldType::Float, 0, true},
        {"Altezza", FieldType::Float, 0, true},    {"Larghezza Utile", FieldType::Float, 0, false},
        {"Tara", FieldType::Float, 0, false},      {"NeedPallet", FieldType::Boolean, 0, false},
    };
    t.primary = IndexDef{"", {{"ID", false}}, false, true};
    t.indexes = {IndexDef{"iFamiglia", {{"Famiglia", false}}, true, false},
                 IndexDef{"iCodice", {{"Codice", false}}, true, false},
                 IndexDef{"iFamigliaEsatta", {{"Famiglia", false}}, false, false}};
    return t;
}

TableDef ResultsDef() {
    TableDef t;
    t.name = "Calcoli";
    t.fields = {{"ID", FieldType::Integer, 0, false},
                {"Quantita", FieldType::Integer, 0, false},
                {"QuantitaH", FieldType::Integer, 0, false},
                {"Saturo", FieldType::String, 2, false}};
    t.indexes = {IndexDef{"iQuantita", {{"Quantita", true}, {"ID", false}}, false, false}};
    return t;
}

TableDef SeparatorsDef() {
    TableDef t;
    t.name = "Separatori";
    t.fields = {
        {"Codice", FieldType::String, 8, true},        {"ID", FieldType::AutoInc, 0, false},
        {"Descrizione", FieldType::String, 30, false}, {"Materiale", FieldType::String, 30, true},
        {"Spessore", FieldType::Float, 0, true},       {"NOTE", FieldType::Memo, 0, false}};
    t.primary = IndexDef{"", {{"ID", false}}, false, true};
    t.indexes = {IndexDef{"iSpessore", {{"Spessore", false}}, false, false},
                 IndexDef{"iFamiglia", {{"Materiale", false}}, true, false}};
    return t;
}

TableDef LayersDef() {
    TableDef t;
    t.name = "AppoggioStrati";
    t.fields = {{"NumeroStrati", FieldType::Integer, 0, false}};
    return t;
}

std::shared_ptr<Database> CreateStoreFile(const std::string& path) {
    {
        auto created = Database::Create(path);
        for (const TableDef& def : {ContainersDef(), ResultsDef(), SeparatorsDef(), LayersDef()})
            for (const std::string& sql : CreateTableSql(def))
                created->Exec(sql);
    }
    return Database::Open(path);
}

void AppendContainer(Table& t, const Container& c) {
    t.Append();
    t.FieldByName("Codice").SetAsString(c.codice);
    t.FieldByName("Famiglia").SetAsString(c.famiglia);
    t.FieldByName("Descrizione").SetAsString(c.descrizione);
    t.FieldByName("Larghezza").SetAsFloat(c.larghezza);
    t.FieldByName("Lunghezza").SetAsFloat(c.lunghezza);
    t.FieldByName("Altezza").SetAsFloat(c.altezza);
    t.FieldByName("Tara").SetAsFloat(c.tara);
    t.Post();
}

void AppendResult(Table& t, int id, int quantita) {
    t.Append();
    t.FieldByName("ID").SetAsInteger(id);
    t.FieldByName("Quantita").SetAsInteger(quantita);
    t.Post();
}

std::vector<std::string> Column(Table& t, const std::string& field) {
    std::vector<std::string> out;
    for (t.First(); !t.Eof(); t.Next())
        out.push_back(t.FieldByName(field).AsString());
    return out;
}

void StoreTest::SetUp() {
    dir = FreshDir();
    path = dir + "/Velcaro.db";
    db = CreateStoreFile(path);
}

} // namespace velcaro::store::testing
