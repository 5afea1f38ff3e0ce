#pragma once
// Shared pieces of the store tests: a fresh folder per test, table definitions shaped like
// the program's tables, and a database file holding them.
#include "platform/store/Database.h"
#include "platform/store/Schema.h"
#include "platform/store/Table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velcaro::store::testing {

// A new empty folder under the test's temporary directory.
std::string FreshDir();

// Containers: primary on ID, iFamiglia and iCodice case-insensitive, plus iFamigliaEsatta,
// the same key compared with regard to case.
TableDef ContainersDef();
// Results: ordinary integer ID, iQuantita by Quantita descending then ID.
TableDef ResultsDef();
// Separators: Codice (required) before the auto-increment ID.
TableDef SeparatorsDef();
// Layer counts: one integer field, no index at all.
TableDef LayersDef();

// Creates the file with every table above and returns it opened as the program opens it.
std::shared_ptr<Database> CreateStoreFile(const std::string& path);

struct Container {
    std::string codice, famiglia, descrizione;
    double larghezza, lunghezza, altezza, tara;
};

// Appends through a cursor that must be open and in Browse state.
void AppendContainer(Table& t, const Container& c);
void AppendResult(Table& t, int id, int quantita);

// The values of one field over the whole cursor, in its order; the cursor is left at Eof.
std::vector<std::string> Column(Table& t, const std::string& field);

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    std::string dir;
    std::string path;
    std::shared_ptr<Database> db;
};

} // namespace velcaro::store::testing
