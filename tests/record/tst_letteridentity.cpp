// A listed letter is its row in the file, not its number: a deletion removes exactly the row
// the list showed, or nothing when that row is gone, renumbered or changed, or when another
// row holds its number too.
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "record/letterstore.h"

#include <QTemporaryDir>
#include <QtTest>

using record::LetterListRow;
using record::LetterStore;
using V = db::Variant;
using namespace Qt::Literals::StringLiterals;

namespace {

bool run(const QString& path, const QString& sql)
{
    const auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    return database && database->execute(sql);
}

// The patients' names with their numbers and remarks, in number order.
QStringList letters(const QString& path)
{
    QStringList result;
    for (const qint32 no : LetterFile::letterNumbers(path)) {
        const auto letter = LetterFile::readLetter(path, no);
        result << u"%1:%2:%3"_s.arg(no).arg(letter.value(u"患者名"_s),
                                            letter.value(u"意見書特記事項"_s));
    }
    return result;
}

QList<LetterListRow> listedAt(const QString& path, qint32 no)
{
    QList<LetterListRow> rows;
    for (const LetterListRow& row : LetterStore(path).list().rows)
        if (row.letterNo == no)
            rows << row;
    return rows;
}

} // namespace

class LetterIdentityTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;

    // Letters 1..n: a patient each, the same listed columns for the names given twice.
    bool writeLetters(const QStringList& names, const QStringList& remarks)
    {
        m_path = m_dir.filePath(u"Ruviro-%1.mdb"_s.arg(QTest::currentDataTag()));
        QFile::remove(m_path);
        if (!letterfixtures::createDataFile(m_path))
            return false;
        for (int i = 0; i < names.size(); ++i) {
            const letterfixtures::Fields fields{
                {u"患者名"_s, V::fromString(names[i])},
                {u"カルテ番号"_s, V::fromString(u"K-"_s + names[i])},
                {u"最新意見書記入日"_s, V::fromString(u"令和07年04月01日"_s)},
                {u"意見書特記事項"_s, V::fromString(remarks.value(i))}};
            if (!letterfixtures::writeLetter(m_path, i + 1, fields))
                return false;
        }
        return true;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    // A file restored from elsewhere without the unique index holds two letters under number
    // 3. Deleting either listed row 3 deletes nothing (not both), says why, and the letters
    // behind keep their numbers.
    void twoLettersUnderOneNumber_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("the first row 3") << 0;
        QTest::newRow("the second row 3") << 1;
    }
    void twoLettersUnderOneNumber()
    {
        QFETCH(int, which);
        QVERIFY(writeLetters({u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s, u"戊"_s}, {}));
        QVERIFY(run(m_path, u"DROP INDEX 作成NO; UPDATE 申請者情報 SET 作成NO = 3 WHERE 作成NO = 4;"
                            u"UPDATE 申請者情報 SET 作成NO = 4 WHERE 作成NO = 5"_s));
        const QList<LetterListRow> threes = listedAt(m_path, 3);
        QCOMPARE(threes.size(), 2);
        QVERIFY(threes[0].rowId != threes[1].rowId);
        const QByteArray before = LetterFile::fileHash(m_path);

        const auto refused = LetterStore(m_path).remove(threes[which]);
        QVERIFY(!refused.ok);
        QVERIFY2(refused.error.contains(u"作成NO 3 の意見書がデータファイルに 2 件"_s),
                 qPrintable(refused.error));
        QCOMPARE(LetterFile::fileHash(m_path), before);
        QCOMPARE(LetterFile::letterNumbers(m_path), (QList<qint32>{1, 2, 3, 3, 4}));
    }

    // Two letters of one patient that the list shows alike (the same columns) but that differ
    // in their remarks: after another window deleted letter 1, the row that now holds number
    // 2 is the newer letter. Deleting the older one as listed (number 2) deletes nothing; read
    // again, the older one (number 1 now) is the one deleted and the newer one stays.
    void twinLettersAfterAnotherWindowsRenumbering()
    {
        QVERIFY(writeLetters({u"他人"_s, u"山田花子"_s, u"山田花子"_s}, {u""_s, u"旧"_s, u"新"_s}));
        const QList<LetterListRow> listedOlder = listedAt(m_path, 2);
        QCOMPARE(listedOlder.size(), 1);
        QCOMPARE(listedOlder[0].name, u"山田花子"_s);
        QVERIFY(LetterStore(m_path).remove(listedAt(m_path, 1).value(0)).ok);
        QCOMPARE(letters(m_path), (QStringList{u"1:山田花子:旧"_s, u"2:山田花子:新"_s}));
        // The newer letter, now at number 2, shows the same columns as the older one did.
        LetterListRow newer = listedAt(m_path, 2).value(0);
        newer.rowId = listedOlder[0].rowId;
        QCOMPARE(newer, listedOlder[0]);

        const QByteArray before = LetterFile::fileHash(m_path);
        const auto refused = LetterStore(m_path).remove(listedOlder[0]);
        QVERIFY(!refused.ok);
        QVERIFY(refused.notAsListed);
        QVERIFY2(refused.error.contains(u"「山田花子」"_s), qPrintable(refused.error));
        QCOMPARE(LetterFile::fileHash(m_path), before);

        const auto deleted = LetterStore(m_path).remove(listedAt(m_path, 1).value(0));
        QVERIFY2(deleted.ok, qPrintable(deleted.error));
        QCOMPARE(letters(m_path), QStringList{u"1:山田花子:新"_s});
    }

    // A row's identity is kept through the renumbering of a deletion, so a row listed before
    // another window's deletion is still found by it once its new number is listed.
    void renumberingKeepsEachRowsIdentity()
    {
        QVERIFY(writeLetters({u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}, {}));
        QList<qint64> before;
        for (const LetterListRow& row : LetterStore(m_path).list().rows)
            before << row.rowId;
        QVERIFY(LetterStore(m_path).remove(listedAt(m_path, 2).value(0)).ok);
        QList<qint64> after;
        QStringList names;
        for (const LetterListRow& row : LetterStore(m_path).list().rows) {
            after << row.rowId;
            names << u"%1:%2"_s.arg(row.letterNo).arg(row.name);
        }
        QCOMPARE(after, (QList<qint64>{before[0], before[2], before[3]}));
        QCOMPARE(names, (QStringList{u"1:甲"_s, u"2:丙"_s, u"3:丁"_s}));
    }
};

QTEST_GUILESS_MAIN(LetterIdentityTest)
#include "tst_letteridentity.moc"
