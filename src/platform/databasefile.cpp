#include "platform/databasefile.h"

#include "platform/systemerror.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unordered_set>

namespace db {

namespace {

const QByteArray DatabaseMagic("SQLite format 3\0", 16);
const QByteArray JournalMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
constexpr qint64 JournalHeaderBytes = 28;
// The page that holds the engine's lock bytes (at 1 GiB) is never journaled.
constexpr qint64 LockBytesOffset = 0x40000000;

quint32 be32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return (quint32(u[0]) << 24) | (quint32(u[1]) << 16) | (quint32(u[2]) << 8) | quint32(u[3]);
}

bool isPowerOfTwo(quint32 v)
{
    return v != 0 && (v & (v - 1)) == 0;
}

// A file opened for reading by position; closed when this goes away.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)), m_path(path)
    {
        struct stat st;
        if (m_fd < 0) {
            m_errno = errno;
        } else if (::fstat(m_fd, &st) != 0) {
            m_errno = errno;
        } else {
            m_size = st.st_size;
        }
    }
    ~ReadOnlyFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return m_fd >= 0 && m_errno == 0; }
    qint64 size() const { return m_size; }
    // `count` bytes from `offset`; fewer only at the end of the file, or none on a failure.
    QByteArray read(qint64 offset, qint64 count)
    {
        QByteArray bytes(count, Qt::Uninitialized);
        qint64 done = 0;
        while (done < count) {
            const ssize_t got =
                ::pread(m_fd, bytes.data() + done, size_t(count - done), off_t(offset + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                m_errno = errno;
                return {};
            }
            if (got == 0)
                break;
            done += got;
        }
        bytes.truncate(done);
        return bytes;
    }
    // Why the file could not be opened or read, as a sentence.
    QString failure() const
    {
        return QStringLiteral("%1 を読み込めません。（%2）")
            .arg(QDir::toNativeSeparators(m_path), platform::systemErrorText(m_errno));
    }
    bool failed() const { return m_errno != 0; }

private:
    int m_fd = -1;
    int m_errno = 0;
    qint64 m_size = 0;
    QString m_path;
};

// The engine's check sum of a page record: the header's random start, plus every 200th byte
// of the page counted back from 200 bytes before its end.
quint32 pageChecksum(quint32 start, const QByteArray& page)
{
    quint32 sum = start;
    for (qsizetype i = page.size() - 200; i > 0; i -= 200)
        sum += quint8(page[i]);
    return sum;
}

// One header of the journal: a journal is one or more segments, each a header padded to the
// sector size and its page records (page number, the page's image before the save, check
// sum). A header is written with its first twelve bytes zero and filled in when its
// records have reached the disk; only then may the save write those pages into the file.
struct SegmentHeader
{
    bool synced = false; // the records reached the disk; the file may hold their changes
    quint32 records = 0; // 0xFFFFFFFF: to the end of the journal
    quint32 checksumStart = 0;
    quint32 pageCountBefore = 0; // the file's size in pages before the save
    quint32 sectorSize = 0;
    quint32 pageSize = 0;
};

// The bytes of a header; nullopt when they are neither a synced header nor one not yet filled in.
std::optional<SegmentHeader> parseSegmentHeader(const QByteArray& bytes)
{
    if (bytes.size() < JournalHeaderBytes)
        return std::nullopt;
    SegmentHeader h;
    h.synced = bytes.startsWith(JournalMagic);
    if (!h.synced && bytes.left(12) != QByteArray(12, '\0'))
        return std::nullopt;
    h.records = be32(bytes.constData() + 8);
    h.checksumStart = be32(bytes.constData() + 12);
    h.pageCountBefore = be32(bytes.constData() + 16);
    h.sectorSize = be32(bytes.constData() + 20);
    h.pageSize = be32(bytes.constData() + 24);
    const bool sane = h.pageSize >= 512 && h.pageSize <= 65536 && isPowerOfTwo(h.pageSize) &&
                      h.sectorSize >= 32 && h.sectorSize <= 65536 && isPowerOfTwo(h.sectorSize) &&
                      h.pageCountBefore > 0;
    if (!sane)
        return std::nullopt;
    return h;
}

JournalProof refused(const QString& reason)
{
    return {JournalProof::Verdict::Refused, reason};
}

// The static fields of a file header: all of it but what a transaction changes (the change
// counter, the size, the free list, the schema's version and the engine's version).
bool sameStaticHeader(QByteArrayView a, QByteArrayView b)
{
    return a.size() >= 100 && b.size() >= 100 && a.first(24) == b.first(24) &&
           a.sliced(44, 48) == b.sliced(44, 48);
}

} // namespace

std::optional<FileHeader> parseFileHeader(QByteArrayView firstPage)
{
    if (firstPage.size() < 100 || !firstPage.startsWith(DatabaseMagic))
        return std::nullopt;
    const char* p = firstPage.data();
    FileHeader h;
    const quint32 size = (quint32(quint8(p[16])) << 8) | quint8(p[17]);
    h.pageSize = size == 1 ? 65536 : size;
    h.writeVersion = quint8(p[18]);
    h.readVersion = quint8(p[19]);
    h.changeCounter = be32(p + 24);
    h.pageCount = be32(p + 28);
    h.validFor = be32(p + 92);
    if (h.pageSize < 512 || !isPowerOfTwo(h.pageSize))
        return std::nullopt;
    return h;
}

std::optional<FileHeader> readFileHeader(const QString& path, QString* error)
{
    ReadOnlyFile file(path);
    const QByteArray head = file.isOpen() ? file.read(0, 100) : QByteArray();
    if (file.failed()) {
        if (error)
            *error = file.failure();
        return std::nullopt;
    }
    auto header = parseFileHeader(head);
    if (!header && error)
        *error = QStringLiteral("%1 は意見書のデータファイルではありません。")
                     .arg(QDir::toNativeSeparators(path));
    return header;
}

JournalProof proveJournal(const QString& databasePath, const QString& journalPath)
{
    ReadOnlyFile journal(journalPath);
    if (!journal.isOpen())
        return refused(journal.failure());
    if (journal.size() == 0)
        return {JournalProof::Verdict::None, {}};
    ReadOnlyFile database(databasePath);
    if (!database.isOpen())
        return refused(database.failure());
    const QByteArray head = database.read(0, 100);
    const std::optional<FileHeader> fileHeader = parseFileHeader(head);
    if (database.failed())
        return refused(database.failure());
    if (!fileHeader)
        return refused(QStringLiteral("データファイルの見出しが壊れています。"));
    const qint64 pageSize = fileHeader->pageSize;
    const qint64 recordBytes = pageSize + 8;
    const quint32 lockBytesPage = quint32(LockBytesOffset / pageSize + 1);

    const QString damaged = QStringLiteral("ジャーナルファイルの見出しが壊れています。");
    const QString cutShort = QStringLiteral("ジャーナルファイルが途中で切れています。");
    std::unordered_set<quint32> journaled;
    QByteArray firstPageBefore; // the first page's image before the save, when journaled
    QString unwrittenDiffers;   // a page the save cannot have written that the file has otherwise
    quint32 writtenBeforeFirstPage = 0; // a page of a synced segment the file has otherwise
    bool anySynced = false;
    quint32 pageCountBefore = 0;
    qint64 headerAt = 0;
    int recordNo = 0;
    for (bool first = true; headerAt < journal.size(); first = false) {
        const QByteArray bytes = journal.read(headerAt, JournalHeaderBytes);
        if (journal.failed())
            return refused(journal.failure());
        const std::optional<SegmentHeader> header = parseSegmentHeader(bytes);
        if (!header)
            return refused(bytes.size() < JournalHeaderBytes && !first ? cutShort : damaged);
        if (header->pageSize != quint32(pageSize))
            return refused(QStringLiteral("ジャーナルファイルのページサイズ（%1 バイト）が"
                                          "データファイルのページサイズ（%2 バイト）と違います。")
                               .arg(header->pageSize)
                               .arg(pageSize));
        if (first)
            pageCountBefore = header->pageCountBefore;
        else if (header->pageCountBefore != pageCountBefore)
            return refused(damaged);
        qint64 at = headerAt + header->sectorSize;
        // A segment not yet synced runs to the end of the journal; the save cannot have
        // written any of its pages into the file, which must still hold each of them as is.
        const bool toTheEnd = !header->synced || header->records == 0xFFFFFFFF;
        const qint64 count =
            toTheEnd ? std::max<qint64>(0, journal.size() - at) / recordBytes : header->records;
        for (qint64 i = 0; i < count; ++i, at += recordBytes) {
            ++recordNo;
            const QByteArray record = journal.read(at, recordBytes);
            if (journal.failed())
                return refused(journal.failure());
            if (record.size() < recordBytes)
                return refused(cutShort);
            const quint32 pageNo = be32(record.constData());
            const QByteArray image = record.mid(4, pageSize);
            if (pageNo == 0 || pageNo > pageCountBefore || pageNo == lockBytesPage)
                return refused(QStringLiteral("ジャーナルファイルに、保存前のデータファイルに"
                                              "ないページ（%1）の写しがあります。")
                                   .arg(pageNo));
            if (!journaled.insert(pageNo).second)
                return refused(QStringLiteral("ジャーナルファイルに同じページ（%1）の写しが"
                                              "二つあります。")
                                   .arg(pageNo));
            if (pageChecksum(header->checksumStart, image) !=
                be32(record.constData() + 4 + pageSize))
                return refused(
                    QStringLiteral("ジャーナルファイルの %1 番目のページの写しが壊れています。")
                        .arg(recordNo));
            if (pageNo == 1)
                firstPageBefore = image;
            // Whether the file still holds the page as it was before the save.
            const QByteArray now = database.read((pageNo - 1) * pageSize, pageSize);
            if (database.failed())
                return refused(database.failure());
            if (header->synced && now != image && writtenBeforeFirstPage == 0 && pageNo != 1)
                writtenBeforeFirstPage = pageNo;
            if (!header->synced && now != image && unwrittenDiffers.isEmpty())
                unwrittenDiffers = QStringLiteral("ジャーナルファイルの、まだ書かれていないはずの"
                                                  "ページ（%1）がデータファイルと違います。")
                                       .arg(pageNo);
        }
        anySynced = anySynced || header->synced;
        if (toTheEnd)
            break;
        headerAt = (at + header->sectorSize - 1) / header->sectorSize * header->sectorSize;
    }
    if (!anySynced) {
        if (!unwrittenDiffers.isEmpty())
            return refused(unwrittenDiffers);
        return {JournalProof::Verdict::NothingToUndo, {}};
    }

    // The journal had reached the disk, so the save may have begun to write the file. A
    // commit writes the file's first page first, its change counter one higher; only a save
    // larger than the engine's page cache writes other pages before it (and a journal of
    // another file made alike would look the same): while the first page is unwritten,
    // every page of the journal must still be the file's own.
    bool firstPageWritten = false;
    if (!firstPageBefore.isNull()) {
        const QByteArray firstPage = database.read(0, pageSize);
        if (database.failed())
            return refused(database.failure());
        const auto before = parseFileHeader(firstPageBefore);
        if (!before || (before->pageCountValid() && before->pageCount != pageCountBefore))
            return refused(damaged);
        if (firstPage != firstPageBefore) {
            const auto now = parseFileHeader(firstPage);
            if (!now || now->changeCounter != before->changeCounter + 1 ||
                !sameStaticHeader(firstPage, firstPageBefore))
                return refused(QStringLiteral("ジャーナルファイルの先頭ページの写しが"
                                              "このデータファイルのものではありません。"));
            firstPageWritten = true;
        }
    }
    if (!firstPageWritten) {
        if (writtenBeforeFirstPage != 0)
            return refused(QStringLiteral("先頭ページより前にページ（%1）が書き換えられており、"
                                          "ジャーナルファイルがこのデータファイルのものと"
                                          "確かめられません。")
                               .arg(writtenBeforeFirstPage));
        // The header as it stood before the save records the size the journal records.
        const qint64 pages = database.size() / pageSize;
        if (!fileHeader->pageCountValid() || fileHeader->pageCount != pageCountBefore ||
            pages < pageCountBefore)
            return refused(QStringLiteral("ジャーナルファイルが記録している保存前のページ数"
                                          "（%1）がデータファイルのページ数（%2）と合いません。")
                               .arg(pageCountBefore)
                               .arg(fileHeader->pageCountValid() ? fileHeader->pageCount : pages));
    }
    if (!unwrittenDiffers.isEmpty())
        return refused(unwrittenDiffers);
    return {JournalProof::Verdict::Undo, {}};
}

} // namespace db
