#pragma once
// The program as one object: the application, the data module, the windows in their
// order of creation and the state of the analysis. Start() is the start-up sequence;
// the Qt main and the scenario runner both drive this same object.
//
// Ownership: Program owns everything it creates. The data module is declared before the
// application so that it outlives every window (the main window closes the cursors as
// it is destroyed).
#include "analysis/uMain.h"
#include "analysis/uSplash.h"
#include "data/ReportRecords.h"
#include "data/uModuloDati.h"
#include "platform/ui/Application.h"
#include "quantities/uCalcoli.h"
#include "quantities/uUltimoStrato.h"
#include "report/Progform.h"
#include "report/uFunction_Procedure.h"
#include "stowage/uCostoTrasporto.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace velcaro::analysis {

struct StartOptions {
    // The busy wait while the splash is shown; the scenario runner and tests skip it.
    bool splashDelay = true;
    // Paints the splash at once (the Qt main processes pending paint events here).
    std::function<void(TAboutBox& splash)> showSplash;
    // Called for each window right after it is created (the Qt main builds its view).
    std::function<void(ui::Form& form)> formCreated;
    // Called just before the splash is closed and destroyed (its view goes first).
    std::function<void(TAboutBox& splash)> closeSplash;
};

class Program {
public:
    Program(ui::Host& host, std::string programDir);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void Start(const StartOptions& options);

    data::AnalysisState state;
    std::unique_ptr<data::TdmModuloDati> dmModuloDati;
    ui::Application app;
    TMainForm* MainForm = nullptr;
    TAboutBox* AboutBox = nullptr;
    quantities::TfCalcoli* fCalcoli = nullptr;
    quantities::TfUltimoStrato* fUltimoStrato = nullptr;
    report::TProgress* Progress = nullptr;
    stowage::TfCostoTrasporto* fCostoTrasporto = nullptr;
    // The summary export; made with the progress window. Tests replace its Factory.
    std::unique_ptr<report::ExcelExport> excelExport;

    // Program flags by name ("CalcoloEffettuato", …); nullopt for an unknown name.
    std::optional<bool> Flag(const std::string& name) const;
};

// The splash's fixed wait: outer × inner empty rounds that the compiler may not remove.
void SplashDelay(long outer = 100000, long inner = 10000);

} // namespace velcaro::analysis
