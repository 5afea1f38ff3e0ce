#include "data/uModuloDati.h"

#include "data/Schema.h"
#include "platform/Error.h"

#include <utility>

namespace velcaro::data {

using store::FieldType;
using store::Table;

TdmModuloDati::TdmModuloDati(std::string programDir)
    : tbContenitori(nullptr, "Contenitori.db", ContenitoriDef()),
      tbContenitoriAppoggio(nullptr, "Contenitori.DB", ContenitoriDef()),
      tbPallet(nullptr, "Pallet.DB", PalletDef()),
      tbPalletAppoggio(nullptr, "Pallet.DB", PalletDef()),
      tbSeparatori(nullptr, "Separatori.DB", SeparatoriDef()),
      tbSeparatoriAppoggio(nullptr, "Separatori.DB", SeparatoriDef()),
      tbAutomezzi(nullptr, "Automezzi.DB", AutomezziDef()),
      tbCalcoli(nullptr, "Calcoli.DB", CalcoliDef()),
      tbAppoggioStrati(nullptr, "AppoggioStrati.db", AppoggioStratiDef()),
      dsContenitori(&tbContenitori), dsContenitoriAppoggio(&tbContenitoriAppoggio),
      dsPallet(&tbPallet), dsPalletAppoggio(&tbPalletAppoggio), dsSeparatori(&tbSeparatori),
      dsSeparatoriAppoggio(&tbSeparatoriAppoggio), dsAutomezzi(&tbAutomezzi),
      dsCalcoli(&tbCalcoli), dsAppoggioStrati(&tbAppoggioStrati),
      programDir_(std::move(programDir)), dbPath_(programDir_ + "/Dati/Velcaro.db")
{
    tbContenitoriVolumeInterno = &tbContenitori.AddCalculatedField("VolumeInterno", FieldType::Float);
    tbContenitoriVolumeEsterno = &tbContenitori.AddCalculatedField("VolumeEsterno", FieldType::Float);
    tbAutomezziVolume = &tbAutomezzi.AddCalculatedField("Volume", FieldType::Float);
    tbCalcoliCarico = &tbCalcoli.AddCalculatedField("Carico", FieldType::Float);
    tbCalcoliCaricoSaturo = &tbCalcoli.AddCalculatedField("CaricoSaturo", FieldType::Float);
    tbCalcoliNumeroTramezzi = &tbCalcoli.AddCalculatedField("NumeroTramezzi", FieldType::Integer);
    BindFields();
    SetDisplayFormats();

    tbContenitoriAppoggio.SetIndexName("iFamiglia");
    tbPalletAppoggio.SetIndexName("iFamigliaPallet");
    tbSeparatori.SetIndexName("iSpessore");
    tbSeparatoriAppoggio.SetIndexName("iFamiglia");
    tbCalcoli.SetIndexName("iQuantita");

    tbContenitori.OnCalcFields = [this](Table& t) { tbContenitoriCalcFields(t); };
    tbAutomezzi.OnCalcFields = [this](Table& t) { tbAutomezziCalcFields(t); };
}

TdmModuloDati::~TdmModuloDati() { CloseCursors(); }

void TdmModuloDati::BindFields()
{
    // tbContenitori
    tbContenitoriID = &tbContenitori.FieldByName("ID");
    tbContenitoriCodice = &tbContenitori.FieldByName("Codice");
    tbContenitoriFamiglia = &tbContenitori.FieldByName("Famiglia");
    tbContenitoriDescrizione = &tbContenitori.FieldByName("Descrizione");
    tbContenitoriLarghezza = &tbContenitori.FieldByName("Larghezza");
    tbContenitoriLunghezza = &tbContenitori.FieldByName("Lunghezza");
    tbContenitoriAltezza = &tbContenitori.FieldByName("Altezza");
    tbContenitoriLarghezzaUtile = &tbContenitori.FieldByName("Larghezza Utile");
    tbContenitoriLunghezzaUtile = &tbContenitori.FieldByName("Lunghezza Utile");
    tbContenitoriAltezzaUtile = &tbContenitori.FieldByName("Altezza Utile");
    tbContenitoriPortataMassima = &tbContenitori.FieldByName("Portata Massima");
    tbContenitoriPesoMovimentabile = &tbContenitori.FieldByName("Peso Movimentabile");
    tbContenitoriTara = &tbContenitori.FieldByName("Tara");
    tbContenitoriCosto = &tbContenitori.FieldByName("Costo");
    tbContenitoriNeedPallet = &tbContenitori.FieldByName("NeedPallet");
    // tbContenitoriAppoggio
    tbContenitoriAppoggioID = &tbContenitoriAppoggio.FieldByName("ID");
    tbContenitoriAppoggioCodice = &tbContenitoriAppoggio.FieldByName("Codice");
    tbContenitoriAppoggioFamiglia = &tbContenitoriAppoggio.FieldByName("Famiglia");
    tbContenitoriAppoggioDescrizione = &tbContenitoriAppoggio.FieldByName("Descrizione");
    tbContenitoriAppoggioLarghezza = &tbContenitoriAppoggio.FieldByName("Larghezza");
    tbContenitoriAppoggioLunghezza = &tbContenitoriAppoggio.FieldByName("Lunghezza");
    tbContenitoriAppoggioAltezza = &tbContenitoriAppoggio.FieldByName("Altezza");
    tbContenitoriAppoggioLarghezzaUtile = &tbContenitoriAppoggio.FieldByName("Larghezza Utile");
    tbContenitoriAppoggioLunghezzaUtile = &tbContenitoriAppoggio.FieldByName("Lunghezza Utile");
    tbContenitoriAppoggioAltezzaUtile = &tbContenitoriAppoggio.FieldByName("Altezza Utile");
    tbContenitoriAppoggioPortataMassima = &tbContenitoriAppoggio.FieldByName("Portata Massima");
    tbContenitoriAppoggioPesoMovimentabile = &tbContenitoriAppoggio.FieldByName("Peso Movimentabile");
    tbContenitoriAppoggioTara = &tbContenitoriAppoggio.FieldByName("Tara");
    tbContenitoriAppoggioCosto = &tbContenitoriAppoggio.FieldByName("Costo");
    tbContenitoriAppoggioNeedPallet = &tbContenitoriAppoggio.FieldByName("NeedPallet");
    // tbPallet
    tbPalletID = &tbPallet.FieldByName("ID");
    tbPalletCodice = &tbPallet.FieldByName("Codice");
    tbPalletFamiglia = &tbPallet.FieldByName("Famiglia");
    tbPalletDescrizione = &tbPallet.FieldByName("Descrizione");
    tbPalletLarghezza = &tbPallet.FieldByName("Larghezza");
    tbPalletLunghezza = &tbPallet.FieldByName("Lunghezza");
    tbPalletAltezza = &tbPallet.FieldByName("Altezza");
    tbPalletSuole = &tbPallet.FieldByName("Suole");
    tbPalletVie = &tbPallet.FieldByName("Vie");
    tbPalletSezione = &tbPallet.FieldByName("Sezione");
    tbPalletPortataMassima = &tbPallet.FieldByName("Portata Massima");
    tbPalletTara = &tbPallet.FieldByName("Tara");
    tbPalletCosto = &tbPallet.FieldByName("Costo");
    // tbPalletAppoggio
    tbPalletAppoggioID = &tbPalletAppoggio.FieldByName("ID");
    tbPalletAppoggioCodice = &tbPalletAppoggio.FieldByName("Codice");
    tbPalletAppoggioFamiglia = &tbPalletAppoggio.FieldByName("Famiglia");
    tbPalletAppoggioDescrizione = &tbPalletAppoggio.FieldByName("Descrizione");
    tbPalletAppoggioLarghezza = &tbPalletAppoggio.FieldByName("Larghezza");
    tbPalletAppoggioLunghezza = &tbPalletAppoggio.FieldByName("Lunghezza");
    tbPalletAppoggioAltezza = &tbPalletAppoggio.FieldByName("Altezza");
    tbPalletAppoggioSuole = &tbPalletAppoggio.FieldByName("Suole");
    tbPalletAppoggioVie = &tbPalletAppoggio.FieldByName("Vie");
    tbPalletAppoggioSezione = &tbPalletAppoggio.FieldByName("Sezione");
    tbPalletAppoggioPortataMassima = &tbPalletAppoggio.FieldByName("Portata Massima");
    tbPalletAppoggioTara = &tbPalletAppoggio.FieldByName("Tara");
    tbPalletAppoggioCosto = &tbPalletAppoggio.FieldByName("Costo");
    // tbSeparatori
    tbSeparatoriCodice = &tbSeparatori.FieldByName("Codice");
    tbSeparatoriID = &tbSeparatori.FieldByName("ID");
    tbSeparatoriDescrizione = &tbSeparatori.FieldByName("Descrizione");
    tbSeparatoriMateriale = &tbSeparatori.FieldByName("Materiale");
    tbSeparatoriSpessore = &tbSeparatori.FieldByName("Spessore");
    tbSeparatoriGrammatura = &tbSeparatori.FieldByName("Grammatura");
    tbSeparatoriCosto = &tbSeparatori.FieldByName("Costo");
    tbSeparatoriNOTE = &tbSeparatori.FieldByName("NOTE");
    // tbSeparatoriAppoggio
    tbSeparatoriAppoggioCodice = &tbSeparatoriAppoggio.FieldByName("Codice");
    tbSeparatoriAppoggioID = &tbSeparatoriAppoggio.FieldByName("ID");
    tbSeparatoriAppoggioDescrizione = &tbSeparatoriAppoggio.FieldByName("Descrizione");
    tbSeparatoriAppoggioMateriale = &tbSeparatoriAppoggio.FieldByName("Materiale");
    tbSeparatoriAppoggioSpessore = &tbSeparatoriAppoggio.FieldByName("Spessore");
    tbSeparatoriAppoggioGrammatura = &tbSeparatoriAppoggio.FieldByName("Grammatura");
    tbSeparatoriAppoggioCosto = &tbSeparatoriAppoggio.FieldByName("Costo");
    tbSeparatoriAppoggioNOTE = &tbSeparatoriAppoggio.FieldByName("NOTE");
    // tbAutomezzi
    tbAutomezziID = &tbAutomezzi.FieldByName("ID");
    tbAutomezziCodice = &tbAutomezzi.FieldByName("Codice");
    tbAutomezziDescrizione = &tbAutomezzi.FieldByName("Descrizione");
    tbAutomezziLunghezza = &tbAutomezzi.FieldByName("Lunghezza");
    tbAutomezziLarghezza = &tbAutomezzi.FieldByName("Larghezza");
    tbAutomezziAltezza = &tbAutomezzi.FieldByName("Altezza");
    // tbCalcoli
    tbCalcoliID = &tbCalcoli.FieldByName("ID");
    tbCalcoliContenitoreA = &tbCalcoli.FieldByName("ContenitoreA");
    tbCalcoliContenitoreB = &tbCalcoli.FieldByName("ContenitoreB");
    tbCalcoliContenitoreH = &tbCalcoli.FieldByName("ContenitoreH");
    tbCalcoliPezzoA = &tbCalcoli.FieldByName("PezzoA");
    tbCalcoliPezzoB = &tbCalcoli.FieldByName("PezzoB");
    tbCalcoliPezzoH = &tbCalcoli.FieldByName("PezzoH");
    tbCalcoliQuantita = &tbCalcoli.FieldByName("Quantita");
    tbCalcoliQuantitaSatura = &tbCalcoli.FieldByName("QuantitaSatura");
    tbCalcoliCompenetraA = &tbCalcoli.FieldByName("CompenetraA");
    tbCalcoliCompenetraB = &tbCalcoli.FieldByName("CompenetraB");
    tbCalcoliCompenetraH = &tbCalcoli.FieldByName("CompenetraH");
    tbCalcoliQuantitaA = &tbCalcoli.FieldByName("QuantitaA");
    tbCalcoliQuantitaB = &tbCalcoli.FieldByName("QuantitaB");
    tbCalcoliQuantitaH = &tbCalcoli.FieldByName("QuantitaH");
    tbCalcoliSaturo = &tbCalcoli.FieldByName("Saturo");
    // tbAppoggioStrati
    tbAppoggioStratiNumeroStrati = &tbAppoggioStrati.FieldByName("NumeroStrati");
}

void TdmModuloDati::SetDisplayFormats()
{
    for (store::Field* f :
         {tbContenitoriID, tbContenitoriLarghezza, tbContenitoriLunghezza, tbContenitoriAltezza,
          tbContenitoriLarghezzaUtile, tbContenitoriLunghezzaUtile, tbContenitoriAltezzaUtile,
          tbContenitoriPortataMassima, tbContenitoriPesoMovimentabile})
        f->SetDisplayFormat("#,#");
    tbContenitoriTara->SetDisplayFormat("0.0#,#");
    tbContenitoriCosto->SetDisplayFormat("#,#0.0");
    tbContenitoriVolumeInterno->SetDisplayFormat("0.0#,#");
    tbContenitoriVolumeEsterno->SetDisplayFormat("0.0#,#");

    for (store::Field* f : {tbAutomezziID, tbAutomezziLunghezza, tbAutomezziLarghezza, tbAutomezziAltezza})
        f->SetDisplayFormat("#,#");
    tbAutomezziVolume->SetDisplayFormat("0.0#,#");

    for (store::Field* f :
         {tbCalcoliID, tbCalcoliContenitoreA, tbCalcoliContenitoreB, tbCalcoliContenitoreH,
          tbCalcoliPezzoA, tbCalcoliPezzoB, tbCalcoliPezzoH, tbCalcoliCompenetraA,
          tbCalcoliCompenetraB, tbCalcoliCompenetraH, tbCalcoliQuantitaA, tbCalcoliQuantitaB,
          tbCalcoliQuantitaH, tbCalcoliNumeroTramezzi})
        f->SetDisplayFormat("#,#");
    tbCalcoliCarico->SetDisplayFormat("#,#0.0");
    tbCalcoliCaricoSaturo->SetDisplayFormat("#,#0.0");

    tbSeparatoriAppoggioDescrizione->SetDisplayWidth(25);
    tbSeparatoriAppoggioSpessore->SetDisplayWidth(4);
    tbSeparatoriAppoggioGrammatura->SetDisplayWidth(5);
    tbSeparatoriDescrizione->SetDisplayWidth(30);
    tbSeparatoriSpessore->SetDisplayWidth(5);
}

std::vector<Table*> TdmModuloDati::CursorsInOpeningOrder()
{
    return {&tbContenitori, &tbContenitoriAppoggio, &tbAutomezzi,
            &tbSeparatori,  &tbSeparatoriAppoggio,  &tbCalcoli,
            &tbAppoggioStrati, &tbPallet,           &tbPalletAppoggio};
}

void TdmModuloDati::EnsureDatabase()
{
    if (db_)
        return;
    db_ = store::Database::Open(dbPath_);
    for (Table* t : CursorsInOpeningOrder())
        t->SetDatabase(db_);
}

void TdmModuloDati::OpenCursors()
{
    EnsureDatabase();
    for (Table* t : CursorsInOpeningOrder())
        t->Open();
}

void TdmModuloDati::CloseCursors()
{
    for (Table* t : CursorsInOpeningOrder()) {
        try {
            t->Close();
        } catch (const std::exception&) {
            // Closing runs at the end of the program; a cursor that cannot post its
            // pending edit must not stop the others from closing.
        }
    }
}

Table* TdmModuloDati::FindCursor(const std::string& name)
{
    static const std::pair<const char*, Table TdmModuloDati::*> cursors[] = {
        {"tbContenitori", &TdmModuloDati::tbContenitori},
        {"tbContenitoriAppoggio", &TdmModuloDati::tbContenitoriAppoggio},
        {"tbPallet", &TdmModuloDati::tbPallet},
        {"tbPalletAppoggio", &TdmModuloDati::tbPalletAppoggio},
        {"tbSeparatori", &TdmModuloDati::tbSeparatori},
        {"tbSeparatoriAppoggio", &TdmModuloDati::tbSeparatoriAppoggio},
        {"tbAutomezzi", &TdmModuloDati::tbAutomezzi},
        {"tbCalcoli", &TdmModuloDati::tbCalcoli},
        {"tbAppoggioStrati", &TdmModuloDati::tbAppoggioStrati}};
    for (const auto& [n, member] : cursors)
        if (name == n)
            return &(this->*member);
    return nullptr;
}

store::DataSource* TdmModuloDati::FindDataSource(const std::string& name)
{
    static const std::pair<const char*, store::DataSource TdmModuloDati::*> sources[] = {
        {"dsContenitori", &TdmModuloDati::dsContenitori},
        {"dsContenitoriAppoggio", &TdmModuloDati::dsContenitoriAppoggio},
        {"dsPallet", &TdmModuloDati::dsPallet},
        {"dsPalletAppoggio", &TdmModuloDati::dsPalletAppoggio},
        {"dsSeparatori", &TdmModuloDati::dsSeparatori},
        {"dsSeparatoriAppoggio", &TdmModuloDati::dsSeparatoriAppoggio},
        {"dsAutomezzi", &TdmModuloDati::dsAutomezzi},
        {"dsCalcoli", &TdmModuloDati::dsCalcoli},
        {"dsAppoggioStrati", &TdmModuloDati::dsAppoggioStrati}};
    for (const auto& [n, member] : sources)
        if (name == n)
            return &(this->*member);
    return nullptr;
}

// long double keeps the intermediate products in extended precision, as the
// catalogue's figures were always computed; only the result is rounded to double.
double ExternalVolume(double lunghezza, double larghezza, double altezza)
{
    const long double v = (static_cast<long double>(lunghezza) / 1000) *
                          (static_cast<long double>(larghezza) / 1000) *
                          (static_cast<long double>(altezza) / 1000);
    return static_cast<double>(v);
}

double InternalVolume(double lunghezzaUtile, double larghezzaUtile, double altezzaUtile)
{
    const long double v =
        ((((static_cast<long double>(lunghezzaUtile) / 1000) * larghezzaUtile) / 1000) *
         altezzaUtile) /
        1000;
    return static_cast<double>(v);
}

void TdmModuloDati::tbContenitoriCalcFields(Table& /*dataSet*/)
{
    tbContenitoriVolumeEsterno->SetAsFloat(ExternalVolume(
        tbContenitoriLunghezza->AsFloat(), tbContenitoriLarghezza->AsFloat(), tbContenitoriAltezza->AsFloat()));
    tbContenitoriVolumeInterno->SetAsFloat(InternalVolume(tbContenitoriLunghezzaUtile->AsFloat(),
                                                          tbContenitoriLarghezzaUtile->AsFloat(),
                                                          tbContenitoriAltezzaUtile->AsFloat()));
}

void TdmModuloDati::tbAutomezziCalcFields(Table& /*dataSet*/)
{
    tbAutomezziVolume->SetAsFloat(ExternalVolume(tbAutomezziLunghezza->AsFloat(),
                                                 tbAutomezziLarghezza->AsFloat(),
                                                 tbAutomezziAltezza->AsFloat()));
}

} // namespace velcaro::data
