// The backup and the restore of a data file of 10,000 fully filled letters, against their
// baseline in the same run: a plain copy of the same file, flushed to the disk. A backup
// copies and checks the file (the engine's integrity check, its schema, the list's query);
// a restore also reads and checks every letter before the copy is renamed over the data file.

#include "letterfixture.h"
#include "shell/databackup.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kLetters = 10000;

void BM_PlainCopy(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = letterfixture::sharedLetterFile(kLetters);
    const QString target = dir.filePath(QStringLiteral("copy.mdb"));
    for (auto _ : state) {
        const shell::BackupResult result = shell::copyFileSynced(source, target);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
    }
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);

void BM_Backup(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = letterfixture::sharedLetterFile(kLetters);
    const QString target = dir.filePath(QStringLiteral("backup.mdb"));
    for (auto _ : state) {
        const shell::BackupResult result = shell::backupDataFile(source, target);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
    }
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond);

void BM_Restore(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString backup = letterfixture::sharedLetterFile(kLetters);
    const QString dataFile = dir.filePath(QStringLiteral("Ruviro.mdb"));
    for (auto _ : state) {
        const shell::BackupResult result = shell::replaceDataFile(backup, dataFile);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
    }
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
