// Opening the entry form with the phrase lists: the form built, every phrase combo filled
// from the data file, the start state. 5,000 phrase rows across the 22 lists against an
// empty table.

#include "common/fontsubstitution.h"
#include "common/schema.h"
#include "entry/frmDat3.h"
#include "platform/database.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString phraseFile(int rows)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ruviro%1.mdb").arg(rows));
    if (QFile::exists(path))
        return path;
    auto database = db::Database::create(path);
    if (!database || !common::createLetterTables(*database) || !database->beginTrans())
        return {};
    for (int i = 0; i < rows; ++i) {
        const int code = i % 22 + 1;
        database->execute(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                              .arg(common::ComboTable, common::ComboCode, common::ComboText),
                          {db::Variant::fromLong(code),
                           db::Variant::fromString(QStringLiteral("定型文の項目%1番").arg(i))});
    }
    database->commitTrans();
    return path;
}

void BM_OpenFormWithPhrases(benchmark::State& state)
{
    const QString path = phraseFile(int(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("no data file");
        return;
    }
    for (auto _ : state) {
        entry::frmDat3 form;
        form.fillPhraseLists(path);
        form.TabNew();
        form.applyEraDefaults();
        benchmark::DoNotOptimize(&form);
    }
}
BENCHMARK(BM_OpenFormWithPhrases)->Arg(0)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
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
