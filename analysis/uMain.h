#pragma once
// The main window: the container, the piece, the separators, the vehicle and the results
// of one packing analysis, and the commands that run on them.
#include "analysis/Calculation.h"
#include "data/ReportRecords.h"
#include "data/uModuloDati.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/Form.h"

#include <array>
#include <vector>

namespace velcaro::report {
class ExcelExport;
}

namespace velcaro::analysis {

class TMainForm : public ui::Form {
public:
    TMainForm(ui::Application& app, data::TdmModuloDati& dm, data::AnalysisState& state);
    ~TMainForm() override;

    // Events.
    void FormCreate();
    void FormDestroy();
    void FormActivate();
    void cbCategorieContenitoriChange();
    void cbNormalizzatoCloseUp();
    void mePesoManufattoExit(ui::MaskEdit& leaving);
    void rgTramezziClick();
    void cbOndeSeparatoriChange();
    void DBlcbTipoCloseUp();
    void cbMezzoCloseUp();
    void bbCalcoliClick();
    void bbCancelClick();
    void bbStampaClick();
    void sbMezzo_Click();
    void bbHelpClick();
    void bbSplashClick();
    void bbCloseClick();

    // The error summary (false) or the "Procedere con il Calcolo?" question (true: returns
    // whether the user answered Yes). Also used by the stowage and dislocation windows.
    bool ConfermaDati(bool confirm);

    // Other windows the main window opens; set by the start-up as they are created.
    ui::Form* AboutBox = nullptr;
    ui::Form* fCalcoli = nullptr;
    ui::Form* fStivaggio = nullptr;
    ui::Form* fCostoTrasporto = nullptr;
    ui::Form* fTabellaContenitori = nullptr;
    ui::Form* fTabellaPallet = nullptr;
    ui::Form* fTabellaSeparatori = nullptr;
    ui::Form* fAutomezzi = nullptr;
    ui::Form* fEditor = nullptr;
    // The summary export that "Esporta" runs; set by the start-up.
    report::ExcelExport* excelExport = nullptr;
    // The stowage window's confirm button, disabled when no quantity has been computed.
    ui::Button* fStivaggioOK = nullptr;

    data::TdmModuloDati& dm;
    data::AnalysisState& state;

    // Group "CONTENITORE".
    ui::GroupBox gbGenerale;
    ui::Image iImage;
    ui::GroupBox gbFamiglia;
    ui::ComboBox cbCategorieContenitori;
    ui::Button sbContenitori;
    ui::GroupBox gbNormalizzato;
    ui::DBLookupComboBox cbNormalizzato;
    ui::GroupBox gbDimensioni;
    ui::Edit eLarghezzaUtile, eLunghezzaUtile, eAltezzaUtile;
    ui::Edit eLarghezzaEsterna, eLunghezzaEsterna, eAltezzaEsterna;
    ui::Edit eTara, ePortataMassima;
    ui::Image iSemaforoMain;

    // Group "PEZZO da IMBALLARE".
    ui::GroupBox gbAnalisiPezzo;
    ui::GroupBox gbDimensioniPezzo;
    ui::MaskEdit mePesoManufatto, meLarghezzaManufatto, meLunghezzaManufatto, meAltezzaManufatto;
    ui::GroupBox gbCompenetrazione;
    ui::MaskEdit meLarghezzaCompenetra, meLunghezzaCompenetra, meAltezzaCompenetra;

    // Group "IMBALLO".
    ui::GroupBox gbDatiImballo;
    ui::Edit eCarico, ePesoLordo, ePesoNetto;
    ui::Gauge gSaturazione;
    ui::Edit eSpazioAvanzatoA, eSpazioAvanzatoB, eSpazioAvanzatoH, ePezziSaturiH;

    // Group "MEZZO di TRASPORTO".
    ui::GroupBox gbMezzoTrasporto;
    ui::DBLookupComboBox cbMezzo;
    ui::Button sbAutomezzi, sbTabellaPallet;
    ui::Edit eLunghezzaMezzo, eLarghezzaMezzo, eAltezzaMezzo;
    ui::Edit eNumeroContenitori, eQuantitaStivabile, ePesoCarico, eVolumeCarico;
    ui::Gauge gSaturazioneMezzo;
    ui::Button sbMezzo;

    // Group "TRAMEZZI".
    ui::GroupBox gbTramezzi;
    ui::RadioGroup rgTramezzi;
    ui::CheckBox cbFondo, cbTesta;
    ui::ComboBox cbOndeSeparatori;
    ui::DBLookupComboBox DBlcbTipo;
    ui::DBEdit dbeSpessoreSeparatore, dbePesoSeparatore;
    ui::Edit eNumeroTramezzi;
    ui::Button sbSeparatori, sbEditor;
    ui::Label lbOndeSeparatori, lbSpessoreSeparatori, lbPesoSeparatore, lbNumeroTramezzi,
        lbTipoSeparatori;

    // Group "DATI RIEPILOGATIVI".
    ui::GroupBox GroupBox1;
    ui::Edit ePezziPiano, eNumeroPiani, eTotalePezzi;
    ui::Edit eContenitoriPallet, ePalletMezzo, eTotalePezziPallet;

    // Buttons along the bottom.
    ui::Button bbClose, bbStampa, bbCancel, bbCalcoli, bbHelp, bbSplash;

private:
    std::vector<ui::MaskEdit*> PieceEdits(); // weight, width, length, height, cW, cL, cT
    // Empties the two result tables and appends the six solutions and their layer counts.
    void WriteSolutions(const std::array<RigaSoluzione, kNumeroSoluzioni>& rows);
    void ShowModalIfThere(ui::Form* form);
};

// The masked edits' mask and the text of an edit that holds no entry.
inline constexpr const char* kPieceMask = "!99999;1;_";
inline constexpr const char* kEmptyPieceText = "0    ";

} // namespace velcaro::analysis
