// Opening a stored letter in the entry form: the form's start state, then the letter's
// loading, in a data file of 10,000 letters.

#include "common/fontsubstitution.h"
#include "common/schema.h"
#include "entry/frmDat3.h"
#include "letterfixture.h"
#include "load/dataload.h"
#include "platform/database.h"
#include "platform/memory.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kLetters = 10000;

QString letterFile()
{
    return letterfixture::sharedLetterFile(kLetters);
}

// The loading alone, on a form in its start state.
void BM_DataLoad(benchmark::State& state)
{
    const QString path = letterFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<entry::frmDat3>();
        form->TabNew();
        form->applyEraDefaults();
        state.ResumeTiming();
        if (load::DataLoad(*form, path, kLetters / 2) != load::LoadResult::Loaded) {
            state.SkipWithError("letter not loaded");
            break;
        }
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DataLoad)->Unit(benchmark::kMillisecond);

// What the user waits for: the form built, its start state, the letter and the doctor
// defaults.
void BM_OpenStoredLetter(benchmark::State& state)
{
    const QString path = letterFile();
    for (auto _ : state) {
        entry::frmDat3 form;
        form.TabNew();
        form.applyEraDefaults();
        if (load::LoadLetter(form, path, kLetters / 2) != load::LoadResult::Loaded) {
            state.SkipWithError("letter not loaded");
            break;
        }
    }
}
BENCHMARK(BM_OpenStoredLetter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    platform::keepFreedMemory(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    common::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
