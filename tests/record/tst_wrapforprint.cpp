#include "record/wrapforprint.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QtTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString repeat(const QString& s, int n)
{
    return s.repeated(n);
}

// The sheet prints a print copy line by line in ＭＳ 明朝 10.5 pt (IPAMincho), from x 1245 inside
// the frame of section 1 (right edge 10770) and from x 12990 inside the frame of section 5
// (right edge 22590): each line must fit the narrower of the two.
constexpr double SheetLineRoom = 10770 - 1245;

QFont sheetFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")});
    font.setPixelSize(210); // 10.5 pt in twips
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

class WrapForPrintTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boxFontIsIpaGothic()
    {
        QCOMPARE(QFontInfo(record::LongTextBoxFont()).family(), QStringLiteral("IPAGothic"));
    }

    void wraps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("copy");

        const QString a = QStringLiteral("あ");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("short lines stay")
            << QStringLiteral("短い行\r\n二行目") << QStringLiteral("短い行\r\n二行目");
        QTest::newRow("typed empty lines stay")
            << QStringLiteral("一\r\n\r\n\r\n二\r\n") << QStringLiteral("一\r\n\r\n\r\n二\r\n");
        QTest::newRow("44 full-width fill one line") << repeat(a, 44) << repeat(a, 44);
        QTest::newRow("45 full-width break after 44") << repeat(a, 45) << repeat(a, 44) + CrLf + a;
        QTest::newRow("long line breaks every 44")
            << repeat(a, 100) << repeat(a, 44) + CrLf + repeat(a, 44) + CrLf + repeat(a, 12);
        QTest::newRow("89 half-width fill one line")
            << repeat(QStringLiteral("1"), 89) << repeat(QStringLiteral("1"), 89);
        QTest::newRow("90 half-width without blanks break anywhere")
            << repeat(QStringLiteral("1"), 90)
            << repeat(QStringLiteral("1"), 89) + CrLf + QStringLiteral("1");
        QTest::newRow("full line then typed line end: not doubled")
            << repeat(a, 44) + CrLf + QStringLiteral("い")
            << repeat(a, 44) + CrLf + QStringLiteral("い");
        QTest::newRow("wrapped line then typed line end")
            << repeat(a, 45) + CrLf + QStringLiteral("い")
            << repeat(a, 44) + CrLf + a + CrLf + QStringLiteral("い");
        QTest::newRow("words wrap at the blank, which stays on the line")
            << repeat(QStringLiteral("abcdefghi "), 8) + QStringLiteral("abcdefghijk")
            << repeat(QStringLiteral("abcdefghi "), 8) + CrLf + QStringLiteral("abcdefghijk");
        QTest::newRow("lone line feed kept as typed")
            << QStringLiteral("一\n二") << QStringLiteral("一\n二");
    }
    void wraps()
    {
        QFETCH(QString, text);
        QFETCH(QString, copy);
        QCOMPARE(record::WrapForPrint(text), copy);
    }

    // Whatever the text, the copy holds it whole and only adds line ends; no line end lands
    // inside a surrogate pair; every line fits the sheet.
    void copyKeepsTextAndFitsSheet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("surrogate pairs") << QStringLiteral("𠀋𡈽𡌛𡑮𡢽").repeated(20);
        QTest::newRow("mixed widths") << QStringLiteral("ｶﾀｶﾅとABC、漢字。123 word ").repeated(30);
        QTest::newRow("long words")
            << QStringLiteral("Pneumonoultramicroscopicsilicovolcanoconiosis ").repeated(8);
        QString remarks;
        for (int i = 0; i < 40; ++i)
            remarks += QStringLiteral("%1行目：日中独居のため見守りが必要。服薬管理は家族が行ってい"
                                      "る状態が続いている。\r\n")
                           .arg(i);
        QTest::newRow("forty lines of remarks") << remarks;
    }
    void copyKeepsTextAndFitsSheet()
    {
        QFETCH(QString, text);
        const QString copy = record::WrapForPrint(text);
        QString stripped = copy;
        QCOMPARE(stripped.remove(CrLf), QString(text).remove(CrLf));
        QVERIFY(copy.count(CrLf) >= text.count(CrLf));
        const QStringList lines = copy.split(CrLf);
        QVERIFY(lines.size() >= text.count(CrLf) + 1);
        const QFontMetricsF sheet(sheetFont());
        for (const QString& line : lines) {
            QVERIFY2(line.isEmpty() || !line.front().isLowSurrogate(), qPrintable(line));
            QVERIFY2(line.isEmpty() || !line.back().isHighSurrogate(), qPrintable(line));
            QVERIFY2(sheet.horizontalAdvance(line.trimmed()) <= SheetLineRoom, qPrintable(line));
        }
    }
};

QTEST_MAIN(WrapForPrintTest)
#include "tst_wrapforprint.moc"
