// Saving one fully filled letter into a data file: the whole save of the entry
// form's command, from opening the file to the commit.
#include "letterfile.h"
#include "letterfixtures.h"
#include "record/lettersave.h"
#include "record/wrapforprint.h"
#include "tableformreader.h"
#include "testenvironment.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

// Rewrites one stored letter, as "登　録(&R)" on a letter opened from the list.
void BM_SaveStoredLetter(benchmark::State& state)
{
    TestEnvironment env;
    const QString path = env.filePath(QStringLiteral("Ruviro.mdb"));
    if (!letterfixtures::createDataFile(path)) {
        state.SkipWithError("cannot create the data file");
        return;
    }
    const TableFormReader form = TableFormReader::fullLetter();
    const record::LetterSaveResult first = record::SaveLetter(path, 0, form);
    if (first.letterNo != 1) {
        state.SkipWithError(qPrintable(first.error));
        return;
    }
    for (auto _ : state) {
        const record::LetterSaveResult r = record::SaveLetter(path, 1, form);
        benchmark::DoNotOptimize(r.saved);
    }
}
BENCHMARK(BM_SaveStoredLetter)->Unit(benchmark::kMillisecond);

// Adds a new letter, numbered one above the letters saved before it.
void BM_SaveNewLetter(benchmark::State& state)
{
    TestEnvironment env;
    const QString path = env.filePath(QStringLiteral("Ruviro.mdb"));
    if (!letterfixtures::createDataFile(path)) {
        state.SkipWithError("cannot create the data file");
        return;
    }
    const TableFormReader form = TableFormReader::fullLetter();
    for (auto _ : state) {
        const record::LetterSaveResult r = record::SaveLetter(path, 0, form);
        benchmark::DoNotOptimize(r.letterNo);
    }
}
BENCHMARK(BM_SaveNewLetter)->Unit(benchmark::kMillisecond);

// The two print copies of a full letter, the layout work inside the save.
void BM_PrintCopies(benchmark::State& state)
{
    const TableFormReader form = TableFormReader::fullLetter();
    const QString course = *form.text(QStringLiteral("txtKeika"));
    const QString remarks = *form.text(QStringLiteral("txtTokki"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(record::WrapForPrint(course));
        benchmark::DoNotOptimize(record::WrapForPrint(remarks));
    }
}
BENCHMARK(BM_PrintCopies)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
