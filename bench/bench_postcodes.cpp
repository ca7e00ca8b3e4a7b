// The postal-code import against SQLite's own bulk import: the nationwide list's size
// (124,000 records in the published CP932 layout) imported by the program, and the same rows,
// already decoded, loaded by the sqlite3 command-line tool's .import in one transaction into
// an identical table and index. Both write with synchronous=FULL and journal_mode=DELETE.

#include "common/schema.h"
#include "import/cp932.h"
#include "import/postcodemaster.h"
#include "platform/database.h"

#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 124000;

struct Lists
{
    QTemporaryDir dir;
    QString cp932Path;   // the published layout, code page 932
    QString decodedPath; // the master's rows as UTF-8 CSV
};

const Lists& lists()
{
    static Lists* l = [] {
        auto* lists = new Lists;
        const QString prefectures[] = {QStringLiteral("北海道"), QStringLiteral("東京都"),
                                       QStringLiteral("大阪府"), QStringLiteral("福岡県")};
        QString published;
        QString decoded;
        quint32 seed = 12345;
        for (int i = 0; i < kRecords; ++i) {
            seed = seed * 1103515245u + 12345u;
            const QString code =
                QStringLiteral("%1").arg(qulonglong((seed >> 8) % 10000000), 7, 10, QChar(u'0'));
            const QString prefecture = prefectures[i % 4];
            const QString city = QStringLiteral("札幌市中央区");
            const QString town = i % 20 == 0 ? QStringLiteral("以下に掲載がない場合")
                                             : QStringLiteral("大通西%1丁目").arg(i % 997);
            published += QStringLiteral("01101,\"%1  \",\"%2\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\","
                                        "\"ｵｵﾄﾞｵﾘﾆｼ\",\"%3\",\"%4\",\"%5\",0,0,1,0,0,0\r\n")
                             .arg(code.left(3), code, prefecture, city, town);
            const QString address = prefecture + city + (i % 20 == 0 ? QString() : town);
            decoded += QStringLiteral("%1 ,%2\n").arg(code, address);
        }
        lists->cp932Path = lists->dir.filePath(QStringLiteral("KEN_ALL.CSV"));
        lists->decodedPath = lists->dir.filePath(QStringLiteral("rows.csv"));
        QFile a(lists->cp932Path);
        QStringEncoder encoder("Shift_JIS");
        if (a.open(QIODevice::WriteOnly))
            a.write(encoder.encode(published));
        QFile b(lists->decodedPath);
        if (b.open(QIODevice::WriteOnly))
            b.write(decoded.toUtf8());
        return lists;
    }();
    return *l;
}

bool newMaster(const QString& path)
{
    QFile::remove(path);
    auto database = db::Database::create(path);
    return database && common::createPostCodeTables(*database);
}

void BM_PostCodeImport(benchmark::State& state)
{
    const Lists& l = lists();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PostCode.mdb"));
    for (auto _ : state) {
        state.PauseTiming();
        newMaster(path);
        state.ResumeTiming();
        QString error;
        auto master = import::PostCodeMaster::open(path, &error);
        if (!master || !master->refill(&error) ||
            master->addFile(l.cp932Path, &error) != import::PostCodeMaster::FileResult::Added ||
            !master->commit(&error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_PostCodeImport)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The reading alone: decoding and splitting the records, no master written.
void BM_PostCodeListReading(benchmark::State& state)
{
    QFile file(lists().cp932Path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        int rows = 0;
        import::readPostCodeList(bytes, [&rows](const import::PostCodeRow&) {
            ++rows;
        return true;
    });
    benchmark::DoNotOptimize(rows);
}
} // namespace
BENCHMARK(BM_PostCodeListReading)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Sqlite3CliImport(benchmark::State& state)
{
    const Lists& l = lists();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PostCode.mdb"));
    const QByteArray script =
        QStringLiteral("PRAGMA synchronous=FULL;\nPRAGMA journal_mode=DELETE;\n"
                       ".mode csv\nBEGIN;\n.import '%1' 郵便番号マスタ\n"
                       "COMMIT;\n")
            .arg(l.decodedPath)
            .toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        newMaster(path);
        state.ResumeTiming();
        QProcess sqlite3;
        sqlite3.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
        sqlite3.write(script);
        sqlite3.closeWriteChannel();
        if (!sqlite3.waitForFinished(120000) || sqlite3.exitCode() != 0) {
            state.SkipWithError("sqlite3 (package sqlite3) could not import the rows");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Sqlite3CliImport)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
