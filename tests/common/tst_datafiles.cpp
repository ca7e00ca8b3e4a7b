#include "common/datafiles.h"
#include "common/schema.h"
#include "platform/database.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>

namespace {

int modeOf(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class DataFilesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void folderFollowsXdgDataHome();
    void folderDefaultsToHome_data();
    void folderDefaultsToHome();
    void firstStartCreatesFolderAndFiles();
    void existingFolderIsLeftAlone();
    void folderThatCannotBeMadeFails();
};

void DataFilesTest::folderFollowsXdgDataHome()
{
    TestEnvironment env;
    QCOMPARE(common::dataFolder(), env.dataHome() + QStringLiteral("/Dizur/"));
}

void DataFilesTest::folderDefaultsToHome_data()
{
    QTest::addColumn<QByteArray>("xdg"); // "-" = unset
    QTest::newRow("unset") << QByteArray("-");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("relative") << QByteArray("share");
}

void DataFilesTest::folderDefaultsToHome()
{
    QFETCH(QByteArray, xdg);
    TestEnvironment env;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", env.root().toLocal8Bit());
    if (xdg == "-")
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", xdg);
    const QString folder = common::dataFolder();
    qputenv("HOME", oldHome);
    QCOMPARE(folder, env.root() + QStringLiteral("/.local/share/Dizur/"));
}

void DataFilesTest::firstStartCreatesFolderAndFiles()
{
    TestEnvironment env;
    const QString folder = common::dataFolder();
    QVERIFY(!QFile::exists(folder));
    QString error;
    QVERIFY2(common::ensureDataFolder(&error), qPrintable(error));
    QCOMPARE(modeOf(folder), 0700);
    const QString letters = folder + common::LetterFileName;
    const QString postCodes = folder + common::PostCodeFileName;
    QCOMPARE(modeOf(letters), 0600);
    QCOMPARE(modeOf(postCodes), 0600);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2); // no journal left behind

    auto database = db::Database::open(letters, db::OpenMode::ReadOnly, &error);
    QVERIFY2(database, qPrintable(error));
    QVERIFY(database->hasTable(common::LetterTable));
    QVERIFY(database->hasTable(common::ComboTable));
    QCOMPARE(database->openTable(common::LetterTable)->recordCount(), 0);
    auto master = db::Database::open(postCodes, db::OpenMode::ReadOnly, &error);
    QVERIFY2(master, qPrintable(error));
    QVERIFY(master->hasTable(common::PostCodeTable));
}

void DataFilesTest::existingFolderIsLeftAlone()
{
    TestEnvironment env;
    QVERIFY(common::ensureDataFolder());
    const QString folder = common::dataFolder();
    const QString letters = folder + common::LetterFileName;
    const QString postCodes = folder + common::PostCodeFileName;
    {
        QFile f(letters);
        QVERIFY(f.open(QIODevice::Append));
        f.write("the user's own bytes");
    }
    QVERIFY(QFile::remove(postCodes));
    const QByteArray before = readBytes(letters);
    QVERIFY(common::ensureDataFolder());
    QCOMPARE(readBytes(letters), before);
    QVERIFY(!QFile::exists(postCodes)); // a missing file is a later question, not made here
}

void DataFilesTest::folderThatCannotBeMadeFails()
{
    TestEnvironment env;
    // The data home is a file: the folder cannot be made.
    const QString blocker = env.filePath(QStringLiteral("blocker"));
    {
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    qputenv("XDG_DATA_HOME", blocker.toLocal8Bit());
    QString error;
    QVERIFY(!common::ensureDataFolder(&error));
    QVERIFY(error.contains(blocker));
    QCOMPARE(readBytes(blocker), QByteArray());
}

QTEST_GUILESS_MAIN(DataFilesTest)
#include "tst_datafiles.moc"
