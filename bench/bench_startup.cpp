// Start-up to the main window shown, with the real Qt views, offscreen, splash wait
// excluded; the peak resident memory of the process is reported as a counter.
#include "BenchProgramDir.h"
#include "analysis/Startup.h"
#include "analysis/Views.h"
#include "platform/qt/QtHost.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

void BM_StartupToMainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        velcaro::qt::QtHost host;
        // A start-up that needs a message box is not the start-up being measured.
        bool dialog = false;
        host.dialogHook = [&dialog](QMessageBox& box) {
            dialog = true;
            std::fprintf(stderr, "dialog: %s\n", box.text().toStdString().c_str());
            return velcaro::ui::DialogButton::OK;
        };
        velcaro::analysis::Program program(host, BenchProgramDir());
        host.SetApplication(&program.app);
        velcaro::analysis::ProgramViews views(program, host);
        velcaro::analysis::StartOptions options;
        options.splashDelay = false;
        views.Install(options);
        program.Start(options);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(views.MainWindow());
        if (dialog) {
            state.SkipWithError("start-up showed a message");
            break;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_StartupToMainWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
