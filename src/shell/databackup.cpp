#include "shell/databackup.h"

#include "common/schema.h"
#include "platform/database.h"
#include "platform/databasefile.h"
#include "platform/schemainfo.h"
#include "platform/systemerror.h"
#include "record/letterstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {

namespace {

BlockWriter& blockWriter()
{
    static BlockWriter writer;
    return writer;
}

qint64 writeBlock(int fd, const char* data, qint64 size)
{
    if (blockWriter())
        return blockWriter()(fd, data, size);
    return ::write(fd, data, static_cast<size_t>(size));
}

BackupResult failure(const QString& text)
{
    return {false, text, false};
}

QString systemError(int code)
{
    return platform::systemErrorText(code);
}

QString writeError(int code)
{
    if (code == ENOSPC || code == EDQUOT)
        return QStringLiteral("ディスクの空き容量が足りません。");
    return QStringLiteral("ファイルを書き込めませんでした。（%1）").arg(systemError(code));
}

// Flushes the folder's entry list, so that a rename in it survives a power cut.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Copies every byte of the open file `in` to the open file `out` and flushes `out`.
BackupResult copyContents(int in, int out)
{
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), static_cast<size_t>(buffer.size()));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failure(
                QStringLiteral("ファイルを読み込めませんでした。（%1）").arg(systemError(errno)));
        }
        if (got == 0)
            break;
        qint64 done = 0;
        while (done < got) {
            const qint64 put = writeBlock(out, buffer.constData() + done, got - done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return failure(writeError(put < 0 ? errno : ENOSPC));
            done += put;
        }
    }
    if (::fsync(out) != 0)
        return failure(writeError(errno));
    return {true, {}, false};
}

// A temporary file in `folder`, named after `target`; removed when this goes away unless
// it was kept.
class TemporaryFile
{
public:
    TemporaryFile(const QString& folder, const QString& target)
    {
        QByteArray pattern =
            QFile::encodeName(QDir(folder).filePath(QStringLiteral(".") + target)) + ".XXXXXX";
        m_fd = ::mkstemp(pattern.data());
        if (m_fd >= 0)
            m_path = QFile::decodeName(pattern);
        else
            m_errno = errno;
    }
    ~TemporaryFile()
    {
        close();
        if (m_path.isEmpty())
            return;
        // A journal copied along with the file goes with it, and whatever the engine made
        // beside it.
        for (const char* suffix : {"-journal", "-wal", "-shm"})
            ::unlink(QFile::encodeName(m_path + QLatin1String(suffix)).constData());
        if (!m_kept)
            ::unlink(QFile::encodeName(m_path).constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    int error() const { return m_errno; }
    QString path() const { return m_path; }
    bool close()
    {
        if (m_fd < 0)
            return true;
        const bool ok = ::close(m_fd) == 0;
        m_fd = -1;
        return ok;
    }
    void keep() { m_kept = true; }

private:
    int m_fd = -1;
    int m_errno = 0;
    QString m_path;
    bool m_kept = false;
};

// Removes what copies that were cut off (a killed run, a power cut) left in `folder` for
// `target`: temporary files are named "." + target + "." and six characters, and a journal
// copied along with one has "-journal" after that (and what the engine makes, "-wal" and
// "-shm").
void removeLeftovers(const QString& folder, const QString& target)
{
    const QString prefix = QStringLiteral(".") + target + QStringLiteral(".??????");
    QDir dir(folder);
    const QStringList names =
        dir.entryList({prefix, prefix + QStringLiteral("-journal"), prefix + QStringLiteral("-wal"),
                       prefix + QStringLiteral("-shm")},
                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        dir.remove(name);
}

// Copies `source` (named `shownName` to the user) to a new temporary file in `folder`.
BackupResult copyToTemporary(const QString& source, TemporaryFile& temporary,
                             const QString& shownName)
{
    if (!temporary.isOpen())
        return failure(QStringLiteral("一時ファイルを作れませんでした。（%1）")
                           .arg(systemError(temporary.error())));
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failure(QStringLiteral("%1 を開けませんでした。（%2）")
                           .arg(QDir::toNativeSeparators(shownName), systemError(errno)));
    BackupResult result = copyContents(in, temporary.fd());
    ::close(in);
    ::fchmod(temporary.fd(), S_IRUSR | S_IWUSR);
    if (!temporary.close() && result.ok)
        result = failure(writeError(errno));
    return result;
}

// Lets the engine roll back what a cut-off save left in a hot journal beside `dataFile`.
// True when no journal is left that could still belong to the file.
bool recoverJournal(const QString& dataFile, QString* error)
{
    const QString journal = dataFile + QStringLiteral("-journal");
    if (!QFileInfo::exists(journal))
        return true;
    // Opening for writing reads the schema, which makes the engine replay a hot journal.
    QString reason;
    auto db = db::Database::open(dataFile, db::OpenMode::ReadWrite, &reason);
    if (!db) {
        if (error)
            *error = reason;
        return false;
    }
    return true;
}

BackupResult renameOver(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return failure(QStringLiteral("%1 を置き換えられませんでした。（%2）")
                           .arg(QDir::toNativeSeparators(to), systemError(errno)));
    syncFolder(QFileInfo(to).absolutePath());
    return {true, {}, false};
}

} // namespace

void setBlockWriterForTesting(BlockWriter writer)
{
    blockWriter() = std::move(writer);
}

bool isReadOnlyFile(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return (st.st_mode & S_IWUSR) == 0;
}

namespace {

BackupResult notLetterFile(const QString& text)
{
    BackupResult result = failure(text);
    result.notLetterFile = true;
    return result;
}

// A file that the program did not write: kept another way, or holding objects it never makes.
BackupResult notOurs(const QString& name, FileRole role, const QString& why)
{
    return notLetterFile(
        (role == FileRole::Backup
             ? QStringLiteral("%1 は、このプログラムが書いたバックアップではありません。（%2）")
             : QStringLiteral("%1 は、このプログラムが書いた意見書のデータファイルではありません。"
                              "（%2）"))
            .arg(name, why));
}

// The file is kept as the program keeps its files, with a rollback journal: the engine is
// never let open a file kept with a write-ahead log, which it would change and leave its
// log and index files beside. A file that is no database at all is left to the engine to tell.
BackupResult testKeptAsOurs(const QString& path, const QString& name, FileRole role)
{
    const std::optional<db::FileHeader> header = db::readFileHeader(path);
    if (header && !header->rollbackJournal())
        return notOurs(name, role,
                       header->writeVersion == 2 || header->readVersion == 2
                           ? QStringLiteral("WAL（ログ先行書き込み）形式のデータベースです。")
                           : QStringLiteral("このプログラムが扱えない形式のデータベースです。"));
    return {true, {}, false};
}

} // namespace

BackupResult testLetterDatabase(const QString& path, const QString& shownName, FileRole role)
{
    const QString name = QDir::toNativeSeparators(shownName.isEmpty() ? path : shownName);
    const auto damaged = [&](const QString& why) {
        return notLetterFile(
            QStringLiteral("%1 は意見書のデータファイルではないか、壊れています。（%2）")
                .arg(name, why));
    };
    if (BackupResult kept = testKeptAsOurs(path, name, role); !kept.ok)
        return kept;
    QString reason;
    auto db = db::Database::open(path, db::OpenMode::ReadOnly, &reason);
    if (!db)
        return damaged(reason);
    if (!db->integrityCheck(&reason))
        return damaged(reason);
    const std::optional<db::Schema> schema = db::readSchema(*db, &reason);
    if (!schema)
        return damaged(reason);
    if (const QString foreign = common::foreignSchemaObject(*schema); !foreign.isEmpty())
        return notOurs(name, role, foreign);
    auto list = db->openDynaset(common::LetterListQuery, {}, &reason);
    if (!list)
        return damaged(reason);
    return {true, {}, false};
}

namespace {

// Copies `source` to `target`, opened with `flags` (besides O_WRONLY and O_CREAT), flushed.
// A target made new (O_EXCL) goes again when the copy fails.
BackupResult copyFile(const QString& source, const QString& target, int flags)
{
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failure(QStringLiteral("%1 を開けませんでした。（%2）")
                           .arg(QDir::toNativeSeparators(source), systemError(errno)));
    const int out = ::open(QFile::encodeName(target).constData(),
                           O_WRONLY | O_CREAT | O_CLOEXEC | flags, S_IRUSR | S_IWUSR);
    if (out < 0) {
        const int code = errno;
        ::close(in);
        return failure(QStringLiteral("%1 を作れませんでした。（%2）")
                           .arg(QDir::toNativeSeparators(target), systemError(code)));
    }
    BackupResult result = copyContents(in, out);
    ::close(in);
    if (::close(out) != 0 && result.ok)
        result = failure(writeError(errno));
    if (!result.ok && (flags & O_EXCL))
        ::unlink(QFile::encodeName(target).constData());
    return result;
}

} // namespace

BackupResult copyFileSynced(const QString& source, const QString& target)
{
    return copyFile(source, target, O_TRUNC);
}

bool isSameFile(const QString& a, const QString& b)
{
    struct stat sa;
    struct stat sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

namespace {

QString journalOf(const QString& file)
{
    return file + QStringLiteral("-journal");
}

// Removes `path`, which may not exist; false with the reason when it is there and stays.
bool removeIfThere(const QString& path, QString* error)
{
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        return true;
    *error = QStringLiteral("%1 を削除できませんでした。（%2）")
                 .arg(QDir::toNativeSeparators(path), systemError(errno));
    return false;
}

} // namespace

BackupResult makeWorkingCopy(const QString& source, const QString& copy)
{
    QString error;
    if (!removeIfThere(copy, &error) || !removeIfThere(journalOf(copy), &error))
        return failure(error);
    // Only a file made here is written: one that appeared meanwhile is not taken over.
    BackupResult result = copyFile(source, copy, O_EXCL);
    if (result.ok && QFileInfo::exists(journalOf(source))) {
        result = copyFile(journalOf(source), journalOf(copy), O_EXCL);
        if (!result.ok)
            ::unlink(QFile::encodeName(copy).constData());
    }
    return result;
}

void removeWorkingCopy(const QString& copy)
{
    ::unlink(QFile::encodeName(journalOf(copy)).constData());
    ::unlink(QFile::encodeName(copy).constData());
}

namespace {

// The copy of `source` in `temporary`, flushed and tested as a letter database.
BackupResult copyAndTest(const QString& source, TemporaryFile& temporary)
{
    const BackupResult copied = copyToTemporary(source, temporary, source);
    return copied.ok ? testLetterDatabase(temporary.path(), source) : copied;
}

// A file copied while a save was under way holds part of that save; the journal beside it
// holds the pages the save changed, as they were before. Copied along beside the copy in
// `temporary`, under the name the engine looks for, the journal is first proven against the
// copy (db::proveJournal): one that is damaged or not shown to be the copy's own refuses the
// file, since the engine would play it back regardless (or stop inside it in silence). A
// proven one is played back when the engine opens the copy for writing, and must be gone
// then: the copy holds what was last committed. Only the copy is written.
BackupResult rollBackAlongside(const QString& source, const TemporaryFile& temporary,
                               const QString& shownName)
{
    const QString journal = journalOf(source);
    if (!QFileInfo::exists(journal))
        return {true, {}, false};
    const QString name = QDir::toNativeSeparators(shownName);
    const QString journalName = QDir::toNativeSeparators(shownName + QStringLiteral("-journal"));
    const auto refused = [&](const QString& why) {
        return failure(QStringLiteral("%1 は保存の途中で写されたもので、その保存（%2）を"
                                      "元に戻せませんでした。（%3）")
                           .arg(name, journalName, why));
    };
    const QString copiedJournal = journalOf(temporary.path());
    const BackupResult copied = copyFileSynced(journal, copiedJournal);
    if (!copied.ok)
        return refused(copied.error);
    const db::JournalProof proof = db::proveJournal(temporary.path(), copiedJournal);
    QString reason;
    switch (proof.verdict) {
    case db::JournalProof::Verdict::Refused:
        return failure(QStringLiteral("%1 の横のジャーナルファイル %2 が、このファイルの"
                                      "保存の途中のものと確かめられないため、使えません。（%3）")
                           .arg(name, journalName, proof.reason));
    case db::JournalProof::Verdict::None:
    case db::JournalProof::Verdict::NothingToUndo:
        // The file holds what was last committed; the journal has nothing to give back.
        if (!removeIfThere(copiedJournal, &reason))
            return refused(reason);
        return {true, {}, false};
    case db::JournalProof::Verdict::Undo:
        break;
    }
    if (!db::Database::open(temporary.path(), db::OpenMode::ReadWrite, &reason))
        return refused(reason);
    const QFileInfo left(copiedJournal);
    if (left.exists() && left.size() > 0)
        return refused(QStringLiteral("ジャーナルファイルが戻されずに残りました。"));
    if (!removeIfThere(copiedJournal, &reason))
        return refused(reason);
    return {true, {}, false};
}

// Every letter of the copy read and checked: a file damaged inside its rows passes the
// engine's check and the list's query, but not this.
BackupResult checkLetters(const QString& path, const QString& shownName)
{
    const record::LetterCheckResult checked = record::LetterStore(path).checkAll();
    if (checked.ok)
        return {true, {}, false};
    return failure(QStringLiteral("%1 は使えません。%2")
                       .arg(QDir::toNativeSeparators(shownName), checked.error));
}

// The failure told with the file the user knows, `shownName`, wherever a layer below named
// one of the program's own copies of it (the temporary copy, the data folder's working copy).
BackupResult namingThePick(BackupResult result, const QStringList& copies, const QString& shownName)
{
    for (const QString& copy : copies) {
        if (copy != shownName)
            result.error.replace(QDir::toNativeSeparators(copy),
                                 QDir::toNativeSeparators(shownName));
    }
    return result;
}

// The tested temporary file renamed over `target`; it is kept only once it stands there.
BackupResult putInPlace(TemporaryFile& temporary, const QString& target)
{
    const BackupResult result = renameOver(temporary.path(), target);
    if (result.ok)
        temporary.keep();
    return result;
}

} // namespace

BackupResult backupDataFile(const QString& dataFile, const QString& target)
{
    QString reason;
    if (!recoverJournal(dataFile, &reason))
        return failure(
            QStringLiteral(
                "データファイルの前回の保存が途中で終わっており、元に戻せませんでした。（%1）")
                .arg(reason));
    const QFileInfo info(target);
    removeLeftovers(info.absolutePath(), info.fileName());
    TemporaryFile temporary(info.absolutePath(), info.fileName());
    const BackupResult result = copyAndTest(dataFile, temporary);
    if (!result.ok)
        return namingThePick(result, {temporary.path()}, dataFile);
    return putInPlace(temporary, info.absoluteFilePath());
}

BackupResult replaceDataFile(const QString& source, const QString& dataFile,
                             const QString& shownName)
{
    const QString name = shownName.isEmpty() ? source : shownName;
    const QFileInfo info(dataFile);
    removeLeftovers(info.absolutePath(), info.fileName());
    TemporaryFile temporary(info.absolutePath(), info.fileName());
    BackupResult result = copyToTemporary(source, temporary, name);
    if (result.ok)
        result = testKeptAsOurs(temporary.path(), QDir::toNativeSeparators(name), FileRole::Backup);
    if (result.ok)
        result = rollBackAlongside(source, temporary, name);
    if (result.ok)
        result = testLetterDatabase(temporary.path(), name, FileRole::Backup);
    if (result.ok)
        result = checkLetters(temporary.path(), name);
    if (!result.ok)
        return namingThePick(result, {temporary.path(), source}, name);
    // A journal beside the old file belongs to the old file: let the engine finish with it
    // (so that a cut-off restore still leaves a consistent old file), then make sure none
    // is left that the engine could replay into the restored file.
    recoverJournal(dataFile, nullptr);
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString stale = dataFile + QLatin1String(suffix);
        if (QFileInfo::exists(stale) && !QFile::remove(stale))
            return failure(
                QStringLiteral("%1 を削除できませんでした。").arg(QDir::toNativeSeparators(stale)));
    }
    return putInPlace(temporary, info.absoluteFilePath());
}

} // namespace shell
