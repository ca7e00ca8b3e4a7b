// Another program writes a different data file over Ruviro.mdb in place (a copy by hand, a
// sync tool, a restore of another program), without taking any lock: right after this
// program's commit, or within the same second on a file system that keeps whole-second times.
// The next list shows the letters of the file as it is now, and the next save writes into that
// file whole: no page of the file that was there before, no damaged index.
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "record/letterstore.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <thread>

using record::Letter;
using record::LetterStore;
using V = db::Variant;
using common::Field;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kLetters = 20;

QByteArray headerOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(100);
}

// The bytes by which the engine tells whether a file was written since it last read it: the
// change counter, the size in pages, the free-page list, and the counter they are valid for.
QByteArray changeCounters(const QString& path)
{
    const QByteArray header = headerOf(path);
    return header.mid(24, 16) + header.mid(92, 4);
}

// Sets the file's access and modification times to `seconds`, as a file system that keeps
// whole-second times shows every write within that second.
bool setWholeSecond(const QString& path, std::time_t seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// Writes `from` over `to` in place (the same file, truncated and written again), by another
// process that takes no lock: cp does so with a file that exists.
bool copyInPlace(const QString& from, const QString& to, QString* why)
{
    const QString cp = QStandardPaths::findExecutable(u"cp"_s);
    if (cp.isEmpty()) {
        *why = u"cp is not on PATH"_s;
        return false;
    }
    QProcess process;
    process.start(cp, {from, to});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *why = u"cp failed: "_s + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    return true;
}

// The file's own account of itself, read on another thread with a connection of its own.
struct FileState
{
    bool sound = false;
    QString problem;
    QStringList names;     // 作成NO:患者名, in number order
    QStringList diagnoses; // 作成NO:診断名1
};

FileState stateOf(const QString& path)
{
    FileState state;
    std::thread([&] {
        auto database = db::Database::open(path, db::OpenMode::ReadOnly, &state.problem);
        if (!database)
            return;
        state.sound = database->integrityCheck(&state.problem);
        database->forEachRow(u"SELECT 作成NO, 患者名, 診断名1 FROM 申請者情報 ORDER BY 作成NO"_s,
                             {}, [&](const db::RowView& row) {
                                 state.names << row.text(0) + u':' + row.text(1);
                                 state.diagnoses << row.text(0) + u':' + row.text(2);
                             });
    }).join();
    return state;
}

bool setDiagnosis(const QString& path, qint32 no, const QString& diagnosis)
{
    auto database = db::Database::open(path, db::OpenMode::ReadWrite);
    return database && database->execute(u"UPDATE 申請者情報 SET 診断名1 = ? WHERE 作成NO = ?"_s,
                                         {V::fromString(diagnosis), V::fromLong(no)});
}

} // namespace

class ReplacedFileTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void anotherFileWrittenInPlace_data()
    {
        QTest::addColumn<bool>("beforeClose");
        QTest::addColumn<bool>("wholeSeconds");
        QTest::newRow("right after the commit, before the file is closed") << true << false;
        QTest::newRow("after the close, within the same second (whole-second times)")
            << false << true;
    }
    void anotherFileWrittenInPlace()
    {
        QFETCH(bool, beforeClose);
        QFETCH(bool, wholeSeconds);
        const QString path = m_dir.filePath(u"Ruviro-%1.mdb"_s.arg(QTest::currentDataTag()[0]));
        const QString other = path + u".other"_s;
        QFile::remove(path);
        QFile::remove(other);
        QVERIFY(letterfixtures::createDataFile(path));
        for (int i = 1; i <= kLetters; ++i)
            QVERIFY(letterfixtures::writeLetter(
                path, i,
                {{u"患者名"_s, V::fromString(u"患者%1"_s.arg(i, 2, 10, QChar(u'0')))},
                 {u"診断名1"_s, V::fromString(u"診断A"_s)}}));
        // This program has listed and read the file: whatever it keeps of it, it keeps now.
        QCOMPARE(LetterStore(path).list().rows.size(), kLetters);
        QVERIFY(LetterStore(path).read(2).read());

        // Another clinic's file: the same letters but for a patient of its own, written as
        // often as this one will have been at the moment it is copied over it, so that it
        // shows the same size and the same change counters.
        QVERIFY(QFile::copy(path, other));
        {
            auto database = db::Database::open(other, db::OpenMode::ReadWrite);
            QVERIFY(database && database->execute(
                                    u"UPDATE 申請者情報 SET 患者名 = '他院05' WHERE 作成NO = 5"_s));
        }
        const std::time_t second = std::time(nullptr);
        QString why;
        {
            // This program's own save of letter 1, committed.
            auto database = db::Database::open(path, db::OpenMode::ReadWrite);
            QVERIFY(database && database->beginTrans());
            QVERIFY(
                database->execute(u"UPDATE 申請者情報 SET 診断名1 = '診断B' WHERE 作成NO = 1"_s));
            QVERIFY(database->commitTrans());
            if (beforeClose) {
                QCOMPARE(changeCounters(other), changeCounters(path));
                QVERIFY2(copyInPlace(other, path, &why), qPrintable(why));
            }
        }
        if (wholeSeconds) {
            QVERIFY(setWholeSecond(path, second));
            QCOMPARE(changeCounters(other), changeCounters(path));
            QCOMPARE(QFileInfo(other).size(), QFileInfo(path).size());
            QVERIFY2(copyInPlace(other, path, &why), qPrintable(why));
            QVERIFY(setWholeSecond(path, second));
        }

        // The list shows the letters now in the file.
        const auto list = LetterStore(path).list();
        QVERIFY2(list.ok, qPrintable(list.error));
        QCOMPARE(list.rows.value(4).name, u"他院05"_s);
        QCOMPARE(list.rows.value(0).diagnosis, u"診断A"_s);

        // A save reaches the file as it is now and leaves it whole.
        const Letter asRead = LetterStore(path).read(2).letter;
        QCOMPARE(asRead.value(Field::PatientName).toString(), u"患者02"_s);
        Letter edit;
        edit.setNo(2);
        edit.set(Field::Diagnosis1, V::fromString(u"診断C"_s));
        const auto saved = LetterStore(path).save(edit, asRead);
        QVERIFY2(saved.saved, qPrintable(saved.error));

        const FileState state = stateOf(path);
        QVERIFY2(state.sound, qPrintable(state.problem));
        QCOMPARE(state.names.value(4), u"5:他院05"_s);
        QCOMPARE(state.diagnoses.mid(0, 3),
                 (QStringList{u"1:診断A"_s, u"2:診断C"_s, u"3:診断A"_s}));
        QCOMPARE(state.names.size(), kLetters);
        // And so does a save of a letter whose row lies beside the other clinic's patient.
        QVERIFY(setDiagnosis(path, 6, u"診断D"_s));
        QVERIFY2(stateOf(path).sound, qPrintable(stateOf(path).problem));
    }
};

QTEST_GUILESS_MAIN(ReplacedFileTest)
#include "tst_replacedfile.moc"
