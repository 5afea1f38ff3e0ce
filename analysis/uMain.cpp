#include "analysis/uMain.h"

#include "analysis/Calculation.h"
#include "catalogues/FamilyList.h"
#include "platform/Cifrel.h"
#include "platform/text/Conversions.h"
#include "platform/ui/Application.h"
#include "report/uFunction_Procedure.h"

#include <algorithm>
#include <array>

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
      gSaturazioneMezzo(*this, "gSaturazioneMezzo"), sbMezzo(*this, "sbMezzo", "Stivaggio", false),
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
    sbMezzo.SetGlyph("Images\\BOX.ICO");
    sbSeparatori.SetHint("Tabella Tipo Tramezzi");
    sbEditor.SetHint("Editor di Testo");
    bbClose.SetHint("Chiude la sessione");
    bbStampa.SetHint("Esporta Dati in EXCEL");
    bbCancel.SetHint("Annulla tutti i campi");
    bbCalcoli.SetHint("Apre la finestra con i calcoli");
    bbCalcoli.SetDefault(true);
    bbHelp.SetHint("Visualizza l'Help in linea");
    bbSplash.SetHint("Visualizza la Splash Screen");

    OnActivate = [this] { FormActivate(); };
    cbCategorieContenitori.OnChange = [this] { cbCategorieContenitoriChange(); };
    cbNormalizzato.OnCloseUp = [this] { cbNormalizzatoCloseUp(); };
    for (ui::MaskEdit* me : PieceEdits())
        me->OnExit = [this, me] { mePesoManufattoExit(*me); };
    rgTramezzi.OnClick = [this] { rgTramezziClick(); };
    cbOndeSeparatori.OnChange = [this] { cbOndeSeparatoriChange(); };
    DBlcbTipo.OnCloseUp = [this] { DBlcbTipoCloseUp(); };
    cbMezzo.OnCloseUp = [this] { cbMezzoCloseUp(); };
    bbCalcoli.OnClick = [this] { bbCalcoliClick(); };
    bbCancel.OnClick = [this] { bbCancelClick(); };
    bbStampa.OnClick = [this] { bbStampaClick(); };
    sbMezzo.OnClick = [this] { sbMezzo_Click(); };
    sbContenitori.OnClick = [this] { ShowModalIfThere(fTabellaContenitori); };
    sbTabellaPallet.OnClick = [this] { ShowModalIfThere(fTabellaPallet); };
    sbSeparatori.OnClick = [this] { ShowModalIfThere(fTabellaSeparatori); };
    sbAutomezzi.OnClick = [this] { ShowModalIfThere(fAutomezzi); };
    sbEditor.OnClick = [this] { ShowModalIfThere(fEditor); };
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

std::vector<ui::MaskEdit*> TMainForm::PieceEdits()
{
    return {&mePesoManufatto,       &meLarghezzaManufatto,  &meLunghezzaManufatto,
            &meAltezzaManufatto,    &meLarghezzaCompenetra, &meLunghezzaCompenetra,
            &meAltezzaCompenetra};
}

void TMainForm::ShowModalIfThere(ui::Form* form)
{
    // The catalogue and editor windows join the program one by one; until a window exists
    // its button has nothing to open.
    if (form)
        form->ShowModal();
}

void TMainForm::FormActivate()
{
    dbePesoSeparatore.SetText("0");
    dbeSpessoreSeparatore.SetText("0");
}

void TMainForm::cbCategorieContenitoriChange()
{
    static const char* const pictures[] = {"Images\\CASSONE.JPG", "Images\\CASSA di LEGNO.JPG",
                                           "Images\\ODETTE.JPG", "Images\\SCATOLA.JPG",
                                           "Images\\CONTENITORE in RETE.JPG"};
    const int i = cbCategorieContenitori.ItemIndex();
    if (i >= 0 && i < 5)
        iImage.LoadFromFile(pictures[i]);
    const std::string family = cbCategorieContenitori.Text();
    dm.tbContenitoriAppoggio.CancelRange();
    dm.tbContenitoriAppoggio.SetRange({family}, {family});
}

void TMainForm::cbNormalizzatoCloseUp()
{
    if (cbNormalizzato.KeyValue().empty())
        return;
    eLarghezzaUtile.SetText(dm.tbContenitoriAppoggioLarghezzaUtile->AsString());
    eLunghezzaUtile.SetText(dm.tbContenitoriAppoggioLunghezzaUtile->AsString());
    eAltezzaUtile.SetText(dm.tbContenitoriAppoggioAltezzaUtile->AsString());
    eLarghezzaEsterna.SetText(dm.tbContenitoriAppoggioLarghezza->AsString());
    eLunghezzaEsterna.SetText(dm.tbContenitoriAppoggioLunghezza->AsString());
    eAltezzaEsterna.SetText(dm.tbContenitoriAppoggioAltezza->AsString());
    eTara.SetText(text::IntToStr(dm.tbContenitoriAppoggioTara->AsInteger()));
    ePortataMassima.SetText(dm.tbContenitoriAppoggioPortataMassima->AsString());
}

void TMainForm::mePesoManufattoExit(ui::MaskEdit& leaving)
{
    for (ui::MaskEdit* me : PieceEdits()) {
        std::int32_t value = 0;
        if (!text::TryStrToInt(text::Trim(me->Text()), value)) {
            App().MessageDlg(ui::DialogKind::Error, "VALORE IMMESSO non VALIDO...!",
                             {ui::DialogButton::OK});
            leaving.SetFocus();
            leaving.SetText("0____");
            return;
        }
    }
}

void TMainForm::rgTramezziClick()
{
    const bool si = rgTramezzi.ItemIndex() == 1;
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &cbFondo, &cbTesta, &cbOndeSeparatori, &dbeSpessoreSeparatore, &dbePesoSeparatore,
             &DBlcbTipo, &lbOndeSeparatori, &lbSpessoreSeparatori, &lbPesoSeparatore,
             &lbNumeroTramezzi, &lbTipoSeparatori})
        c->SetEnabled(si);
    if (si) {
        const std::string file = "Testo\\Famiglie Separatori.txt";
        cbOndeSeparatori.SetItems(catalogues::ReadFamilyList(App().ResolvePath(file), file));
        return;
    }
    DBlcbTipo.SetKeyValue("");
    cbOndeSeparatori.SetItemIndex(-1);
    cbTesta.SetChecked(false);
    cbFondo.SetChecked(false);
    dbePesoSeparatore.SetText("0");
    dbeSpessoreSeparatore.SetText("0");
}

void TMainForm::cbOndeSeparatoriChange()
{
    const std::string family = cbOndeSeparatori.Text();
    dm.tbSeparatoriAppoggio.CancelRange();
    dm.tbSeparatoriAppoggio.Refresh();
    dm.tbSeparatoriAppoggio.SetRange({family}, {family});
    dbePesoSeparatore.SetText("0");
    dbeSpessoreSeparatore.SetText("0");
}

void TMainForm::DBlcbTipoCloseUp()
{
    if (DBlcbTipo.KeyValue().empty()) {
        dbePesoSeparatore.SetText("0");
        dbeSpessoreSeparatore.SetText("0");
    }
    state.ExcelTramezzi.Costo = dm.tbSeparatoriAppoggioCosto->AsFloat();
    state.ExcelTramezzi.Grammatura = dm.tbSeparatoriAppoggioGrammatura->AsInteger();
}

void TMainForm::cbMezzoCloseUp()
{
    if (cbMezzo.KeyValue().empty())
        return;
    eLarghezzaMezzo.SetText(dm.tbAutomezziLarghezza->AsString());
    eLunghezzaMezzo.SetText(dm.tbAutomezziLunghezza->AsString());
    eAltezzaMezzo.SetText(dm.tbAutomezziAltezza->AsString());
    sbMezzo.SetEnabled(true);
}

bool TMainForm::ConfermaDati(bool confirm)
{
    if (!confirm) {
        App().MessageDlg(ui::DialogKind::Error,
                         "Manca la compilazione di tutti i campi,\r"
                         "oppure qualche valore non è corretto!\r"
                         "Per il calcolo della Quantità è necessario\r"
                         "ricontrollare tutti i campi errati o mancanti,\r"
                         "dopo di chè, rilanciare il comando CALCOLA.",
                         {ui::DialogButton::OK});
        return false;
    }
    return App().MessageDlg(ui::DialogKind::Confirmation,
                            "Tutti i campi sono stati\rinseriti correttamente.\r"
                            "Procedere con il Calcolo?",
                            {ui::DialogButton::Yes, ui::DialogButton::No}) == ui::DialogButton::Yes;
}

namespace {
std::int32_t TrimmedInt(const ui::Control& c) { return text::StrToInt(text::Trim(c.Text())); }
} // namespace

void TMainForm::WriteSolutions(const std::array<RigaSoluzione, kNumeroSoluzioni>& rows)
{
    dm.tbCalcoli.Close();
    dm.tbCalcoli.EmptyTable();
    dm.tbCalcoli.Open();
    dm.tbAppoggioStrati.Close();
    dm.tbAppoggioStrati.EmptyTable();
    dm.tbAppoggioStrati.Open();
    for (const RigaSoluzione& r : rows) {
        dm.tbCalcoli.Append();
        dm.tbCalcoliID->SetAsInteger(r.ID);
        dm.tbCalcoliSaturo->SetAsString("No");
        dm.tbCalcoliContenitoreA->SetAsInteger(r.ContenitoreA);
        dm.tbCalcoliContenitoreB->SetAsInteger(r.ContenitoreB);
        dm.tbCalcoliContenitoreH->SetAsInteger(r.ContenitoreH);
        dm.tbCalcoliPezzoA->SetAsInteger(r.PezzoA);
        dm.tbCalcoliPezzoB->SetAsInteger(r.PezzoB);
        dm.tbCalcoliPezzoH->SetAsInteger(r.PezzoH);
        dm.tbCalcoliCompenetraA->SetAsInteger(r.CompenetraA);
        dm.tbCalcoliCompenetraB->SetAsInteger(r.CompenetraB);
        dm.tbCalcoliCompenetraH->SetAsInteger(r.CompenetraH);
        dm.tbCalcoliQuantita->SetAsInteger(r.Quantita);
        dm.tbCalcoliQuantitaA->SetAsInteger(r.QuantitaA);
        dm.tbCalcoliQuantitaB->SetAsInteger(r.QuantitaB);
        dm.tbCalcoliQuantitaH->SetAsInteger(r.QuantitaH);
        dm.tbCalcoli.Post();
        dm.tbAppoggioStrati.Append();
        dm.tbAppoggioStratiNumeroStrati->SetAsInteger(r.QuantitaH);
        dm.tbAppoggioStrati.Post();
    }
}

void TMainForm::bbCalcoliClick()
{
    // A failed check: its message, the error summary, the focus where one is named.
    auto refuse = [this](const std::string& message, ui::Control* focus) {
        App().ShowMessage(message);
        ConfermaDati(false);
        if (focus)
            focus->SetFocus();
    };

    state.CalcoloEffettuato = false;
    if (cbCategorieContenitori.Text().empty())
        return refuse("Manca la CATEGORIA CONTENITORE", &cbCategorieContenitori);
    if (cbNormalizzato.KeyValue().empty())
        return refuse("Manca il NORMALIZZATO del CONTENITORE", &cbNormalizzato);

    const std::pair<ui::MaskEdit*, const char*> missing[] = {
        {&mePesoManufatto, "Manca il PESO del MANUFATTO"},
        {&meLarghezzaManufatto, "Manca la LARGHEZZA del MANUFATTO"},
        {&meLunghezzaManufatto, "Manca la LUNGHEZZA del MANUFATTO"},
        {&meAltezzaManufatto, "Manca la ALTEZZA del MANUFATTO"}};
    for (const auto& [edit, message] : missing)
        if (edit->Text() == kEmptyPieceText)
            return refuse(message, nullptr);

    const std::int64_t peso = TrimmedInt(mePesoManufatto);
    const std::int64_t portata = TrimmedInt(ePortataMassima);
    if (peso > portata * 1000)
        return refuse("Il peso del Pezzo supera la portata max del Contenitore.", &mePesoManufatto);

    const std::int32_t utile[3] = {TrimmedInt(eLarghezzaUtile), TrimmedInt(eLunghezzaUtile),
                                   TrimmedInt(eAltezzaUtile)};
    const std::int32_t lati[3] = {TrimmedInt(meLarghezzaManufatto), TrimmedInt(meLunghezzaManufatto),
                                  TrimmedInt(meAltezzaManufatto)};
    static const char* const nomi[3] = {"LARGHEZZA", "LUNGHEZZA", "ALTEZZA"};
    const std::int32_t massimo = std::max({utile[0], utile[1], utile[2]});
    for (int i = 0; i < 3; ++i)
        if (lati[i] > massimo)
            return refuse(std::string("La ") + nomi[i] + " del Pezzo supera la dimensione max del Contenitore",
                          nullptr);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (lati[i] == utile[j])
                return refuse(std::string("La ") + nomi[i] + " del Manufatto coincide con una Dimensione Utile",
                              nullptr);

    const bool tramezzi = rgTramezzi.ItemIndex() == 1;
    if (tramezzi)
        App().MessageDlg(ui::DialogKind::Warning,
                         "            A T T E N Z I O N E            \r\r"
                         "    Su ciascuna delle 6 Soluzioni verrà    \r"
                         "     Inibita la Compenetrazione in \"H\"     \r"
                         "a causa della interposizione dei Tramezzi!!",
                         {ui::DialogButton::OK});

    const std::pair<ui::MaskEdit*, const char*> compenetra[] = {
        {&meLarghezzaCompenetra, "La Compenetrazione deve essere < della Larghezza del Pezzo."},
        {&meLunghezzaCompenetra, "La Compenetrazione deve essere < della Lunghezza del Pezzo."},
        {&meAltezzaCompenetra, "La Compenetrazione deve essere < della Altezza del Pezzo."}};
    for (int i = 0; i < 3; ++i)
        if (!(TrimmedInt(*compenetra[i].first) < lati[i]))
            return refuse(compenetra[i].second, compenetra[i].first);

    std::int32_t spessore = 0;
    if (tramezzi) {
        spessore = text::StrToInt(dbeSpessoreSeparatore.Text());
        if (spessore == 0)
            return refuse("Manca lo SPESSORE del Tramezzo", &dbeSpessoreSeparatore);
        // A negative thickness would leave the layers without a height of their own: the
        // count along H would have no positive divisor.
        if (spessore < 0)
            return refuse("Lo SPESSORE del Tramezzo non può essere negativo: correggerlo nella "
                          "Tabella Separatori.",
                          &dbeSpessoreSeparatore);
        if (FogliAggiuntivi(true, cbFondo.Checked(), cbTesta.Checked()) == 0)
            App().MessageDlg(ui::DialogKind::Information,
                             "Non sono stati richiesti Tramezzi\r"
                             "ne sullo Fondo ne di Testa.\r"
                             "Saranno considerati solo Framezzi.",
                             {ui::DialogButton::Yes});
    }
    if (!ConfermaDati(true))
        return;

    Pezzo pezzo;
    pezzo.larghezza = TrimmedInt(meLarghezzaManufatto);
    pezzo.lunghezza = TrimmedInt(meLunghezzaManufatto);
    pezzo.altezza = TrimmedInt(meAltezzaManufatto);
    pezzo.compenetraLarghezza = TrimmedInt(meLarghezzaCompenetra);
    pezzo.compenetraLunghezza = TrimmedInt(meLunghezzaCompenetra);
    pezzo.compenetraAltezza = TrimmedInt(meAltezzaCompenetra);
    Contenitore contenitore;
    contenitore.lunghezzaUtile = TrimmedInt(eLunghezzaUtile);
    contenitore.larghezzaUtile = TrimmedInt(eLarghezzaUtile);
    contenitore.altezzaUtile = TrimmedInt(eAltezzaUtile);
    const Tramezzi sheets{tramezzi, spessore, cbFondo.Checked(), cbTesta.Checked()};
    // All six solutions are counted before the tables are touched: a count that does not
    // fit in 32 bits is refused with the previous results still in place.
    const auto rows = CalcolaSoluzioni(contenitore, pezzo, sheets);

    // The old results go and the new ones come in one transaction: the tables never hold
    // half a calculation, and the disk is flushed once instead of once per row.
    store::Database& db = *dm.tbCalcoli.GetDatabase();
    db.Begin();
    try {
        WriteSolutions(rows);
        db.Commit();
    } catch (...) {
        db.Rollback();
        // The cursors saw rows that are no longer there.
        dm.tbCalcoli.Close();
        dm.tbCalcoli.Open();
        dm.tbAppoggioStrati.Close();
        dm.tbAppoggioStrati.Open();
        throw;
    }
    dm.tbCalcoli.First();
    ShowModalIfThere(fCalcoli);

    data::TExcelContenitore& c = state.ExcelContenitore;
    c.Famiglia = cbCategorieContenitori.Text();
    c.Contenitore = cbNormalizzato.Text();
    c.Costo = dm.tbContenitoriAppoggioCosto->AsFloat();
    c.LarghezzaEsterna = dm.tbContenitoriAppoggioLarghezza->AsInteger();
    c.LunghezzaEsterna = dm.tbContenitoriAppoggioLunghezza->AsInteger();
    c.AltezzaEsterna = dm.tbContenitoriAppoggioAltezza->AsInteger();
    c.LarghezzaUtile = dm.tbContenitoriAppoggioLarghezzaUtile->AsInteger();
    c.LunghezzaUtile = dm.tbContenitoriAppoggioLunghezzaUtile->AsInteger();
    c.AltezzaUtile = dm.tbContenitoriAppoggioAltezzaUtile->AsInteger();
    c.Tara = dm.tbContenitoriAppoggioTara->AsInteger();
    c.PortataMax = dm.tbContenitoriAppoggioPortataMassima->AsInteger();
    c.PezziContenitore = text::StrToInt(FindPointString(eTotalePezzi.Text()));

    if (tramezzi) {
        data::TExcelTramezzi& t = state.ExcelTramezzi;
        t.Considerare = rgTramezzi.Text();
        t.Spessore = text::StrToInt(dbeSpessoreSeparatore.Text());
        t.Grammatura = text::StrToInt(dbePesoSeparatore.Text());
        t.Famiglia = cbOndeSeparatori.Text();
        t.Tipo = DBlcbTipo.Text();
        t.Fondo = cbFondo.Checked() ? "Si" : "No";
        t.Testa = cbTesta.Checked() ? "Si" : "No";
        t.NumeroTramezzi = text::StrToInt(eNumeroTramezzi.Text());
    }

    data::TExcelMezzo& m = state.ExcelMezzo;
    m.Descrizione = dm.tbAutomezziDescrizione->AsString();
    m.Larghezza = dm.tbAutomezziLarghezza->AsInteger();
    m.Lunghezza = dm.tbAutomezziLunghezza->AsInteger();
    m.Altezza = dm.tbAutomezziAltezza->AsInteger();

    state.CalcoloEffettuato = true;
}

void TMainForm::bbCancelClick()
{
    iImage.LoadFromFile("Images\\LOGO.JPG");
    dm.tbContenitoriAppoggio.CancelRange();
    cbCategorieContenitori.SetItemIndex(-1);
    cbOndeSeparatori.SetItemIndex(-1);
    cbNormalizzato.SetKeyValue("");
    DBlcbTipo.SetKeyValue("");
    cbMezzo.SetKeyValue("");
    sbMezzo.SetEnabled(false);
    for (ui::Edit* e : {&eLarghezzaUtile, &eLunghezzaUtile, &eAltezzaUtile, &eLarghezzaEsterna,
                        &eLunghezzaEsterna, &eAltezzaEsterna, &eTara, &ePortataMassima})
        e->SetText("");
    iSemaforoMain.LoadFromFile("Images\\Traffic Light JELLOW.ICO");
    for (ui::MaskEdit* me : {&mePesoManufatto, &meLunghezzaManufatto, &meLarghezzaManufatto,
                             &meAltezzaManufatto, &meLunghezzaCompenetra, &meLarghezzaCompenetra,
                             &meAltezzaCompenetra})
        me->SetText("0____");
    gSaturazione.SetProgress(0);
    for (ui::Edit* e : {&eCarico, &ePesoNetto, &ePesoLordo})
        e->SetText("");
    for (ui::Edit* e : {&ePezziPiano, &eNumeroPiani, &eTotalePezzi, &eContenitoriPallet,
                        &ePalletMezzo, &eTotalePezziPallet, &eSpazioAvanzatoA, &eSpazioAvanzatoB,
                        &eSpazioAvanzatoH, &ePezziSaturiH})
        e->SetText("0");
    if (rgTramezzi.ItemIndex() != 0) {
        rgTramezzi.SetItemIndex(0);
        rgTramezziClick();
    }
    cbFondo.SetChecked(false);
    cbTesta.SetChecked(false);
    dbeSpessoreSeparatore.SetText("0");
    dbePesoSeparatore.SetText("0");
    for (ui::Edit* e : {&eLunghezzaMezzo, &eLarghezzaMezzo, &eAltezzaMezzo, &eNumeroContenitori,
                        &eQuantitaStivabile, &eVolumeCarico, &ePesoCarico})
        e->SetText("");
    gSaturazioneMezzo.SetProgress(0);
    cbCategorieContenitori.SetFocus();
    state.CalcoloEffettuato = false;
}

void TMainForm::bbStampaClick()
{
    if (!state.CalcoloEffettuato) {
        App().MessageDlg(ui::DialogKind::Warning,
                         "Non è stata fatta alcuna simulazione di Imballo\r"
                         "Pertanto, prima di chiedere il Report in EXCEL,\r"
                         "è necessario che avviate la procedura CALCOLA.",
                         {ui::DialogButton::OK});
        return;
    }
    // The transport cost window and the export join the program with the export itself.
    if (!fCostoTrasporto)
        return;
    fCostoTrasporto->ShowModal();
    if (fCostoTrasporto->Tag() != 1) {
        App().MessageDlg(ui::DialogKind::Warning,
                         "Non è stato impostato un COSTO inerente\r"
                         "il Viaggio. Pertanto è impossibile\r"
                         "esportare i dati in EXCEL perchè Incompleti!",
                         {ui::DialogButton::OK});
        return;
    }
    // The workbook written is .xlsx, so the dialog offers that and adds it to a bare name.
    ui::FileDialogOptions sdEXCEL;
    sdEXCEL.title = "SALVA REPORT in EXCEL";
    // The program folder's EXCEL, wherever the program folder is and whatever its name.
    sdEXCEL.initialDir = App().ResolvePath("EXCEL");
    sdEXCEL.filter = "Cartella di lavoro Microsoft Office Excel (*.xlsx)|*.xlsx";
    sdEXCEL.defaultExt = "xlsx";
    const auto NomeFile = App().GetHost().SaveFileDialog(sdEXCEL);
    if (NomeFile && excelExport)
        excelExport->EsportaExcel(report::WithWorkbookExtension(*NomeFile));
}

void TMainForm::sbMezzo_Click()
{
    // The figures are only checked here: a box left empty (no model chosen) stops the
    // command before the stowage window opens.
    for (ui::Edit* e : {&eLarghezzaEsterna, &eLunghezzaEsterna, &eLarghezzaMezzo, &eLunghezzaMezzo})
        (void)text::StrToFloat(e->Text());
    if (text::Trim(eTotalePezzi.Text()) == "0")
        App().MessageDlg(ui::DialogKind::Error,
                         "Manca la quantità per contenitore.\rLanciare prima di tutto il Calcolo!",
                         {ui::DialogButton::OK});
    else if (fStivaggioOK)
        fStivaggioOK->SetEnabled(false);
    ShowModalIfThere(fStivaggio);
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
