// SetFormData on a fully filled letter: the time from the record list's "印刷準備" to a
// filled sheet model, without the drawing.
#include "letterfixtures.h"
#include "sheetdata/setformdata.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_SetFormDataFullLetter(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Ruviro.mdb"_qs);
    QString error;
    if (!letterfixtures::createDataFile(path, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    // A file of realistic size: the letter sits among a few hundred others.
    for (qint32 number = 1; number <= 300; ++number) {
        if (!letterfixtures::writeLetter(path, number, letterfixtures::fullyFilledLetter(),
                                         &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
    }
    sheetdata::SheetModel model;
    for (auto _ : state) {
        const auto result = sheetdata::SetFormData(model, path, u"150"_qs);
        benchmark::DoNotOptimize(result.letterFound);
    }
}
BENCHMARK(BM_SetFormDataFullLetter)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
