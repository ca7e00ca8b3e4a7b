#include "common/appstate.h"
#include "common/datafiles.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "platform/printerdouble.h"
#include "scripteddialogs.h"
#include "shell/databackup.h"
#include "shell/form1.h"
#include "shell/frmdata.h"
#include "shell/listorder.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace shell;

namespace {

const QString Saved = QStringLiteral("バックアップファイルを保存しました。");
const QString SaveFailed = QStringLiteral("バックアップファイルを保存できませんでした。");
const QString Restored = QStringLiteral("バックアップファイルから復帰を行いました。");
const QString RestoreFailed = QStringLiteral("バックアップファイルから復帰に失敗しました。");
const QString Question =
    QStringLiteral("現在のSarnet意見書データファイルは上書きされます。続けますか？");

// A letter file with the given patients, numbered from 1.
bool makeLetterFile(const QString& path, const QStringList& patients)
{
    if (!letterfixtures::createDataFile(path))
        return false;
    for (int i = 0; i < patients.size(); ++i)
        if (!letterfixtures::writeLetter(
                path, i + 1, {{QStringLiteral("患者名"), db::Variant::fromString(patients[i])}}))
            return false;
    return true;
}

QStringList patientsIn(const QString& path)
{
    QStringList names;
    for (qint32 no : LetterFile::letterNumbers(path))
        names << LetterFile::readLetter(path, no).value(QStringLiteral("患者名"));
    return names;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

void makeReadOnly(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}

// Leaves beside `dataFile` the journal of a save that was cut off in its commit: the file
// pair as a crash would leave it (the data file already half-written, the journal hot).
bool makeHotJournal(const QString& dataFile, const QString& workFolder)
{
    const QString work = QDir(workFolder).filePath(QStringLiteral("hot.mdb"));
    QFile::remove(work);
    if (!QFile::copy(dataFile, work))
        return false;
    auto db = db::Database::open(work, db::OpenMode::ReadWrite);
    if (!db || !db->execute(QStringLiteral("PRAGMA cache_size=1")) || !db->beginTrans())
        return false;
    // Enough changed rows that the engine writes pages to the file before the commit.
    for (int i = 0; i < 200; ++i)
        if (!db->execute(QStringLiteral("INSERT INTO 申請者情報 (作成NO, 患者名) VALUES (?, ?)"),
                         {db::Variant::fromLong(1000 + i),
                          db::Variant::fromString(QString(400, QChar(u'壊')))}))
            return false;
    QFile::remove(dataFile);
    QFile::remove(dataFile + QStringLiteral("-journal"));
    const bool copied =
        QFile::copy(work, dataFile) &&
        QFile::copy(work + QStringLiteral("-journal"), dataFile + QStringLiteral("-journal"));
    db->rollback();
    return copied;
}

// Fails every write after `allowed` bytes with a full disk.
struct FullDisk
{
    explicit FullDisk(qint64 allowed)
    {
        auto left = std::make_shared<qint64>(allowed);
        setBlockWriterForTesting([left](int fd, const char* data, qint64 size) -> qint64 {
            if (*left <= 0) {
                errno = ENOSPC;
                return -1;
            }
            const qint64 n = std::min(size, *left);
            *left -= n;
            return ::write(fd, data, static_cast<size_t>(n));
        });
    }
    ~FullDisk() { setBlockWriterForTesting({}); }
};

QStringList temporaryLeftovers(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".*.mdb.*")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class BackupRestoreTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<Form1> m_form;
    QString m_data;   // Ruviro.mdb
    QString m_backup; // a backup with other letters
    int m_listOpened = 0;

    QString dataFolder() const { return common::appState().AppPath; }
    QString rizari() const { return dataFolder() + QStringLiteral("Rizari.mdb"); }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        QVERIFY(common::ensureDataFolder());
        common::appState().AppPath = common::dataFolder();
        m_data = dataFolder() + common::LetterFileName;
        QVERIFY(QFile::remove(m_data));
        QVERIFY(makeLetterFile(m_data, {QStringLiteral("現在一郎"), QStringLiteral("現在二郎")}));
        m_backup = m_env->filePath(QStringLiteral("backup.mdb"));
        QVERIFY(makeLetterFile(m_backup, {QStringLiteral("控え花子"), QStringLiteral("控え次郎"),
                                          QStringLiteral("控え三郎")}));
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        m_form = std::make_unique<Form1>();
        m_listOpened = 0;
        m_form->openRecordList = [this] {
            ++m_listOpened;
            // The list shows the restored letters; the temporary copy goes only after it.
            QCOMPARE(patientsIn(m_data).size(), 3);
        };
    }
    void cleanup()
    {
        m_form.reset();
        m_env.reset();
    }

    void backupWritesATestedCopy_data()
    {
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("new file") << false;
        QTest::newRow("over an existing file") << true;
    }
    void backupWritesATestedCopy()
    {
        QFETCH(bool, targetExists);
        const QString target = m_env->filePath(QStringLiteral("控え 12月.mdb"));
        if (targetExists)
            QVERIFY(writeBytes(target, "an older backup"));
        ScriptedDialogs dialogs;
        dialogs.chooseFile(target).answer(platform::vbOK);
        m_form->mnuReserve_Click();

        QCOMPARE(dialogs.shown().at(0).kind, ScriptedDialogs::Kind::SaveFile);
        QCOMPARE(dialogs.shown().at(0).filter,
                 QStringLiteral("Sarnet意見書データファイル(*.mdb)|*.mdb"));
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text, Saved);
        QCOMPARE(dialogs.messages().at(0).style, 64);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("バックアップ"));
        QCOMPARE(LetterFile::fileHash(target), LetterFile::fileHash(m_data));
        QVERIFY(temporaryLeftovers(m_env->root()).isEmpty());
    }

    void backupCancelledDoesNothing()
    {
        ScriptedDialogs dialogs;
        dialogs.cancelFile();
        m_form->mnuReserve_Click();
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(QDir(m_env->root()).entryList(QDir::Files).size(), 1); // backup.mdb alone
    }

    void backupFailureIsToldAndKeepsTheTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("folder that cannot be written")
            << QStringLiteral("/proc/ruviro-backup-test.mdb") << false;
        QTest::newRow("full disk") << QString() << true;
        QTest::newRow("folder that does not exist")
            << QStringLiteral("/nonexistent-ruviro/backup.mdb") << false;
    }
    void backupFailureIsToldAndKeepsTheTarget()
    {
        QFETCH(QString, target);
        QFETCH(bool, fullDisk);
        if (target.isEmpty()) {
            target = m_env->filePath(QStringLiteral("old.mdb"));
            QVERIFY(writeBytes(target, "an older backup"));
        }
        const QByteArray before = LetterFile::fileHash(target);
        const QByteArray data = LetterFile::fileHash(m_data);
        std::unique_ptr<FullDisk> disk;
        if (fullDisk)
            disk = std::make_unique<FullDisk>(1024);
        ScriptedDialogs dialogs;
        dialogs.chooseFile(target).answer(platform::vbOK);
        m_form->mnuReserve_Click();

        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages().at(0).text.startsWith(SaveFailed),
                 qPrintable(dialogs.messages().at(0).text));
        QCOMPARE(dialogs.messages().at(0).style, 16);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("バックアップ"));
        if (fullDisk)
            QVERIFY(dialogs.messages().at(0).text.contains(
                QStringLiteral("ディスクの空き容量が足りません。")));
        QCOMPARE(LetterFile::fileHash(target), before);
        QCOMPARE(LetterFile::fileHash(m_data), data);
        QVERIFY(temporaryLeftovers(m_env->root()).isEmpty());
    }

    void backupRollsBackACutOffSaveFirst()
    {
        QVERIFY(makeHotJournal(m_data, m_env->root()));
        const QString target = m_env->filePath(QStringLiteral("after-crash.mdb"));
        ScriptedDialogs dialogs;
        dialogs.chooseFile(target).answer(platform::vbOK);
        m_form->mnuReserve_Click();
        QCOMPARE(dialogs.messages().at(0).text, Saved);
        QCOMPARE(patientsIn(target),
                 QStringList({QStringLiteral("現在一郎"), QStringLiteral("現在二郎")}));
        QVERIFY(testLetterDatabase(target).ok);
    }

    void restore_data()
    {
        QTest::addColumn<QString>("source"); // "backup", "readonly", "other", "random", "empty"
        QTest::addColumn<bool>("cancelDialog");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("expectedTexts");
        QTest::addColumn<bool>("replaced");

        QTest::newRow("cancelled in the dialog")
            << "backup" << true << 0 << QStringList{RestoreFailed} << false;
        QTest::newRow("answered No")
            << "backup" << false << int(platform::vbNo) << QStringList{Question} << false;
        QTest::newRow("writable backup")
            << "backup" << false << int(platform::vbYes) << QStringList{Question, Restored} << true;
        QTest::newRow("read-only backup") << "readonly" << false << int(platform::vbYes)
                                          << QStringList{Question, Restored} << true;
        QTest::newRow("database of another kind") << "other" << false << int(platform::vbYes)
                                                  << QStringList{Question, RestoreFailed} << false;
        QTest::newRow("random bytes") << "random" << false << int(platform::vbYes)
                                      << QStringList{Question, RestoreFailed} << false;
        QTest::newRow("0-byte file") << "empty" << false << int(platform::vbYes)
                                     << QStringList{Question, RestoreFailed} << false;
        QTest::newRow("read-only database of another kind")
            << "readonly-other" << false << int(platform::vbYes)
            << QStringList{Question, RestoreFailed} << false;
    }
    void restore()
    {
        QFETCH(QString, source);
        QFETCH(bool, cancelDialog);
        QFETCH(int, answer);
        QFETCH(QStringList, expectedTexts);
        QFETCH(bool, replaced);

        QString picked = m_backup;
        if (source.endsWith(QLatin1String("other"))) {
            picked = m_env->filePath(QStringLiteral("other.mdb"));
            auto db = db::Database::create(picked);
            QVERIFY(db && db->execute(QStringLiteral("CREATE TABLE 患者 (番号 INTEGER)")));
        } else if (source == QLatin1String("random")) {
            picked = m_env->filePath(QStringLiteral("random.mdb"));
            QByteArray bytes(40000, Qt::Uninitialized);
            QRandomGenerator gen(7);
            for (char& c : bytes)
                c = char(gen.bounded(256));
            QVERIFY(writeBytes(picked, bytes));
        } else if (source == QLatin1String("empty")) {
            picked = m_env->filePath(QStringLiteral("empty.mdb"));
            QVERIFY(writeBytes(picked, {}));
        }
        if (source.startsWith(QLatin1String("readonly")))
            makeReadOnly(picked);
        const QByteArray pickedBefore = LetterFile::fileHash(picked);
        const QByteArray dataBefore = LetterFile::fileHash(m_data);

        ScriptedDialogs dialogs;
        if (cancelDialog) {
            dialogs.cancelFile().answer(platform::vbOK);
        } else {
            dialogs.chooseFile(picked).answer(answer);
            if (answer == platform::vbYes)
                dialogs.answer(platform::vbOK);
        }
        m_form->mnuReturn_Click();

        QCOMPARE(dialogs.shown().at(0).kind, ScriptedDialogs::Kind::OpenFile);
        QStringList texts;
        for (const auto& m : dialogs.messages())
            texts << m.text;
        QCOMPARE(texts, expectedTexts);
        if (texts.size() > 1 || !cancelDialog) {
            const auto q = dialogs.messages().at(0);
            QCOMPARE(q.style, 52);
            QCOMPARE(q.title, QStringLiteral("注意！"));
        }
        const auto last = dialogs.messages().last();
        if (last.text == Restored) {
            QCOMPARE(last.style, 64);
            QCOMPARE(last.title, QStringLiteral("バックアップ"));
        } else if (last.text == RestoreFailed) {
            QCOMPARE(last.style, 16);
            QCOMPARE(last.title, QStringLiteral("インポート"));
        }
        QCOMPARE(m_listOpened, replaced ? 1 : 0);
        if (replaced)
            QCOMPARE(LetterFile::fileHash(m_data), pickedBefore);
        else
            QCOMPARE(LetterFile::fileHash(m_data), dataBefore);
        QCOMPARE(LetterFile::fileHash(picked), pickedBefore); // the pick is never changed
        QVERIFY(QFileInfo::exists(picked));
        QVERIFY(!QFileInfo::exists(rizari()));
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
        if (source.startsWith(QLatin1String("readonly")))
            QVERIFY(isReadOnlyFile(picked));
    }

    // Through the real record list: after a restore the list opens on the backup's letters.
    void restoredLettersAreListed()
    {
        m_form->openRecordList = nullptr;
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto* list = qobject_cast<frmData*>(QApplication::activeModalWidget());
            QVERIFY(list);
            for (int row = 0; row < list->rowCount(); ++row)
                listed << list->cellText(row, ColName);
            list->cmdCancel_Click();
        });
        ScriptedDialogs dialogs;
        dialogs.chooseFile(m_backup).answer(platform::vbYes).answer(platform::vbOK);
        m_form->mnuReturn_Click();
        QCOMPARE(dialogs.messages().last().text, Restored);
        listed.sort();
        QStringList expected{QStringLiteral("控え花子"), QStringLiteral("控え次郎"),
                             QStringLiteral("控え三郎")};
        expected.sort();
        QCOMPARE(listed, expected);
        QCOMPARE(common::appState().DatabasePath, m_data);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void restoreCopyFailureLeavesTheDataFile_data()
    {
        QTest::addColumn<bool>("readOnlyBackup");
        QTest::addColumn<qint64>("allowed");
        QTest::newRow("full disk, writable backup") << false << qint64(4096);
        QTest::newRow("full disk at once, read-only backup") << true << qint64(0);
        QTest::newRow("full disk in the second copy, read-only backup") << true << qint64(70000);
    }
    void restoreCopyFailureLeavesTheDataFile()
    {
        QFETCH(bool, readOnlyBackup);
        QFETCH(qint64, allowed);
        // A backup larger than one copy block's worth of allowed bytes.
        QVERIFY(letterfixtures::writeLetter(
            m_backup, 9,
            {{QStringLiteral("患者名"), db::Variant::fromString(QString(30000, 'x'))}}));
        if (readOnlyBackup)
            makeReadOnly(m_backup);
        const QByteArray before = LetterFile::fileHash(m_data);
        ScriptedDialogs dialogs;
        dialogs.chooseFile(m_backup).answer(platform::vbYes).answer(platform::vbOK);
        {
            FullDisk disk(allowed);
            m_form->mnuReturn_Click();
        }
        QCOMPARE(dialogs.messages().size(), 2);
        QVERIFY(dialogs.messages().at(1).text.startsWith(RestoreFailed));
        QVERIFY(dialogs.messages().at(1).text.contains(
            QStringLiteral("ディスクの空き容量が足りません。")));
        QCOMPARE(LetterFile::fileHash(m_data), before);
        QCOMPARE(m_listOpened, 0);
        QVERIFY(!QFileInfo::exists(rizari()));
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
    }

    void restoreRemovesAStaleJournal()
    {
        QVERIFY(makeHotJournal(m_data, m_env->root()));
        QVERIFY(QFileInfo::exists(m_data + QStringLiteral("-journal")));
        ScriptedDialogs dialogs;
        dialogs.chooseFile(m_backup).answer(platform::vbYes).answer(platform::vbOK);
        m_form->mnuReturn_Click();
        QCOMPARE(dialogs.messages().at(1).text, Restored);
        QVERIFY(!QFileInfo::exists(m_data + QStringLiteral("-journal")));
        QCOMPARE(LetterFile::fileHash(m_data), LetterFile::fileHash(m_backup));
        QCOMPARE(patientsIn(m_data),
                 QStringList({QStringLiteral("控え花子"), QStringLiteral("控え次郎"),
                              QStringLiteral("控え三郎")}));
        QVERIFY(testLetterDatabase(m_data).ok);
    }

    // A backup or a restore killed at any moment leaves each file whole: the old one or the
    // new one, never a mix.
    void killedCopiesLeaveWholeFiles()
    {
        const QString child =
            QCoreApplication::applicationDirPath() + QStringLiteral("/shell_backupchild");
        QVERIFY2(QFileInfo::exists(child), qPrintable(child));
        // Files of a few megabytes, so that a kill can land inside a copy.
        auto pad = [](const QString& path, int megabytes) {
            auto db = db::Database::open(path, db::OpenMode::ReadWrite);
            return db && db->execute(QStringLiteral("CREATE TABLE 余白 (x); INSERT INTO 余白 "
                                                    "VALUES (zeroblob(?))"),
                                     {db::Variant::fromLong(megabytes << 20)});
        };
        QVERIFY(pad(m_data, 4));
        QVERIFY(pad(m_backup, 6));
        const QByteArray oldData = LetterFile::fileHash(m_data);
        const QString pristine = m_env->filePath(QStringLiteral("pristine.mdb"));
        QVERIFY(QFile::copy(m_data, pristine));
        const QByteArray backup = LetterFile::fileHash(m_backup);
        const QString target = m_env->filePath(QStringLiteral("target.mdb"));
        QVERIFY(QFile::copy(m_backup, target));
        const QByteArray oldTarget = LetterFile::fileHash(target);

        // How long one whole run takes here (start-up included), so that the kills fall
        // across all of it.
        QElapsedTimer timer;
        timer.start();
        {
            QProcess process;
            process.start(child, {QStringLiteral("backup"), m_data,
                                  m_env->filePath(QStringLiteral("timing.mdb"))});
            QVERIFY(process.waitForFinished(10000) && process.exitCode() == 0);
        }
        const quint32 runMicroseconds = quint32(timer.nsecsElapsed() / 1000);

        QRandomGenerator gen(20261210);
        int killedMidway = 0;
        int killedInCopy = 0;
        for (int round = 0; round < 50; ++round) {
            const bool restoring = round % 2 == 0;
            const QStringList leftovers =
                temporaryLeftovers(dataFolder()) + temporaryLeftovers(m_env->root());
            QProcess process;
            process.start(child, restoring
                                     ? QStringList{QStringLiteral("restore"), m_backup, m_data}
                                     : QStringList{QStringLiteral("backup"), m_data, target});
            QVERIFY(process.waitForStarted());
            ::usleep(gen.bounded(runMicroseconds + runMicroseconds / 4));
            ::kill(pid_t(process.processId()), SIGKILL);
            QVERIFY(process.waitForFinished(10000));
            if (process.exitStatus() == QProcess::CrashExit) {
                ++killedMidway;
                if (temporaryLeftovers(dataFolder()) + temporaryLeftovers(m_env->root()) !=
                    leftovers)
                    ++killedInCopy;
            } else
                QCOMPARE(process.exitCode(), 0);

            const QByteArray data = LetterFile::fileHash(m_data);
            QVERIFY2(data == oldData || data == backup, qPrintable(QString::number(round)));
            QVERIFY(testLetterDatabase(m_data).ok);
            const QByteArray t = LetterFile::fileHash(target);
            QVERIFY2(t == oldTarget || t == oldData, qPrintable(QString::number(round)));
            QVERIFY(testLetterDatabase(target).ok);
            // Each round starts from the old data file again.
            if (data != oldData) {
                QVERIFY(QFile::remove(m_data));
                QVERIFY(QFile::copy(pristine, m_data));
            }
        }
        qInfo("%d of 50 runs were killed midway, %d of them inside the copy (a run takes %u us)",
              killedMidway, killedInCopy, runMicroseconds);
        QVERIFY(killedMidway > 0 && killedMidway < 50);
        // What killed runs left behind is cleared by the next run.
        QVERIFY(backupDataFile(m_data, target).ok);
        QVERIFY(replaceDataFile(m_backup, m_data).ok);
        QCOMPARE(temporaryLeftovers(dataFolder()) + temporaryLeftovers(m_env->root()),
                 QStringList());
    }
};

QTEST_MAIN(BackupRestoreTest)
#include "tst_backuprestore.moc"
