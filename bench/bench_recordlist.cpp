// The record list on a large practice's file: its query beside the same query with bare SQLite
// calls, opening it (the query, the grid filled, the saved order applied) for every order
// code, and deleting the first of 10,000 letters with the renumbering of all the others.

#include "common/appstate.h"
#include "common/schema.h"
#include "letterfixture.h"
#include "platform/database.h"
#include "platform/memory.h"
#include "record/eradate.h"
#include "record/letterstore.h"
#include "shell/frmdata.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kLetters = 10000;

// A chart number and a writing date as a practice's letters carry them: numbers in no
// order, dates over eighteen years of both eras, 令和元年 written 元年, and every tenth date
// with full-width digits, as letters taken over from the other program have them.
bool giveRealChartNumbersAndDates(const QString& path)
{
    auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    if (!database || !database->beginTrans())
        return false;
    const QDate first(2008, 4, 1);
    const qint64 days = first.daysTo(QDate(2025, 12, 31));
    for (int no = 1; no <= kLetters; ++no) {
        const quint32 spread = quint32(no) * 2654435761u;
        const QDate date = first.addDays(qint64(spread % quint32(days)));
        const record::EraYear era = record::EraOfDate(date);
        QString written =
            era.era +
            (era.year == 1 ? QStringLiteral("元")
                           : QStringLiteral("%1").arg(era.year, 2, 10, QLatin1Char('0'))) +
            QStringLiteral("年%1月%2日")
                .arg(date.month(), 2, 10, QLatin1Char('0'))
                .arg(date.day(), 2, 10, QLatin1Char('0'));
        if (no % 10 == 0) {
            for (QChar& c : written) {
                if (c.isDigit())
                    c = QChar(u'０' + (c.unicode() - u'0'));
            }
        }
        const QString chartNo = QString::number(1000 + spread % 900000);
        if (!database->execute(QStringLiteral("UPDATE 申請者情報 SET カルテ番号 = ?, "
                                              "最新意見書記入日 = ? WHERE 作成NO = ?"),
                               {db::Variant::fromString(chartNo), db::Variant::fromString(written),
                                db::Variant::fromLong(no)}))
            return false;
    }
    return database->commitTrans();
}

// A file of 10,000 fully written letters with real chart numbers and writing dates, made once;
// "" when it could not be made.
QString fullFile()
{
    static const QString path = [] {
        const QString made = letterfixture::sharedLetterFile(kLetters);
        return !made.isEmpty() && giveRealChartNumbersAndDates(made) ? made : QString();
    }();
    return path;
}

// The list's query alone: every letter's row read from the file.
void BM_ReadLetterList(benchmark::State& state)
{
    const QString path = fullFile();
    for (auto _ : state) {
        const auto list = record::LetterStore(path).list();
        if (!list.ok || list.rows.size() != kLetters) {
            state.SkipWithError(qPrintable(list.error));
            break;
        }
    }
}
BENCHMARK(BM_ReadLetterList)->Unit(benchmark::kMillisecond);

// The floor under the list's query: the same query over the same file with bare SQLite calls,
// the file opened and closed as the list does, each text taken as its UTF-8 bytes and
// nothing more. BM_ReadLetterList aims at no more than twice this, in the same run.
void BM_ReadLetterListFloor(benchmark::State& state)
{
    const QByteArray path = QFile::encodeName(fullFile());
    // The names as the file spells them (診断名1 for 診断名１).
    const QByteArray sql =
        common::LetterListRowsQuery.normalized(QString::NormalizationForm_KC).toUtf8();
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            sqlite3_close(db);
            break;
        }
        int rows = 0;
        qint64 sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            sum += sqlite3_column_int64(stmt, 0) + sqlite3_column_int64(stmt, 8);
            for (int column = 1; column <= 7; ++column) {
                const unsigned char* text = sqlite3_column_text(stmt, column);
                benchmark::DoNotOptimize(text);
                sum += sqlite3_column_bytes(stmt, column);
            }
            ++rows;
        }
        benchmark::DoNotOptimize(sum);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        if (rows != kLetters) {
            state.SkipWithError("the list's query did not read every letter");
            break;
        }
    }
}
BENCHMARK(BM_ReadLetterListFloor)->Unit(benchmark::kMillisecond);

// The list's 15 order codes (DataSort): 0, and each column ascending and descending.
void everyOrderCode(benchmark::internal::Benchmark* b)
{
    b->Arg(0);
    for (int column = 2; column <= 8; ++column)
        b->DenseRange(column * 10, column * 10 + 1);
}

// Opening the list with order code DataSort = range(0): read, fill, sort, select.
void BM_OpenRecordList(benchmark::State& state)
{
    const QString path = fullFile();
    for (auto _ : state) {
        common::appState().DataSort = quint8(state.range(0));
        common::appState().SortDesc = 0;
        common::appState().CurrentLetterNo = 0;
        const auto list = record::LetterStore(path).list();
        if (!list.ok || list.rows.size() != kLetters) {
            state.SkipWithError(qPrintable(list.error));
            break;
        }
        shell::frmData window(list.rows);
        benchmark::DoNotOptimize(window.rowCount());
    }
}
BENCHMARK(BM_OpenRecordList)->Apply(everyOrderCode)->Unit(benchmark::kMillisecond);

// The grid's part of the opening alone, on the 10,000 rows read beforehand: the grid filled,
// the order DataSort = range(0) applied and the row chosen.
void BM_FillRecordList(benchmark::State& state)
{
    const auto list = record::LetterStore(fullFile()).list();
    if (!list.ok || list.rows.size() != kLetters) {
        state.SkipWithError(qPrintable(list.error));
        return;
    }
    for (auto _ : state) {
        common::appState().DataSort = quint8(state.range(0));
        common::appState().SortDesc = 0;
        common::appState().CurrentLetterNo = 0;
        shell::frmData window(list.rows);
        benchmark::DoNotOptimize(window.rowCount());
    }
}
BENCHMARK(BM_FillRecordList)->Apply(everyOrderCode)->Unit(benchmark::kMillisecond);

// Letter 1 deleted, letters 2..10,000 moved down by one, in one transaction.
void BM_DeleteFirstOfTenThousand(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("work.mdb"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        QFile::copy(fullFile(), path);
        const record::LetterListRow first = record::LetterStore(path).list().rows.value(0);
        state.ResumeTiming();
        const auto result = record::LetterStore(path).remove(first);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
    }
}
BENCHMARK(BM_DeleteFirstOfTenThousand)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    platform::keepFreedMemory(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestEnvironment environment; // settings and data folders of its own
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
