// The letter import from the other program's database: reading the source alone, and the
// whole import of the sample database (six letters, 28 phrases, three doctors) into a fresh
// data file, one transaction with its fsync.
#include "common/fontsubstitution.h"
#include "import/letterimport.h"
#include "import/letterquery.h"
#include "letterfixtures.h"
#include "platform/jetfile.h"
#include "testenvironment.h"

#include <QFile>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

const QString Source = QStringLiteral(RUVIRO_SOURCE_DIR "/tests/data/jet/source-basic.mdb");

// Open the source and read its letters (the three tables joined) and both lists.
void BM_ReadSource(benchmark::State& state)
{
    for (auto _ : state) {
        const auto jet = platform::JetFile::open(Source);
        const auto letters = import::LetterQuery::run(*jet);
        const auto phrases = jet->readTable(QStringLiteral("定型文マスタ"));
        const auto doctors = jet->readTable(QStringLiteral("医師マスタ"));
        if (!letters || !phrases || !doctors) {
            state.SkipWithError("cannot read the source");
            return;
        }
        benchmark::DoNotOptimize(letters->size());
    }
}
BENCHMARK(BM_ReadSource)->Unit(benchmark::kMillisecond);

// The whole import into an empty data file; the counter gives the time per letter.
void BM_ImportSource(benchmark::State& state)
{
    TestEnvironment env;
    const QString path = env.filePath(QStringLiteral("Ruviro.mdb"));
    int letters = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        if (!letterfixtures::createDataFile(path)) {
            state.SkipWithError("cannot create the data file");
            return;
        }
        state.ResumeTiming();
        const import::ImportResult result = import::importLetters(Source, path);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            return;
        }
        letters += result.letters;
    }
    state.counters["per letter"] = benchmark::Counter(
        double(letters), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ImportSource)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    common::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
