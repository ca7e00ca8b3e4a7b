#include "platform/lzharchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using platform::LzhExtraction;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// An archive made by jlha in `dir`: `member` holding `content`, packed under its name as
// given. "" (with the reason in `error`) when jlha cannot be run.
QString jlhaArchive(const QDir& dir, const QString& archive, const QString& member,
                    const QByteArray& content, QString* error)
{
    if (!writeAll(dir.filePath(member), content))
        return QString();
    QProcess jlha;
    jlha.setWorkingDirectory(dir.path());
    jlha.start(QStringLiteral("jlha"), {QStringLiteral("a"), archive, member});
    if (!jlha.waitForFinished(60000) || jlha.exitCode() != 0) {
        *error = QStringLiteral("jlha (package jlha-utils) could not make the archive: %1 %2")
                     .arg(jlha.errorString(), QString::fromLocal8Bit(jlha.readAllStandardError()));
        return QString();
    }
    QFile::remove(dir.filePath(member));
    return dir.filePath(archive);
}

void put16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xFF)).append(char(v >> 8));
}

void put32(QByteArray& b, quint32 v)
{
    put16(b, quint16(v & 0xFFFF));
    put16(b, quint16(v >> 16));
}

// A stored (-lh0-) member with a level-0 header, named as given, with the CRC given (or the
// right one when `crc` is negative).
QByteArray storedMember(const QByteArray& name, const QByteArray& data, int crc = -1)
{
    QByteArray h("-lh0-");
    put32(h, quint32(data.size()));
    put32(h, quint32(data.size()));
    put32(h, 0x5A6B2000);                 // a DOS time
    h.append(char(0x20)).append(char(0)); // attribute, header level 0
    h.append(char(name.size())).append(name);
    put16(h, crc < 0 ? platform::lzhCrc16(0, data.constData(), data.size()) : quint16(crc));
    quint8 sum = 0;
    for (char c : h)
        sum = quint8(sum + quint8(c));
    return QByteArray(1, char(h.size())) + char(sum) + h + data;
}

} // namespace

class LzhArchiveTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void crc16();
    void extraction_data();
    void extraction();
};

void LzhArchiveTest::crc16()
{
    // CRC-16/ARC of "123456789".
    QCOMPARE(platform::lzhCrc16(0, "123456789", 9), quint16(0xBB3D));
}

void LzhArchiveTest::extraction_data()
{
    QTest::addColumn<QString>("archive");     // its file name
    QTest::addColumn<QString>("packed");      // jlha packs this member; "" for hand-made
    QTest::addColumn<QByteArray>("handMade"); // the archive's bytes when not made by jlha
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("written"); // the file name written, when extracted

    const QByteArray csv("01101,\"0600000\"\r\n");
    QTest::newRow("jlha, lower case") << "ken_all.lzh"
                                      << "ken_all.csv" << QByteArray() << "ken_all.csv"
                                      << int(LzhExtraction::Extracted) << "ken_all.csv";
    // jlha stores names in lower case.
    QTest::newRow("upper-case archive name") << "KEN_ALL.LZH"
                                             << "KEN_ALL.CSV" << QByteArray() << "KEN_ALL.csv"
                                             << int(LzhExtraction::Extracted) << "ken_all.csv";
    // A level-0 name all in capitals is an MS-DOS name: the library gives it in lower case.
    QTest::newRow("member in another case")
        << "ken_all.lzh"
        << "" << storedMember("KEN_ALL.CSV", csv) + '\0' << "Ken_All.csv"
        << int(LzhExtraction::Extracted) << "ken_all.csv";
    QTest::newRow("member in a folder: its file name alone")
        << "x.lzh"
        << "" << storedMember("data\\x.csv", csv) + '\0' << "x.csv" << int(LzhExtraction::Extracted)
        << "x.csv";
    QTest::newRow("no member of that name")
        << "ken_all.lzh"
        << "other.csv" << QByteArray() << "ken_all.csv" << int(LzhExtraction::NoSuchMember) << "";
    QTest::newRow("a text file named .lzh") << "fake.lzh"
                                            << "" << QByteArray("01101,\"0600000\"\r\n")
                                            << "fake.csv" << int(LzhExtraction::NotAnArchive) << "";
    QTest::newRow("empty file") << "empty.lzh"
                                << "" << QByteArray() << "empty.csv"
                                << int(LzhExtraction::NotAnArchive) << "";
    QTest::newRow("hand-made, sound") << "x.lzh"
                                      << "" << storedMember("x.csv", csv) + '\0' << "x.csv"
                                      << int(LzhExtraction::Extracted) << "x.csv";
    QTest::newRow("member ../x.csv") << "x.lzh"
                                     << "" << storedMember("../x.csv", csv) + '\0' << "x.csv"
                                     << int(LzhExtraction::UnsafeName) << "";
    QTest::newRow("member ..\\x.csv") << "x.lzh"
                                      << "" << storedMember("..\\x.csv", csv) + '\0' << "x.csv"
                                      << int(LzhExtraction::UnsafeName) << "";
    QTest::newRow("member with an absolute path")
        << "x.lzh"
        << "" << storedMember("/tmp/x.csv", csv) + '\0' << "x.csv" << int(LzhExtraction::UnsafeName)
        << "";
    QTest::newRow("unsafe name after the wanted member")
        << "x.lzh"
        << "" << storedMember("x.csv", csv) + storedMember("../../y.csv", csv) + '\0' << "x.csv"
        << int(LzhExtraction::UnsafeName) << "";
    QTest::newRow("CRC mismatch") << "x.lzh"
                                  << "" << storedMember("x.csv", csv, 0x1234) + '\0' << "x.csv"
                                  << int(LzhExtraction::CrcMismatch) << "";
    QTest::newRow("data cut short") << "x.lzh"
                                    << "" << storedMember("x.csv", csv).chopped(3) << "x.csv"
                                    << int(LzhExtraction::CrcMismatch) << "";
}

void LzhArchiveTest::extraction()
{
    QFETCH(QString, archive);
    QFETCH(QString, packed);
    QFETCH(QByteArray, handMade);
    QFETCH(QString, wanted);
    QFETCH(int, outcome);
    QFETCH(QString, written);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir top(root.path());
    QVERIFY(top.mkpath(QStringLiteral("a/b")));
    const QDir folder(top.filePath(QStringLiteral("a/b")));
    // A list long enough for jlha to compress it.
    QByteArray content;
    for (int i = 0; i < 3000; ++i)
        content += QStringLiteral("01101,\"060  \",\"%1\",\"北海道\"\r\n")
                       .arg(600000 + i * 7, 7, 10, QChar(u'0'))
                       .toUtf8();
    QString path;
    if (packed.isEmpty()) {
        path = folder.filePath(archive);
        QVERIFY(writeAll(path, handMade));
        content = "01101,\"0600000\"\r\n";
    } else {
        QString error;
        path = jlhaArchive(folder, archive, packed, content, &error);
        QVERIFY2(!path.isEmpty(), qPrintable(error));
    }

    const LzhExtraction result = platform::extractLzhMember(path, wanted, folder.path());
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(platform::isLzhArchive(path), outcome != LzhExtraction::NotAnArchive);
    QStringList expected{archive};
    if (!written.isEmpty()) {
        QCOMPARE(result.path, folder.filePath(written));
        QCOMPARE(readAll(result.path), content);
        expected << written;
    } else {
        QVERIFY(!result.error.isEmpty());
    }
    // Nothing else is written, in the folder (no temporary file left) or above it.
    expected.sort();
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), expected);
    QCOMPARE(top.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("a")});
    QCOMPARE(QDir(top.filePath(QStringLiteral("a")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("b")});
}

QTEST_GUILESS_MAIN(LzhArchiveTest)
#include "tst_lzharchive.moc"
