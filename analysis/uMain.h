#pragma once
// The main window: the container, the piece, the separators, the vehicle and the results
// of one packing analysis, and the commands that run on them.
#include "data/ReportRecords.h"
#include "data/uModuloDati.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/Form.h"

namespace velcaro::analysis {

class TMainForm : public ui::Form {
public:
    TMainForm(ui::Application& app, data::TdmModuloDati& dm, data::AnalysisState& state);
    ~TMainForm() override;

    // Events.
    void FormCreate();
    void FormDestroy();
    void bbHelpClick();
    void bbSplashClick();
    void bbCloseClick();

    // Other windows the main window opens; set by the start-up as they are created.
    ui::Form* AboutBox = nullptr;

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
};

// The masked edits' mask and the text of an edit that holds no entry.
inline constexpr const char* kPieceMask = "!99999;1;_";
inline constexpr const char* kEmptyPieceText = "0    ";

} // namespace velcaro::analysis
