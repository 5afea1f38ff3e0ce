#pragma once
// The export on its own: an application on the scripted host, a main window with its
// separators choice, the progress window and the export, with report records filled as a
// completed analysis leaves them.
#include "report/Progform.h"
#include "report/uFunction_Procedure.h"

#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedHost.h"

#include <string>

namespace velcaro::report::testing {

struct MainWindow : ui::Form {
    explicit MainWindow(ui::Application& app)
        : Form(app, "MainForm", "Velcaro"), rgTramezzi(*this, "rgTramezzi", "Considerare", {"No", "Si"}, 2)
    {
        rgTramezzi.SetItemIndex(0);
    }
    ui::RadioGroup rgTramezzi;
};

// Figures of a wooden case on a euro pallet in a semi-trailer, with separators.
inline data::AnalysisState FilledRecords()
{
    data::AnalysisState s;
    s.ExcelContenitore = {"CASSA di LEGNO", "Cassa 1200x800", 50.5, 800, 1200, 600, 760, 1160, 560,
                          25, 400, 20, 0, 0};
    s.ExcelTramezzi = {"Si", 4, 450, "ONDA B", "Cartone onda B 4 mm", 0.85, "Si", "No", 3};
    s.ExcelPallet = {"PALLET LEGNO", "EUR 1200x800", 12.0, 800, 1200, 144, 25, 1500, 1200, 1200,
                     800, 800, 2, 1200, 13600, 800, 2450, 1, 33, 1, 2, 1344, 40};
    s.ExcelMezzo = {"Semirimorchio telonato 13,6 m", 2450, 13600, 2700, 1200, 1320};
    s.ExcelComponente = {850, 180, 260, 120, 0, 0, 5, 260, 1160, 180, 760, 120, 560, 2, 0,
                         60, 40, 80, 10, 2, 19.38, 17.25, 42};
    s.CalcoloEffettuato = true;
    return s;
}

struct ExportFixture {
    ui::ScriptedHost host;
    ui::Application app{host, VELCARO_PROGRAM_DIR_DEFAULT};
    MainWindow main{app};
    TProgress progress{app};
    data::AnalysisState records = FilledRecords();
    ExcelExport exporter{app, records, progress};

    ExportFixture()
    {
        app.SetMainForm(&main);
        progress.FormCreate();
        exporter.rgTramezzi = &main.rgTramezzi;
        main.Show();
    }

    void ConsiderSeparators(bool yes) { main.rgTramezzi.SetItemIndex(yes ? 1 : 0); }

    // The dialog texts shown so far, joined with " / ".
    std::string DialogTexts()
    {
        std::string s;
        for (const auto& d : host.Dialogs())
            s += (s.empty() ? "" : " / ") + d.text;
        return s;
    }
};

} // namespace velcaro::report::testing
