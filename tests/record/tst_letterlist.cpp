#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "record/letterstore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

record::LetterListResult readLetterList(const QString& path)
{
    return record::LetterStore(path).list();
}

// Deletes letter `letterNo` as the list reads it now (a row of that number alone when the
// list has none).
record::LetterDeleteResult deleteLetter(const QString& path, qint32 letterNo)
{
    const record::LetterStore store(path);
    record::LetterListRow listed;
    listed.letterNo = letterNo;
    for (const record::LetterListRow& row : store.list().rows)
        if (row.letterNo == letterNo)
            listed = row;
    return store.remove(listed);
}

// A data file with letters 1..n named 患者1..患者n.
QString makeFile(const QTemporaryDir& dir, int n)
{
    const QString path = dir.filePath(QStringLiteral("letters-%1.mdb").arg(n));
    QFile::remove(path);
    if (!letterfixtures::createDataFile(path))
        return {};
    for (int i = 1; i <= n; ++i)
        if (!letterfixtures::writeLetter(
                path, i,
                {{QStringLiteral("患者名"),
                  db::Variant::fromString(QStringLiteral("患者%1").arg(i))},
                 {QStringLiteral("性別"), db::Variant::fromString(QString::number(1 + i % 2))}}))
            return {};
    return path;
}

bool run(const QString& path, const QString& sql)
{
    const auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    return database && database->execute(sql);
}

QStringList numberedNames(const QString& path)
{
    QStringList names;
    for (const record::LetterListRow& row : readLetterList(path).rows)
        names << QStringLiteral("%1:%2").arg(row.letterNo).arg(row.name);
    names.sort();
    return names;
}

} // namespace

class LetterListTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void readsEveryLetter()
    {
        const QString path = makeFile(m_dir, 3);
        const auto list = readLetterList(path);
        QVERIFY2(list.ok, qPrintable(list.error));
        QCOMPARE(list.rows.size(), 3);
        QCOMPARE(list.rows[1].letterNo, 2);
        QCOMPARE(list.rows[1].name, QStringLiteral("患者2"));
        QCOMPARE(list.rows[1].sex, QStringLiteral("1"));
        QCOMPARE(list.rows[1].kana, QString()); // Null reads as ""
    }

    void fileThatHoldsNoLettersIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0 bytes") << QByteArray();
        QTest::newRow("text") << QByteArray("not a data file\n");
        QByteArray random(5000, '\0');
        for (int i = 0; i < random.size(); ++i)
            random[i] = char((i * 7919) % 251);
        QTest::newRow("random bytes") << random;
    }
    void fileThatHoldsNoLettersIsRefused()
    {
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(QStringLiteral("bad.mdb"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const auto list = readLetterList(path);
        QVERIFY(!list.ok);
        QVERIFY(!list.error.isEmpty());
        // A database of another kind is refused too.
        const QString other = m_dir.filePath(QStringLiteral("other.mdb"));
        QFile::remove(other);
        auto db = db::Database::create(other);
        QVERIFY(db && db->execute(QStringLiteral("CREATE TABLE 患者 (番号 INTEGER)")));
        db.reset();
        QVERIFY(!readLetterList(other).ok);
    }

    void deletionRenumbersTheLaterLetters_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("first of 5") << 1 << QStringList{"1:患者2", "2:患者3", "3:患者4", "4:患者5"};
        QTest::newRow("middle of 5")
            << 3 << QStringList{"1:患者1", "2:患者2", "3:患者4", "4:患者5"};
        QTest::newRow("last of 5") << 5 << QStringList{"1:患者1", "2:患者2", "3:患者3", "4:患者4"};
    }
    void deletionRenumbersTheLaterLetters()
    {
        QFETCH(int, deleted);
        QFETCH(QStringList, left);
        const QString path = makeFile(m_dir, 5);
        const auto result = deleteLetter(path, deleted);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(numberedNames(path), left);
    }

    void deletingTheOnlyLetterEmptiesTheFile()
    {
        const QString path = makeFile(m_dir, 1);
        QVERIFY(deleteLetter(path, 1).ok);
        QCOMPARE(readLetterList(path).rows.size(), 0);
    }

    void letterDeletedMeanwhileChangesNothing()
    {
        const QString path = makeFile(m_dir, 3);
        const QByteArray before = LetterFile::fileHash(path);
        const auto result = deleteLetter(path, 7);
        QVERIFY(!result.ok);
        QVERIFY(result.notAsListed);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(LetterFile::fileHash(path), before);
    }

    // A failure anywhere leaves every letter and number as it was.
    void failedDeletionLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("renumbering fails after the delete") << "renumber";
        QTest::newRow("deletion refused") << "delete";
    }
    void failedDeletionLeavesTheFileAsItWas()
    {
        QFETCH(QString, fault);
        const QString path = makeFile(m_dir, 5);
        {
            auto db = db::Database::open(path, db::OpenMode::ReadWrite);
            QVERIFY(db);
            const QString trigger =
                fault == QLatin1String("renumber")
                    ? QStringLiteral("CREATE TRIGGER stop BEFORE UPDATE ON 申請者情報 WHEN "
                                     "OLD.作成NO = 5 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                    : QStringLiteral("CREATE TRIGGER stop BEFORE DELETE ON 申請者情報 BEGIN "
                                     "SELECT RAISE(ABORT, 'refused'); END");
            QVERIFY(db->execute(trigger));
        }
        const QByteArray before = LetterFile::fileHash(path);
        const auto result = deleteLetter(path, 2);
        QVERIFY(!result.ok);
        QVERIFY(!result.notAsListed);
        QVERIFY(result.error.startsWith(QStringLiteral("データを削除できませんでした。")));
        QCOMPARE(LetterFile::fileHash(path), before);
    }

    // A file made before the list had its own index (or restored from such a backup) lists
    // the same rows in the same order; it gets the index when it can be written at once, and
    // is left as it is when it cannot.
    void fileWithoutListIndex_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("indexed");
        QTest::newRow("writable") << "writable" << true;
        QTest::newRow("read-only") << "read-only" << false;
        QTest::newRow("another program writing") << "busy" << false;
    }
    void fileWithoutListIndex()
    {
        QFETCH(QString, state);
        QFETCH(bool, indexed);
        const QString path = makeFile(m_dir, 4);
        const auto withIndex = readLetterList(path);
        QVERIFY2(withIndex.ok, qPrintable(withIndex.error));
        QVERIFY(run(path, QStringLiteral("DROP INDEX 一覧項目")));
        const auto hasIndex = [&] {
            const auto db = db::Database::open(path, db::OpenMode::ReadOnly);
            return db && db->hasIndex(QStringLiteral("一覧項目"));
        };
        QVERIFY(!hasIndex());
        std::unique_ptr<db::Database> writer;
        if (state == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        if (state == QLatin1String("busy")) {
            writer = db::Database::open(path, db::OpenMode::ReadWrite);
            QVERIFY(writer && writer->beginTrans());
        }
        const QByteArray before = LetterFile::fileHash(path);

        const auto list = readLetterList(path);
        QVERIFY2(list.ok, qPrintable(list.error));
        QCOMPARE(list.rows, withIndex.rows);
        writer.reset();
        QCOMPARE(hasIndex(), indexed);
        if (!indexed)
            QCOMPARE(LetterFile::fileHash(path), before);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    // A file whose owner took away its write permissions is refused as a save refuses it,
    // even by a user whom the system would let write it (root), and is left as it was.
    void readOnlyFileIsNotChanged_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("owner reads") << int(QFile::ReadOwner);
        QTest::newRow("everyone reads")
            << int(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    void readOnlyFileIsNotChanged()
    {
        QFETCH(int, mode);
        const QString path = makeFile(m_dir, 3);
        QVERIFY(!path.isEmpty());
        const record::LetterListRow listed = readLetterList(path).rows.value(0);
        QCOMPARE(listed.letterNo, 1);
        QVERIFY(QFile::setPermissions(path, QFile::Permissions(mode)));
        const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (QFileInfo(path).permissions() & writeBits)
            QSKIP("the file system of the temporary folder keeps no file modes");
        const QByteArray before = LetterFile::fileHash(path);

        const auto result = record::LetterStore(path).remove(listed);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(!result.ok);
        QVERIFY(!result.notAsListed);
        QCOMPARE(result.error, QStringLiteral("データファイル %1 は読み取り専用です。").arg(path));
        QCOMPARE(LetterFile::fileHash(path), before);
        QCOMPARE(numberedNames(path), QStringList({"1:患者1", "2:患者2", "3:患者3"}));
    }
};

QTEST_MAIN(LetterListTest)
#include "tst_letterlist.moc"
