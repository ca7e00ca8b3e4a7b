// Saving one fully filled letter into a data file: the whole save of the entry
// form's command, from opening the file to the commit.
#include "common/schema.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/memory.h"
#include "record/datasave3.h"
#include "record/lettersave.h"
#include "record/wrapforprint.h"
#include "tableformreader.h"
#include "testenvironment.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

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
    const record::LetterSaveResult first = record::SaveLetter(path, {}, form);
    if (first.letterNo != 1) {
        state.SkipWithError(qPrintable(first.error));
        return;
    }
    for (auto _ : state) {
        const record::LetterSaveResult r = record::SaveLetter(path, first.stored, form);
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
        const record::LetterSaveResult r = record::SaveLetter(path, {}, form);
        benchmark::DoNotOptimize(r.letterNo);
    }
}
BENCHMARK(BM_SaveNewLetter)->Unit(benchmark::kMillisecond);

// The baseline of the save: the same 187 values of the full letter written by a plain SQLite
// INSERT and COMMIT on an open connection, with synchronous=FULL and journal_mode=DELETE as
// the program runs them. Each save, by contrast, also opens and closes the file.
void BM_PlainInsertBaseline(benchmark::State& state)
{
    TestEnvironment env;
    const QString path = env.filePath(QStringLiteral("Ruviro.mdb"));
    if (!letterfixtures::createDataFile(path)) {
        state.SkipWithError("cannot create the data file");
        return;
    }
    record::Letter letter;
    record::DataSave3(TableFormReader::fullLetter(), letter);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        state.SkipWithError("cannot open the data file");
        sqlite3_close(db);
        return;
    }
    sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA journal_mode=DELETE;", nullptr, nullptr,
                 nullptr);
    QStringList columns{common::LetterKey};
    QStringList places{QStringLiteral("?")};
    for (const common::LetterField& field : common::letterFields()) {
        columns << field.name;
        places << QStringLiteral("?");
    }
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(common::LetterTable, columns.join(u','), places.join(u','))
                               .toUtf8();
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    qint64 no = 0;
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_bind_int64(insert, 1, ++no);
        for (int i = 0; i < common::LetterFieldCount; ++i) {
            const db::Variant v = letter.value(static_cast<common::Field>(i));
            if (v.type() == db::Variant::Type::String) {
                const QByteArray text = v.toString().toUtf8();
                sqlite3_bind_text(insert, i + 2, text.constData(), int(text.size()),
                                  SQLITE_TRANSIENT);
            } else if (v.isNull()) {
                sqlite3_bind_null(insert, i + 2);
            } else {
                sqlite3_bind_int64(insert, i + 2, *v.toLong());
            }
        }
        const int rc = sqlite3_step(insert);
        sqlite3_reset(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_DONE) {
            state.SkipWithError("insert failed");
            break;
        }
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
}
BENCHMARK(BM_PlainInsertBaseline)->Unit(benchmark::kMillisecond);

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
    platform::keepFreedMemory(); // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
