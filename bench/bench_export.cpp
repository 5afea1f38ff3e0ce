// One whole summary export to a file: the eight steps under the progress window, the
// recalculation, the .xlsx written, the closing question answered No. The automation it
// replaces needed more than a thousand cross-process calls for the same sheet.
#include "BenchProgramDir.h"
#include "analysis/Startup.h"
#include "platform/ui/ScriptedHost.h"
#include "report/uFunction_Procedure.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BM_EsportaExcel(benchmark::State& state)
{
    velcaro::ui::ScriptedHost host;
    velcaro::analysis::Program program(host, BenchProgramDir());
    velcaro::analysis::StartOptions options;
    options.splashDelay = false;
    program.Start(options);
    auto& r = program.state;
    r.ExcelContenitore = {"CASSA di LEGNO", "Cassa 1200x800", 50.5, 800, 1200, 600, 760, 1160, 560,
                          25, 400, 20, 0, 0};
    r.ExcelTramezzi = {"Si", 4, 450, "ONDA B", "Cartone onda B 4 mm", 0.85, "Si", "No", 3};
    r.ExcelPallet = {"PALLET LEGNO", "EUR 1200x800", 12.0, 800, 1200, 144, 25, 1500, 1200, 1200,
                     800, 800, 2, 1200, 13600, 800, 2450, 1, 33, 1, 2, 1344, 40};
    r.ExcelMezzo = {"Semirimorchio telonato 13,6 m", 2450, 13600, 2700, 1200, 1320};
    r.ExcelComponente = {850, 180, 260, 120, 0, 0, 5, 260, 1160, 180, 760, 120, 560, 2, 0,
                         60, 40, 80, 10, 2, 19.38, 17.25, 42};
    program.MainForm->rgTramezzi.SetItemIndex(1);
    const std::string file =
        (std::filesystem::path(BenchProgramDir()) / "EXCEL" / "bench.xlsx").string();
    for (auto _ : state) {
        host.QueueAnswer(velcaro::ui::DialogButton::No);
        program.excelExport->EsportaExcel(file);
    }
    if (!std::filesystem::exists(file) || host.Dialogs().size() != state.iterations())
        state.SkipWithError("the export did not save the workbook");
}
BENCHMARK(BM_EsportaExcel)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
