// Cursor operations on a containers table of 100 000 records: each should stay well under
// 20 ms so that the windows never wait on the store.
#include "data/Schema.h"
#include "platform/store/Database.h"
#include "platform/store/Table.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using velcaro::store::Database;
using velcaro::store::FieldType;
using velcaro::store::Table;
using velcaro::store::Value;

constexpr int kRecords = 100000;
constexpr int kFamilies = 20;

std::string FamilyName(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "FAMIGLIA %02d", i % kFamilies);
    return buf;
}

std::string Description(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Contenitore %06d", i);
    return buf;
}

// The database file, built once for every benchmark of the program and removed at exit.
class Catalogue {
public:
    Catalogue() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench_store_XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        path_ = dir_ + "/Velcaro.db";
        auto db = Database::Create(path_);
        for (const auto& sql : CreateTableSql(velcaro::data::ContenitoriDef()))
            db->Exec(sql);
        Fill(*db);
        db_ = Database::Open(path_);
    }
    ~Catalogue() {
        db_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::shared_ptr<Database>& db() const { return db_; }

private:
    static void Fill(Database& db) {
        db.Exec("BEGIN");
        sqlite3_stmt* stmt = nullptr;
        const char* sql =
            "INSERT INTO Contenitori (Codice, Famiglia, Descrizione, Larghezza, Lunghezza, "
            "Altezza, \"Larghezza Utile\", \"Lunghezza Utile\", \"Altezza Utile\", "
            "\"Portata Massima\", Tara) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        if (sqlite3_prepare_v2(db.Handle(), sql, -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db.Handle()));
        for (int i = 0; i < kRecords; ++i) {
            // Appended, not concatenated: GCC 12 warns falsely on "lit" + to_string at -O3.
            std::string code = "C";
            code += std::to_string(i % 10000000);
            const std::string family = FamilyName(i);
            const std::string description = Description(i);
            sqlite3_bind_text(stmt, 1, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 2, family.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 3, description.c_str(), -1, SQLITE_TRANSIENT);
            const double w = 400 + i % 800;
            const double values[] = {w, 1200, 975, w - 20, 1180, 955, 500, 12.5};
            for (int k = 0; k < 8; ++k)
                sqlite3_bind_double(stmt, 4 + k, values[k]);
            if (sqlite3_step(stmt) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(db.Handle()));
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        db.Exec("COMMIT");
    }
    std::string dir_, path_;
    std::shared_ptr<Database> db_;
};

const Catalogue& TheCatalogue() {
    static Catalogue catalogue;
    return catalogue;
}

// A cursor set up like the catalogue's: the volume is a calculated field.
std::unique_ptr<Table> ContainersCursor(const std::string& index) {
    auto t = std::make_unique<Table>(TheCatalogue().db(), "Contenitori.DB",
                                     velcaro::data::ContenitoriDef());
    t->AddCalculatedField("VolumeEsterno", FieldType::Float);
    t->OnCalcFields = [](Table& x) {
        x.FieldByName("VolumeEsterno")
            .SetAsFloat(x.FieldByName("Lunghezza").AsFloat() / 1000 *
                        (x.FieldByName("Larghezza").AsFloat() / 1000) *
                        (x.FieldByName("Altezza").AsFloat() / 1000));
    };
    t->SetIndexName(index);
    t->Open();
    return t;
}

void BM_SetRangeOnFamily(benchmark::State& state) {
    auto t = ContainersCursor("iFamiglia");
    int i = 0;
    for (auto _ : state) {
        const Value family = "famiglia 0" + std::to_string(i++ % 10); // case-insensitive
        t->SetRange({family}, {family});
        benchmark::DoNotOptimize(t->RecordCount());
    }
    if (t->RecordCount() != kRecords / kFamilies)
        state.SkipWithError("wrong range size");
}

void BM_LocateDescriptionNearTheEnd(benchmark::State& state) {
    auto t = ContainersCursor("");
    for (auto _ : state) {
        if (!t->Locate("Descrizione", Value{Description(kRecords - 10)}))
            state.SkipWithError("not found");
        t->First();
    }
}

void BM_PostOneRecord(benchmark::State& state) {
    auto t = ContainersCursor("");
    t->MoveBy(kRecords / 2);
    double tara = 10;
    for (auto _ : state) {
        t->Edit();
        t->FieldByName("Tara").SetAsFloat(tara += 0.5);
        t->Post();
    }
}

void BM_OpenWholeTable(benchmark::State& state) {
    TheCatalogue();
    for (auto _ : state) {
        auto t = ContainersCursor("");
        benchmark::DoNotOptimize(t->RecordCount());
    }
}

BENCHMARK(BM_SetRangeOnFamily)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateDescriptionNearTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PostOneRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWholeTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
