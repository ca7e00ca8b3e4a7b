#include "platform/lzharchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <lhasa.h>

#include <array>
#include <cstdio>
#include <memory>

namespace platform {

namespace {

const std::array<quint16, 256>& crcTable()
{
    static const std::array<quint16, 256> table = [] {
        std::array<quint16, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
            t[i] = quint16(c);
        }
        return t;
    }();
    return table;
}

// The archive open for reading, closed with the object.
class Reader
{
public:
    explicit Reader(const QString& path)
    {
        m_file = std::fopen(QFile::encodeName(path).constData(), "rb");
        if (!m_file)
            return;
        m_stream = lha_input_stream_from_FILE(m_file);
        if (m_stream)
            m_reader = lha_reader_new(m_stream);
    }
    ~Reader()
    {
        if (m_reader)
            lha_reader_free(m_reader);
        if (m_stream)
            lha_input_stream_free(m_stream);
        if (m_file)
            std::fclose(m_file);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool isOpen() const { return m_reader != nullptr; }
    LHAFileHeader* next() { return lha_reader_next_file(m_reader); }
    size_t read(void* buffer, size_t size) { return lha_reader_read(m_reader, buffer, size); }

private:
    FILE* m_file = nullptr;
    LHAInputStream* m_stream = nullptr;
    LHAReader* m_reader = nullptr;
};

// A name stored in an archive: code page 932 as a Japanese system writes it.
QString nameText(const char* bytes)
{
    if (!bytes)
        return QString();
    QStringDecoder decoder("Shift_JIS", QStringDecoder::Flag::Stateless);
    QString name = decoder.decode(QByteArrayView(bytes));
    if (decoder.hasError())
        name = QString::fromLatin1(bytes);
    return name;
}

// The member's whole stored name, its folders and its file name, with both kinds of
// separator as "/".
QString storedName(const LHAFileHeader& header)
{
    QString name = nameText(header.path);
    if (header.filename) {
        if (!name.isEmpty() && !name.endsWith(u'/'))
            name += u'/';
        name += nameText(header.filename);
    }
    name.replace(u'\\', u'/');
    return name;
}

bool isUnsafeName(QByteArrayView name)
{
    // Separators as archivers write them: "/", "\" and the 0xFF of directory headers.
    if (name.isEmpty())
        return false;
    const auto isSeparator = [](char c) { return c == '/' || c == '\\' || c == char(0xFF); };
    if (isSeparator(name[0]))
        return true;
    if (name.size() >= 2 && name[1] == ':')
        return true; // a drive letter
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !isSeparator(name[i]))
            continue;
        if (name.sliced(start, i - start) == "..")
            return true;
        start = i + 1;
    }
    return false;
}

// Whether the member's names as the header stores them are unsafe. The library reads them
// with ".." taken out and makes an absolute name relative; the stored bytes are what a
// packer meant, and such an archive is refused whole.
bool hasUnsafeStoredName(const LHAFileHeader& header)
{
    const auto* raw = reinterpret_cast<const char*>(header.raw_data);
    const qsizetype size = qsizetype(header.raw_data_len);
    if (!raw)
        return false;
    const auto byte = [&](qsizetype i) -> unsigned { return i < size ? quint8(raw[i]) : 0u; };
    qsizetype ext = -1; // the first extended header
    int widthOfSize = 2;
    if (header.header_level == 0 || header.header_level == 1) {
        const qsizetype length = qsizetype(byte(21));
        if (22 + length > size)
            return false;
        if (isUnsafeName(QByteArrayView(raw + 22, length)))
            return true;
        if (header.header_level == 1)
            ext = 22 + length + 2 + 1; // the name, its CRC, the OS byte
    } else if (header.header_level == 2) {
        ext = 24;
    } else if (header.header_level == 3) {
        ext = 28;
        widthOfSize = 4;
    }
    if (ext < 0)
        return false;
    // Each extended header: its size (which counts itself and its type), its type, its data.
    qsizetype next = ext;
    while (next + widthOfSize <= size) {
        qsizetype length = 0;
        for (int k = widthOfSize - 1; k >= 0; --k)
            length = (length << 8) | qsizetype(byte(next + k));
        if (length == 0)
            break;
        const qsizetype at = next + widthOfSize;
        const qsizetype dataLength = length - widthOfSize - 1;
        if (dataLength < 0 || at + 1 + dataLength > size)
            break;
        const unsigned type = byte(at);
        if ((type == 1 || type == 2) && isUnsafeName(QByteArrayView(raw + at + 1, dataLength)))
            return true;
        next = at + 1 + dataLength;
    }
    return false;
}

QString fileNameOf(const QString& storedName)
{
    return storedName.mid(storedName.lastIndexOf(u'/') + 1);
}

} // namespace

quint16 lzhCrc16(quint16 crc, const char* data, qsizetype size)
{
    const auto& table = crcTable();
    for (qsizetype i = 0; i < size; ++i)
        crc = quint16((crc >> 8) ^ table[(crc ^ quint8(data[i])) & 0xFF]);
    return crc;
}

bool isLzhArchive(const QString& path)
{
    Reader reader(path);
    return reader.isOpen() && reader.next() != nullptr;
}

LzhExtraction extractLzhMember(const QString& archivePath, const QString& memberName,
                               const QString& folder)
{
    LzhExtraction result;
    const auto fail = [&](LzhExtraction::Outcome outcome, const QString& error) {
        result.outcome = outcome;
        result.path.clear();
        result.error = error;
        return result;
    };
    Reader reader(archivePath);
    LHAFileHeader* header = reader.isOpen() ? reader.next() : nullptr;
    if (!header)
        return fail(LzhExtraction::NotAnArchive,
                    QStringLiteral("%1 は LZH 書庫ではありません。").arg(archivePath));

    std::unique_ptr<QTemporaryFile> extracted;
    QString extractedName;
    for (; header; header = reader.next()) {
        const QString name = storedName(*header);
        if (hasUnsafeStoredName(*header))
            return fail(LzhExtraction::UnsafeName,
                        QStringLiteral("書庫のファイル名 %1 は使えません。").arg(name));
        const QString fileName = fileNameOf(name);
        if (extracted || !header->filename || header->symlink_target ||
            fileName.compare(memberName, Qt::CaseInsensitive) != 0)
            continue;
        extracted = std::make_unique<QTemporaryFile>(
            QDir(folder).filePath(QStringLiteral(".%1.XXXXXX").arg(fileName)));
        if (!extracted->open())
            return fail(LzhExtraction::WriteFailed, extracted->errorString());
        quint16 crc = 0;
        size_t length = 0;
        char buffer[65536];
        while (const size_t n = reader.read(buffer, sizeof buffer)) {
            crc = lzhCrc16(crc, buffer, qsizetype(n));
            length += n;
            if (extracted->write(buffer, qint64(n)) != qint64(n))
                return fail(LzhExtraction::WriteFailed, extracted->errorString());
        }
        if (crc != header->crc || length != header->length)
            return fail(LzhExtraction::CrcMismatch,
                        QStringLiteral("書庫の %1 が壊れています。").arg(name));
        if (!extracted->flush())
            return fail(LzhExtraction::WriteFailed, extracted->errorString());
        extractedName = fileName;
    }
    if (!extracted)
        return fail(LzhExtraction::NoSuchMember,
                    QStringLiteral("書庫に %1 がありません。").arg(memberName));
    const QString target = QDir(folder).filePath(extractedName);
    // rename() replaces the name itself (a link of that name included), never what it
    // points to.
    if (std::rename(QFile::encodeName(extracted->fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        return fail(LzhExtraction::WriteFailed,
                    QStringLiteral("%1 を書き込めません。").arg(target));
    extracted->setAutoRemove(false);
    result.outcome = LzhExtraction::Extracted;
    result.path = target;
    return result;
}

} // namespace platform
