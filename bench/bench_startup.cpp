#include "common/appstate.h"
#include "platform/printerdouble.h"
#include "shell/form1.h"
#include "shell/frmstart.h"
#include "testenvironment.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// Start-up until the main window with the blank sheet is shown: the splash, the main
// window's load (settings, printer, blank sheet, outline and label) and its first paint.
static void BM_StartupToMainWindow(benchmark::State& state)
{
    TestEnvironment env;
    qputenv("CUPS_SERVERROOT", env.filePath(QStringLiteral("cups")).toLocal8Bit());
    qputenv("HOME", env.root().toLocal8Bit());
    platform::setPrinter(std::make_unique<platform::FakePrinter>());
    for (auto _ : state) {
        common::appState() = common::AppState{};
        shell::InstanceLock lock;
        std::unique_ptr<shell::Form1> form = shell::startProgram(lock);
        form->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form->close();
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToMainWindow)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
