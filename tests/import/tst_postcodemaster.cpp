#include "common/schema.h"
#include "import/postcodemaster.h"
#include "letterfile.h"
#include "platform/database.h"
#include "postcodefixture.h"
#include "testenvironment.h"

#include <QtTest>

using import::PostCodeMaster;
using namespace PostCodeFixture;

namespace {

const QStringList kOldRows{QStringLiteral("1000001 |東京都千代田区千代田"),
                           QStringLiteral("0600000 |北海道札幌市中央区")};

QByteArray listOf(const QStringList& codes, const QString& town = QStringLiteral("本町"))
{
    QString text;
    for (const QString& code : codes)
        text += record(code, QStringLiteral("北海道"), QStringLiteral("札幌市"), town + code);
    return cp932(text);
}

} // namespace

class PostCodeMasterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filesAddedInListOrder();
    void failureLeavesOldMaster_data();
    void failureLeavesOldMaster();
    void masterThatCannotBeOpened_data();
    void masterThatCannotBeOpened();
};

void PostCodeMasterTest::filesAddedInListOrder()
{
    TestEnvironment env;
    const QString master = env.filePath(QStringLiteral("PostCode.mdb"));
    QVERIFY(makeMaster(master, kOldRows));
    QVERIFY(writeFile(env.filePath(QStringLiteral("a.csv")),
                      listOf({QStringLiteral("0640941"), QStringLiteral("0600000")})));
    QVERIFY(writeFile(env.filePath(QStringLiteral("b.csv")), listOf({QStringLiteral("9071801")})));

    auto postCodes = PostCodeMaster::open(master);
    QVERIFY(postCodes);
    QVERIFY(postCodes->hasRows());
    QString error;
    QVERIFY2(postCodes->refill(&error), qPrintable(error));
    QCOMPARE(postCodes->addFile(env.filePath(QStringLiteral("a.csv")), &error),
             PostCodeMaster::FileResult::Added);
    QCOMPARE(postCodes->addFile(env.filePath(QStringLiteral("b.csv")), &error),
             PostCodeMaster::FileResult::Added);
    QVERIFY2(postCodes->commit(&error), qPrintable(error));
    postCodes.reset();

    QCOMPARE(masterRows(master), (QStringList{QStringLiteral("0640941 |北海道札幌市本町0640941"),
                                              QStringLiteral("0600000 |北海道札幌市本町0600000"),
                                              QStringLiteral("9071801 |北海道札幌市本町9071801")}));
    // The entry form's look-up seeks the seven digits on the index and finds the row stored
    // with its trailing blank.
    auto database = db::Database::open(master, db::OpenMode::ReadOnly);
    QVERIFY(database);
    auto rs = database->openTable(common::PostCodeTable);
    QVERIFY(rs && rs->setIndex(common::PostCodeIndex));
    rs->seek(QStringLiteral("="), db::Variant::fromString(QStringLiteral("0600000")));
    QVERIFY(!rs->noMatch());
    QCOMPARE(rs->field(common::PostCodeAddress).toString(),
             QStringLiteral("北海道札幌市本町0600000"));
}

void PostCodeMasterTest::failureLeavesOldMaster_data()
{
    QTest::addColumn<QByteArray>("third"); // the third file's bytes; empty: no such file
    QTest::addColumn<QString>("refused");  // an address the master refuses, as a full disk
    QTest::addColumn<PostCodeMaster::FileResult>("result");

    const QByteArray good = listOf({QStringLiteral("9071801"), QStringLiteral("9071800")});
    QTest::newRow("a bad record") << good + "1,2,3\r\n"
                                  << QString() << PostCodeMaster::FileResult::FileFailed;
    QTest::newRow("not code page 932") << good + "1,2,\"\x85\x40\",4,5,6,7,8,9,0,0,0,0,0,0\r\n"
                                       << QString() << PostCodeMaster::FileResult::FileFailed;
    QTest::newRow("a missing file")
        << QByteArray() << QString() << PostCodeMaster::FileResult::FileFailed;
    QTest::newRow("the master refuses a row") << good << QStringLiteral("北海道札幌市本町9071800")
                                              << PostCodeMaster::FileResult::DatabaseFailed;
}

void PostCodeMasterTest::failureLeavesOldMaster()
{
    QFETCH(QByteArray, third);
    QFETCH(QString, refused);
    QFETCH(PostCodeMaster::FileResult, result);
    TestEnvironment env;
    const QString master = env.filePath(QStringLiteral("PostCode.mdb"));
    QVERIFY(makeMaster(master, kOldRows));
    if (!refused.isEmpty())
        QVERIFY(refuseAddress(master, refused));
    const QByteArray before = LetterFile::fileHash(master);
    QVERIFY(!before.isEmpty());
    QVERIFY(writeFile(env.filePath(QStringLiteral("1.csv")), listOf({QStringLiteral("0640941")})));
    QVERIFY(writeFile(env.filePath(QStringLiteral("2.csv")), listOf({QStringLiteral("0600000")})));
    if (!third.isEmpty())
        QVERIFY(writeFile(env.filePath(QStringLiteral("3.csv")), third));

    auto postCodes = PostCodeMaster::open(master);
    QVERIFY(postCodes && postCodes->refill());
    QCOMPARE(postCodes->addFile(env.filePath(QStringLiteral("1.csv"))),
             PostCodeMaster::FileResult::Added);
    QCOMPARE(postCodes->addFile(env.filePath(QStringLiteral("2.csv"))),
             PostCodeMaster::FileResult::Added);
    QString error;
    QCOMPARE(postCodes->addFile(env.filePath(QStringLiteral("3.csv")), &error), result);
    QVERIFY(!error.isEmpty());
    postCodes->rollback();
    postCodes.reset();

    QCOMPARE(LetterFile::fileHash(master), before);
    QCOMPARE(masterRows(master), kOldRows);
}

void PostCodeMasterTest::masterThatCannotBeOpened_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("missing file") << QStringLiteral("missing");
    QTest::newRow("no master table") << QStringLiteral("no table");
    QTest::newRow("not a database") << QStringLiteral("text");
}

void PostCodeMasterTest::masterThatCannotBeOpened()
{
    QFETCH(QString, what);
    TestEnvironment env;
    const QString master = env.filePath(QStringLiteral("PostCode.mdb"));
    if (what == QLatin1String("no table"))
        QVERIFY(db::Database::create(master));
    else if (what == QLatin1String("text"))
        QVERIFY(writeFile(master, "01101,\"060  \"\r\n"));
    QString error;
    QVERIFY(!PostCodeMaster::open(master, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(PostCodeMasterTest)
#include "tst_postcodemaster.moc"
