// The letter store: reading a letter by its number, saving one in one transaction, adding
// many, the highest number; and failures that leave the data file as it was.
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "record/letterstore.h"
#include "testenvironment.h"

#include <QFile>
#include <QtTest>

using common::Field;
using record::Letter;
using record::LetterStore;
using V = db::Variant;

namespace {

Letter letterNamed(const QString& name)
{
    Letter letter;
    letter.set(Field::PatientName, V::fromString(name));
    letter.set(Field::Sex, V::fromString(QStringLiteral("2")));
    letter.set(Field::Drip, V::fromBool(true));
    letter.set(Field::PatientKana, V::fromString(QString()));
    letter.set(Field::ChartNo, V());
    return letter;
}

bool run(const QString& path, const QString& sql)
{
    const auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    return database && database->execute(sql);
}

} // namespace

class LetterStoreTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_path;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_path = m_env->filePath(QStringLiteral("Ruviro.mdb"));
        QString error;
        QVERIFY2(letterfixtures::createDataFile(m_path, &error), qPrintable(error));
    }
    void cleanup() { m_env.reset(); }

    // A saved letter reads back field by field; Null stays apart from "", a flag reads back
    // as a Boolean, an answer code as a number.
    void savedLetterReadsBack()
    {
        const LetterStore store(m_path);
        const auto saved = store.save(letterNamed(QStringLiteral("佐藤 花子")));
        QVERIFY2(saved.saved, qPrintable(saved.error));
        QCOMPARE(saved.letterNo, 1);
        QCOMPARE(saved.lostFields, QStringList{});

        const auto read = store.read(1);
        QVERIFY2(read.read(), qPrintable(read.error));
        QCOMPARE(read.missing, QStringList{});
        const Letter& letter = read.letter;
        QCOMPARE(letter.no(), 1);
        QCOMPARE(letter.value(Field::PatientName), V::fromString(QStringLiteral("佐藤 花子")));
        QCOMPARE(letter.value(Field::PatientKana), V::fromString(QString()));
        QVERIFY(letter.isSet(Field::ChartNo));
        QVERIFY(letter.value(Field::ChartNo).isNull());
        QCOMPARE(letter.value(Field::Drip), V::fromBool(true));
        QCOMPARE(letter.value(Field::Dialysis), V::fromBool(false)); // a new row's default
        QCOMPARE(letter.value(Field::Sex).toLong(), 2);
        // Every field of the table is there, set.
        for (int i = 0; i < common::LetterFieldCount; ++i)
            QVERIFY(letter.isSet(static_cast<Field>(i)));
    }

    void readOutcomes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint32>("letterNo");
        QTest::addColumn<int>("status");
        QTest::newRow("stored letter")
            << "data" << 2 << int(record::LetterReadResult::Status::Read);
        QTest::newRow("no such letter")
            << "data" << 7 << int(record::LetterReadResult::Status::NoRow);
        QTest::newRow("missing file")
            << "missing" << 1 << int(record::LetterReadResult::Status::Failed);
        QTest::newRow("not a letter file")
            << "other" << 1 << int(record::LetterReadResult::Status::Failed);
    }
    void readOutcomes()
    {
        QFETCH(QString, file);
        QFETCH(qint32, letterNo);
        QFETCH(int, status);
        for (qint32 no : {1, 2, 3})
            QVERIFY(LetterFile::addEmptyLetter(m_path, no));
        QString path = m_path;
        if (file == u"missing")
            path = m_env->filePath(QStringLiteral("none.mdb"));
        if (file == u"other") {
            path = m_env->filePath(QStringLiteral("other.mdb"));
            QVERIFY(db::Database::create(path));
        }
        const auto read = LetterStore(path).read(letterNo);
        QCOMPARE(int(read.status), status);
        QCOMPARE(read.error.isEmpty(), status != int(record::LetterReadResult::Status::Failed));
        if (read.read())
            QCOMPARE(read.letter.no(), letterNo);
    }

    // A file from elsewhere without a column: reading leaves that field unset and names it;
    // saving stores the letter without it and names it.
    void missingColumnIsNamed()
    {
        QVERIFY(LetterFile::dropColumn(m_path, QStringLiteral("診断名2")));
        const LetterStore store(m_path);
        Letter letter = letterNamed(QStringLiteral("佐藤 花子"));
        letter.set(Field::Diagnosis1, V::fromString(QStringLiteral("脳梗塞")));
        letter.set(Field::Diagnosis2, V::fromString(QStringLiteral("高血圧")));
        const auto saved = store.save(letter);
        QVERIFY2(saved.saved, qPrintable(saved.error));
        QCOMPARE(saved.lostFields, QStringList{QStringLiteral("診断名2")});

        const auto read = store.read(saved.letterNo);
        QVERIFY(read.read());
        QCOMPARE(read.missing, QStringList{QStringLiteral("診断名2")});
        QVERIFY(!read.letter.isSet(Field::Diagnosis2));
        QCOMPARE(read.letter.value(Field::Diagnosis1), V::fromString(QStringLiteral("脳梗塞")));
    }

    // A column spelt in another width is the same column.
    void columnInOtherWidthIsFound()
    {
        QVERIFY(run(m_path,
                    QStringLiteral("ALTER TABLE 申請者情報 RENAME COLUMN 診断名1 TO 診断名１")));
        const LetterStore store(m_path);
        Letter letter;
        letter.set(Field::Diagnosis1, V::fromString(QStringLiteral("脳梗塞")));
        const auto saved = store.save(letter);
        QVERIFY2(saved.saved && saved.lostFields.isEmpty(), qPrintable(saved.error));
        QCOMPARE(store.read(1).letter.value(Field::Diagnosis1),
                 V::fromString(QStringLiteral("脳梗塞")));
    }

    // Saving a stored letter rewrites its set fields; an unset field keeps what the row holds.
    void savingStoredLetterKeepsUnsetFields()
    {
        const LetterStore store(m_path);
        QVERIFY(store.save(letterNamed(QStringLiteral("佐藤 花子"))).saved);
        QVERIFY(store.save(letterNamed(QStringLiteral("鈴木 一郎"))).saved);
        Letter change;
        change.setNo(1);
        change.set(Field::Sex, V::fromString(QStringLiteral("1")));
        const auto saved = store.save(change, store.read(1).letter);
        QVERIFY2(saved.saved, qPrintable(saved.error));
        QCOMPARE(saved.letterNo, 1);
        const Letter first = store.read(1).letter;
        QCOMPARE(first.value(Field::PatientName), V::fromString(QStringLiteral("佐藤 花子")));
        QCOMPARE(first.value(Field::Sex).toLong(), 1);
        QCOMPARE(store.read(2).letter.value(Field::PatientName),
                 V::fromString(QStringLiteral("鈴木 一郎")));
        QCOMPARE(LetterFile::letterNumbers(m_path), (QList<qint32>{1, 2}));
    }

    void highestNumber_data()
    {
        QTest::addColumn<QList<qint32>>("stored");
        QTest::addColumn<qint32>("highest");
        QTest::newRow("empty table") << QList<qint32>{} << 0;
        QTest::newRow("letters 1 to 7") << QList<qint32>{1, 2, 3, 4, 5, 6, 7} << 7;
        QTest::newRow("out of order") << QList<qint32>{3, 9, 4} << 9;
    }
    void highestNumber()
    {
        QFETCH(QList<qint32>, stored);
        QFETCH(qint32, highest);
        for (qint32 no : stored)
            QVERIFY(LetterFile::addEmptyLetter(m_path, no));
        const LetterStore store(m_path);
        QCOMPARE(store.highestLetterNo(), std::optional<qint32>(highest));
        const auto saved = store.save(letterNamed(QStringLiteral("佐藤 花子")));
        QCOMPARE(saved.letterNo, highest + 1);
    }

    void numbersRunOut()
    {
        QVERIFY(LetterFile::addEmptyLetter(m_path, std::numeric_limits<qint32>::max()));
        const QByteArray before = LetterFile::fileHash(m_path);
        const auto saved = LetterStore(m_path).save(letterNamed(QStringLiteral("佐藤 花子")));
        QVERIFY(!saved.saved);
        QCOMPARE(saved.error, QStringLiteral("作成NO が上限に達しています。"));
        QCOMPARE(LetterFile::fileHash(m_path), before);
    }

    // A failure at each step of the save: nothing is written, the file stays byte for byte,
    // and the reason comes back.
    void failedSaveLeavesFile_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<qint32>("letterNo");
        QTest::addColumn<QString>("reason");
        QTest::newRow("positioning: no such letter")
            << "position" << 5 << "作成NO 5 のデータは、ほかの画面で変更されたか";
        QTest::newRow("update: row refused") << "update" << 0 << "データを書き込めません。（";
        QTest::newRow("update: stored row refused")
            << "update-stored" << 1 << "データを書き込めません。（";
        QTest::newRow("commit: file held by a reader")
            << "commit" << 0 << "データファイルに書き込めません。（";
        QTest::newRow("read-only file") << "readonly" << 1 << "は読み取り専用です。";
    }
    void failedSaveLeavesFile()
    {
        QFETCH(QString, step);
        QFETCH(qint32, letterNo);
        QFETCH(QString, reason);
        QVERIFY(LetterFile::addEmptyLetter(m_path, 1));
        if (step == u"update")
            QVERIFY(LetterFile::refuseNewLetters(m_path));
        if (step == u"update-stored")
            QVERIFY(run(m_path, QStringLiteral("CREATE TRIGGER refuse_edits BEFORE UPDATE ON "
                                               "申請者情報 BEGIN SELECT RAISE(ABORT, 'refused'); "
                                               "END")));
        if (step == u"readonly")
            QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray before = LetterFile::fileHash(m_path);
        // Another program reading the file keeps its lock until the save has given up waiting.
        std::unique_ptr<db::Database> reader;
        std::unique_ptr<db::Recordset> reading;
        if (step == u"commit") {
            reader = db::Database::open(m_path, db::OpenMode::ReadOnly);
            QVERIFY(reader && reader->beginTrans());
            reading = reader->openDynaset(QStringLiteral("SELECT 作成NO FROM 申請者情報"));
            QVERIFY(reading && !reading->eof());
        }

        Letter letter = letterNamed(QStringLiteral("佐藤 花子"));
        letter.setNo(letterNo);
        const Letter asRead = LetterStore(m_path).read(letterNo).letter;
        const auto saved = LetterStore(m_path).save(letter, asRead);
        reading.reset();
        reader.reset();
        QVERIFY(!saved.saved);
        QVERIFY2(saved.error.contains(reason), qPrintable(saved.error));
        QCOMPARE(LetterFile::fileHash(m_path), before);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(LetterFile::letterNumbers(m_path), QList<qint32>{1});
        QCOMPARE(LetterFile::readLetter(m_path, 1).value(QStringLiteral("患者名")), QString());
    }

    // Many letters go in under consecutive numbers in one transaction; one refused row leaves
    // none of them.
    void addMany()
    {
        QVERIFY(LetterFile::addEmptyLetter(m_path, 4));
        const LetterStore store(m_path);
        const auto added =
            store.add({letterNamed(QStringLiteral("一")), letterNamed(QStringLiteral("二")),
                       letterNamed(QStringLiteral("三"))});
        QVERIFY2(added.ok, qPrintable(added.error));
        QCOMPARE(added.letterNos, (QList<qint32>{5, 6, 7}));
        QCOMPARE(store.read(6).letter.value(Field::PatientName), V::fromString(u"二"_qs));

        QVERIFY(run(m_path, QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 申請者情報 "
                                           "WHEN NEW.患者名 = '拒否' "
                                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        const QByteArray before = LetterFile::fileHash(m_path);
        const auto refused =
            store.add({letterNamed(QStringLiteral("四")), letterNamed(QStringLiteral("拒否"))});
        QVERIFY(!refused.ok);
        QVERIFY(refused.letterNos.isEmpty());
        QVERIFY2(refused.error.startsWith(u"データを書き込めません。"_qs),
                 qPrintable(refused.error));
        QCOMPARE(LetterFile::fileHash(m_path), before);
        QCOMPARE(LetterFile::letterNumbers(m_path), (QList<qint32>{4, 5, 6, 7}));
    }
};

QTEST_GUILESS_MAIN(LetterStoreTest)
#include "tst_letterstore.moc"
