#include "quantities/uCalcoli.h"

#include "analysis/uMain.h"
#include "platform/Cifrel.h"
#include "platform/text/Checked.h"
#include "platform/text/Conversions.h"
#include "platform/text/FormatFloat.h"
#include "platform/ui/Application.h"
#include "quantities/uUltimoStrato.h"

namespace velcaro::quantities {

using text::FormatFloat;
using text::IntToStr;
using text::StrToInt;
using text::Trim;

namespace {

std::vector<ui::GridColumn> Colonne() {
    return {{"ID", "ID", 30},
            {"ContenitoreA", "Cont. [A]", 64},
            {"ContenitoreB", "Cont. [B]", 64},
            {"ContenitoreH", "Cont. [H]", 64},
            {"PezzoA", "Pz. [A]", 56},
            {"PezzoB", "Pz. [B]", 56},
            {"PezzoH", "Pz. [H]", 56},
            {"Quantita", "Q.tà/Cont.", 70},
            {"QuantitaSatura", "Q.tà 100%", 70},
            {"QuantitaA", "Q.tà [A]", 60},
            {"QuantitaB", "Q.tà [B]", 60},
            {"QuantitaH", "N° Strati", 64},
            {"Carico", "Kg/m²", 62},
            {"CaricoSaturo", "Kg/m²", 62}};
}

// A box written by this window holds a plain integer (or "0").
std::int32_t Numero(const ui::Control& c) {
    return StrToInt(c.Text());
}

std::string Kg(PesoNetto peso, const char* formato) {
    return FormatFloat(formato, static_cast<double>(peso) / kDecimilliPerKg);
}

const char* const kSaturazioneImpossibile = "Impossibile effettuare la Saturazione richiesta\r"
                                            "perchè è già stata superata la PORTATA MAX!\r"
                                            "PRIMA PROVATE a MODIFICARE i DATI IMPUTATI.";

} // namespace

TfCalcoli::TfCalcoli(ui::Application& app, data::TdmModuloDati& dmRef, data::AnalysisState& st,
                     analysis::TMainForm& mainForm)
    : Form(app, "fCalcoli", "SCELTA delle QUANTITA'"), dm(dmRef), state(st), MainForm(mainForm),
      DBGrid1(*this, "DBGrid1", &dm.dsCalcoli, Colonne()),
      dbnCalcoli(*this, "dbnCalcoli", &dm.dsCalcoli),
      tbCalcolatrice(*this, "tbCalcolatrice", "", false), tbStop(*this, "tbStop", "", false),
      ToolButton4(*this, "ToolButton4", "", false), bbClose(*this, "bbClose", "&Close"),
      gbModificaStrati(*this, "gbModificaStrati", "Modifica N° Strati..."),
      seModificaStrati(*this, "seModificaStrati"), leQuantita(*this, "leQuantita", "", true),
      leKilogrammi(*this, "leKilogrammi", "", true),
      bbScriviStrati(*this, "bbScriviStrati", "&Scrivi i Valori"),
      gbPesoNetto(*this, "gbPesoNetto", "Peso netto [Kg]"),
      iSemaforoCalcoli(*this, "iSemaforoCalcoli"), ePesoNetto(*this, "ePesoNetto"),
      ePesoNettoSaturo(*this, "ePesoNettoSaturo"),
      gbSpazioPianta(*this, "gbSpazioPianta", "Spazio Avanzato in Pianta"),
      dbeVuotoContenitoreA(*this, "dbeVuotoContenitoreA", &dm.dsCalcoli, "ContenitoreA", true),
      dbeVuotoPezzoA(*this, "dbeVuotoPezzoA", &dm.dsCalcoli, "PezzoA", true),
      leSpazioAvanzatoA(*this, "leSpazioAvanzatoA", "", true),
      eQtaVuotoA(*this, "eQtaVuotoA", "0", true),
      pSpazioAvanzatoASaturo(*this, "pSpazioAvanzatoASaturo", "", true),
      dbeVuotoContenitoreB(*this, "dbeVuotoContenitoreB", &dm.dsCalcoli, "ContenitoreB", true),
      dbeVuotoPezzoB(*this, "dbeVuotoPezzoB", &dm.dsCalcoli, "PezzoB", true),
      leSpazioAvanzatoB(*this, "leSpazioAvanzatoB", "", true),
      eQtaVuotoB(*this, "eQtaVuotoB", "0", true),
      pSpazioAvanzatoBSaturo(*this, "pSpazioAvanzatoBSaturo", "", true),
      eQtaVuotoTOTALE(*this, "eQtaVuotoTOTALE", "0", true),
      eTotaleFull(*this, "eTotaleFull", "0", true),
      eQtaContenitore(*this, "eQtaContenitore", "0", true),
      bbRiempiVuoti(*this, "bbRiempiVuoti", "Riempire i Vuoti"),
      bbEliminaRiempimento(*this, "bbEliminaRiempimento", "Elimina Riempimento"),
      gbSpazioAltezza(*this, "gbSpazioAltezza", "Spazio avanzato in Altezza"),
      DBEdit5(*this, "DBEdit5", &dm.dsCalcoli, "ContenitoreH", true),
      leSpazioAvanzatoH(*this, "leSpazioAvanzatoH", "", true),
      cbUltimoStrato(*this, "cbUltimoStrato"), seUltimoStrato(*this, "seUltimoStrato"),
      eQtaVuotoH(*this, "eQtaVuotoH", "0", true),
      cbAggiungereStrato(*this, "cbAggiungereStrato", "Aggiungere"),
      sbCalcoli(*this, "sbCalcoli", 2) {
    SetHelpContext(3);
    dbnCalcoli.SetVisibleButtons({ui::NavButton::First, ui::NavButton::Prior, ui::NavButton::Next,
                                  ui::NavButton::Last, ui::NavButton::Refresh});
    dbnCalcoli.SetHints({"Vai al primo", "Vai al precedente", "Vai al successivo", "Vai all'ultimo",
                         "Aggiorna Q.tà/Contenitore"});
    tbCalcolatrice.SetHint("Importa i dati selezionati");
    tbStop.SetHint("Annulla ogni selezione");
    ToolButton4.SetHint("Help in linea...");
    bbClose.SetHint("Chiude la finestra conservando i dati");
    bbScriviStrati.SetDefault(true);
    bbEliminaRiempimento.SetCancel(true);
    bbRiempiVuoti.SetEnabled(false);
    bbEliminaRiempimento.SetEnabled(false);
    for (ui::Edit* e : {&ePesoNettoSaturo, &pSpazioAvanzatoASaturo, &pSpazioAvanzatoBSaturo})
        e->SetColor(ui::clYellow);
    sbCalcoli.SetPanelText(0, "STATO della TABELLA:");
    sbCalcoli.SetPanelText(1, "Aggiornamento Dati");

    OnActivate = [this] { FormActivate(); };
    dbnCalcoli.OnClick = [this](ui::NavButton b) { dbnCalcoliClick(b); };
    tbCalcolatrice.OnClick = [this] { bbOKClick(); };
    tbStop.OnClick = [this] { bbCancelClick(); };
    bbClose.OnClick = [this] { bbCloseClick(); };
    ToolButton4.OnClick = [this] { ToolButton4Click(); };
    seModificaStrati.OnChange = [this] { seModificaStratiChange(); };
    bbScriviStrati.OnClick = [this] { bbScriviStratiClick(); };
    bbRiempiVuoti.OnClick = [this] { bbRiempiVuotiClick(); };
    bbEliminaRiempimento.OnClick = [this] { bbEliminaRiempimentoClick(); };
    cbUltimoStrato.OnDropDown = [this] { cbUltimoStratoDropDown(); };
    cbUltimoStrato.OnChange = [this] { cbUltimoStratoChange(); };
    seUltimoStrato.OnChange = [this] { seUltimoStratoChange(); };
    cbAggiungereStrato.OnClick = [this] { cbAggiungereStratoClick(); };
}

TfCalcoli::~TfCalcoli() {
    // The cursor lives on (the main window closes it later): it must not call back into a
    // window that is gone.
    dm.tbCalcoli.OnCalcFields = nullptr;
    dm.tbCalcoli.BeforeScroll = nullptr;
    dm.tbCalcoli.AfterScroll = nullptr;
    dm.tbCalcoli.BeforePost = nullptr;
    dm.dsCalcoli.OnStateChange = nullptr;
}

void TfCalcoli::FormCreate() {
    dm.tbCalcoli.OnCalcFields = [this](store::Table& t) { tbCalcoliCalcFields(t); };
    dm.tbCalcoli.BeforeScroll = [this](store::Table& t) { tbCalcoliBeforeScroll(t); };
    dm.tbCalcoli.AfterScroll = [this](store::Table& t) { tbCalcoliAfterScroll(t); };
    dm.tbCalcoli.BeforePost = [this](store::Table& t) { tbCalcoliBeforePost(t); };
    dm.dsCalcoli.OnStateChange = [this](store::DataSource& ds) { dsCalcoliStateChange(ds); };
}

// ---- the main window's inputs --------------------------------------------------------------

ImpostazioniTramezzi TfCalcoli::Tramezzi() const {
    return {MainForm.rgTramezzi.ItemIndex() == 1, MainForm.cbFondo.Checked(),
            MainForm.cbTesta.Checked()};
}

std::int32_t TfCalcoli::PesoPezzo() const {
    return StrToInt(Trim(MainForm.mePesoManufatto.Text()));
}

std::int32_t TfCalcoli::Grammatura() const {
    if (!Tramezzi().considerati)
        return 0;
    return StrToInt(Trim(MainForm.dbePesoSeparatore.Text()));
}

std::int32_t TfCalcoli::Spessore() const {
    if (!Tramezzi().considerati)
        return 0;
    return StrToInt(MainForm.dbeSpessoreSeparatore.Text());
}

std::string TfCalcoli::Portata() const {
    return MainForm.ePortataMassima.Text();
}

bool TfCalcoli::Attiva() const {
    return App().ActiveForm() == this;
}

bool TfCalcoli::Riempita() const {
    return dm.tbCalcoliQuantitaSatura->AsInteger() != 0;
}

// ---- shared steps ----------------------------------------------------------------------------

TfCalcoli::Spazi TfCalcoli::SpaziAvanzati(std::int32_t strati) const {
    const ImpostazioniTramezzi t = Tramezzi();
    Spazi s;
    s.a = CalcolaSpazioAvanzato(Campo(dm.tbCalcoliPezzoA), Campo(dm.tbCalcoliContenitoreA), 0,
                                Campo(dm.tbCalcoliCompenetraA), Campo(dm.tbCalcoliQuantitaA), t);
    s.b = CalcolaSpazioAvanzato(Campo(dm.tbCalcoliPezzoB), Campo(dm.tbCalcoliContenitoreB), 0,
                                Campo(dm.tbCalcoliCompenetraB), Campo(dm.tbCalcoliQuantitaB), t);
    s.h = CalcolaSpazioAvanzato(Campo(dm.tbCalcoliPezzoH), Campo(dm.tbCalcoliContenitoreH),
                                Spessore(), Campo(dm.tbCalcoliCompenetraH), strati, t);
    return s;
}

void TfCalcoli::MostraSpazi(const Spazi& s) {
    leSpazioAvanzatoA.SetText(IntToStr(s.a));
    leSpazioAvanzatoB.SetText(IntToStr(s.b));
    leSpazioAvanzatoH.SetText(IntToStr(s.h));
}

void TfCalcoli::ImpostaModificaStrati() {
    const std::int32_t id = Campo(dm.tbCalcoliID);
    const std::int32_t m = id >= 1 && id <= 6 ? StratiMassimi[static_cast<size_t>(id)] : 0;
    seModificaStrati.SetMinValue(m >= 1 ? 1 : 0);
    seModificaStrati.SetMaxValue(m >= 1 ? m : 0);
    seModificaStrati.SetIncrement(m >= 2 ? 1 : 0);
    seModificaStrati.SetValue(Campo(dm.tbCalcoliQuantitaH));
}

PesoNetto TfCalcoli::PesoRiga(std::int32_t extra, std::int32_t strati, ModoPeso modo) const {
    return CalcolaPesoNetto(Campo(dm.tbCalcoliContenitoreA), Campo(dm.tbCalcoliContenitoreB),
                            PesoPezzo(), Grammatura(), Campo(dm.tbCalcoliQuantitaA),
                            Campo(dm.tbCalcoliQuantitaB), extra, strati, modo, Tramezzi());
}

void TfCalcoli::MostraSemaforo(PesoNetto peso) {
    iSemaforoCalcoli.LoadFromFile(FileSemaforo(SemaforoPortata(peso, Portata())));
}

void TfCalcoli::AzzeraRiempimento() {
    for (ui::Edit* e :
         {&eQtaVuotoA, &eQtaVuotoB, &eQtaVuotoTOTALE, &eTotaleFull, &eQtaContenitore}) {
        e->SetText("0");
        e->SetColor(ui::clWindow);
    }
}

// A filled row: nothing more to propose; only the filling can be removed.
void TfCalcoli::MostraRiempimento() {
    AzzeraRiempimento();
    bbRiempiVuoti.SetEnabled(false);
    bbEliminaRiempimento.SetEnabled(true);
}

// An unfilled row: the pieces that the strips left over in plan would take.
void TfCalcoli::ProponiRiempimento() {
    AzzeraRiempimento();
    bbRiempiVuoti.SetEnabled(false);
    bbEliminaRiempimento.SetEnabled(false);
    const Riempimento r = CalcolaRiempimento(
        Numero(leSpazioAvanzatoA), Numero(leSpazioAvanzatoB), Campo(dm.tbCalcoliPezzoA),
        Campo(dm.tbCalcoliPezzoB), Campo(dm.tbCalcoliContenitoreA), Campo(dm.tbCalcoliContenitoreB),
        Campo(dm.tbCalcoliCompenetraA), Campo(dm.tbCalcoliCompenetraB),
        Campo(dm.tbCalcoliQuantitaH));
    if (r.quantitaA != 0) {
        eQtaVuotoA.SetText(IntToStr(r.quantitaA));
        eQtaVuotoA.SetColor(ui::clSkyBlue);
    }
    if (r.quantitaB != 0) {
        eQtaVuotoB.SetText(IntToStr(r.quantitaB));
        eQtaVuotoB.SetColor(ui::clSkyBlue);
    }
    if (r.perStrato != 0) {
        eQtaVuotoTOTALE.SetColor(ui::clYellow);
        eTotaleFull.SetText(IntToStr(r.tuttiStrati));
        eTotaleFull.SetColor(ui::clGreen);
        eQtaContenitore.SetText(
            IntToStr(text::CheckedAdd(Campo(dm.tbCalcoliQuantita), r.tuttiStrati)));
        eQtaContenitore.SetColor(ui::clGreen);
        bbRiempiVuoti.SetEnabled(true);
        bbEliminaRiempimento.SetEnabled(true);
    }
    eQtaVuotoTOTALE.SetText(IntToStr(r.perStrato));
}

void TfCalcoli::RipristinaFiguraFinestraUltimoStrato(bool ancheCarico) {
    if (fUltimoStrato)
        fUltimoStrato->Svuota(Portata(), Tramezzi().considerati, ancheCarico);
}

std::int32_t TfCalcoli::LineaScelta() const {
    if (cbUltimoStrato.ItemIndex() < 0)
        return 0;
    return StrToInt(cbUltimoStrato.Text());
}

// ---- the results cursor ----------------------------------------------------------------------

void TfCalcoli::tbCalcoliCalcFields(store::Table&) {
    const ImpostazioniTramezzi t = Tramezzi();
    const std::int32_t n = StratiSovrapposti(Campo(dm.tbCalcoliQuantitaH));
    const double T = t.considerati ? CaricoTramezzi(n, Grammatura(), t) : 0.0;
    const double F =
        AreaPavimento(Campo(dm.tbCalcoliContenitoreA), Campo(dm.tbCalcoliContenitoreB));
    // The piece weight is read only when there is a floor to spread it on.
    const std::int32_t w = F != 0.0 ? PesoPezzo() : 0;
    dm.tbCalcoliCarico->SetAsFloat(
        Carico(w, Campo(dm.tbCalcoliQuantitaA), Campo(dm.tbCalcoliQuantitaB), n, F, T));

    std::optional<std::int32_t> satura;
    if (!dm.tbCalcoliQuantitaSatura->IsNull())
        satura = Campo(dm.tbCalcoliQuantitaSatura);
    if (auto cs = CaricoSaturo(satura, Campo(dm.tbCalcoliQuantita), dm.tbCalcoliCarico->AsFloat()))
        dm.tbCalcoliCaricoSaturo->SetAsFloat(*cs);
    if (auto nt = NumeroTramezzi(n, t))
        dm.tbCalcoliNumeroTramezzi->SetAsInteger(*nt);
}

void TfCalcoli::tbCalcoliBeforeScroll(store::Table&) {
    seUltimoStrato.SetMinValue(0);
    seUltimoStrato.SetMaxValue(0);
    seUltimoStrato.SetIncrement(0);
    seUltimoStrato.SetValue(0);
    eQtaVuotoH.SetText("0");
    eQtaVuotoH.SetColor(ui::clWindow);
    cbAggiungereStrato.SetChecked(false);
    RipristinaFiguraFinestraUltimoStrato(false);
}

void TfCalcoli::tbCalcoliAfterScroll(store::Table&) {
    if (!Attiva())
        return;
    ImpostaModificaStrati();

    const bool riempita = Riempita();
    if (riempita) {
        leQuantita.SetText(FormatFloat("#,#", Campo(dm.tbCalcoliQuantitaSatura)));
        leKilogrammi.SetText(FormatFloat("#,#0.0", dm.tbCalcoliCaricoSaturo->AsFloat()));
    } else {
        leQuantita.SetText(FormatFloat("#,#", Campo(dm.tbCalcoliQuantita)));
        leKilogrammi.SetText(FormatFloat("#,#0.0", dm.tbCalcoliCarico->AsFloat()));
    }

    const std::int32_t strati = Campo(dm.tbCalcoliQuantitaH);
    const Spazi spazi = SpaziAvanzati(strati);
    MostraSpazi(spazi);

    if (riempita)
        MostraRiempimento();
    else if (strati != 0)
        ProponiRiempimento();

    // What the strips leave once filled.
    pSpazioAvanzatoASaturo.SetText("0");
    pSpazioAvanzatoBSaturo.SetText("0");
    if (Numero(eQtaVuotoTOTALE) != 0) {
        const ImpostazioniTramezzi t = Tramezzi();
        if (const std::int32_t qa = Numero(eQtaVuotoA); qa != 0)
            pSpazioAvanzatoASaturo.SetText(IntToStr(CalcolaSpazioAvanzato(
                Campo(dm.tbCalcoliPezzoB), spazi.a, 0, Campo(dm.tbCalcoliCompenetraB), qa, t)));
        if (const std::int32_t qb = Numero(eQtaVuotoB); qb != 0)
            pSpazioAvanzatoBSaturo.SetText(IntToStr(CalcolaSpazioAvanzato(
                Campo(dm.tbCalcoliPezzoA), spazi.b, 0, Campo(dm.tbCalcoliCompenetraA), qb, t)));
    }

    const PesoNetto peso = PesoRiga(0, strati, ModoPeso::TuttiGliStrati);
    ePesoNetto.SetText(Kg(peso, "#,#0.00"));
    MostraSemaforo(peso);

    // A solution without layers has no pieces per layer to fill: its filled weight is 0.
    if (strati == 0) {
        ePesoNettoSaturo.SetText("0");
        return;
    }
    const std::int32_t extra =
        PezziExtraPerStrato(Campo(dm.tbCalcoliQuantitaSatura), Campo(dm.tbCalcoliQuantita), strati);
    ePesoNettoSaturo.SetText(Kg(PesoRiga(extra, strati, ModoPeso::TuttiGliStrati), "#,#0.00"));
}

void TfCalcoli::tbCalcoliBeforePost(store::Table&) {
    if (Attiva() && Riempita())
        MostraRiempimento();
}

void TfCalcoli::dsCalcoliStateChange(store::DataSource& source) {
    sbCalcoli.SetPanelText(0, source.State() == store::DataSetState::Edit
                                  ? "STATO della TABELLA:  MODIFICA"
                                  : "STATO della TABELLA:  LETTURA");
}

// ---- the window ------------------------------------------------------------------------------

void TfCalcoli::FormActivate() {
    // Every showing starts with the void-filling boxes as the window first opened: what an
    // earlier calculation proposed says nothing about these solutions.
    AzzeraRiempimento();
    bbRiempiVuoti.SetEnabled(false);
    bbEliminaRiempimento.SetEnabled(false);
    pSpazioAvanzatoASaturo.SetText("0");
    pSpazioAvanzatoBSaturo.SetText("0");
    ePesoNettoSaturo.SetText("");

    dm.tbAppoggioStrati.First();
    for (size_t k = 1; k <= 6; ++k) {
        StratiMassimi[k] = dm.tbAppoggioStratiNumeroStrati->AsInteger();
        dm.tbAppoggioStrati.Next();
    }
    ImpostaModificaStrati();
    leQuantita.SetText(FormatFloat("#,#", Campo(dm.tbCalcoliQuantita)));
    leKilogrammi.SetText(FormatFloat("#,#", dm.tbCalcoliCarico->AsFloat()));
    MostraSpazi(SpaziAvanzati(Campo(dm.tbCalcoliQuantitaH)));
    const PesoNetto peso =
        PesoRiga(Numero(eQtaVuotoTOTALE), Campo(dm.tbCalcoliQuantitaH), ModoPeso::TuttiGliStrati);
    ePesoNetto.SetText(Kg(peso, "#,#0.00"));
    MostraSemaforo(peso);
    SpazioUltimiStrati = 0;
}

void TfCalcoli::dbnCalcoliClick(ui::NavButton) {
    if (dm.dsCalcoli.State() != store::DataSetState::Edit)
        return;
    seModificaStratiChange();
    if (Riempita()) {
        leQuantita.SetText(IntToStr(Campo(dm.tbCalcoliQuantitaSatura)));
        leKilogrammi.SetText(FormatFloat("#,##0.0", dm.tbCalcoliCaricoSaturo->AsFloat()));
    } else {
        leQuantita.SetText(IntToStr(Campo(dm.tbCalcoliQuantita)));
        leKilogrammi.SetText(FormatFloat("#,##0.0", dm.tbCalcoliCarico->AsFloat()));
    }
}

void TfCalcoli::bbOKClick() {
    if (Campo(dm.tbCalcoliQuantita) == 0) {
        App().MessageDlg(ui::DialogKind::Warning,
                         "Non è possibile fare una scelta\rsu una quantità che è zero...!",
                         {ui::DialogButton::OK});
        return;
    }
    analysis::TMainForm& m = MainForm;
    const bool aggiunti = cbAggiungereStrato.Checked();
    const bool riempita = Riempita();
    const std::int32_t strati = Campo(dm.tbCalcoliQuantitaH);
    const std::int32_t quantita = Campo(dm.tbCalcoliQuantita);
    const std::int32_t satura = Campo(dm.tbCalcoliQuantitaSatura);

    if (aggiunti && fUltimoStrato)
        m.eNumeroTramezzi.SetText(fUltimoStrato->leNumeroTramezzi.Text());
    else
        m.eNumeroTramezzi.SetText(IntToStr(dm.tbCalcoliNumeroTramezzi->AsInteger()));

    const ui::Edit& spazioA = riempita ? pSpazioAvanzatoASaturo : leSpazioAvanzatoA;
    const ui::Edit& spazioB = riempita ? pSpazioAvanzatoBSaturo : leSpazioAvanzatoB;
    m.eSpazioAvanzatoA.SetText(spazioA.Text());
    m.eSpazioAvanzatoB.SetText(spazioB.Text());

    const std::int32_t spazioH = SpaziAvanzati(strati).h;
    std::int32_t spazioHMostrato = spazioH;
    if (aggiunti) {
        spazioHMostrato = text::CheckedSub(spazioH, SpazioUltimiStrati);
        m.ePezziSaturiH.SetText(eQtaVuotoH.Text());
    } else {
        m.ePezziSaturiH.SetText("0");
    }
    m.eSpazioAvanzatoH.SetText(IntToStr(spazioHMostrato));

    const std::int32_t perStrato =
        riempita ? quantities::PezziPerStrato(satura, strati)
                 : text::CheckedMul(Campo(dm.tbCalcoliQuantitaA), Campo(dm.tbCalcoliQuantitaB));
    m.ePezziPiano.SetText(FormatFloat("#,#", perStrato));
    m.eNumeroPiani.SetText(IntToStr(strati));

    std::int32_t totale = riempita ? satura : quantita;
    if (aggiunti)
        totale = text::CheckedAdd(totale, Numero(eQtaVuotoH));
    m.eTotalePezzi.SetText(FindPointString(IntToStr(totale)));

    m.gSaturazione.SetProgress(CalcolaSaturazione(Campo(dm.tbCalcoliContenitoreA),
                                                  Campo(dm.tbCalcoliContenitoreB),
                                                  Campo(dm.tbCalcoliContenitoreH), Numero(spazioA),
                                                  Numero(spazioB), aggiunti ? spazioHMostrato : 0));

    const std::int32_t extra = riempita ? PezziExtraPerStrato(satura, quantita, strati) : 0;
    double pesoNetto =
        static_cast<double>(PesoRiga(extra, strati, ModoPeso::TuttiGliStrati)) / kDecimilliPerKg;
    if (aggiunti && fUltimoStrato)
        pesoNetto = fUltimoStrato->LeggiPeso();
    m.ePesoNetto.SetText(FormatFloat("#,#0.00", pesoNetto));

    if (!iSemaforoCalcoli.Picture().empty())
        m.iSemaforoMain.LoadFromFile(iSemaforoCalcoli.Picture());
    m.ePesoLordo.SetText(FormatFloat("#,#", pesoNetto + dm.tbContenitoriAppoggioTara->AsFloat()));

    double carico = riempita ? dm.tbCalcoliCaricoSaturo->AsFloat() : dm.tbCalcoliCarico->AsFloat();
    if (aggiunti && fUltimoStrato)
        carico = text::StrToFloat(fUltimoStrato->leCarico.Text());
    m.eCarico.SetText(FormatFloat("#,#0.00", carico));

    auto intero = [](const ui::Control& c) { return StrToInt(FindPointString(c.Text())); };
    auto pezzo = [](const ui::Control& c) { return StrToInt(Trim(c.Text())); };
    data::TExcelComponente& x = state.ExcelComponente;
    x.Peso = pezzo(m.mePesoManufatto);
    x.Larghezza = pezzo(m.meLarghezzaManufatto);
    x.Lunghezza = pezzo(m.meLunghezzaManufatto);
    x.Altezza = pezzo(m.meAltezzaManufatto);
    x.CompenetraLarghezza = pezzo(m.meLarghezzaCompenetra);
    x.CompenetraLunghezza = pezzo(m.meLunghezzaCompenetra);
    x.CompenetraAltezza = pezzo(m.meAltezzaCompenetra);
    x.PezzoA = Campo(dm.tbCalcoliPezzoA);
    x.ContenitoreA = Campo(dm.tbCalcoliContenitoreA);
    x.PezzoB = Campo(dm.tbCalcoliPezzoB);
    x.ContenitoreB = Campo(dm.tbCalcoliContenitoreB);
    x.PezzoH = Campo(dm.tbCalcoliPezzoH);
    x.ContenitoreH = Campo(dm.tbCalcoliContenitoreH);
    x.SpazioLiberoLarghezza = intero(leSpazioAvanzatoA);
    x.SpazioLiberoLunghezza = intero(leSpazioAvanzatoB);
    x.SpazioLiberoAltezza = intero(leSpazioAvanzatoH);
    x.PezziStrato = intero(m.ePezziPiano);
    x.NumeroStrati = intero(m.eNumeroPiani);
    x.CaricoDistribuito = text::StrToFloat(FindPointString(m.eCarico.Text()));
    x.PesoNetto = text::StrToFloat(FindPointString(m.ePesoNetto.Text()));
    x.PesoLordo = intero(m.ePesoLordo);
    x.PezziPianta = 0;
    x.PezziUltimoStrato = 0;
    if (riempita) {
        x.PezziPianta = text::CheckedSub(satura, quantita);
        x.PezziUltimoStrato = Numero(eQtaVuotoH);
    }
}

void TfCalcoli::bbCancelClick() {
    if (App().MessageDlg(ui::DialogKind::Confirmation,
                         "Non è stata apportata alcuna variante.\r"
                         "I campi della finestra principale\r"
                         "rimarranno invariati. Confermi?",
                         {ui::DialogButton::No, ui::DialogButton::OK}) == ui::DialogButton::OK)
        Close();
}

void TfCalcoli::bbCloseClick() {
    if (!Trim(MainForm.eNumeroContenitori.Text()).empty())
        App().MessageDlg(ui::DialogKind::Information,
                         "ATTENZIONE!\rAggiornare il calcolo\rdella Quantità Stivabile",
                         {ui::DialogButton::OK});
    MainForm.cbMezzo.SetFocus();
    Close();
}

void TfCalcoli::ToolButton4Click() {
    if (App().Help())
        App().Help()->ShowTopic("FinestraCalcoli");
}

// ---- layers, void filling, top layers ----------------------------------------------------------

void TfCalcoli::seModificaStratiChange() {
    const std::int32_t L = seModificaStrati.Value();
    const bool riempita = Riempita();
    // The pieces each layer holds beyond the plain grid: those of the stored filling.
    const std::int32_t extra =
        riempita ? PezziExtraPerStrato(Campo(dm.tbCalcoliQuantitaSatura),
                                       Campo(dm.tbCalcoliQuantita), Campo(dm.tbCalcoliQuantitaH))
                 : 0;
    leQuantita.SetText(
        FormatFloat("#,#", QuantitaConStrati(Campo(dm.tbCalcoliQuantitaA),
                                             Campo(dm.tbCalcoliQuantitaB), extra, riempita, L)));

    const std::int32_t larghezza = StrToInt(Trim(MainForm.eLarghezzaUtile.Text()));
    const std::int32_t lunghezza = StrToInt(Trim(MainForm.eLunghezzaUtile.Text()));
    const auto peso = [&](ModoPeso modo) {
        return CalcolaPesoNetto(larghezza, lunghezza, PesoPezzo(), Grammatura(),
                                Campo(dm.tbCalcoliQuantitaA), Campo(dm.tbCalcoliQuantitaB), extra,
                                L, modo, Tramezzi());
    };
    // Without a floor there is no load to show, and no weight either.
    if (const auto carico =
            CaricoPrimoStrato(peso(ModoPeso::StratiSuperiori), larghezza, lunghezza)) {
        leKilogrammi.SetText(FormatFloat("#,#.0", *carico));
        const PesoNetto N = peso(ModoPeso::TuttiGliStrati);
        MostraSemaforo(N);
        (riempita ? ePesoNettoSaturo : ePesoNetto).SetText(Kg(N, "#,#"));
    }
    MostraSpazi(SpaziAvanzati(L));
}

void TfCalcoli::bbScriviStratiClick() {
    dm.tbCalcoli.Edit();
    dm.tbCalcoliQuantitaH->SetAsInteger(seModificaStrati.Value());
    const std::int32_t quantita = StrToInt(FindPointString(leQuantita.Text()));
    (Riempita() ? dm.tbCalcoliQuantitaSatura : dm.tbCalcoliQuantita)->SetAsInteger(quantita);
    dm.tbCalcoli.Post();
    dm.tbCalcoli.Refresh();
}

void TfCalcoli::bbRiempiVuotiClick() {
    const double peso = text::StrToFloat(FindPointString(ePesoNetto.Text()));
    if (peso > dm.tbContenitoriAppoggioPortataMassima->AsFloat()) {
        App().MessageDlg(ui::DialogKind::Error, kSaturazioneImpossibile, {ui::DialogButton::OK});
        return;
    }
    if (Riempita())
        return;
    dm.tbCalcoli.Edit();
    dm.tbCalcoliQuantitaSatura->SetAsInteger(StrToInt(FindPointString(eQtaContenitore.Text())));
    dm.tbCalcoliSaturo->SetAsString("Si");
    dm.tbCalcoli.Post();
    dm.tbCalcoli.Refresh();
}

void TfCalcoli::bbEliminaRiempimentoClick() {
    dm.tbCalcoli.Edit();
    dm.tbCalcoliQuantitaSatura->Clear();
    dm.tbCalcoli.Post();
    dm.tbCalcoli.Refresh();
}

void TfCalcoli::cbUltimoStratoDropDown() {
    cbUltimoStrato.ClearItems();
    const store::Bookmark segno = dm.tbCalcoli.GetBookmark();
    const std::int32_t altezza = Numero(leSpazioAvanzatoH);
    PezziPerStrato.fill(0);
    // Visiting every row runs the scroll handlers for each of them, and last for the row
    // the user was on.
    dm.tbCalcoli.First();
    while (!dm.tbCalcoli.Eof()) {
        const std::int32_t id = Campo(dm.tbCalcoliID);
        if (Campo(dm.tbCalcoliPezzoH) < altezza)
            cbUltimoStrato.AddItem(IntToStr(id));
        if (id >= 1 && id <= 6)
            PezziPerStrato[static_cast<size_t>(id)] = quantities::PezziPerStrato(
                Riempita() ? Campo(dm.tbCalcoliQuantitaSatura) : Campo(dm.tbCalcoliQuantita),
                Campo(dm.tbCalcoliQuantitaH));
        dm.tbCalcoli.Next();
    }
    dm.tbCalcoli.GotoBookmark(segno);
    dm.tbCalcoli.FreeBookmark(segno);
}

void TfCalcoli::cbUltimoStratoChange() {
    const std::int32_t altezza = Numero(leSpazioAvanzatoH);
    const std::int32_t id = LineaScelta();
    const store::Bookmark segno = dm.tbCalcoli.GetBookmark();
    if (dm.tbCalcoli.Locate("ID", store::Value(std::int64_t{id}))) {
        const std::int32_t p = Campo(dm.tbCalcoliPezzoH);
        const std::int32_t k = Campo(dm.tbCalcoliCompenetraH);
        dm.tbCalcoli.GotoBookmark(segno);
        const UltimiStrati u = CalcolaUltimiStrati(altezza, p, k, Spessore(), Tramezzi());
        SpazioUltimiStrati = u.spazioUltimiStrati;
        // Fewer than one layer still offers one: the bounds are set after the value, which
        // they never move.
        seUltimoStrato.SetMinValue(1);
        seUltimoStrato.SetMaxValue(1);
        seUltimoStrato.SetValue(std::max(u.strati, 1));
        seUltimoStrato.SetMaxValue(u.strati);
        seUltimoStrato.SetIncrement(seUltimoStrato.Value() == 1 ? 0 : 1);
    } else {
        seUltimoStrato.SetMinValue(0);
        seUltimoStrato.SetMaxValue(0);
        seUltimoStrato.SetIncrement(0);
        seUltimoStrato.SetValue(0);
        seUltimoStrato.SetColor(ui::clWindow);
    }
    dm.tbCalcoli.FreeBookmark(segno);
}

void TfCalcoli::seUltimoStratoChange() {
    const std::int32_t v = seUltimoStrato.Value();
    const std::int32_t id = LineaScelta();
    if (v <= 0 || id < 1 || id > 6)
        return;
    eQtaVuotoH.SetText(IntToStr(text::CheckedMul(PezziPerStrato[static_cast<size_t>(id)], v)));
    eQtaVuotoH.SetColor(ui::clSkyBlue);
}

void TfCalcoli::cbAggiungereStratoClick() {
    if (!cbAggiungereStrato.Checked()) {
        RipristinaFiguraFinestraUltimoStrato(true);
        cbUltimoStrato.SetItemIndex(-1);
        // No line, no count: the bounds go too, or the minimum of 1 would keep the value.
        seUltimoStrato.SetMinValue(0);
        seUltimoStrato.SetMaxValue(0);
        seUltimoStrato.SetIncrement(0);
        seUltimoStrato.SetValue(0);
        eQtaVuotoH.SetText("0");
        return;
    }
    if (cbUltimoStrato.ItemIndex() < 0 || seUltimoStrato.Value() == 0 || eQtaVuotoH.Text() == "0") {
        App().MessageDlg(ui::DialogKind::Error,
                         "Avete chiesto di saturare gli ultimi piani\r"
                         "rimasti vuoti, ma non avete fatto alcuna\r"
                         "scelta inerente il Tipo di Dislocazione!\r"
                         "IMPUTARE i DATI PRIMA di PROCEDERE.",
                         {ui::DialogButton::OK});
        cbAggiungereStrato.SetChecked(false);
        return;
    }
    if (text::StrToFloat(FindPointString(ePesoNetto.Text())) >
        dm.tbContenitoriAppoggioPortataMassima->AsFloat()) {
        App().MessageDlg(ui::DialogKind::Error, kSaturazioneImpossibile, {ui::DialogButton::OK});
        cbAggiungereStrato.SetChecked(false);
        return;
    }

    const ImpostazioniTramezzi t = Tramezzi();
    const AggiuntaStrati a = CalcolaAggiuntaStrati(
        Campo(dm.tbCalcoliContenitoreA), Campo(dm.tbCalcoliContenitoreB),
        Campo(dm.tbCalcoliQuantitaH), seUltimoStrato.Value(),
        dm.tbSeparatoriAppoggioGrammatura->AsFloat(),
        Riempita() ? Campo(dm.tbCalcoliQuantitaSatura) : Campo(dm.tbCalcoliQuantita),
        text::StrToFloat(Trim(MainForm.mePesoManufatto.Text())), Numero(eQtaVuotoH),
        text::StrToFloat(Portata()), t);
    if (!fUltimoStrato)
        return;
    TfUltimoStrato& u = *fUltimoStrato;
    u.leNumeroTramezzi.SetText(t.considerati ? IntToStr(a.tramezziTotali) : "0");
    u.iSemaforo.LoadFromFile(FileSemaforo(a.semaforo));
    u.lePrimiStrati.SetText(FormatFloat("0.00", a.pesoPrimiStrati));
    u.leUltimiStrati.SetText(FormatFloat("0.00", a.pesoUltimiStrati));
    u.leTramezzi.SetText(FormatFloat("0.00", a.pesoTramezzi));
    u.leCarico.SetText(FormatFloat("0.00", a.carico));
    u.lePeso.SetText(FormatFloat("0.00", a.pesoTotale));
    u.lePortata.SetText(Portata());
    u.ShowModal();
}

} // namespace velcaro::quantities
