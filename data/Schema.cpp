#include "data/Schema.h"

namespace velcaro::data {

using store::FieldDef;
using store::FieldType;
using store::IndexDef;
using store::TableDef;

namespace {

FieldDef Auto(const char* name) { return {name, FieldType::AutoInc, 0, false}; }
FieldDef Text(const char* name, int size, bool required = false)
{
    return {name, FieldType::String, size, required};
}
FieldDef Num(const char* name, bool required = false) { return {name, FieldType::Float, 0, required}; }
FieldDef Int(const char* name) { return {name, FieldType::Integer, 0, false}; }

IndexDef PrimaryOnId() { return IndexDef{"", {{"ID", false}}, false, true}; }
IndexDef CaseInsensitive(const char* name, const char* field)
{
    return IndexDef{name, {{field, false}}, true, false};
}

TableDef MakeContenitori()
{
    TableDef t;
    t.name = "Contenitori";
    t.fields = {Auto("ID"),
                Text("Codice", 8),
                Text("Famiglia", 30, true),
                Text("Descrizione", 40),
                Num("Larghezza", true),
                Num("Lunghezza", true),
                Num("Altezza", true),
                Num("Larghezza Utile", true),
                Num("Lunghezza Utile", true),
                Num("Altezza Utile", true),
                Num("Portata Massima", true),
                Num("Peso Movimentabile"),
                Num("Tara", true),
                Num("Costo"),
                {"NeedPallet", FieldType::Boolean, 0, false}};
    t.primary = PrimaryOnId();
    t.indexes = {CaseInsensitive("iFamiglia", "Famiglia"), CaseInsensitive("iCodice", "Codice")};
    return t;
}

TableDef MakePallet()
{
    TableDef t;
    t.name = "Pallet";
    t.fields = {Auto("ID"),
                Text("Codice", 8),
                Text("Famiglia", 30, true),
                Text("Descrizione", 40),
                Num("Larghezza", true),
                Num("Lunghezza", true),
                Num("Altezza", true),
                Num("Suole"),
                Num("Vie"),
                Text("Sezione", 10),
                Num("Portata Massima", true),
                Num("Tara", true),
                Num("Costo")};
    t.primary = PrimaryOnId();
    t.indexes = {CaseInsensitive("iFamigliaPallet", "Famiglia"),
                 CaseInsensitive("iCodicePallet", "Codice")};
    return t;
}

TableDef MakeSeparatori()
{
    TableDef t;
    t.name = "Separatori";
    t.fields = {Text("Codice", 8, true),
                Auto("ID"),
                Text("Descrizione", 30),
                Text("Materiale", 30, true),
                Num("Spessore", true),
                Num("Grammatura", true),
                Num("Costo"),
                {"NOTE", FieldType::Memo, 0, false}};
    t.primary = PrimaryOnId();
    // Thickness order for the catalogue; the family index follows the containers' case rule
    // so that a family typed in another case still finds its sheets.
    t.indexes = {IndexDef{"iSpessore", {{"Spessore", false}}, false, false},
                 CaseInsensitive("iFamiglia", "Materiale")};
    return t;
}

TableDef MakeAutomezzi()
{
    TableDef t;
    t.name = "Automezzi";
    t.fields = {Auto("ID"),         Text("Codice", 8), Text("Descrizione", 40),
                Num("Lunghezza"),   Num("Larghezza"),  Num("Altezza")};
    t.primary = PrimaryOnId();
    return t;
}

TableDef MakeCalcoli()
{
    TableDef t;
    t.name = "Calcoli";
    for (const char* f : {"ID", "ContenitoreA", "ContenitoreB", "ContenitoreH", "PezzoA", "PezzoB",
                          "PezzoH", "Quantita", "QuantitaSatura", "CompenetraA", "CompenetraB",
                          "CompenetraH", "QuantitaA", "QuantitaB", "QuantitaH"})
        t.fields.push_back(Int(f));
    t.fields.push_back(Text("Saturo", 2));
    // The best solution first; among equal quantities the calculation's own order.
    t.indexes = {IndexDef{"iQuantita", {{"Quantita", true}, {"ID", false}}, false, false}};
    return t;
}

TableDef MakeAppoggioStrati()
{
    TableDef t;
    t.name = "AppoggioStrati";
    t.fields = {Int("NumeroStrati")};
    return t;
}

} // namespace

// Each definition is made once, on first use, and lives for the whole run.
template <TableDef (*Make)()> const TableDef& Once()
{
    static const TableDef def = Make();
    return def;
}

const TableDef& ContenitoriDef() { return Once<MakeContenitori>(); }
const TableDef& PalletDef() { return Once<MakePallet>(); }
const TableDef& SeparatoriDef() { return Once<MakeSeparatori>(); }
const TableDef& AutomezziDef() { return Once<MakeAutomezzi>(); }
const TableDef& CalcoliDef() { return Once<MakeCalcoli>(); }
const TableDef& AppoggioStratiDef() { return Once<MakeAppoggioStrati>(); }

std::vector<const TableDef*> AllTables()
{
    return {&ContenitoriDef(), &PalletDef(),   &SeparatoriDef(),
            &AutomezziDef(),   &CalcoliDef(), &AppoggioStratiDef()};
}

} // namespace velcaro::data
