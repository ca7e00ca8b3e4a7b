#include "shell/databackup.h"

#include "common/schema.h"
#include "platform/database.h"
#include "record/letterstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
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
    return QString::fromLocal8Bit(std::strerror(code));
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
        // A journal copied along with the file goes with it.
        ::unlink(QFile::encodeName(m_path + QStringLiteral("-journal")).constData());
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
// copied along with one has "-journal" after that.
void removeLeftovers(const QString& folder, const QString& target)
{
    const QString prefix = QStringLiteral(".") + target + QStringLiteral(".");
    QDir dir(folder);
    const QStringList names =
        dir.entryList({prefix + QStringLiteral("??????"),
                       prefix + QStringLiteral("??????") + QStringLiteral("-journal")},
                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        dir.remove(name);
}

// Copies `source` to a new temporary file in `folder`.
BackupResult copyToTemporary(const QString& source, TemporaryFile& temporary)
{
    if (!temporary.isOpen())
        return failure(QStringLiteral("一時ファイルを作れませんでした。（%1）")
                           .arg(systemError(temporary.error())));
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failure(QStringLiteral("%1 を開けませんでした。（%2）")
                           .arg(QDir::toNativeSeparators(source), systemError(errno)));
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

BackupResult testLetterDatabase(const QString& path, const QString& shownName)
{
    const QString name = QDir::toNativeSeparators(shownName.isEmpty() ? path : shownName);
    auto notLetterFile = [&](const QString& why) {
        BackupResult result =
            failure(QStringLiteral("%1 は意見書のデータファイルではないか、壊れています。（%2）")
                        .arg(name, why));
        result.notLetterFile = true;
        return result;
    };
    QString reason;
    auto db = db::Database::open(path, db::OpenMode::ReadOnly, &reason);
    if (!db)
        return notLetterFile(reason);
    if (!db->integrityCheck(&reason))
        return notLetterFile(reason);
    auto list = db->openDynaset(common::LetterListQuery, {}, &reason);
    if (!list)
        return notLetterFile(reason);
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
    const BackupResult copied = copyToTemporary(source, temporary);
    return copied.ok ? testLetterDatabase(temporary.path(), source) : copied;
}

// A file copied while a save was under way holds part of that save; the journal beside it
// holds what the save changed. Copied along beside the copy in `temporary`, under the name
// the engine looks for, the journal is rolled back into the copy when the engine opens it
// for writing: the copy then holds what was last committed. Only the copy is written.
BackupResult rollBackAlongside(const QString& source, const TemporaryFile& temporary,
                               const QString& shownName)
{
    const QString journal = journalOf(source);
    if (!QFileInfo::exists(journal))
        return {true, {}, false};
    const auto refused = [&](const QString& why) {
        return failure(
            QStringLiteral("%1 は保存の途中で写されたもので、その保存（%2）を"
                           "元に戻せませんでした。（%3）")
                .arg(QDir::toNativeSeparators(shownName), QDir::toNativeSeparators(journal), why));
    };
    const QString copiedJournal = journalOf(temporary.path());
    const BackupResult copied = copyFileSynced(journal, copiedJournal);
    if (!copied.ok)
        return refused(copied.error);
    QString reason;
    if (!db::Database::open(temporary.path(), db::OpenMode::ReadWrite, &reason))
        return refused(reason);
    // A journal the engine did not take for an unfinished save (an empty one, one already
    // finished) is left by it; it has nothing to give back.
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
        return result;
    return putInPlace(temporary, info.absoluteFilePath());
}

BackupResult replaceDataFile(const QString& source, const QString& dataFile,
                             const QString& shownName)
{
    const QString name = shownName.isEmpty() ? source : shownName;
    const QFileInfo info(dataFile);
    removeLeftovers(info.absolutePath(), info.fileName());
    TemporaryFile temporary(info.absolutePath(), info.fileName());
    BackupResult result = copyToTemporary(source, temporary);
    if (result.ok)
        result = rollBackAlongside(source, temporary, name);
    if (result.ok)
        result = testLetterDatabase(temporary.path(), name);
    if (result.ok)
        result = checkLetters(temporary.path(), name);
    if (!result.ok)
        return result;
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
