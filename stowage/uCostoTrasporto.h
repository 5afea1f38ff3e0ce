#pragma once
// The transport cost window: asks for the cost of one trip of the vehicle just before the
// summary is exported. The main window reads Tag when it closes: 1 means a cost was
// accepted and the export may go on, 0 that it may not.
#include "data/ReportRecords.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

namespace velcaro::stowage {

// Up to six optional digits, blanks shown as "_".
inline constexpr const char* kCostoMask = "!999999;1;_";

class TfCostoTrasporto : public ui::Form {
public:
    TfCostoTrasporto(ui::Application& app, data::AnalysisState& state);

    // Events.
    void FormCreate();
    void FormActivate();
    void meCostoTrasportoExit();
    void bbOKClick();
    void bbCANCELClick();
    void BitBtn1Click();

    data::AnalysisState& state;

    ui::GroupBox GroupBox1;
    ui::Label Label1, Label2;
    ui::MaskEdit meCostoTrasporto;
    ui::Button bbOK, bbCANCEL, BitBtn1;
    ui::Image Image1;
};

} // namespace velcaro::stowage
