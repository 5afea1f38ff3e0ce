#pragma once
// The five records that collect, step by step, the figures of the summary sheet
// "Riepilogo Imballo". Each step the user confirms overwrites only its own fields; the
// export reads them as they stand. They start empty and are never saved.
#include <cstdint>
#include <string>

namespace velcaro::data {

struct TExcelContenitore {
    std::string Famiglia;
    std::string Contenitore;
    double Costo = 0;
    std::int32_t LarghezzaEsterna = 0;
    std::int32_t LunghezzaEsterna = 0;
    std::int32_t AltezzaEsterna = 0;
    std::int32_t LarghezzaUtile = 0;
    std::int32_t LunghezzaUtile = 0;
    std::int32_t AltezzaUtile = 0;
    std::int32_t Tara = 0;
    std::int32_t PortataMax = 0;
    std::int32_t PezziContenitore = 0;
    std::int32_t ContenitoriImpilati = 0;
    std::int32_t ContenitoriStivati = 0;
};

struct TExcelTramezzi {
    std::string Considerare;
    std::int32_t Spessore = 0;
    std::int32_t Grammatura = 0;
    std::string Famiglia;
    std::string Tipo;
    double Costo = 0;
    std::string Fondo;
    std::string Testa;
    std::int32_t NumeroTramezzi = 0;
};

struct TExcelPallet {
    std::string Famiglia;
    std::string Pallet;
    double Costo = 0;
    std::int32_t Larghezza = 0;
    std::int32_t Lunghezza = 0;
    std::int32_t Altezza = 0;
    std::int32_t Tara = 0;
    std::int32_t PortataMax = 0;
    std::int32_t ImballoPallet1Imballo = 0;
    std::int32_t ImballoPallet1Pallet = 0;
    std::int32_t ImballoPallet2Imballo = 0;
    std::int32_t ImballoPallet2Pallet = 0;
    std::int32_t ColliPallet = 0;
    std::int32_t PalletMezzo1Pallet = 0;
    std::int32_t PalletMezzo1Mezzo = 0;
    std::int32_t PalletMezzo2Pallet = 0;
    std::int32_t PalletMezzo2Mezzo = 0;
    std::int32_t PalletImpilati = 0;
    std::int32_t PalletStiva = 0;
    std::int32_t ColliPiano = 0;
    std::int32_t NumeroPiani = 0;
    std::int32_t AltezzaPallet = 0;
    std::int32_t PezziPallet = 0;
};

struct TExcelMezzo {
    std::string Descrizione;
    std::int32_t Larghezza = 0;
    std::int32_t Lunghezza = 0;
    std::int32_t Altezza = 0;
    std::int32_t CostoTrasporto = 0;
    std::int32_t TotalePezzi = 0;
};

struct TExcelComponente {
    std::int32_t Peso = 0;
    std::int32_t Larghezza = 0;
    std::int32_t Lunghezza = 0;
    std::int32_t Altezza = 0;
    std::int32_t CompenetraLarghezza = 0;
    std::int32_t CompenetraLunghezza = 0;
    std::int32_t CompenetraAltezza = 0;
    std::int32_t PezzoA = 0;
    std::int32_t ContenitoreA = 0;
    std::int32_t PezzoB = 0;
    std::int32_t ContenitoreB = 0;
    std::int32_t PezzoH = 0;
    std::int32_t ContenitoreH = 0;
    std::int32_t PezziPianta = 0;
    std::int32_t PezziUltimoStrato = 0;
    std::int32_t SpazioLiberoLarghezza = 0;
    std::int32_t SpazioLiberoLunghezza = 0;
    std::int32_t SpazioLiberoAltezza = 0;
    std::int32_t PezziStrato = 0;
    std::int32_t NumeroStrati = 0;
    double CaricoDistribuito = 0;
    double PesoNetto = 0;
    std::int32_t PesoLordo = 0;
};

// The state of one run of the program that outlives any one window: the report records
// and the flag that says a calculation has been completed. One instance, owned by the
// application object and handed to the windows that read or write it.
struct AnalysisState {
    TExcelContenitore ExcelContenitore;
    TExcelTramezzi ExcelTramezzi;
    TExcelPallet ExcelPallet;
    TExcelMezzo ExcelMezzo;
    TExcelComponente ExcelComponente;
    bool CalcoloEffettuato = false;
};

} // namespace velcaro::data

#include <optional>
#include <variant>
#include <vector>

namespace velcaro::data {

// A report field read by name, with its own type: the export hands strings as text,
// integers as whole numbers and doubles as floating point; the scenario runner checks them.
using RecordValue = std::variant<std::string, std::int32_t, double>;

struct RecordField {
    std::string record; // "TExcelPallet"
    std::string field;  // "PezziPallet"
    RecordValue value;
};

// Every field of the five records, records and fields in their declared order.
std::vector<RecordField> RecordFields(const AnalysisState& state);
// One field by record and field name; nullopt when either name is unknown.
std::optional<RecordValue> ReadRecordField(const AnalysisState& state, const std::string& record,
                                           const std::string& field);

} // namespace velcaro::data
