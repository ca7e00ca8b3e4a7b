#include "common/fontsubstitution.h"
#include "common/schema.h"
#include "import/importmapping.h"
#include "import/letterimport.h"
#include "import/letterwriter.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "platform/jetfile.h"
#include "record/letterstore.h"
#include "record/wrapforprint.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using db::Variant;

namespace {

const QString JetDir = QStringLiteral(RUVIRO_SOURCE_DIR "/tests/data/jet/");

Variant text(const char* s)
{
    return Variant::fromString(QString::fromUtf8(s));
}

// source-basic.mdb's letters in the order they arrive (the physical order of 意見書その他,
// without the orphan 20): source 作成NO -> new 作成NO.
const QHash<qint32, qint32> NewNumber{{14, 1}, {2, 2}, {31, 3}, {9, 4}, {5, 5}, {15, 6}};

// Fields filled from a source column of another name.
const QHash<QString, QString> Renamed{{"最新意見書記入日", "記入日"},
                                      {"認知症状況", "痴呆状況"},
                                      {"食事行為", "食事"},
                                      {"易感染性", "易感感染"}};

// Fields built from several columns; checked value by value in `computedFields`.
const QStringList Computed{"他科受診その他",
                           "単位1",
                           "単位2",
                           "単位3",
                           "単位4",
                           "単位5",
                           "単位6",
                           "病状治療状態印刷",
                           "意見書特記事項印刷",
                           "右上肢麻痺",
                           "右下肢麻痺",
                           "左上肢麻痺",
                           "左下肢麻痺",
                           "関節拘縮",
                           "関節拘縮部位",
                           "対処方法"};

struct Stored
{
    std::unique_ptr<db::Database> database;
    std::unique_ptr<db::Recordset> letters;

    explicit Stored(const QString& path)
        : database(db::Database::open(path, db::OpenMode::ReadOnly)),
          letters(database ? database->openTable(common::LetterTable) : nullptr)
    {
        if (letters)
            letters->setIndex(common::LetterIndex);
    }
    Variant value(qint32 no, const QString& field)
    {
        if (!letters || !letters->seek(QStringLiteral("="), Variant::fromLong(no)))
            return text("<no letter>");
        bool ok = false;
        const Variant v = letters->field(field, &ok);
        return ok ? v : text("<no field>");
    }
};

// The same value, in the kind the field stores it.
bool sameValue(const Variant& stored, const Variant& expected)
{
    if (stored.isNull() || expected.isNull())
        return stored.isNull() && expected.isNull();
    if (expected.type() == Variant::Type::String)
        return stored.type() == Variant::Type::String && stored.toString() == expected.toString();
    return stored.equals(expected);
}

QString describe(const Variant& v)
{
    return v.isNull() ? QStringLiteral("Null") : QStringLiteral("\"%1\"").arg(v.toString());
}

int rowCount(const QString& path, const QString& table)
{
    const auto database = db::Database::open(path, db::OpenMode::ReadOnly);
    const auto rows = database ? database->openTable(table) : nullptr;
    return rows ? rows->recordCount() : -1;
}

QList<std::pair<int, Variant>> listItems(const QString& path)
{
    QList<std::pair<int, Variant>> items;
    const auto database = db::Database::open(path, db::OpenMode::ReadOnly);
    const auto rows = database ? database->openTable(common::ComboTable) : nullptr;
    for (; rows && !rows->eof(); rows->moveNext())
        items.append(
            {int(*rows->field(common::ComboCode).toLong()), rows->field(common::ComboText)});
    return items;
}

bool execute(const QString& path, const QString& sql)
{
    const auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    return database && database->execute(sql);
}

} // namespace

class LetterImportTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_imported; // a data file with source-basic.mdb imported once

    QString newDataFile(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        return letterfixtures::createDataFile(path) ? path : QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        common::installFontSubstitutions(); // as the program does: print copies are measured
        m_imported = newDataFile("imported.mdb");
        QVERIFY(!m_imported.isEmpty());
        const import::ImportResult result =
            import::importLetters(JetDir + "source-basic.mdb", m_imported);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.letters, 6);
        QCOMPARE(result.phrases, 28);
        QCOMPARE(result.doctors, 3);
        QCOMPARE(result.nextLetterNo, 7);
    }

    // The orphan (a letter without its care row) stays behind; the others are numbered
    // 1..6 in the order they arrive.
    void lettersNumberedInArrivalOrder()
    {
        QCOMPARE(LetterFile::letterNumbers(m_imported), (QList<qint32>{1, 2, 3, 4, 5, 6}));
        Stored stored(m_imported);
        QCOMPARE(stored.value(1, "患者名"), text("田中 一郎"));
        QCOMPARE(stored.value(2, "患者名"), text("佐藤 花子"));
        QCOMPARE(stored.value(3, "患者名"), text("小林 幸江"));
        QCOMPARE(stored.value(4, "患者名"), text("鈴木 トメ"));
        QCOMPARE(stored.value(5, "患者名"), text("髙﨑 清"));
        QCOMPARE(stored.value(6, "患者名"), text("渡辺 ゑい子"));
    }

    // Every field of every imported letter: a copied field holds its source column's value
    // (Null, "", CR LF and all), a field the import does not write holds what a new row has.
    void everyFieldOfEveryLetter()
    {
        const auto source = platform::JetFile::open(JetDir + "source-basic.mdb");
        QVERIFY(source);
        QList<platform::JetTable> tables;
        for (const QString& name : import::sourceLetterTables())
            tables << *source->readTable(name);
        Stored stored(m_imported);
        int checked = 0;
        for (auto [sourceNo, newNo] : NewNumber.asKeyValueRange()) {
            for (const common::LetterField& field : common::letterFields()) {
                if (Computed.contains(field.name))
                    continue;
                const QString column = Renamed.value(field.name, field.name);
                std::optional<Variant> expected;
                for (const platform::JetTable& table : tables) {
                    const int c = table.column(column);
                    if (c < 0)
                        continue;
                    for (const auto& row : table.rows) {
                        if (row.at(table.column("作成NO")) == Variant::fromLong(sourceNo))
                            expected = row.at(c);
                    }
                }
                if (!expected) // not written: a new row's value
                    expected = field.kind == common::FieldKind::YesNo ? Variant::fromBool(false)
                                                                      : Variant();
                const Variant actual = stored.value(newNo, field.name);
                QVERIFY2(sameValue(actual, *expected),
                         qPrintable(QStringLiteral("letter %1 (source %2) %3: %4, expected %5")
                                        .arg(newNo)
                                        .arg(sourceNo)
                                        .arg(field.name, describe(actual), describe(*expected))));
                ++checked;
            }
        }
        QCOMPARE(checked, 6 * (common::LetterFieldCount - Computed.size()));
    }

    void computedFields_data()
    {
        QTest::addColumn<int>("sourceNo");
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("expected");
        auto row = [](int no, const char* field, const Variant& v) {
            QTest::addRow("%d %s", no, field) << no << QString::fromUtf8(field) << v;
        };
        const Variant yes = Variant::fromBool(true);
        const Variant no = Variant::fromBool(false); // not written: a new row's False
        // Department codes to names; anything else as stored.
        row(2, "他科受診その他", text("心療内科"));
        row(5, "他科受診その他", text("美容外科科"));
        row(15, "他科受診その他", text("歯科口腔外科"));
        row(14, "他科受診その他", text("１３"));
        row(31, "他科受診その他", text("心臓血管外科"));
        row(9, "他科受診その他", Variant());
        row(15, "他科受診", text("010203040506070809101112"));
        // Dose and unit joined.
        row(2, "単位1", text("1錠"));
        row(2, "単位3", text("0.5g"));
        row(2, "単位4", text("2枚"));
        row(2, "単位5", text(""));
        row(2, "単位6", Variant());
        row(5, "単位1", text("1.5錠"));
        row(14, "単位1", text("錠"));
        row(14, "単位2", text("2"));
        row(14, "単位3", text("12単位"));
        row(14, "単位4", text(""));
        row(14, "単位5", text("0.3g"));
        row(14, "単位6", Variant());
        row(31, "単位2", text("60mg"));
        row(31, "単位3", text("1200kcal"));
        row(31, "単位6", text(""));
        row(9, "単位1", Variant());
        // Paralysis site to limbs; a site outside the table sets none.
        row(2, "右上肢麻痺", yes);
        row(2, "右下肢麻痺", yes);
        row(2, "左上肢麻痺", no);
        row(5, "左下肢麻痺", yes);
        row(5, "右上肢麻痺", yes);
        row(14, "右上肢麻痺", no);
        row(14, "麻痺", yes);
        row(15, "左上肢麻痺", yes);
        row(15, "右下肢麻痺", no);
        row(31, "右下肢麻痺", yes);
        row(31, "左下肢麻痺", yes);
        row(31, "麻痺", no);
        row(9, "右上肢麻痺", no);
        // Joints joined with 、 and cut to 16 characters.
        row(2, "関節拘縮部位", text("右肩関節、左股関節"));
        row(2, "関節拘縮", yes);
        row(5, "関節拘縮部位", text("右肩関節、左肩関節、右肘関節、左"));
        row(14, "関節拘縮部位", text("左膝関節"));
        row(15, "関節拘縮部位", text("左肘関節、右膝関節、左膝関節"));
        row(31, "関節拘縮部位", text("右股関節、左股関節、右膝関節、左"));
        row(9, "関節拘縮部位", text(""));
        row(9, "関節拘縮", no);
        // Policies joined with 、 (Null and "" skipped, blanks kept) and cut to 60.
        row(2, "対処方法", text("手すりの設置と歩行時の見守り、鎮痛剤の適正使用"));
        row(5, "対処方法",
            text("排泄誘導とおむつ交換、移動時の介助、所在確認と見守り、２時間毎の体位変換、"
                 "食形態の工夫と口腔ケア、排便コントロール、手洗"));
        row(9, "対処方法", text(""));
        row(14, "対処方法", text(""));
        row(15, "対処方法", text("疼痛時頓用薬を使用、コルセット着用"));
        row(31, "対処方法", text("   、口腔ケアの徹底、こまめな水分補給"));
        // 酸素療法 is taken over like its neighbours.
        row(5, "酸素療法", yes);
        row(15, "酸素療法", yes);
        row(2, "酸素療法", no);
        // Print copies: Null stays Null, "" stays "".
        row(9, "病状治療状態印刷", Variant());
        row(14, "病状治療状態印刷", text(""));
        row(14, "意見書特記事項印刷", text(""));
        row(9, "意見書特記事項印刷", Variant());
        row(2, "意見書特記事項印刷",
            text("日中は独居に近く、一人で過ごす時間が長い。\r\n介護サービスの導入が望ましい。"));
    }
    void computedFields()
    {
        QFETCH(int, sourceNo);
        QFETCH(QString, field);
        QFETCH(Variant, expected);
        Stored stored(m_imported);
        const Variant actual = stored.value(NewNumber.value(sourceNo), field);
        QVERIFY2(sameValue(actual, expected),
                 qPrintable(describe(actual) + QStringLiteral(" != ") + describe(expected)));
    }

    // Long texts get their print copies as the entry form's saving makes them, so an
    // imported letter prints whole without being saved first.
    void printCopiesWrapped_data()
    {
        QTest::addColumn<int>("sourceNo");
        QTest::addColumn<QString>("field");
        QTest::newRow("course of 31") << 31 << "病状治療状態";
        QTest::newRow("remarks of 31 (2,317 characters)") << 31 << "意見書特記事項";
        QTest::newRow("remarks of 5 ending in CR LF") << 5 << "意見書特記事項";
    }
    void printCopiesWrapped()
    {
        QFETCH(int, sourceNo);
        QFETCH(QString, field);
        Stored stored(m_imported);
        const qint32 no = NewNumber.value(sourceNo);
        const QString original = stored.value(no, field).toString();
        const QString copy = stored.value(no, field + "印刷").toString();
        QCOMPARE(copy, record::WrapForPrint(original));
        QVERIFY(copy.size() >= original.size());
        QCOMPARE(QString(copy).remove("\r\n"), QString(original).remove("\r\n"));
        if (sourceNo == 31)
            QVERIFY(copy.count("\r\n") > original.count("\r\n"));
    }

    // Phrases land in their lists, in source order, after the items a list already holds;
    // categories without a list are skipped; doctors go to list 22.
    void phrasesAndDoctorsAppended()
    {
        const QString path = newDataFile("lists.mdb");
        QVERIFY(execute(
            path, "INSERT INTO コンボ情報 (コンボネーム, コンボ内容) VALUES (22, '既存 医師')"));
        const import::ImportResult result =
            import::importLetters(JetDir + "source-basic.mdb", path);
        QVERIFY2(result.ok, qPrintable(result.error));
        const QList<std::pair<int, Variant>> expected{
            {22, text("既存 医師")},
            {1, text("アルツハイマー型認知症")},
            {1, text("脳梗塞後遺症")},
            {2, text("ドネペジル塩酸塩錠5mg")},
            {5, text("せん妄")},
            {6, text("右下腿")},
            {8, text("両下肢")},
            {11, text("仙骨部")},
            {12, text("両下腿")},
            {14, text("口腔ケア")},
            {14, text("排泄誘導")},
            {14, text("定期的な血糖測定")},
            {14, text("移動時の見守り")},
            {14, text("所在確認")},
            {14, text("水分補給")},
            {14, text("体位変換")},
            {14, text("排便コントロール")},
            {14, text("疼痛時頓用薬を使用")},
            {14, text("手洗いの励行")},
            {14, text("過度の運動を避ける")},
            {13, text("糖尿病")},
            {15, text("血圧変動に注意")},
            {19, text("むせ込みに注意")},
            {17, text("刻み食・とろみ食")},
            {16, text("転倒に注意")},
            {20, text("入浴時は血圧の変動と転倒に十分注意し、必ず見")},
            {20, text("家族の介護指導が必要")},
            {21, text("MRSA")},
            {2, text("アムロジピン錠5mg")},
            {22, text("山本 健一")},
            {22, text("中村　美穂")},
            {22, text("山本 健一")},
        };
        const auto actual = listItems(path);
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(actual.at(i).first, expected.at(i).first);
            QCOMPARE(actual.at(i).second, expected.at(i).second);
        }
    }

    void categories_data()
    {
        QTest::addColumn<Variant>("category");
        QTest::addColumn<int>("list"); // 0: skipped
        const QList<std::pair<int, int>> map{
            {0, 0},   {1, 1},   {2, 2},   {3, 0},   {4, 0},   {5, 5},   {6, 6},   {7, 0},
            {8, 8},   {9, 11},  {10, 12}, {11, 14}, {16, 14}, {21, 14}, {22, 13}, {23, 15},
            {24, 19}, {25, 17}, {26, 16}, {27, 20}, {28, 21}, {29, 0},  {-1, 0}};
        for (auto [category, list] : map)
            QTest::addRow("%d", category) << Variant::fromInteger(qint16(category)) << list;
        QTest::newRow("Null") << Variant() << 0;
    }
    void categories()
    {
        QFETCH(Variant, category);
        QFETCH(int, list);
        QCOMPARE(import::phraseListCode(category).value_or(0), list);
    }

    // Files that end successfully with nothing to add in a table.
    void emptyTablesAddNothing_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("items");
        QTest::newRow("empty masters") << "source-empty-masters.mdb" << 2 << 0;
        QTest::newRow("no letters") << "source-no-letters.mdb" << 0 << 6;
    }
    void emptyTablesAddNothing()
    {
        QFETCH(QString, source);
        QFETCH(int, letters);
        QFETCH(int, items);
        const QString path = newDataFile("empty.mdb");
        const import::ImportResult result = import::importLetters(JetDir + source, path);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(rowCount(path, common::LetterTable), letters);
        QCOMPARE(rowCount(path, common::ComboTable), items);
    }

    void emptyMastersLetters()
    {
        const QString path = newDataFile("masters.mdb");
        QVERIFY(import::importLetters(JetDir + "source-empty-masters.mdb", path).ok);
        Stored stored(path);
        QCOMPARE(stored.value(1, "患者名"), text("渡辺 ゑい子")); // 15 first, then 2
        QCOMPARE(stored.value(2, "患者名"), text("佐藤 花子"));
    }

    // New letters follow the highest number in the file, whatever came before.
    void numberingFromHighest_data()
    {
        QTest::addColumn<QList<qint32>>("existing");
        QTest::addColumn<qint32>("first");
        QTest::newRow("empty file") << QList<qint32>{} << 1;
        QTest::newRow("1 to 5") << QList<qint32>{1, 2, 3, 4, 5} << 6;
        QTest::newRow("a gap") << QList<qint32>{9, 3} << 10;
    }
    void numberingFromHighest()
    {
        QFETCH(QList<qint32>, existing);
        QFETCH(qint32, first);
        const QString path = newDataFile("numbers.mdb");
        for (qint32 no : existing)
            QVERIFY(LetterFile::addEmptyLetter(path, no));
        const import::ImportResult result =
            import::importLetters(JetDir + "source-basic.mdb", path);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.nextLetterNo, first + 6);
        QList<qint32> expected = existing;
        for (qint32 no = first; no < first + 6; ++no)
            expected << no;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(LetterFile::letterNumbers(path), expected);
        QCOMPARE(Stored(path).value(first, "患者名"), text("田中 一郎"));
    }

    // Every failure leaves the data file exactly as it was, and says why.
    void failureLeavesFileUnchanged_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing column") << JetDir + "source-missing-column.mdb" << QString()
                                        << "列「病状治療状態他」がありません。";
        QTest::newRow("not a Jet file")
            << QStringLiteral(RUVIRO_SOURCE_DIR "/tests/data/jet/README.md") << QString()
            << "Jet データベース（.mdb）のファイルではありません。";
        QTest::newRow("missing file") << JetDir + "none.mdb" << QString() << "を読めません。";
        QTest::newRow("the fourth letter refused")
            << JetDir + "source-basic.mdb"
            << "CREATE TRIGGER t BEFORE INSERT ON 申請者情報 WHEN NEW.作成NO = 4 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END"
            << "データファイルのトリガーが書き込みを拒みました";
        QTest::newRow("the phrase lists refused after the letters")
            << JetDir + "source-basic.mdb"
            << "CREATE TRIGGER t BEFORE INSERT ON コンボ情報 WHEN NEW.コンボネーム = 22 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END"
            << "データファイルのトリガーが書き込みを拒みました";
    }
    void failureLeavesFileUnchanged()
    {
        QFETCH(QString, source);
        QFETCH(QString, trigger);
        QFETCH(QString, reason);
        const QString path = newDataFile("failure.mdb");
        QVERIFY(LetterFile::addEmptyLetter(path, 1));
        if (!trigger.isEmpty())
            QVERIFY(execute(path, trigger));
        const QByteArray before = LetterFile::fileHash(path);
        const import::ImportResult result = import::importLetters(source, path);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        QCOMPARE(LetterFile::fileHash(path), before);
        // Once the cause is gone, a retry adds every letter once.
        if (!trigger.isEmpty()) {
            QVERIFY(execute(path, "DROP TRIGGER t"));
            QVERIFY(import::importLetters(source, path).ok);
            QCOMPARE(LetterFile::letterNumbers(path), (QList<qint32>{1, 2, 3, 4, 5, 6, 7}));
            QCOMPARE(rowCount(path, common::ComboTable), 31);
        }
    }

    // A value a field cannot take fails the whole import.
    void valueRefusedByField()
    {
        const QString path = newDataFile("refused.mdb");
        const QByteArray before = LetterFile::fileHash(path);
        // A field the letter does not have is refused before the file is touched; a text in
        // a Yes/No field fails the store's addition and leaves the file as it was.
        QString error;
        QVERIFY(!import::letterOf({{"麻痺部位", text("両下肢")}}, &error));
        QCOMPARE(error, QStringLiteral("項目「麻痺部位」は意見書にありません。"));
        const auto letter = import::letterOf({{"点滴管理", text("はい")}}, &error);
        QVERIFY(letter);
        const auto added = record::LetterStore(path).add({*letter});
        QVERIFY(!added.ok);
        QVERIFY2(added.error.contains(QStringLiteral("点滴管理")), qPrintable(added.error));
        QCOMPARE(LetterFile::fileHash(path), before);
    }

    // Every column the query selects is in the other program's tables, each once: 181.
    void queryColumns()
    {
        QCOMPARE(import::sourceLetterColumns().size(), 181);
        QCOMPARE(QSet<QString>(import::sourceLetterColumns().cbegin(),
                               import::sourceLetterColumns().cend())
                     .size(),
                 181);
        for (const auto& [field, value] :
             import::mapLetter([](const QString&) { return Variant::fromBool(true); })) {
            bool known = false;
            for (const common::LetterField& f : common::letterFields())
                known = known || f.name == field;
            QVERIFY2(known, qPrintable(field));
        }
    }
};

QTEST_MAIN(LetterImportTest)
#include "tst_letterimport.moc"
