#include "data/ReportRecords.h"

namespace velcaro::data {

std::vector<RecordField> RecordFields(const AnalysisState& s)
{
    std::vector<RecordField> all;
    auto add = [&all](const char* record, const char* field, RecordValue v) {
        all.push_back({record, field, std::move(v)});
    };
    {
        const TExcelContenitore& r = s.ExcelContenitore;
        add("TExcelContenitore", "Famiglia", r.Famiglia);
        add("TExcelContenitore", "Contenitore", r.Contenitore);
        add("TExcelContenitore", "Costo", r.Costo);
        add("TExcelContenitore", "LarghezzaEsterna", r.LarghezzaEsterna);
        add("TExcelContenitore", "LunghezzaEsterna", r.LunghezzaEsterna);
        add("TExcelContenitore", "AltezzaEsterna", r.AltezzaEsterna);
        add("TExcelContenitore", "LarghezzaUtile", r.LarghezzaUtile);
        add("TExcelContenitore", "LunghezzaUtile", r.LunghezzaUtile);
        add("TExcelContenitore", "AltezzaUtile", r.AltezzaUtile);
        add("TExcelContenitore", "Tara", r.Tara);
        add("TExcelContenitore", "PortataMax", r.PortataMax);
        add("TExcelContenitore", "PezziContenitore", r.PezziContenitore);
        add("TExcelContenitore", "ContenitoriImpilati", r.ContenitoriImpilati);
        add("TExcelContenitore", "ContenitoriStivati", r.ContenitoriStivati);
    }
    {
        const TExcelTramezzi& r = s.ExcelTramezzi;
        add("TExcelTramezzi", "Considerare", r.Considerare);
        add("TExcelTramezzi", "Spessore", r.Spessore);
        add("TExcelTramezzi", "Grammatura", r.Grammatura);
        add("TExcelTramezzi", "Famiglia", r.Famiglia);
        add("TExcelTramezzi", "Tipo", r.Tipo);
        add("TExcelTramezzi", "Costo", r.Costo);
        add("TExcelTramezzi", "Fondo", r.Fondo);
        add("TExcelTramezzi", "Testa", r.Testa);
        add("TExcelTramezzi", "NumeroTramezzi", r.NumeroTramezzi);
    }
    {
        const TExcelPallet& r = s.ExcelPallet;
        add("TExcelPallet", "Famiglia", r.Famiglia);
        add("TExcelPallet", "Pallet", r.Pallet);
        add("TExcelPallet", "Costo", r.Costo);
        add("TExcelPallet", "Larghezza", r.Larghezza);
        add("TExcelPallet", "Lunghezza", r.Lunghezza);
        add("TExcelPallet", "Altezza", r.Altezza);
        add("TExcelPallet", "Tara", r.Tara);
        add("TExcelPallet", "PortataMax", r.PortataMax);
        add("TExcelPallet", "ImballoPallet1Imballo", r.ImballoPallet1Imballo);
        add("TExcelPallet", "ImballoPallet1Pallet", r.ImballoPallet1Pallet);
        add("TExcelPallet", "ImballoPallet2Imballo", r.ImballoPallet2Imballo);
        add("TExcelPallet", "ImballoPallet2Pallet", r.ImballoPallet2Pallet);
        add("TExcelPallet", "ColliPallet", r.ColliPallet);
        add("TExcelPallet", "PalletMezzo1Pallet", r.PalletMezzo1Pallet);
        add("TExcelPallet", "PalletMezzo1Mezzo", r.PalletMezzo1Mezzo);
        add("TExcelPallet", "PalletMezzo2Pallet", r.PalletMezzo2Pallet);
        add("TExcelPallet", "PalletMezzo2Mezzo", r.PalletMezzo2Mezzo);
        add("TExcelPallet", "PalletImpilati", r.PalletImpilati);
        add("TExcelPallet", "PalletStiva", r.PalletStiva);
        add("TExcelPallet", "ColliPiano", r.ColliPiano);
        add("TExcelPallet", "NumeroPiani", r.NumeroPiani);
        add("TExcelPallet", "AltezzaPallet", r.AltezzaPallet);
        add("TExcelPallet", "PezziPallet", r.PezziPallet);
    }
    {
        const TExcelMezzo& r = s.ExcelMezzo;
        add("TExcelMezzo", "Descrizione", r.Descrizione);
        add("TExcelMezzo", "Larghezza", r.Larghezza);
        add("TExcelMezzo", "Lunghezza", r.Lunghezza);
        add("TExcelMezzo", "Altezza", r.Altezza);
        add("TExcelMezzo", "CostoTrasporto", r.CostoTrasporto);
        add("TExcelMezzo", "TotalePezzi", r.TotalePezzi);
    }
    {
        const TExcelComponente& r = s.ExcelComponente;
        add("TExcelComponente", "Peso", r.Peso);
        add("TExcelComponente", "Larghezza", r.Larghezza);
        add("TExcelComponente", "Lunghezza", r.Lunghezza);
        add("TExcelComponente", "Altezza", r.Altezza);
        add("TExcelComponente", "CompenetraLarghezza", r.CompenetraLarghezza);
        add("TExcelComponente", "CompenetraLunghezza", r.CompenetraLunghezza);
        add("TExcelComponente", "CompenetraAltezza", r.CompenetraAltezza);
        add("TExcelComponente", "PezzoA", r.PezzoA);
        add("TExcelComponente", "ContenitoreA", r.ContenitoreA);
        add("TExcelComponente", "PezzoB", r.PezzoB);
        add("TExcelComponente", "ContenitoreB", r.ContenitoreB);
        add("TExcelComponente", "PezzoH", r.PezzoH);
        add("TExcelComponente", "ContenitoreH", r.ContenitoreH);
        add("TExcelComponente", "PezziPianta", r.PezziPianta);
        add("TExcelComponente", "PezziUltimoStrato", r.PezziUltimoStrato);
        add("TExcelComponente", "SpazioLiberoLarghezza", r.SpazioLiberoLarghezza);
        add("TExcelComponente", "SpazioLiberoLunghezza", r.SpazioLiberoLunghezza);
        add("TExcelComponente", "SpazioLiberoAltezza", r.SpazioLiberoAltezza);
        add("TExcelComponente", "PezziStrato", r.PezziStrato);
        add("TExcelComponente", "NumeroStrati", r.NumeroStrati);
        add("TExcelComponente", "CaricoDistribuito", r.CaricoDistribuito);
        add("TExcelComponente", "PesoNetto", r.PesoNetto);
        add("TExcelComponente", "PesoLordo", r.PesoLordo);
    }
    return all;
}

std::optional<RecordValue> ReadRecordField(const AnalysisState& state, const std::string& record,
                                           const std::string& field)
{
    for (RecordField& f : RecordFields(state))
        if (f.record == record && f.field == field)
            return std::move(f.value);
    return std::nullopt;
}

} // namespace velcaro::data
