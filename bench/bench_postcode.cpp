// The address lookup of the entry form: one postal code sought in a master of 124,000 rows,
// the size of the nationwide list (the file opened, the key sought, the file closed).

#include "common/schema.h"
#include "entry/postcodelookup.h"
#include "platform/database.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 124000;

QString codeOf(int i)
{
    return QStringLiteral("%1").arg(1000000 + i * 71, 7, 10, QLatin1Char('0'));
}

const QString& masterFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("PostCode.mdb"));
        auto master = db::Database::create(p);
        if (!master || !common::createPostCodeTables(*master) || !master->beginTrans())
            return QString();
        const QString insert =
            QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                .arg(common::PostCodeTable, common::PostCodeCode, common::PostCodeAddress);
        for (int i = 0; i < kRows; ++i) {
            master->execute(insert, {db::Variant::fromString(codeOf(i) + QLatin1Char(' ')),
                                     db::Variant::fromString(
                                         QStringLiteral("東京都千代田区丸の内%1丁目").arg(i))});
        }
        master->commitTrans();
        return p;
    }();
    return path;
}

void BM_LookUpPostCode(benchmark::State& state)
{
    const QString& path = masterFile();
    if (path.isEmpty()) {
        state.SkipWithError("master not written");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        const entry::PostCodeLookup found = entry::LookUpPostCode(path, codeOf(i));
        if (found.status != entry::PostCodeLookup::Status::Found) {
            state.SkipWithError("code not found");
            break;
        }
        i = (i + 7919) % kRows;
    }
}
BENCHMARK(BM_LookUpPostCode)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
