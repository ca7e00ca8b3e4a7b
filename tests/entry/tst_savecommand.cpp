// The entry form's save command: the doctor defaults kept whatever becomes of the letter, a
// failed save told with its reason and the file left as it was, a letter stored without some
// fields told with their names.
#include "entry/lettersaving.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "record/lettersave.h"
#include "scripteddialogs.h"
#include "tableformreader.h"
#include "testenvironment.h"

#include <QFile>
#include <QtTest>

#include <memory>

class SaveCommandTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_path;

    QMap<QString, QString> readLetter(qint32 no) { return LetterFile::readLetter(m_path, no); }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_path = m_env->filePath(QStringLiteral("Ruviro.mdb"));
        QString error;
        QVERIFY2(letterfixtures::createDataFile(m_path, &error), qPrintable(error));
    }
    void cleanup() { m_env.reset(); }

    // A data file from elsewhere without some columns: the letter is stored, and the user is
    // told which fields were not.
    void lostFieldsAreTold()
    {
        QVERIFY(LetterFile::dropColumn(m_path, QStringLiteral("診断名2")));
        QVERIFY(LetterFile::dropColumn(m_path, QStringLiteral("感染症名")));
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        QCOMPARE(entry::SaveLetterAndTell(m_path, {}, TableFormReader::fullLetter()), 1);
        QCOMPARE(dialogs.messages().size(), 1);
        const auto shown = dialogs.messages().at(0);
        QVERIFY2(shown.text.endsWith(QStringLiteral("\r\n診断名2、感染症名")),
                 qPrintable(shown.text));
        QCOMPARE(shown.style, int(platform::vbExclamation));
        QCOMPARE(readLetter(1).value(QStringLiteral("診断名1")), QStringLiteral("脳梗塞"));
    }

    void completeSaveTellsNothing()
    {
        ScriptedDialogs dialogs;
        QCOMPARE(entry::SaveLetterAndTell(m_path, {}, TableFormReader::fullLetter()), 1);
        QVERIFY(dialogs.messages().isEmpty());
    }

    void doctorDefaults()
    {
        const QString app = QStringLiteral("Dizur");
        const QString data = QStringLiteral("Data");
        platform::SaveSetting(app, data, QStringLiteral("HospitalName"), QStringLiteral("旧病院"));
        platform::SaveSetting(app, data, QStringLiteral("TEL1"), QStringLiteral("099"));
        platform::SaveSetting(app, data, QStringLiteral("Adress"), QStringLiteral("旧住所"));
        TableFormReader form = TableFormReader::fullLetter();
        form.setText(QStringLiteral("Kisaisya"), 5, QString());
        form.setText(QStringLiteral("txtZushoDr"), QString());
        QCOMPARE(entry::SaveLetterAndTell(m_path, {}, form), 1);
        const auto get = [&](const char* key) {
            return platform::GetSetting(app, data, QString::fromLatin1(key));
        };
        QCOMPARE(get("DoctorName"), QStringLiteral("山田 太郎"));
        QCOMPARE(get("HospitalName"), QStringLiteral("山田内科医院"));
        QCOMPARE(get("Yubin1"), QStringLiteral("100"));
        QCOMPARE(get("Yubin2"), QStringLiteral("0001"));
        QCOMPARE(get("Adress"), QStringLiteral("旧住所"));
        QCOMPARE(get("TEL1"), QStringLiteral("099"));
        QCOMPARE(get("TEL2"), QStringLiteral("1234"));
        QCOMPARE(get("TEL3"), QStringLiteral("5678"));
        QCOMPARE(get("FAX1"), QStringLiteral("03"));
        QCOMPARE(get("FAX2"), QStringLiteral("1234"));
        QCOMPARE(get("FAX3"), QStringLiteral("5679"));
    }

    // Another program writing the file at the same moment: the save waits, then gives up
    // and tells the user; the other program's letter keeps its number.
    void fileBusyWithAnotherSave()
    {
        const auto other = db::Database::open(m_path, db::OpenMode::ReadWrite);
        QVERIFY(other && other->beginTrans());
        QVERIFY(other->execute(QStringLiteral("INSERT INTO 申請者情報 (作成NO) VALUES (1)")));

        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        QCOMPARE(entry::SaveLetterAndTell(m_path, {}, TableFormReader::fullLetter()), 0);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("登録エラー"));

        QVERIFY(other->commitTrans());
        QCOMPARE(LetterFile::letterNumbers(m_path), QList<qint32>{1});
        QCOMPARE(record::SaveLetter(m_path, {}, TableFormReader::fullLetter()).letterNo, 2);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<qint32>("letterNo");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file") << "readonly" << 0 << "は読み取り専用です。";
        QTest::newRow("read-only file, stored letter") << "readonly" << 1 << "は読み取り専用です。";
        QTest::newRow("row refused") << "refuse" << 0 << "データを書き込めません。（";
        QTest::newRow("missing file") << "missing" << 0 << "を開けません。（";
        QTest::newRow("commit refused: file held by a reader")
            << "commit" << 0 << "データファイルに書き込めません。（";
    }
    // A save that fails tells the user, and leaves the file as it was.
    void failures()
    {
        QFETCH(QString, failure);
        QFETCH(qint32, letterNo);
        QFETCH(QString, reason);
        QVERIFY(LetterFile::addEmptyLetter(m_path, 1));
        if (failure == u"readonly")
            QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup));
        if (failure == u"refuse")
            QVERIFY(LetterFile::refuseNewLetters(m_path));
        if (failure == u"missing")
            QVERIFY(QFile::remove(m_path));
        const QByteArray before = LetterFile::fileHash(m_path);
        // Another program reading the file keeps its lock until the save has given up waiting
        // for the commit.
        std::unique_ptr<db::Database> reader;
        std::unique_ptr<db::Recordset> reading;
        if (failure == u"commit") {
            reader = db::Database::open(m_path, db::OpenMode::ReadOnly);
            QVERIFY(reader && reader->beginTrans());
            reading = reader->openDynaset(QStringLiteral("SELECT 作成NO FROM 申請者情報"));
            QVERIFY(reading && !reading->eof());
        }

        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        const record::Letter asRead = record::LetterStore(m_path).read(letterNo).letter;
        QCOMPARE(entry::SaveLetterAndTell(m_path, asRead, TableFormReader::fullLetter()), 0);
        reading.reset();
        reader.reset();
        QCOMPARE(dialogs.messages().size(), 1);
        const auto shown = dialogs.messages().at(0);
        QVERIFY2(shown.text.startsWith(QStringLiteral("データを保存できませんでした。\r\n")),
                 qPrintable(shown.text));
        QVERIFY2(shown.text.contains(reason), qPrintable(shown.text));
        QCOMPARE(shown.style, int(platform::vbCritical));
        QCOMPARE(shown.title, QStringLiteral("登録エラー"));
        QCOMPARE(LetterFile::fileHash(m_path), before);
        // The doctor defaults are kept whatever became of the letter.
        QCOMPARE(platform::GetSetting(QStringLiteral("Dizur"), QStringLiteral("Data"),
                                      QStringLiteral("HospitalName")),
                 QStringLiteral("山田内科医院"));
        QCOMPARE(platform::GetSetting(QStringLiteral("Dizur"), QStringLiteral("Data"),
                                      QStringLiteral("DoctorName")),
                 QStringLiteral("山田 太郎"));
        if (failure != u"missing") {
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
            QCOMPARE(LetterFile::letterNumbers(m_path), QList<qint32>{1});
            QCOMPARE(readLetter(1).value(QStringLiteral("患者名")), QString());
        }
    }
};

QTEST_MAIN(SaveCommandTest)
#include "tst_savecommand.moc"
