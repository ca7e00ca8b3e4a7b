// The phrase lists in the data file: reading every list in one pass, and rewriting one list
// in one transaction.
#include "entry/phraselists.h"
#include "phrasefixture.h"

#include <QtTest>

using namespace phrasetest;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(phrasetest::Rows)

namespace {

// "code:item|item|…" for every list that has items.
QStringList describe(const entry::PhraseListsResult& lists)
{
    QStringList out;
    for (int code = 1; code <= entry::kPhraseListCount; ++code) {
        if (!lists.items[code].isEmpty())
            out.append(QString::number(code) + u':' + lists.items[code].join(u'|'));
    }
    return out;
}

const db::Variant Null = db::Variant::null();

} // namespace

class PhraseListsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readEveryList_data();
    void readEveryList();
    void readFailsOnMissingFile();
    void itemsOfText_data();
    void itemsOfText();
    void replaceList_data();
    void replaceList();
    void replaceFailingHalfWayChangesNothing();
};

void PhraseListsTest::readEveryList_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty table") << Rows{} << QStringList{};
    QTest::newRow("interleaved codes keep table order")
        << Rows{row(2, u"B1"_s), row(1, u"A1"_s), row(2, u"B2"_s), row(22, u"医師"_s),
                row(1, u"A2"_s)}
        << QStringList{u"1:A1|A2"_s, u"2:B1|B2"_s, u"22:医師"_s};
    QTest::newRow("codes 0, 23, -1 and Null belong to no list")
        << Rows{row(0, u"zero"_s),
                row(23, u"23"_s),
                row(-1, u"minus"_s),
                {Null, db::Variant::fromString(u"null code"_s)},
                row(5, u"five"_s)}
        << QStringList{u"5:five"_s};
    QTest::newRow("duplicates stay")
        << Rows{row(9, u"膝"_s), row(9, u"膝"_s)} << QStringList{u"9:膝|膝"_s};
    QTest::newRow("empty, Null and blank items")
        << Rows{row(6, u""_s), {db::Variant::fromLong(6), Null}, row(6, u" 右 "_s)}
        << QStringList{u"6:|| 右 "_s};
    QTest::newRow("an item holding CR LF is one item")
        << Rows{row(13, u"A\r\nB"_s), row(13, u"C"_s)} << QStringList{u"13:A\r\nB|C"_s};
    QTest::newRow("a code-20 item over 22 characters is kept whole")
        << Rows{row(20, u"あいうえおかきくけこさしすせそたちつてとなにぬねの"_s)}
        << QStringList{u"20:あいうえおかきくけこさしすせそたちつてとなにぬねの"_s};
    QTest::newRow("a code written as 16-bit integer or as text")
        << Rows{{db::Variant::fromInteger(15), db::Variant::fromString(u"血圧"_s)},
                {db::Variant::fromString(u"16"_s), db::Variant::fromString(u"移動"_s)}}
        << QStringList{u"15:血圧"_s, u"16:移動"_s};
}

void PhraseListsTest::readEveryList()
{
    QFETCH(Rows, rows);
    QFETCH(QStringList, expected);
    PhraseFile file;
    QVERIFY(file.add(rows));
    const entry::PhraseListsResult lists = entry::readPhraseLists(file.path());
    QVERIFY2(lists.ok, qPrintable(lists.error));
    QCOMPARE(describe(lists), expected);
}

void PhraseListsTest::readFailsOnMissingFile()
{
    QTemporaryDir dir;
    const entry::PhraseListsResult lists = entry::readPhraseLists(dir.filePath(u"missing.mdb"_s));
    QVERIFY(!lists.ok);
    QVERIFY(!lists.error.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath(u"missing.mdb"_s)));
}

void PhraseListsTest::itemsOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("empty") << u""_s << QStringList{};
    QTest::newRow("three lines, no end") << u"A\r\nB\r\nC"_s << QStringList{"A", "B", "C"};
    QTest::newRow("blank line kept") << u"A\r\n\r\nB\r\n"_s << QStringList{"A", "", "B"};
    QTest::newRow("one trailing line end adds nothing") << u"A\r\n"_s << QStringList{"A"};
    QTest::newRow("two trailing line ends add one empty item")
        << u"A\r\n\r\n"_s << QStringList{"A", ""};
    QTest::newRow("only a line end") << u"\r\n"_s << QStringList{""};
    QTest::newRow("blanks kept, lone CR and LF stay inside")
        << u" A \r\nB\rC\nD"_s << QStringList{" A ", "B\rC\nD"};
}

void PhraseListsTest::itemsOfText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(entry::phraseItemsOfText(text), items);
}

void PhraseListsTest::replaceList_data()
{
    QTest::addColumn<Rows>("before");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("after");

    const Rows mixed{row(1, u"A"_s), row(0, u"zero"_s), row(2, u"X"_s),
                     row(1, u"B"_s), row(23, u"23"_s),  row(2, u"Y"_s)};
    QTest::newRow("list 1 rewritten at the end, others keep order")
        << mixed << 1 << QStringList{"C", "", "A"}
        << QStringList{"0:zero", "2:X", "23:23", "2:Y", "1:C", "1:", "1:A"};
    QTest::newRow("emptied list leaves no row")
        << mixed << 2 << QStringList{} << QStringList{"1:A", "0:zero", "1:B", "23:23"};
    QTest::newRow("first rows of a code in an empty table")
        << Rows{} << 17 << QStringList{"a", "b"} << QStringList{"17:a", "17:b"};
    QTest::newRow("same items again") << Rows{row(4, u"朝"_s), row(4, u"夕"_s)} << 4
                                      << QStringList{"朝", "夕"} << QStringList{"4:朝", "4:夕"};
    QStringList manyRows;
    QStringList manyItems;
    for (int i = 0; i < 300; ++i) {
        manyItems.append(QString::number(i));
        manyRows.append(u"3:"_s + QString::number(i));
    }
    QTest::newRow("300 items, no 8-bit count") << Rows{} << 3 << manyItems << manyRows;
}

void PhraseListsTest::replaceList()
{
    QFETCH(Rows, before);
    QFETCH(int, code);
    QFETCH(QStringList, items);
    QFETCH(QStringList, after);
    PhraseFile file;
    QVERIFY(file.add(before));
    QString error;
    QVERIFY2(entry::replacePhraseList(file.path(), code, items, &error), qPrintable(error));
    QCOMPARE(file.rows(), after);
}

void PhraseListsTest::replaceFailingHalfWayChangesNothing()
{
    PhraseFile file;
    QVERIFY(file.add({row(1, u"A"_s), row(2, u"X"_s), row(1, u"B"_s)}));
    // The second new row is refused, after the old rows were deleted and one was added.
    QVERIFY(file.run(u"CREATE TRIGGER refuse BEFORE INSERT ON コンボ情報 "
                     "WHEN NEW.コンボ内容 = 'second' BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
    const QStringList before = file.rows();
    QString error;
    QVERIFY(!entry::replacePhraseList(file.path(), 1, {"first", "second", "third"}, &error));
    QVERIFY(error.contains(u"保存できませんでした"_s));
    QCOMPARE(file.rows(), before);
}

QTEST_GUILESS_MAIN(PhraseListsTest)
#include "tst_phraselists.moc"
