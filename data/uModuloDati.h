#pragma once
// The data module: it owns every cursor, data source and field object of the program
// for the whole run. Windows reach the tables only through it.
//
// Ownership: TdmModuloDati owns the Database handle, the nine Tables and the nine
// DataSources; the Field pointers below point into the Tables and live as long as the
// module. The cursors are built closed; OpenCursors/CloseCursors are called by the main
// window's creation and destruction.
#include "platform/store/Database.h"
#include "platform/store/Table.h"

#include <memory>
#include <string>
#include <vector>

namespace velcaro::data {

class TdmModuloDati {
public:
    // programDir is the program folder; the database "Velcaro" is its Dati/Velcaro.db.
    explicit TdmModuloDati(std::string programDir);
    ~TdmModuloDati();
    TdmModuloDati(const TdmModuloDati&) = delete;
    TdmModuloDati& operator=(const TdmModuloDati&) = delete;

    const std::string& DatabasePath() const { return dbPath_; }

    // Opens the nine cursors in the fixed order. The first one that cannot be opened
    // raises the store's error; the cursors after it stay closed.
    void OpenCursors();
    // Closes the nine cursors in the same order; never throws.
    void CloseCursors();
    // The nine cursors in opening order, for the runner and the views.
    std::vector<store::Table*> CursorsInOpeningOrder();
    store::Table* FindCursor(const std::string& name);
    store::DataSource* FindDataSource(const std::string& name);

    void tbContenitoriCalcFields(store::Table& dataSet);
    void tbAutomezziCalcFields(store::Table& dataSet);

    store::Table tbContenitori;
    store::Table tbContenitoriAppoggio;
    store::Table tbPallet;
    store::Table tbPalletAppoggio;
    store::Table tbSeparatori;
    store::Table tbSeparatoriAppoggio;
    store::Table tbAutomezzi;
    store::Table tbCalcoli;
    store::Table tbAppoggioStrati;

    store::DataSource dsContenitori;
    store::DataSource dsContenitoriAppoggio;
    store::DataSource dsPallet;
    store::DataSource dsPalletAppoggio;
    store::DataSource dsSeparatori;
    store::DataSource dsSeparatoriAppoggio;
    store::DataSource dsAutomezzi;
    store::DataSource dsCalcoli;
    store::DataSource dsAppoggioStrati;

    // tbContenitori (calculated: VolumeInterno, VolumeEsterno)
    store::Field* tbContenitoriID = nullptr;
    store::Field* tbContenitoriCodice = nullptr;
    store::Field* tbContenitoriFamiglia = nullptr;
    store::Field* tbContenitoriDescrizione = nullptr;
    store::Field* tbContenitoriLarghezza = nullptr;
    store::Field* tbContenitoriLunghezza = nullptr;
    store::Field* tbContenitoriAltezza = nullptr;
    store::Field* tbContenitoriLarghezzaUtile = nullptr;
    store::Field* tbContenitoriLunghezzaUtile = nullptr;
    store::Field* tbContenitoriAltezzaUtile = nullptr;
    store::Field* tbContenitoriPortataMassima = nullptr;
    store::Field* tbContenitoriPesoMovimentabile = nullptr;
    store::Field* tbContenitoriTara = nullptr;
    store::Field* tbContenitoriCosto = nullptr;
    store::Field* tbContenitoriNeedPallet = nullptr;
    store::Field* tbContenitoriVolumeInterno = nullptr;
    store::Field* tbContenitoriVolumeEsterno = nullptr;
    // tbContenitoriAppoggio
    store::Field* tbContenitoriAppoggioID = nullptr;
    store::Field* tbContenitoriAppoggioCodice = nullptr;
    store::Field* tbContenitoriAppoggioFamiglia = nullptr;
    store::Field* tbContenitoriAppoggioDescrizione = nullptr;
    store::Field* tbContenitoriAppoggioLarghezza = nullptr;
    store::Field* tbContenitoriAppoggioLunghezza = nullptr;
    store::Field* tbContenitoriAppoggioAltezza = nullptr;
    store::Field* tbContenitoriAppoggioLarghezzaUtile = nullptr;
    store::Field* tbContenitoriAppoggioLunghezzaUtile = nullptr;
    store::Field* tbContenitoriAppoggioAltezzaUtile = nullptr;
    store::Field* tbContenitoriAppoggioPortataMassima = nullptr;
    store::Field* tbContenitoriAppoggioPesoMovimentabile = nullptr;
    store::Field* tbContenitoriAppoggioTara = nullptr;
    store::Field* tbContenitoriAppoggioCosto = nullptr;
    store::Field* tbContenitoriAppoggioNeedPallet = nullptr;
    // tbPallet
    store::Field* tbPalletID = nullptr;
    store::Field* tbPalletCodice = nullptr;
    store::Field* tbPalletFamiglia = nullptr;
    store::Field* tbPalletDescrizione = nullptr;
    store::Field* tbPalletLarghezza = nullptr;
    store::Field* tbPalletLunghezza = nullptr;
    store::Field* tbPalletAltezza = nullptr;
    store::Field* tbPalletSuole = nullptr;
    store::Field* tbPalletVie = nullptr;
    store::Field* tbPalletSezione = nullptr;
    store::Field* tbPalletPortataMassima = nullptr;
    store::Field* tbPalletTara = nullptr;
    store::Field* tbPalletCosto = nullptr;
    // tbPalletAppoggio
    store::Field* tbPalletAppoggioID = nullptr;
    store::Field* tbPalletAppoggioCodice = nullptr;
    store::Field* tbPalletAppoggioFamiglia = nullptr;
    store::Field* tbPalletAppoggioDescrizione = nullptr;
    store::Field* tbPalletAppoggioLarghezza = nullptr;
    store::Field* tbPalletAppoggioLunghezza = nullptr;
    store::Field* tbPalletAppoggioAltezza = nullptr;
    store::Field* tbPalletAppoggioSuole = nullptr;
    store::Field* tbPalletAppoggioVie = nullptr;
    store::Field* tbPalletAppoggioSezione = nullptr;
    store::Field* tbPalletAppoggioPortataMassima = nullptr;
    store::Field* tbPalletAppoggioTara = nullptr;
    store::Field* tbPalletAppoggioCosto = nullptr;
    // tbSeparatori
    store::Field* tbSeparatoriCodice = nullptr;
    store::Field* tbSeparatoriID = nullptr;
    store::Field* tbSeparatoriDescrizione = nullptr;
    store::Field* tbSeparatoriMateriale = nullptr;
    store::Field* tbSeparatoriSpessore = nullptr;
    store::Field* tbSeparatoriGrammatura = nullptr;
    store::Field* tbSeparatoriCosto = nullptr;
    store::Field* tbSeparatoriNOTE = nullptr;
    // tbSeparatoriAppoggio
    store::Field* tbSeparatoriAppoggioCodice = nullptr;
    store::Field* tbSeparatoriAppoggioID = nullptr;
    store::Field* tbSeparatoriAppoggioDescrizione = nullptr;
    store::Field* tbSeparatoriAppoggioMateriale = nullptr;
    store::Field* tbSeparatoriAppoggioSpessore = nullptr;
    store::Field* tbSeparatoriAppoggioGrammatura = nullptr;
    store::Field* tbSeparatoriAppoggioCosto = nullptr;
    store::Field* tbSeparatoriAppoggioNOTE = nullptr;
    // tbAutomezzi (calculated: Volume)
    store::Field* tbAutomezziID = nullptr;
    store::Field* tbAutomezziCodice = nullptr;
    store::Field* tbAutomezziDescrizione = nullptr;
    store::Field* tbAutomezziLunghezza = nullptr;
    store::Field* tbAutomezziLarghezza = nullptr;
    store::Field* tbAutomezziAltezza = nullptr;
    store::Field* tbAutomezziVolume = nullptr;
    // tbCalcoli (calculated: Carico, CaricoSaturo, NumeroTramezzi)
    store::Field* tbCalcoliID = nullptr;
    store::Field* tbCalcoliContenitoreA = nullptr;
    store::Field* tbCalcoliContenitoreB = nullptr;
    store::Field* tbCalcoliContenitoreH = nullptr;
    store::Field* tbCalcoliPezzoA = nullptr;
    store::Field* tbCalcoliPezzoB = nullptr;
    store::Field* tbCalcoliPezzoH = nullptr;
    store::Field* tbCalcoliQuantita = nullptr;
    store::Field* tbCalcoliQuantitaSatura = nullptr;
    store::Field* tbCalcoliCompenetraA = nullptr;
    store::Field* tbCalcoliCompenetraB = nullptr;
    store::Field* tbCalcoliCompenetraH = nullptr;
    store::Field* tbCalcoliQuantitaA = nullptr;
    store::Field* tbCalcoliQuantitaB = nullptr;
    store::Field* tbCalcoliQuantitaH = nullptr;
    store::Field* tbCalcoliSaturo = nullptr;
    store::Field* tbCalcoliCarico = nullptr;
    store::Field* tbCalcoliCaricoSaturo = nullptr;
    store::Field* tbCalcoliNumeroTramezzi = nullptr;
    // tbAppoggioStrati
    store::Field* tbAppoggioStratiNumeroStrati = nullptr;

private:
    void BindFields();
    void SetDisplayFormats();
    // Connects the cursors to the database on first use, so that a missing or
    // corrupt file is reported by the first cursor that opens, as any open error.
    void EnsureDatabase();

    std::string programDir_;
    std::string dbPath_;
    std::shared_ptr<store::Database> db_;
};

// Volumes in cubic metres from sides in millimetres, in the order of operations the
// catalogue has always used (it decides the last digit shown).
double ExternalVolume(double lunghezza, double larghezza, double altezza);
double InternalVolume(double lunghezzaUtile, double larghezzaUtile, double altezzaUtile);

} // namespace velcaro::data
