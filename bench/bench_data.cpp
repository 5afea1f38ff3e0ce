// The data module over a catalogue of 100 000 containers: opening the nine cursors as the
// main window does when it is created, and choosing a family as the main window does.
#include "data/Schema.h"
#include "data/uModuloDati.h"
#include "platform/store/Database.h"
#include "platform/store/Schema.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace velcaro;

const char* const kFamilies[] = {"CASSONE METALLICO", "CASSA di LEGNO", "CASSETTA ODETTE",
                                 "SCATOLA di CARTONE", "CONTENITORE in RETE"};

// A program folder whose database holds 100 000 containers (made once per run).
const std::string& BigProgramDir()
{
    static const std::string dir = [] {
        std::string pattern = (fs::temp_directory_path() / "velcaro-bench-big-XXXXXX").string();
        const std::string d = mkdtemp(pattern.data());
        fs::create_directories(d + "/Dati");
        auto db = store::Database::Create(d + "/Dati/Velcaro.db");
        db->Exec("BEGIN");
        for (const store::TableDef* def : data::AllTables())
            for (const std::string& sql : store::CreateTableSql(*def))
                db->Exec(sql);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db->Handle(),
                           "INSERT INTO Contenitori (Codice, Famiglia, Descrizione, Larghezza, Lunghezza, "
                           "Altezza, \"Larghezza Utile\", \"Lunghezza Utile\", \"Altezza Utile\", "
                           "\"Portata Massima\", Tara, Costo, NeedPallet) "
                           "VALUES (?1, ?2, ?3, 800, 1200, 975, 760, 1160, 900, 500, 25.5, 40, 1)",
                           -1, &st, nullptr);
        for (int i = 0; i < 100000; ++i) {
            // Appended, not concatenated: GCC 12 warns falsely on "lit" + to_string at -O2.
            std::string code = "C";
            code += std::to_string(i);
            std::string desc = "Contenitore ";
            desc += std::to_string(i);
            sqlite3_bind_text(st, 1, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, kFamilies[i % 5], -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 3, desc.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        db->Exec("INSERT INTO Automezzi (Descrizione, Lunghezza, Larghezza, Altezza) "
                 "VALUES ('Semirimorchio', 13600, 2480, 2700)");
        db->Exec("COMMIT");
        return d;
    }();
    return dir;
}

void BM_OpenNineCursors(benchmark::State& state)
{
    data::TdmModuloDati dm(BigProgramDir());
    for (auto _ : state) {
        dm.OpenCursors();
        benchmark::DoNotOptimize(dm.tbContenitori.RecordCount());
        state.PauseTiming();
        dm.CloseCursors();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenNineCursors)->Unit(benchmark::kMillisecond);

void BM_ChooseFamilyRange(benchmark::State& state)
{
    data::TdmModuloDati dm(BigProgramDir());
    dm.OpenCursors();
    int i = 0;
    for (auto _ : state) {
        const std::string family = kFamilies[i++ % 5];
        dm.tbContenitoriAppoggio.CancelRange();
        dm.tbContenitoriAppoggio.SetRange({family}, {family});
        benchmark::DoNotOptimize(dm.tbContenitoriAppoggio.RecordCount());
    }
}
BENCHMARK(BM_ChooseFamilyRange)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
