// "Calcola" from the click to the quantity choice window shown, through the scripted host:
// checks, confirmation, the two tables emptied and refilled, the cursor on the best row.
#include "BenchProgramDir.h"
#include "analysis/Startup.h"
#include "platform/ui/ScriptedHost.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CalcolaClick(benchmark::State& state)
{
    velcaro::ui::ScriptedHost host;
    velcaro::analysis::Program program(host, BenchProgramDir());
    velcaro::analysis::StartOptions options;
    options.splashDelay = false;
    program.Start(options);
    auto& m = *program.MainForm;
    m.cbCategorieContenitori.UserChoose(1);
    m.cbNormalizzato.UserChoose("Cassa legno 1200x800 H 600");
    m.mePesoManufatto.UserType("850");
    m.meLarghezzaManufatto.UserType("180");
    m.meLunghezzaManufatto.UserType("260");
    m.meAltezzaManufatto.UserType("120");
    for (auto _ : state) {
        host.QueueAnswer(velcaro::ui::DialogButton::Yes);
        m.bbCalcoli.UserClick();
    }
    if (!program.state.CalcoloEffettuato || program.dmModuloDati->tbCalcoli.RecordCount() != 6)
        state.SkipWithError("the calculation did not complete");
}
BENCHMARK(BM_CalcolaClick)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
