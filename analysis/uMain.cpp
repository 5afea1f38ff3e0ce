#include "analysis/uMain.h"

#include "platform/ui/Application.h"

namespace velcaro::analysis {

using ui::Button;

TMainForm::TMainForm(ui::Application& app, data::TdmModuloDati& dmRef, data::AnalysisState& st)
    : Form(app, "MainForm", "Velcaro"), dm(dmRef), state(st),
      gbGenerale(*this, "gbGenerale", "CONTENITORE"), iImage(*this, "iImage"),
      gbFamiglia(*this, "gbFamiglia", "Famiglia"),
      cbCategorieContenitori(*this, "cbCategorieContenitori"),
      sbContenitori(*this, "sbContenitori", "...", false),
      gbNormalizzato(*this, "gbNormalizzato", "Definizione del normalizzato"),
      cbNormalizzato(*this, "cbNormalizzato", &dm.dsContenitoriAppoggio, "Descrizione",
                     "Descrizione", {"Codice", "Descrizione"}),
      gbDimensioni(*this, "gbDimensioni", "Dimensioni [mm]"),
      eLarghezzaUtile(*this, "eLarghezzaUtile", "", true),
      eLunghezzaUtile(*this, "eLunghezzaUtile", "", true),
      eAltezzaUtile(*this, "eAltezzaUtile", "", true),
      eLarghezzaEsterna(*this, "eLarghezzaEsterna", "", true),
      eLunghezzaEsterna(*this, "eLunghezzaEsterna", "", true),
      eAltezzaEsterna(*this, "eAltezzaEsterna", "", true), eTara(*this, "eTara", "", true),
      ePortataMassima(*this, "ePortataMassima", "", true), iSemaforoMain(*this, "iSemaforoMain"),
      gbAnalisiPezzo(*this, "gbAnalisiPezzo", "PEZZO da IMBALLARE"),
      gbDimensioniPezzo(*this, "gbDimensioniPezzo", "Dimensioni del pezzo"),
      mePesoManufatto(*this, "mePesoManufatto", kPieceMask, kEmptyPieceText),
      meLarghezzaManufatto(*this, "meLarghezzaManufatto", kPieceMask, kEmptyPieceText),
      meLunghezzaManufatto(*this, "meLunghezzaManufatto", kPieceMask, kEmptyPieceText),
      meAltezzaManufatto(*this, "meAltezzaManufatto", kPieceMask, kEmptyPieceText),
      gbCompenetrazione(*this, "gbCompenetrazione", "Compenetrazione sul..."),
      meLarghezzaCompenetra(*this, "meLarghezzaCompenetra", kPieceMask, kEmptyPieceText),
      meLunghezzaCompenetra(*this, "meLunghezzaCompenetra", kPieceMask, kEmptyPieceText),
      meAltezzaCompenetra(*this, "meAltezzaCompenetra", kPieceMask, kEmptyPieceText),
      gbDatiImballo(*this, "gbDatiImballo", "IMBALLO"), eCarico(*this, "eCarico", "", true),
      ePesoLordo(*this, "ePesoLordo", "", true), ePesoNetto(*this, "ePesoNetto", "", true),
      gSaturazione(*this, "gSaturazione"), eSpazioAvanzatoA(*this, "eSpazioAvanzatoA", "0", true),
      eSpazioAvanzatoB(*this, "eSpazioAvanzatoB", "0", true),
      eSpazioAvanzatoH(*this, "eSpazioAvanzatoH", "0", true),
      ePezziSaturiH(*this, "ePezziSaturiH", "0", true),
      gbMezzoTrasporto(*this, "gbMezzoTrasporto", "MEZZO di TRASPORTO"),
      cbMezzo(*this, "cbMezzo", &dm.dsAutomezzi, "Descrizione", "Descrizione"),
      sbAutomezzi(*this, "sbAutomezzi", "...", false),
      sbTabellaPallet(*this, "sbTabellaPallet", "...", false),
      eLunghezzaMezzo(*this, "eLunghezzaMezzo", "", true),
      eLarghezzaMezzo(*this, "eLarghezzaMezzo", "", true),
      eAltezzaMezzo(*this, "eAltezzaMezzo", "", true),
      eNumeroContenitori(*this, "eNumeroContenitori", "", true),
      eQuantitaStivabile(*this, "eQuantitaStivabile", "", true),
      ePesoCarico(*this, "ePesoCarico", "", true), eVolumeCarico(*this, "eVolumeCarico", "", true),
      gSaturazioneMezzo(*this, "gSaturazioneMezzo"), sbMezzo(*this, "sbMezzo", "", false),
      gbTramezzi(*this, "gbTramezzi", "TRAMEZZI (sepratori inframezzo)"),
      rgTramezzi(*this, "rgTramezzi", "Considerare", {"No", "Si"}, 2),
      cbFondo(*this, "cbFondo", "Fondo"), cbTesta(*this, "cbTesta", "Testa"),
      cbOndeSeparatori(*this, "cbOndeSeparatori"),
      DBlcbTipo(*this, "DBlcbTipo", &dm.dsSeparatoriAppoggio, "Descrizione", "Descrizione",
                {"Spessore", "Descrizione", "Grammatura"}),
      dbeSpessoreSeparatore(*this, "dbeSpessoreSeparatore", &dm.dsSeparatoriAppoggio, "Spessore",
                            true),
      dbePesoSeparatore(*this, "dbePesoSeparatore", &dm.dsSeparatoriAppoggio, "Grammatura", true),
      eNumeroTramezzi(*this, "eNumeroTramezzi", "", true),
      sbSeparatori(*this, "sbSeparatori", "...", false), sbEditor(*this, "sbEditor", "...", false),
      lbOndeSeparatori(*this, "lbOndeSeparatori", "Famiglia"),
      lbSpessoreSeparatori(*this, "lbSpessoreSeparatori", "Sp.[mm]"),
      lbPesoSeparatore(*this, "lbPesoSeparatore", "Peso [gr/m²]"),
      lbNumeroTramezzi(*this, "lbNumeroTramezzi", "N° Tramezzi"),
      lbTipoSeparatori(*this, "lbTipoSeparatori", "Tipo"),
      GroupBox1(*this, "GroupBox1", "DATI RIEPILOGATIVI"),
      ePezziPiano(*this, "ePezziPiano", "0", true), eNumeroPiani(*this, "eNumeroPiani", "0", true),
      eTotalePezzi(*this, "eTotalePezzi", "0", true),
      eContenitoriPallet(*this, "eContenitoriPallet", "0", true),
      ePalletMezzo(*this, "ePalletMezzo", "0", true),
      eTotalePezziPallet(*this, "eTotalePezziPallet", "0", true),
      bbClose(*this, "bbClose", "&Chiudi"), bbStampa(*this, "bbStampa", "Esporta"),
      bbCancel(*this, "bbCancel", "Annulla"), bbCalcoli(*this, "bbCalcoli", "Calcola"),
      bbHelp(*this, "bbHelp", "&Aiuto"), bbSplash(*this, "bbSplash", "About Velcaro")
{
    cbCategorieContenitori.SetItems({"CASSONE METALLICO", "CASSA di LEGNO", "CASSETTA ODETTE",
                                     "SCATOLA di CARTONE", "CONTENITORE in RETE"});
    cbNormalizzato.SetDropDownWidth(280);
    cbMezzo.SetDropDownWidth(220);
    DBlcbTipo.SetDropDownWidth(250);
    rgTramezzi.SetItemIndex(0);
    sbMezzo.SetEnabled(false);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &cbFondo, &cbTesta, &cbOndeSeparatori, &DBlcbTipo, &dbeSpessoreSeparatore,
             &dbePesoSeparatore, &lbOndeSeparatori, &lbSpessoreSeparatori, &lbPesoSeparatore,
             &lbNumeroTramezzi, &lbTipoSeparatori})
        c->SetEnabled(false);

    sbContenitori.SetHint("Tabella Famiglia Contenitori");
    sbAutomezzi.SetHint("Tabella Mezzi di Trasporto");
    sbTabellaPallet.SetHint("Tabella Pallets");
    sbMezzo.SetHint("Stivaggio su Mezzo");
    sbSeparatori.SetHint("Tabella Tipo Tramezzi");
    sbEditor.SetHint("Editor di Testo");
    bbClose.SetHint("Chiude la sessione");
    bbStampa.SetHint("Esporta Dati in EXCEL");
    bbCancel.SetHint("Annulla tutti i campi");
    bbCalcoli.SetHint("Apre la finestra con i calcoli");
    bbCalcoli.SetDefault(true);
    bbHelp.SetHint("Visualizza l'Help in linea");
    bbSplash.SetHint("Visualizza la Splash Screen");

    bbHelp.OnClick = [this] { bbHelpClick(); };
    bbSplash.OnClick = [this] { bbSplashClick(); };
    bbClose.OnClick = [this] { bbCloseClick(); };
}

TMainForm::~TMainForm() { FormDestroy(); }

void TMainForm::FormCreate()
{
    dm.OpenCursors();
    iImage.LoadFromFile("Images\\LOGO.jpg");
    dm.tbContenitoriAppoggio.CancelRange();
    dm.tbContenitoriAppoggio.Refresh();
    dm.tbSeparatoriAppoggio.CancelRange();
    dm.tbSeparatoriAppoggio.Refresh();
}

void TMainForm::FormDestroy()
{
    dm.CloseCursors();
    if (App().Help())
        App().Help()->Close();
}

void TMainForm::bbHelpClick()
{
    if (App().Help())
        App().Help()->ShowContext(2);
}

void TMainForm::bbSplashClick()
{
    if (AboutBox)
        AboutBox->ShowModal();
}

void TMainForm::bbCloseClick() { Close(); }

} // namespace velcaro::analysis
