#include "import/cp932.h"
#include "import/postcodelist.h"
#include "postcodefixture.h"

#include <QtTest>

using PostCodeFixture::cp932;
using PostCodeFixture::record;

namespace {

// A line of 15 fields: code, then the three address fields, the rest filled in.
QString line15(const QString& code, const QString& prefecture, const QString& city,
               const QString& town)
{
    return QStringLiteral("01101,060  ,%1,ﾎｯｶｲﾄﾞｳ,ｻｯﾎﾟﾛｼ,ﾁｭｳｵｳ,%2,%3,%4,0,0,0,0,0,0\r\n")
        .arg(code, prefecture, city, town);
}

} // namespace

class PostCodeListTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void records_data();
    void records();
    void codePage932_data();
    void codePage932();
};

void PostCodeListTest::records_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows"); // "code|address", the rows handed over
    QTest::addColumn<bool>("complete");

    const QString sapporo =
        record(QStringLiteral("0600000"), QStringLiteral("北海道"), QStringLiteral("札幌市中央区"),
               QStringLiteral("以下に掲載がない場合"));
    const QString odori =
        record(QStringLiteral("0600042"), QStringLiteral("北海道"), QStringLiteral("札幌市中央区"),
               QStringLiteral("大通西（１～１９丁目）"));
    const QStringList both{QStringLiteral("0600000 |北海道札幌市中央区"),
                           QStringLiteral("0600042 |北海道札幌市中央区大通西（１～１９丁目）")};

    QTest::newRow("published layout, two records") << sapporo + odori << both << true;
    QTest::newRow("quoted comma kept")
        << record(QStringLiteral("9960301"), QStringLiteral("山形県"), QStringLiteral("最上郡"),
                  QStringLiteral("大蔵村,肘折"))
        << QStringList{QStringLiteral("9960301 |山形県最上郡大蔵村,肘折")} << true;
    QTest::newRow("blanks before unquoted fields skipped")
        << line15(QStringLiteral("  1000001"), QStringLiteral(" 東京都"),
                  QStringLiteral("\t千代田区"), QStringLiteral("   千代田"))
        << QStringList{QStringLiteral("1000001 |東京都千代田区千代田")} << true;
    QTest::newRow("blanks before a quoted field skipped")
        << line15(QStringLiteral(" \"1000001\""), QStringLiteral("東京都"),
                  QStringLiteral("千代田区"), QStringLiteral("千代田"))
        << QStringList{QStringLiteral("1000001 |東京都千代田区千代田")} << true;
    QTest::newRow("code padded to 8")
        << line15(QStringLiteral("123"), QStringLiteral("A"), QString(), QString())
        << QStringList{QStringLiteral("123     |A")} << true;
    QTest::newRow("code cut at 8")
        << line15(QStringLiteral("\"0600000123\""), QStringLiteral("A"), QString(), QString())
        << QStringList{QStringLiteral("06000001|A")} << true;
    QTest::newRow("empty code is 8 blanks")
        << line15(QString(), QStringLiteral("A"), QString(), QString())
        << QStringList{QStringLiteral("        |A")} << true;
    QTest::newRow("marker removed only at the end")
        << line15(QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("以下に掲載がない場合"),
                  QStringLiteral("B")) +
               line15(QStringLiteral("2"), QStringLiteral("A"), QStringLiteral("B"),
                      QStringLiteral("C以下に掲載がない場合"))
        << QStringList{QStringLiteral("1       |A以下に掲載がない場合B"),
                       QStringLiteral("2       |ABC")}
        << true;
    QTest::newRow("doubled quote inside quotes")
        << line15(QStringLiteral("1"), QStringLiteral("\"A\"\"B\""), QString(), QString())
        << QStringList{QStringLiteral("1       |A\"B")} << true;
    QTest::newRow("LF and lone CR line ends, empty lines passed over")
        << QString(sapporo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) +
               QStringLiteral("\r\n\n") +
               QString(odori).replace(QStringLiteral("\r\n"), QStringLiteral("\r"))
        << both << true;
    QTest::newRow("last record without a line end") << sapporo + odori.chopped(2) << both << true;
    QTest::newRow("empty file") << QString() << QStringList() << true;

    // Bad records: reading stops there; the rows before were handed over.
    QTest::newRow("14 fields on a line")
        << sapporo + QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n") + odori
        << both.mid(0, 1) << false;
    QTest::newRow("16 fields on a line")
        << sapporo + odori.chopped(2) + QStringLiteral(",16\r\n") << both.mid(0, 1) << false;
    QTest::newRow("truncated last record")
        << sapporo + odori.left(odori.indexOf(QStringLiteral("大通"))) << both.mid(0, 1) << false;
    QTest::newRow("truncated inside quotes")
        << sapporo + odori.left(odori.indexOf(QStringLiteral("１～"))) << both.mid(0, 1) << false;
    QTest::newRow("line end inside quotes")
        << QString(odori).replace(QStringLiteral("大通西"), QStringLiteral("大通\r\n西"))
        << QStringList() << false;
    QTest::newRow("text after a closing quote")
        << QString(odori).replace(QStringLiteral("\"北海道\""), QStringLiteral("\"北海\"道"))
        << QStringList() << false;
}

void PostCodeListTest::records()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(bool, complete);
    const QByteArray bytes = cp932(text);
    QVERIFY(bytes.size() >= text.size());
    QStringList got;
    QString error;
    const bool ok = import::readPostCodeList(
        bytes,
        [&got](const import::PostCodeRow& row) {
            got << row.code + u'|' + row.address;
            return true;
        },
        &error);
    QCOMPARE(got, rows);
    QCOMPARE(ok, complete);
    QCOMPARE(error.isEmpty(), complete);
}

void PostCodeListTest::codePage932_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // "" with `valid` false
    QTest::addColumn<bool>("valid");

    QTest::newRow("circled one, wave dash, minus, 髙")
        << QByteArray("\x87\x40\x81\x60\x81\x7c\xfb\xfc") << QStringLiteral("①～－髙") << true;
    QTest::newRow("ASCII, backslash and tilde as they are")
        << QByteArray("a\\~") << QStringLiteral("a\\~") << true;
    QTest::newRow("half-width kana") << QByteArray("\xb1\xdd") << QStringLiteral("ｱﾝ") << true;
    QTest::newRow("NEC selected (ⅰ) and IBM extension (纊)")
        << QByteArray("\xee\xef\xfa\x5c") << QStringLiteral("ⅰ纊") << true;
    QTest::newRow("trail byte out of range") << QByteArray("a\x81\x20z") << QString() << false;
    QTest::newRow("unassigned pair") << QByteArray("\x85\x40") << QString() << false;
    QTest::newRow("byte of no character") << QByteArray("\xa0") << QString() << false;
    QTest::newRow("lead byte at the end") << QByteArray("ab\x88") << QString() << false;
    QTest::newRow("UTF-8 text") << QByteArray("\xe5\x8c\x97\xe6\xb5\xb7\xe9\x81\x93") << QString()
                                << false;
}

void PostCodeListTest::codePage932()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QString out = QStringLiteral("old");
    QCOMPARE(import::decodeCp932(bytes, out), valid);
    QCOMPARE(out, text);

    // A record holding them: stored as decoded, or the file fails.
    const QByteArray line = "1,2,3,4,5,6,\"" + bytes + "\",,,0,0,0,0,0,0\r\n";
    QString stored;
    const bool ok = import::readPostCodeList(line, [&](const import::PostCodeRow& row) {
        stored = row.address;
        return true;
    });
    QCOMPARE(ok, valid);
    QCOMPARE(stored, text);
}

QTEST_GUILESS_MAIN(PostCodeListTest)
#include "tst_postcodelist.moc"
