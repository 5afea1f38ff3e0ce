#pragma once
// The quantity window: the six orientation solutions of the last calculation, the figures of
// the solution under the cursor (quantity, load, net weight with the payload light, space
// left over in plan and in height), the tools that change a solution (layers, void filling,
// top layers of another orientation) and the import of the chosen solution into the main
// window and the report record of the piece.
//
// The window also carries the handlers of the results cursor (calculated fields, scroll,
// post, state): they fill this window's boxes and the last-layer window's, so they live
// with the boxes. They are hooked onto the data module's cursor by FormCreate and unhooked
// by the destructor, because the cursor outlives the window.
//
// Ownership: the Application owns the window; the data module, the report state, the main
// window and the last-layer window are only referred to and outlive every use made here.
#include "data/ReportRecords.h"
#include "data/uModuloDati.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/Form.h"
#include "quantities/SolutionArithmetic.h"

#include <array>
#include <cstdint>

namespace velcaro::analysis {
class TMainForm;
}

namespace velcaro::quantities {

class TfUltimoStrato;

class TfCalcoli : public ui::Form {
public:
    TfCalcoli(ui::Application& app, data::TdmModuloDati& dm, data::AnalysisState& state,
              analysis::TMainForm& mainForm);
    ~TfCalcoli() override;

    void FormCreate();

    // The results cursor.
    void tbCalcoliCalcFields(store::Table& dataSet);
    void tbCalcoliBeforeScroll(store::Table& dataSet);
    void tbCalcoliAfterScroll(store::Table& dataSet);
    void tbCalcoliBeforePost(store::Table& dataSet);
    void dsCalcoliStateChange(store::DataSource& source);

    // The window.
    void FormActivate();
    void dbnCalcoliClick(ui::NavButton button);
    void bbOKClick();
    void bbCancelClick();
    void bbCloseClick();
    void ToolButton4Click();

    // Layers, void filling, top layers.
    void seModificaStratiChange();
    void bbScriviStratiClick();
    void bbRiempiVuotiClick();
    void bbEliminaRiempimentoClick();
    void cbUltimoStratoDropDown();
    void cbUltimoStratoChange();
    void seUltimoStratoChange();
    void cbAggiungereStratoClick();

    // Set by the start-up once the last-layer window exists.
    TfUltimoStrato* fUltimoStrato = nullptr;

    // Indexed by solution ID, 1 to 6 (element 0 unused).
    std::array<std::int32_t, 7> StratiMassimi{};
    std::array<std::int32_t, 7> PezziPerStrato{};
    // Height taken by the top layers of the chosen orientation, mm.
    std::int32_t SpazioUltimiStrati = 0;

    data::TdmModuloDati& dm;
    data::AnalysisState& state;
    analysis::TMainForm& MainForm;

    // Solutions grid and tool bar.
    ui::DBGrid DBGrid1;
    ui::DBNavigator dbnCalcoli;
    ui::Button tbCalcolatrice, tbStop, ToolButton4, bbClose;

    // "Modifica N° Strati..."
    ui::GroupBox gbModificaStrati;
    ui::SpinEdit seModificaStrati;
    ui::Edit leQuantita, leKilogrammi;
    ui::Button bbScriviStrati;

    // "Peso netto [Kg]"
    ui::GroupBox gbPesoNetto;
    ui::Image iSemaforoCalcoli;
    ui::Edit ePesoNetto, ePesoNettoSaturo;

    // "Spazio Avanzato in Pianta"
    ui::GroupBox gbSpazioPianta;
    ui::DBEdit dbeVuotoContenitoreA, dbeVuotoPezzoA;
    ui::Edit leSpazioAvanzatoA, eQtaVuotoA, pSpazioAvanzatoASaturo;
    ui::DBEdit dbeVuotoContenitoreB, dbeVuotoPezzoB;
    ui::Edit leSpazioAvanzatoB, eQtaVuotoB, pSpazioAvanzatoBSaturo;
    ui::Edit eQtaVuotoTOTALE, eTotaleFull, eQtaContenitore;
    ui::Button bbRiempiVuoti, bbEliminaRiempimento;

    // "Spazio avanzato in Altezza"
    ui::GroupBox gbSpazioAltezza;
    ui::DBEdit DBEdit5;
    ui::Edit leSpazioAvanzatoH;
    ui::ComboBox cbUltimoStrato;
    ui::SpinEdit seUltimoStrato;
    ui::Edit eQtaVuotoH;
    ui::CheckBox cbAggiungereStrato;

    ui::StatusBar sbCalcoli;

private:
    // The main window's inputs, converted when a handler reads them.
    ImpostazioniTramezzi Tramezzi() const;
    std::int32_t PesoPezzo() const;  // g
    std::int32_t Grammatura() const; // g/m², 0 without separators
    std::int32_t Spessore() const;   // mm, 0 without separators
    std::string Portata() const;     // the payload text as shown

    bool Attiva() const;   // the quantity window has the user's attention
    bool Riempita() const; // the current row has been filled
    std::int32_t Campo(store::Field* f) const { return f->AsInteger(); }

    struct Spazi {
        std::int32_t a = 0, b = 0, h = 0;
    };
    Spazi SpaziAvanzati(std::int32_t strati) const;
    void MostraSpazi(const Spazi& s);
    void ImpostaModificaStrati();
    PesoNetto PesoRiga(std::int32_t extra, std::int32_t strati, ModoPeso modo) const;
    void MostraSemaforo(PesoNetto peso);
    void AzzeraRiempimento();
    void MostraRiempimento();
    void ProponiRiempimento();
    void RipristinaFiguraFinestraUltimoStrato(bool ancheCarico);
    std::int32_t LineaScelta() const; // the solution ID on the chosen line, 0 for none
};

} // namespace velcaro::quantities
