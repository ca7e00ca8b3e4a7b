#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/schema.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "platform/printerdouble.h"
#include "record/letterstore.h"
#include "scripteddialogs.h"
#include "shell/databackup.h"
#include "shell/form1.h"
#include "shell/frmdata.h"
#include "shell/listorder.h"
#include "testenvironment.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtEndian>
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

// The patients of a letter file in table order, through the list's query.
QStringList listedPatients(const QString& path)
{
    QStringList names;
    for (const record::LetterListRow& row : record::LetterStore(path).list().rows)
        names << row.name;
    return names;
}

// The first line of a message, and what follows it (the reason), apart.
QString firstLine(const QString& text)
{
    return text.section(QStringLiteral("\r\n"), 0, 0);
}
QString reasonLine(const QString& text)
{
    return text.section(QStringLiteral("\r\n"), 1);
}

// Overwrites `count` bytes of the file from `offset` on.
bool overwrite(const QString& path, qint64 offset, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek(offset) &&
           file.write(bytes) == bytes.size();
}

// Where the bytes stand in the file; -1 when they are not there once exactly.
qint64 offsetOf(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray all = file.readAll();
    const qint64 at = all.indexOf(bytes);
    return at >= 0 && all.indexOf(bytes, at + 1) < 0 ? at : -1;
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

// Whether the text, the named files left out, is in Japanese: no word of English in it.
bool inJapanese(QString text, const QStringList& files)
{
    for (const QString& file : files)
        text.remove(QDir::toNativeSeparators(file));
    return !text.contains(QRegularExpression(QStringLiteral("[a-z]{2,}")));
}

// The letter table as the program makes it, but for the definitions in `changed` (by column,
// 作成NO included) and with `options` after its closing bracket.
QString letterTableSql(const QHash<QString, QString>& changed, const QString& options = QString())
{
    const auto column = [&](const QString& name, const QString& type) {
        return changed.value(name, name + u' ' + type);
    };
    QStringList columns{column(common::LetterKey, QStringLiteral("INTEGER"))};
    for (const common::LetterField& field : common::letterFields())
        columns << column(
            field.name, field.kind == common::FieldKind::YesNo ? QStringLiteral("BOOLEAN DEFAULT 0")
                        : field.kind == common::FieldKind::AnswerCode ? QStringLiteral("INTEGER")
                                                                      : QStringLiteral("TEXT"));
    return QStringLiteral("CREATE TABLE 申請者情報 (%1)%2").arg(columns.join(u", "), options);
}

// The statements that make the letter table again as `definition` says, its letters kept,
// with the unique index on 作成NO.
QStringList remadeLetterTable(const QString& definition)
{
    return {QStringLiteral("ALTER TABLE 申請者情報 RENAME TO 旧表"), definition,
            QStringLiteral("INSERT INTO 申請者情報 SELECT * FROM 旧表"),
            QStringLiteral("DROP TABLE 旧表"),
            QStringLiteral("CREATE UNIQUE INDEX 作成NO ON 申請者情報 (作成NO)")};
}

// Runs the statements on the file, one by one.
bool runStatements(const QString& path, const QStringList& statements)
{
    QString error;
    auto db = db::Database::open(path, db::OpenMode::ReadWrite, &error);
    for (const QString& sql : statements) {
        if (!db || !db->execute(sql, {}, &error)) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(error));
            return false;
        }
    }
    return true;
}

// A letter file of `count` letters (控え患者001 ...), each with an address of 60 times
// `addressChar`, and `extraSaves` more saves that change nothing; the names in `names`.
bool makeLetters(const QString& path, int count, QChar addressChar, int extraSaves,
                 QStringList* names)
{
    QFile::remove(path);
    if (!letterfixtures::createDataFile(path))
        return false;
    auto db = db::Database::open(path, db::OpenMode::ReadWrite);
    if (!db || !db->beginTrans())
        return false;
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("控え患者%1").arg(i, 3, 10, QChar(u'0'));
        if (!db->execute(QStringLiteral("INSERT INTO 申請者情報 (作成NO, 患者名, 住所) "
                                        "VALUES (?, ?, ?)"),
                         {db::Variant::fromLong(i), db::Variant::fromString(name),
                          db::Variant::fromString(QString(60, addressChar))}))
            return false;
        names->append(name);
    }
    if (!db->commitTrans())
        return false;
    for (int i = 0; i < extraSaves; ++i)
        if (!db->execute(QStringLiteral("UPDATE 申請者情報 SET 患者名 = 患者名 WHERE 作成NO = 1")))
            return false;
    return true;
}

// A save that was cut off: see makeCutOffSave.
// A save renaming every letter that was cut off, leaving its journal beside the file: see
// BackupRestoreTest::makeCutOffSave.
struct CutOffSave
{
    enum class Where {
        // Killed in its commit, once the journal had reached the disk and the commit had
        // written ten pages of the file, its first page first.
        InCommit,
        // A save larger than the engine's page cache (two pages), killed before its commit:
        // it has written pages into the file, but not the first one.
        BeforeCommit,
        // Killed before anything of it reached the file.
        BeforeWriting,
    };
    Where where = Where::InCommit;
    int letters = 400;
    QChar addressChar = u'町';
    int earlierSaves = 0; // saves that change nothing, before it
    // Without the list's index (a file made before it), the new names are written in place
    // in the letters' pages alone: the half-saved file is a sound database.
    bool listIndex = true;
};

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

    // Makes `path` a file of letters copied while a save renaming every one of them was under
    // way: a child process makes the save and is killed inside it, where `save` says, leaving
    // the save's journal beside the file. `committed` gets the names as they were last
    // committed; the file alone holds part of the save, unless the save had not reached it.
    bool makeCutOffSave(const QString& path, const CutOffSave& save, QStringList* committed)
    {
        if (!makeLetters(path, save.letters, save.addressChar, save.earlierSaves, committed))
            return false;
        if (!save.listIndex && !runStatements(path, {QStringLiteral("DROP INDEX 一覧項目")}))
            return false;
        const QString child =
            QCoreApplication::applicationDirPath() + QStringLiteral("/shell_backupchild");
        const QString name = QStringLiteral("書きかけ");
        QProcess process;
        if (save.where == CutOffSave::Where::InCommit) {
            process.start(child, {QStringLiteral("midcommit"), path, name, QStringLiteral("10")});
            if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::CrashExit) {
                qWarning("the committing child was not cut off: %s",
                         process.readAllStandardError().data());
                return false;
            }
        } else {
            const bool small = save.where == CutOffSave::Where::BeforeCommit;
            process.start(child, {QStringLiteral("midsave"), path, name,
                                  QString::number(small ? 2 : 100000)});
            if (!process.waitForReadyRead(30000) || !process.readAll().startsWith("ready")) {
                qWarning("the saving child did not start: %s",
                         process.readAllStandardError().data());
                return false;
            }
            ::kill(pid_t(process.processId()), SIGKILL);
            process.waitForFinished(10000);
        }
        if (!QFileInfo::exists(path + QStringLiteral("-journal")))
            return false;
        // What the file alone holds.
        const QString alone = m_env->filePath(QStringLiteral("alone.mdb"));
        QFile::remove(alone);
        if (!QFile::copy(path, alone))
            return false;
        const QStringList inFile = listedPatients(alone);
        QFile::remove(alone);
        if ((inFile == *committed) != (save.where == CutOffSave::Where::BeforeWriting)) {
            qWarning("the killed save left %s of itself in the file",
                     inFile == *committed ? "nothing" : "part");
            return false;
        }
        return true;
    }
    // Makes m_backup a file of 400 letters copied while a save renaming every one of them
    // had written part of itself into the file in its commit.
    bool makeHalfSavedBackup(QStringList* committed, const CutOffSave& save = {})
    {
        return makeCutOffSave(m_backup, save, committed);
    }
    QString rizari() const { return dataFolder() + QStringLiteral("Rizari.mdb"); }
    // Restores `picked` through the menu, answering Yes and then OK: the text of the message
    // that ends it ("" unless the question is followed by exactly one).
    QString restoreFrom(const QString& picked)
    {
        ScriptedDialogs dialogs;
        dialogs.chooseFile(picked).answer(platform::vbYes).answer(platform::vbOK);
        m_form->mnuReturn_Click();
        const auto shown = dialogs.messages();
        return shown.size() == 2 ? shown.at(1).text : QString();
    }

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

    // A backup is written only of a file the restore would take back: a data file that
    // holds what the program never makes is named, and the target is left as it was.
    void backupRefusesADataFileNotOfTheProgram()
    {
        QVERIFY(runStatements(m_data, {QStringLiteral("CREATE TRIGGER 残りを消す AFTER UPDATE ON "
                                                      "申請者情報 BEGIN DELETE FROM 申請者情報; "
                                                      "END")}));
        const QString target = m_env->filePath(QStringLiteral("old.mdb"));
        QVERIFY(writeBytes(target, "an older backup"));
        ScriptedDialogs dialogs;
        dialogs.chooseFile(target).answer(platform::vbOK);
        m_form->mnuReserve_Click();

        QCOMPARE(dialogs.messages().size(), 1);
        const QString text = dialogs.messages().at(0).text;
        QCOMPARE(firstLine(text), SaveFailed);
        QCOMPARE(reasonLine(text),
                 QDir::toNativeSeparators(m_data) +
                     QStringLiteral(" は、このプログラムが書いた意見書のデータファイルでは"
                                    "ありません。（表「申請者情報」にトリガー「残りを消す」が"
                                    "あります。このプログラムはトリガーを使いません。）"));
        QCOMPARE(LetterFile::fileHash(target),
                 QCryptographicHash::hash("an older backup", QCryptographicHash::Sha256));
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
        // A failure tells its reason on a second line, but not a cancelled dialog.
        QStringList texts;
        for (const auto& m : dialogs.messages()) {
            texts << firstLine(m.text);
            if (m.text != RestoreFailed || !cancelDialog)
                QCOMPARE(reasonLine(m.text).isEmpty(),
                         m.text.startsWith(Question) || m.text == Restored);
        }
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
        } else if (firstLine(last.text) == RestoreFailed) {
            QCOMPARE(last.style, 16);
            QCOMPARE(last.title, QStringLiteral("インポート"));
            // The reason names the file the user picked, never a copy of it, in Japanese.
            const QString reason = reasonLine(last.text);
            if (!cancelDialog) {
                QVERIFY2(reason.contains(QDir::toNativeSeparators(picked)), qPrintable(reason));
                QVERIFY2(!reason.contains(QStringLiteral(".Ruviro.mdb.")) &&
                             !reason.contains(QStringLiteral("Rizari")),
                         qPrintable(reason));
                QVERIFY2(inJapanese(reason, {picked}), qPrintable(reason));
            }
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

    // A backup copied while a save was under way, with the journal of that save beside it:
    // the restore rolls the journal back in its own copy and restores what was committed,
    // never writing beside the picked file.
    void restoreRollsBackAHalfSavedBackup_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>(
            "save"); // "half" saved, "begun" without reaching the file, or none
        QTest::newRow("writable backup, a save cut off in its commit") << false << "half";
        QTest::newRow("read-only backup, a save cut off in its commit") << true << "half";
        QTest::newRow("a save that had not reached the file") << false << "begun";
        QTest::newRow("an empty journal beside a whole backup") << false << "";
    }
    void restoreRollsBackAHalfSavedBackup()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, save);
        QStringList committed;
        const QString journal = m_backup + QStringLiteral("-journal");
        if (save == QLatin1String("half")) {
            QVERIFY(makeHalfSavedBackup(&committed));
        } else if (save == QLatin1String("begun")) {
            QVERIFY(makeHalfSavedBackup(&committed, {CutOffSave::Where::BeforeWriting}));
        } else {
            committed = listedPatients(m_backup);
            QVERIFY(writeBytes(journal, {}));
        }
        if (readOnly)
            makeReadOnly(m_backup);
        const QByteArray pickBefore = LetterFile::fileHash(m_backup);
        const QByteArray journalBefore = LetterFile::fileHash(journal);
        m_form->openRecordList = [this] { ++m_listOpened; };

        ScriptedDialogs dialogs;
        dialogs.chooseFile(m_backup).answer(platform::vbYes).answer(platform::vbOK);
        m_form->mnuReturn_Click();

        QCOMPARE(dialogs.messages().size(), 2);
        QVERIFY2(dialogs.messages().at(1).text == Restored,
                 qPrintable(dialogs.messages().at(1).text));
        QCOMPARE(listedPatients(m_data), committed);
        QVERIFY(!QFileInfo::exists(m_data + QStringLiteral("-journal")));
        QCOMPARE(LetterFile::fileHash(m_backup), pickBefore);
        QCOMPARE(LetterFile::fileHash(journal), journalBefore);
        QVERIFY(!QFileInfo::exists(rizari()));
        QVERIFY(!QFileInfo::exists(rizari() + QStringLiteral("-journal")));
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
        QCOMPARE(m_listOpened, 1);
    }

    // A journal beside the backup that cannot be taken along refuses the backup: its file
    // alone may hold half a save.
    void restoreRefusesAJournalThatCannotBeApplied_data()
    {
        QTest::addColumn<bool>("journalIsFolder");
        QTest::newRow("journal that cannot be read") << true;
        QTest::newRow("full disk while copying the journal") << false;
    }
    void restoreRefusesAJournalThatCannotBeApplied()
    {
        QFETCH(bool, journalIsFolder);
        const QString journal = m_backup + QStringLiteral("-journal");
        if (journalIsFolder)
            QVERIFY(QDir().mkpath(journal + QStringLiteral("/inside")));
        else
            QVERIFY(makeHotJournal(m_backup, m_env->root()));
        const QByteArray data = LetterFile::fileHash(m_data);
        const QByteArray pick = LetterFile::fileHash(m_backup);
        ScriptedDialogs dialogs;
        dialogs.chooseFile(m_backup).answer(platform::vbYes).answer(platform::vbOK);
        {
            // Room for the backup file, none for its journal.
            std::unique_ptr<FullDisk> disk;
            if (!journalIsFolder)
                disk = std::make_unique<FullDisk>(QFileInfo(m_backup).size());
            m_form->mnuReturn_Click();
        }
        QCOMPARE(dialogs.messages().size(), 2);
        const QString text = dialogs.messages().at(1).text;
        QCOMPARE(firstLine(text), RestoreFailed);
        QVERIFY2(reasonLine(text).contains(QStringLiteral("backup.mdb-journal")), qPrintable(text));
        QCOMPARE(dialogs.messages().at(1).style, 16);
        QCOMPARE(LetterFile::fileHash(m_data), data);
        QCOMPARE(LetterFile::fileHash(m_backup), pick);
        QCOMPARE(m_listOpened, 0);
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
    }

    // A backup damaged inside its letters passes the engine's check and the list's query;
    // reading every letter finds it, and the restore refuses it naming the letter and the
    // field. The bytes are changed in the file's pages, where the letters' values lie.
    void restoreRefusesADamagedBackup_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("told"); // the letter and field named
        QTest::newRow("random bytes in a patient's name")
            << "name" << QStringLiteral("作成NO 2 の意見書の「患者名」");
        QTest::newRow("random bytes in a long text, on an overflow page")
            << "long text" << QStringLiteral("作成NO 3 の意見書（控え三郎）の「病状治療状態」");
        QTest::newRow("an answer code made negative")
            << "answer code" << QStringLiteral("作成NO 1 の意見書（控え一郎）の「寝たきり度」");
        QTest::newRow("a Yes/No holding 7")
            << "yes/no" << QStringLiteral("作成NO 2 の意見書（損傷試験花子さん）の「透析」");
        QTest::newRow("text in an answer code")
            << "code text" << QStringLiteral("作成NO 3 の意見書（控え三郎）の「性別」");
        QTest::newRow("bytes in a text field")
            << "blob" << QStringLiteral("作成NO 1 の意見書（控え一郎）の「住所」");
    }
    void restoreRefusesADamagedBackup()
    {
        QFETCH(QString, damage);
        QFETCH(QString, told);
        const QString picked = m_env->filePath(QStringLiteral("damaged.mdb"));
        const QString name = QStringLiteral("損傷試験花子さん");
        QString longText;
        for (int i = 0; i < 1500; ++i)
            longText += QStringLiteral("経過観察");
        longText.insert(4000, QStringLiteral("【中間目印】"));
        QVERIFY(letterfixtures::createDataFile(picked));
        using db::Variant;
        QVERIFY(letterfixtures::writeLetter(
            picked, 1,
            {{QStringLiteral("患者名"), Variant::fromString(QStringLiteral("控え一郎"))},
             {QStringLiteral("用法6"), Variant::fromString(QStringLiteral("MARK-ANSWER-CODE"))},
             {QStringLiteral("寝たきり度"), Variant::fromLong(5)}}));
        QVERIFY(letterfixtures::writeLetter(picked, 2,
                                            {{QStringLiteral("患者名"), Variant::fromString(name)},
                                             {QStringLiteral("透析"), Variant::fromBool(true)}}));
        QVERIFY(letterfixtures::writeLetter(
            picked, 3,
            {{QStringLiteral("患者名"), Variant::fromString(QStringLiteral("控え三郎"))},
             {QStringLiteral("性別"), Variant::fromLong(2)},
             {QStringLiteral("病状治療状態"), Variant::fromString(longText)}}));
        QVERIFY(record::LetterStore(picked).checkAll().ok);

        QRandomGenerator gen(20261211);
        // Random bytes over part of the text's UTF-8, drawn until they break it.
        auto scramble = [&](const QString& text, int from, int count) {
            const QByteArray utf8 = text.toUtf8();
            const qint64 at = offsetOf(picked, utf8);
            if (at < 0)
                return false;
            QByteArray changed = utf8;
            do {
                for (int i = 0; i < count; ++i)
                    changed[from + i] = char(gen.bounded(256));
            } while (changed.isValidUtf8());
            return overwrite(picked, at, changed);
        };
        auto sql = [&](const QString& statement) {
            auto db = db::Database::open(picked, db::OpenMode::ReadWrite);
            return db && db->execute(statement);
        };
        if (damage == QLatin1String("name")) {
            // The name lies in its row alone, as in a backup made before the list's index
            // (with the index, the engine's check finds the row and its index entry apart).
            QVERIFY(sql(QStringLiteral("DROP INDEX 一覧項目")));
            QVERIFY(scramble(name, 4, 6));
        } else if (damage == QLatin1String("long text")) {
            QVERIFY(scramble(QStringLiteral("観察【中間目印】経過"), 5, 8));
        } else if (damage == QLatin1String("answer code")) {
            // The columns between 用法6 and 寝たきり度 take no bytes (Yes/No False), so the
            // code's one byte follows the marker.
            const QByteArray marker("MARK-ANSWER-CODE");
            const qint64 at = offsetOf(picked, marker + char(5));
            QVERIFY2(at >= 0, "the answer code's byte is not after its marker");
            QVERIFY(overwrite(picked, at + marker.size(), QByteArray(1, char(0xC8))));
        } else if (damage == QLatin1String("yes/no")) {
            QVERIFY(sql(QStringLiteral("UPDATE 申請者情報 SET 透析 = 7 WHERE 作成NO = 2")));
        } else if (damage == QLatin1String("code text")) {
            QVERIFY(sql(QStringLiteral("UPDATE 申請者情報 SET 性別 = 'ｘ' WHERE 作成NO = 3")));
        } else {
            QVERIFY(sql(QStringLiteral("UPDATE 申請者情報 SET 住所 = X'00FF41' WHERE 作成NO = 1")));
        }
        // What the earlier checks let through.
        QVERIFY(testLetterDatabase(picked).ok);
        QCOMPARE(record::LetterStore(picked).list().rows.size(), 3);

        const QByteArray data = LetterFile::fileHash(m_data);
        ScriptedDialogs dialogs;
        dialogs.chooseFile(picked).answer(platform::vbYes).answer(platform::vbOK);
        m_form->mnuReturn_Click();
        QCOMPARE(dialogs.messages().size(), 2);
        const QString text = dialogs.messages().at(1).text;
        QCOMPARE(firstLine(text), RestoreFailed);
        QVERIFY2(reasonLine(text).contains(told + QStringLiteral("が壊れています。")),
                 qPrintable(text));
        QCOMPARE(LetterFile::fileHash(m_data), data);
        QCOMPARE(m_listOpened, 0);
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
    }

    // Letters of every kind the program writes (a full letter, an unanswered one, an
    // imported one, edge values) pass the letter check: a sound backup is never refused.
    void restoreTakesEveryKindOfLetter()
    {
        QVERIFY(QFile::remove(m_backup));
        QVERIFY(letterfixtures::createDataFile(m_backup));
        const QList<letterfixtures::Fields> letters{
            letterfixtures::fullyFilledLetter(), letterfixtures::unansweredLetter(),
            letterfixtures::importedLetterWithNulls(), letterfixtures::edgeValueLetter()};
        for (int i = 0; i < letters.size(); ++i)
            QVERIFY(letterfixtures::writeLetter(m_backup, i + 1, letters[i]));
        m_form->openRecordList = [this] { ++m_listOpened; };
        ScriptedDialogs dialogs;
        dialogs.chooseFile(m_backup).answer(platform::vbYes).answer(platform::vbOK);
        m_form->mnuReturn_Click();
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(dialogs.messages().at(1).text, Restored);
        QCOMPARE(LetterFile::fileHash(m_data), LetterFile::fileHash(m_backup));
    }

    // The data folder's own Rizari.mdb picked as the backup is restored from and kept; an
    // old copy there goes with its journal before a new one is made, and one that cannot go
    // refuses the restore.
    void restoreAndTheDataFoldersCopy_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("restored");
        QTest::newRow("Rizari.mdb itself picked, read-only") << "pick copy" << true;
        QTest::newRow("a link to Rizari.mdb picked") << "pick link" << true;
        QTest::newRow("an old copy with a journal of its own") << "old copy" << true;
        QTest::newRow("an old copy that cannot be removed") << "folder" << false;
    }
    void restoreAndTheDataFoldersCopy()
    {
        QFETCH(QString, setup);
        QFETCH(bool, restored);
        const QStringList backupPatients = patientsIn(m_backup);
        QString picked = m_backup;
        if (setup.startsWith(QLatin1String("pick"))) {
            QVERIFY(QFile::copy(m_backup, rizari()));
            makeReadOnly(rizari());
            picked = rizari();
            if (setup == QLatin1String("pick link")) {
                picked = m_env->filePath(QStringLiteral("link.mdb"));
                QVERIFY(QFile::link(rizari(), picked));
            }
        } else if (setup == QLatin1String("old copy")) {
            // A copy of another file, with the journal of a save cut off in it: neither
            // may reach the restored file.
            QVERIFY(QFile::copy(m_data, rizari()));
            QVERIFY(makeHotJournal(rizari(), m_env->root()));
            makeReadOnly(m_backup);
        } else {
            QVERIFY(QDir().mkpath(rizari() + QStringLiteral("/kept")));
            makeReadOnly(m_backup);
        }
        const QByteArray pickBefore = LetterFile::fileHash(picked);
        const QByteArray data = LetterFile::fileHash(m_data);
        ScriptedDialogs dialogs;
        dialogs.chooseFile(picked).answer(platform::vbYes).answer(platform::vbOK);
        m_form->mnuReturn_Click();
        QCOMPARE(dialogs.messages().size(), 2);
        const QString text = dialogs.messages().at(1).text;
        if (restored) {
            QCOMPARE(text, Restored);
            QCOMPARE(patientsIn(m_data), backupPatients);
            QCOMPARE(m_listOpened, 1);
        } else {
            QCOMPARE(firstLine(text), RestoreFailed);
            QVERIFY2(
                reasonLine(text).contains(QStringLiteral("Rizari.mdb を削除できませんでした。")),
                qPrintable(text));
            QCOMPARE(LetterFile::fileHash(m_data), data);
            QCOMPARE(m_listOpened, 0);
        }
        QVERIFY(QFileInfo::exists(picked));
        QCOMPARE(LetterFile::fileHash(picked), pickBefore);
        if (setup.startsWith(QLatin1String("pick")))
            QVERIFY(isReadOnlyFile(rizari()));
        else if (setup == QLatin1String("old copy"))
            QVERIFY(!QFileInfo::exists(rizari()) &&
                    !QFileInfo::exists(rizari() + QStringLiteral("-journal")));
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
    }

    // A backup is taken only when its schema holds the program's own objects: a trigger, a
    // view, a table or an index of another program, a missing or weakened unique index on
    // 作成NO, a letter table keyed, typed or constrained otherwise each refuse it, named.
    // Fewer or more columns, and files made before the list's index, are taken.
    void restoreTakesOnlyTheProgramsOwnSchema_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("told"); // "" when the backup is restored
        const auto row = [](const char* name, const QStringList& statements, const char* told) {
            QTest::newRow(name) << statements << QString::fromUtf8(told);
        };
        row("a trigger that deletes the other letters on a save",
            {"CREATE TRIGGER 残りを消す AFTER UPDATE ON 申請者情報 "
             "BEGIN DELETE FROM 申請者情報 WHERE 作成NO <> NEW.作成NO; END"},
            "表「申請者情報」にトリガー「残りを消す」があります。");
        row("a trigger that refuses new letters",
            {"CREATE TRIGGER 新規を拒む BEFORE INSERT ON 申請者情報 "
             "BEGIN SELECT RAISE(ABORT, '拒否'); END"},
            "トリガー「新規を拒む」");
        row("no unique index on 作成NO", {"DROP INDEX 作成NO"},
            "作成NO に一意の索引「作成NO」がありません");
        row("an index on 作成NO that is not unique",
            {"DROP INDEX 作成NO", "CREATE INDEX 作成NO ON 申請者情報 (作成NO)"},
            "索引「作成NO」が、作成NO だけに掛けた一意の索引ではありません。");
        row("a unique index on some letters only",
            {"DROP INDEX 作成NO",
             "CREATE UNIQUE INDEX 作成NO ON 申請者情報 (作成NO) WHERE 作成NO > 1"},
            "索引「作成NO」が、作成NO だけに掛けた一意の索引ではありません。");
        row("作成NO as INTEGER PRIMARY KEY",
            remadeLetterTable(letterTableSql({{"作成NO", "作成NO INTEGER PRIMARY KEY"}})),
            "INTEGER PRIMARY KEY");
        row("a table without row ids",
            remadeLetterTable(
                letterTableSql({{"作成NO", "作成NO INTEGER PRIMARY KEY"}}, " WITHOUT ROWID")),
            "WITHOUT ROWID");
        row("a view named 申請者情報",
            {"ALTER TABLE 申請者情報 RENAME TO 本体",
             "CREATE VIEW 申請者情報 AS SELECT * FROM 本体"},
            "ビュー「申請者情報」があります。");
        row("a table of another program", {"CREATE TABLE 余白 (x)"},
            "表「余白」は、このプログラムの表ではありません。");
        row("an index of another program", {"CREATE INDEX 名前順 ON 申請者情報 (患者名)"},
            "索引「名前順」（表「申請者情報」）は、このプログラムの索引ではありません。");
        row("a text field made a number",
            remadeLetterTable(letterTableSql({{"カルテ番号", "カルテ番号 INTEGER"}})),
            "項目「カルテ番号」の型が「INTEGER」です（このプログラムでは「TEXT」）。");
        row("a field that must hold a value",
            remadeLetterTable(letterTableSql({{"患者名", "患者名 TEXT CHECK (患者名 <> '')"}})),
            "項目「患者名」に、このプログラムが使わない制約（CHECK）があります。");
        row("an extra column that must hold a value",
            {"ALTER TABLE 申請者情報 ADD COLUMN 院内メモ TEXT NOT NULL DEFAULT ''"},
            "項目「院内メモ」に、このプログラムが使わない制約（NOT NULL）があります。");
        row("phrase lists keyed by their code",
            {"DROP TABLE コンボ情報",
             "CREATE TABLE コンボ情報 (コンボネーム INTEGER PRIMARY KEY, コンボ内容 TEXT)"},
            "表「コンボ情報」の項目「コンボネーム」に、このプログラムが使わない制約（PRIMARY "
            "KEY）");
        row("fewer columns", {"ALTER TABLE 申請者情報 DROP COLUMN 医師氏名"}, "");
        row("an extra column", {"ALTER TABLE 申請者情報 ADD COLUMN 院内メモ TEXT DEFAULT ''"}, "");
        row("made before the list's index", {"DROP INDEX 一覧項目"}, "");
        row("no phrase lists", {"DROP TABLE コンボ情報"}, "");
    }
    void restoreTakesOnlyTheProgramsOwnSchema()
    {
        QFETCH(QStringList, statements);
        QFETCH(QString, told);
        QVERIFY(runStatements(m_backup, statements));
        const QByteArray pick = LetterFile::fileHash(m_backup);
        const QByteArray data = LetterFile::fileHash(m_data);
        m_form->openRecordList = [this] { ++m_listOpened; };
        const QString text = restoreFrom(m_backup);
        if (told.isEmpty()) {
            QCOMPARE(text, Restored);
            QCOMPARE(LetterFile::fileHash(m_data), pick);
            QCOMPARE(m_listOpened, 1);
        } else {
            QCOMPARE(firstLine(text), RestoreFailed);
            const QString reason = reasonLine(text);
            QVERIFY2(reason.startsWith(QDir::toNativeSeparators(m_backup) +
                                       QStringLiteral(" は、このプログラムが書いたバックアップ"
                                                      "ではありません。")),
                     qPrintable(reason));
            QVERIFY2(reason.contains(told), qPrintable(reason));
            QVERIFY2(inJapanese(reason, {m_backup}), qPrintable(reason));
            QCOMPARE(LetterFile::fileHash(m_data), data);
            QCOMPARE(m_listOpened, 0);
        }
        QCOMPARE(LetterFile::fileHash(m_backup), pick);
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
    }

    // A journal beside the backup that the engine would play into it, but that is damaged or
    // is not the backup's own, refuses the restore: the engine stops in silence at a damaged
    // header or page, and plays another file's pages as readily as the file's own.
    void restoreRefusesAJournalThatIsNotTheBackups_data()
    {
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("told");
        // The journal of a save cut off in its commit, damaged: the half-saved file is a sound
        // database, and the journal played back in part or not at all would let it through.
        QTest::newRow("a damaged header")
            << "damaged header" << QStringLiteral("ジャーナルファイルの見出しが壊れています。");
        // Taken for a save that had not reached the file, whose pages the file then holds.
        QTest::newRow("a header wiped")
            << "wiped header" << QStringLiteral("まだ書かれていないはずのページ");
        QTest::newRow("a damaged page record")
            << "damaged page"
            << QStringLiteral("ジャーナルファイルの 1 番目のページの写しが壊れています。");
        // A save larger than the engine's cache writes pages before the first one, as a
        // journal of another file beside this one would seem to: nothing ties it to the file.
        QTest::newRow("a save larger than the cache, cut off before its commit")
            << "before the commit" << QStringLiteral("先頭ページより前にページ");
        // Two clinics' files made alike; the other's save was cut off in its commit, and its
        // journal lies beside this backup.
        QTest::newRow("the journal of another letter file made alike")
            << "another file" << QStringLiteral("先頭ページより前にページ");
        QTest::newRow("the journal of another letter file saved once more")
            << "another file saved once more"
            << QStringLiteral("先頭ページの写しがこのデータファイルのものではありません。");
    }
    void restoreRefusesAJournalThatIsNotTheBackups()
    {
        QFETCH(QString, journal);
        QFETCH(QString, told);
        const QString journalPath = m_backup + QStringLiteral("-journal");
        QStringList committed;
        if (journal.startsWith(QLatin1String("another file"))) {
            QVERIFY(makeLetters(m_backup, 200, QChar(u'町'), 0, &committed));
            const QString other = m_env->filePath(QStringLiteral("other-clinic.mdb"));
            QStringList theirs;
            CutOffSave theirSave;
            theirSave.letters = 200;
            theirSave.addressChar = u'村';
            theirSave.earlierSaves = journal == QLatin1String("another file saved once more");
            QVERIFY(makeCutOffSave(other, theirSave, &theirs));
            QVERIFY(QFile::copy(other + QStringLiteral("-journal"), journalPath));
        } else {
            // The half-saved file is a sound database that holds most of the save: played
            // back by halves, or not at all, the journal would let it through.
            CutOffSave inPlace;
            inPlace.listIndex = false;
            if (journal == QLatin1String("before the commit"))
                inPlace.where = CutOffSave::Where::BeforeCommit;
            QVERIFY(makeHalfSavedBackup(&committed, inPlace));
            const QString alone = m_env->filePath(QStringLiteral("alone.mdb"));
            QVERIFY(QFile::copy(m_backup, alone));
            const BackupResult sound = testLetterDatabase(alone);
            QVERIFY2(sound.ok, qPrintable(sound.error));
            QFile file(journalPath);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray header = file.read(28);
            const qint64 sector = qFromBigEndian<quint32>(header.constData() + 20);
            if (journal == QLatin1String("before the commit")) {
            } else if (journal == QLatin1String("damaged header")) {
                QVERIFY(file.seek(0) && file.write("RUVI") == 4);
            } else if (journal == QLatin1String("wiped header")) {
                QVERIFY(file.seek(0) && file.write(QByteArray(12, '\0')) == 12);
            } else {
                // A byte of the first page image that its check sum counts.
                const qint64 at = sector + 4 + 4096 - 200;
                QVERIFY(file.seek(at));
                const char c = file.read(1).at(0);
                QVERIFY(file.seek(at) && file.write(QByteArray(1, char(~c))) == 1);
            }
        }
        const QByteArray data = LetterFile::fileHash(m_data);
        const QByteArray pick = LetterFile::fileHash(m_backup);
        const QByteArray journalBefore = LetterFile::fileHash(journalPath);
        const QString text = restoreFrom(m_backup);
        QCOMPARE(firstLine(text), RestoreFailed);
        const QString reason = reasonLine(text);
        QVERIFY2(reason.contains(QDir::toNativeSeparators(journalPath)) && reason.contains(told),
                 qPrintable(reason));
        QVERIFY2(inJapanese(reason, {journalPath, m_backup}), qPrintable(reason));
        QCOMPARE(LetterFile::fileHash(m_data), data);
        QCOMPARE(LetterFile::fileHash(m_backup), pick);
        QCOMPARE(LetterFile::fileHash(journalPath), journalBefore);
        QCOMPARE(m_listOpened, 0);
        QVERIFY(temporaryLeftovers(dataFolder()).isEmpty());
    }

    // A backup kept with a write-ahead log is not one this program wrote: it is refused as
    // such before the engine opens it, and nothing of it is left in the data folder.
    void restoreRefusesAWalBackup_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("writable") << false;
        QTest::newRow("read-only") << true;
    }
    void restoreRefusesAWalBackup()
    {
        QFETCH(bool, readOnly);
        QVERIFY(runStatements(m_backup, {QStringLiteral("PRAGMA journal_mode=WAL"),
                                         QStringLiteral("UPDATE 申請者情報 SET 住所 = '港町'")}));
        // The file's header says so (its format versions 2, not 1).
        QFile file(m_backup);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(20).mid(18), QByteArray("\x02\x02", 2));
        file.close();
        if (readOnly)
            makeReadOnly(m_backup);
        const QByteArray data = LetterFile::fileHash(m_data);
        const QStringList before = QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden);
        const QString text = restoreFrom(m_backup);
        QCOMPARE(firstLine(text), RestoreFailed);
        QCOMPARE(reasonLine(text),
                 QDir::toNativeSeparators(m_backup) +
                     QStringLiteral(" は、このプログラムが書いたバックアップではありません。"
                                    "（WAL（ログ先行書き込み）形式のデータベースです。）"));
        QCOMPARE(LetterFile::fileHash(m_data), data);
        QCOMPARE(QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden), before);
        QVERIFY(!QFileInfo::exists(m_backup + QStringLiteral("-wal")));
        QVERIFY(!QFileInfo::exists(m_backup + QStringLiteral("-shm")));
        QCOMPARE(m_listOpened, 0);
    }

    // Damage that the engine's own check finds is told in Japanese, naming what it found.
    void damageFoundByTheEngineIsToldInJapanese()
    {
        // The name changed in the letter's row alone: its entry in the list's index no longer
        // matches the row.
        const QByteArray name = QStringLiteral("控え次郎").toUtf8();
        QFile file(m_backup);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        const qint64 at = bytes.indexOf(name);
        QVERIFY(at >= 0 && bytes.indexOf(name, at + 1) > at);
        QVERIFY(file.seek(at) && file.write(QStringLiteral("控え四郎").toUtf8()) == name.size());
        file.close();
        const QString text = restoreFrom(m_backup);
        QCOMPARE(firstLine(text), RestoreFailed);
        const QString reason = reasonLine(text);
        QVERIFY2(reason.contains(QStringLiteral("データファイルが壊れています（索引「一覧項目」")),
                 qPrintable(reason));
        QVERIFY2(inJapanese(reason, {m_backup}), qPrintable(reason));
        QCOMPARE(m_listOpened, 0);
    }

    // A backup or a restore killed at any moment leaves each file whole: the old one or the
    // new one, never a mix.
    void killedCopiesLeaveWholeFiles()
    {
        const QString child =
            QCoreApplication::applicationDirPath() + QStringLiteral("/shell_backupchild");
        QVERIFY2(QFileInfo::exists(child), qPrintable(child));
        // Files of a few megabytes, so that a kill can land inside a copy: a long phrase item
        // of no list, which the program's own tables hold.
        auto pad = [](const QString& path, int megabytes) {
            auto db = db::Database::open(path, db::OpenMode::ReadWrite);
            return db && db->execute(QStringLiteral("INSERT INTO コンボ情報 (コンボネーム, "
                                                    "コンボ内容) VALUES (0, ?)"),
                                     {db::Variant::fromString(QString(megabytes << 20, u'x'))});
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
        const auto startOver = [&] {
            return LetterFile::fileHash(m_data) == oldData ||
                   (QFile::remove(m_data) && QFile::copy(pristine, m_data));
        };

        // How long a whole run of each kind takes here (start-up included), so that the kills
        // fall across all of it: the median of the runs timed so far, three of each kind at
        // first and one more of each every ten rounds, so that the kill moments follow the
        // machine's load as it changes.
        QList<qint64> runTimes[2]; // microseconds, [restoring]
        const auto arguments = [&](bool restoring) {
            return restoring ? QStringList{QStringLiteral("restore"), m_backup, m_data}
                             : QStringList{QStringLiteral("backup"), m_data, target};
        };
        const auto timeRun = [&](bool restoring) {
            QElapsedTimer timer;
            timer.start();
            QProcess process;
            process.start(child, arguments(restoring));
            if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
                process.exitCode() != 0)
                return false;
            runTimes[restoring].append(timer.nsecsElapsed() / 1000);
            const QByteArray written = LetterFile::fileHash(restoring ? m_data : target);
            return written == (restoring ? backup : oldData) && startOver();
        };
        const auto medianTime = [&](bool restoring) {
            QList<qint64> times = runTimes[restoring];
            std::sort(times.begin(), times.end());
            return times.at(times.size() / 2);
        };
        for (int i = 0; i < 3; ++i)
            QVERIFY(timeRun(false) && timeRun(true));

        // A new seed each run, so that runs kill at other moments; RUVIRO_KILL_SEED repeats a
        // run's draws (each a share of the run's measured time).
        bool seedGiven = false;
        const quint32 givenSeed = qEnvironmentVariable("RUVIRO_KILL_SEED").toUInt(&seedGiven);
        const quint32 seed = seedGiven ? givenSeed : QRandomGenerator::global()->generate();
        qInfo("kill moments from seed %u (RUVIRO_KILL_SEED=%u repeats them)", seed, seed);
        QRandomGenerator gen(seed);
        int killedMidway = 0;
        int killedInCopy = 0;
        int round = 0;
        // Kills that land after a run has ended check only the finished files; should none of
        // the first 50 land inside a run, more rounds are drawn.
        for (; round < 50 || (killedMidway == 0 && round < 200); ++round) {
            const bool restoring = round % 2 == 0;
            if (round % 10 >= 8)
                QVERIFY(timeRun(restoring));
            const QStringList leftovers =
                temporaryLeftovers(dataFolder()) + temporaryLeftovers(m_env->root());
            const qint64 moment =
                qint64(gen.generateDouble() * 1.25 * double(medianTime(restoring)));
            QProcess process;
            process.start(child, arguments(restoring));
            QVERIFY(process.waitForStarted());
            ::usleep(useconds_t(moment));
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
            QVERIFY(startOver());
        }
        qInfo("%d of %d runs were killed midway, %d of them inside the copy (a run takes %lld us "
              "backing up, %lld us restoring)",
              killedMidway, round, killedInCopy, medianTime(false), medianTime(true));
        QVERIFY2(killedMidway > 0, "no kill landed inside a run: nothing was checked midway");
        // What killed runs left behind is cleared by the next run.
        QVERIFY(backupDataFile(m_data, target).ok);
        QVERIFY(replaceDataFile(m_backup, m_data).ok);
        QCOMPARE(temporaryLeftovers(dataFolder()) + temporaryLeftovers(m_env->root()),
                 QStringList());
    }
};

QTEST_MAIN(BackupRestoreTest)
#include "tst_backuprestore.moc"
