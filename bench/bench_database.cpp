// The data file's costs that a user feels: an import of many letters, one letter's save,
// and one letter's reading for the sheet.

#include "common/schema.h"
#include "letterfixture.h"
#include "platform/database.h"
#include "record/letterstore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kLetters = 10000;

std::unique_ptr<db::Database> newLetterFile(const QString& path)
{
    QFile::remove(path);
    auto database = db::Database::create(path);
    if (!database || !common::createLetterTables(*database))
        return nullptr;
    return database;
}

// One file with 10,000 letters, made once for the benchmarks that read or change one.
QString fullFile()
{
    return letterfixture::sharedLetterFile(kLetters);
}

void BM_InsertLettersInOneTransaction(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ruviro.mdb"));
    for (auto _ : state) {
        state.PauseTiming();
        auto database = newLetterFile(path);
        state.ResumeTiming();
        QString error;
        if (!database || !database->beginTrans(&error) ||
            !letterfixture::addLetters(*database, 1, kLetters, &error) ||
            !database->commitTrans(&error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kLetters);
}
BENCHMARK(BM_InsertLettersInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(3);

// What one save does: open the file, Seek the letter on the index 作成NO, Edit, write every
// field, Update, close.
void BM_SeekEditUpdateOneLetter(benchmark::State& state)
{
    const QString path = fullFile();
    const auto& fields = common::letterFields();
    int no = 1;
    for (auto _ : state) {
        auto database = db::Database::open(path, db::OpenMode::ReadWrite);
        auto rs = database ? database->openTable(common::LetterTable) : nullptr;
        if (!rs || !rs->setIndex(common::LetterIndex) ||
            !rs->seek(QStringLiteral("="), db::Variant::fromLong(no)) || !rs->edit()) {
            state.SkipWithError("cannot position the letter");
            break;
        }
        for (int i = 0; i < int(fields.size()); ++i)
            rs->setField(fields[i].name, letterfixture::sampleValue(fields[i], no + 1, i));
        if (!rs->update()) {
            state.SkipWithError("update failed");
            break;
        }
        no = (no + 6) % kLetters + 1; // 1..10,000 in steps of 7
    }
}
BENCHMARK(BM_SeekEditUpdateOneLetter)->Unit(benchmark::kMillisecond);

// What the sheet does: open the file read-only, read the letter through the page-1 query,
// close; again for page 2. Every selected field is read by its name.
void BM_ReadOneLetterForTheSheet(benchmark::State& state)
{
    const QString path = fullFile();
    int no = 1;
    for (auto _ : state) {
        for (const QString& query : {letterfixture::sheetQuery1(), letterfixture::sheetQuery2()}) {
            auto database = db::Database::open(path, db::OpenMode::ReadOnly);
            auto rs = database ? database->openDynaset(query + QString::number(no)) : nullptr;
            if (!rs || rs->eof()) {
                state.SkipWithError("cannot read the letter");
                return;
            }
            for (const QString& name : rs->fieldNames())
                benchmark::DoNotOptimize(rs->field(name));
        }
        no = (no + 12) % kLetters + 1; // 1..10,000 in steps of 13
    }
}
BENCHMARK(BM_ReadOneLetterForTheSheet)->Unit(benchmark::kMicrosecond);

// What a new letter's save does before it adds the row: the highest 作成NO, read through the
// key's index (the file opened and closed included).
void BM_HighestLetterNumberByIndex(benchmark::State& state)
{
    const record::LetterStore store(fullFile());
    for (auto _ : state) {
        const auto highest = store.highestLetterNo();
        if (highest != kLetters) {
            state.SkipWithError("wrong highest number");
            break;
        }
        benchmark::DoNotOptimize(highest);
    }
}
BENCHMARK(BM_HighestLetterNumberByIndex)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
