#include "record/wrapforprint.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <iterator>

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

// Whether every paragraph of the text is measured by character advances.
bool allByAdvances(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\\r\\n|\\r|\\n"));
    const QStringList paragraphs = text.split(lineEnd);
    return std::all_of(paragraphs.begin(), paragraphs.end(),
                       [](const QString& p) { return record::detail::WrapsByAdvances(p); });
}

// Text typed into the long-text boxes, drawn at random from what a physician types: kana and
// kanji, full-width digits, letters and punctuation, ASCII words and signs, half-width katakana,
// blanks of both widths.
class TypedText
{
public:
    explicit TypedText(quint32 seed) : m_random(seed) {}

    QString paragraph()
    {
        QString text;
        const int tokens = m_random.bounded(0, 40);
        for (int t = 0; t < tokens; ++t)
            text += token();
        return text;
    }

private:
    QString token()
    {
        static const QString groups[] = {
            QStringLiteral(
                "あいうえおかがきくけこさしすせそただちつてとなにぬねのはばぱひふへほまみ"
                "むめもやゆよらりるれろわをん"),
            QStringLiteral("アイウエオカガキクケコサシスセソタチツテトナニヌネノハバパヒフヘホマミ"
                           "ムメモヤユヨラリルレロワヲンヴー"),
            QStringLiteral("ぁぃぅぇぉっゃゅょァィゥェォッャュョヵヶ"),
            QStringLiteral("日中独居見守必要服薬管理家族行状態続病院診療認知症歩困難食事入浴排泄介"
                           "助車椅子転倒骨折高血圧糖尿心不全脳梗塞後遺麻痺々〆"),
            QStringLiteral("０１２３４５６７８９ＡＢＣＤＥＦａｂｃ"),
            QStringLiteral("。、「」『』（）・：；？！～…‥〜×÷±℃％＋－＝＜＞"),
            QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"),
            QStringLiteral("0123456789"),
            QStringLiteral(".,;:!?()[]{}'\"-/%+=<>@#&*_~^|$"),
            QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝﾞﾟｧｨｩｪｫｯｬｭｮｰ｡｢｣､･"),
            QStringLiteral(" "),
            QStringLiteral("　"),
        };
        const QString& group = groups[m_random.bounded(int(std::size(groups)))];
        // Now and then a long run: a word or a blank stretch wider than the box.
        const int length =
            m_random.bounded(20) == 0 ? m_random.bounded(40, 120) : m_random.bounded(1, 12);
        QString token;
        for (int i = 0; i < length; ++i)
            token += group.at(m_random.bounded(int(group.size())));
        return token;
    }

    QRandomGenerator m_random;
};

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

    // The copy measured by character advances is the copy the text layout makes, up to the
    // last character; paragraphs it cannot measure go to the layout.
    void sameAsLayout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("byAdvances");

        const QString a = QStringLiteral("あ");
        const QString h = QStringLiteral("a");
        const auto row = [](const char* name, const QString& text, bool byAdvances = true) {
            QTest::newRow(name) << text << byAdvances;
        };
        row("empty", QString());
        row("full-width line full", a.repeated(44));
        row("full-width one over", a.repeated(45));
        row("half-width line full", h.repeated(89));
        row("half-width one over", h.repeated(90));
        row("half-width then a full-width one over", h.repeated(88) + a);
        row("half and full-width interleaved", QStringLiteral("aあ").repeated(70));
        row("blanks at the wrap point", a.repeated(44) + QStringLiteral("   い"));
        row("ideographic blank at the wrap point", a.repeated(44) + QStringLiteral("　い"));
        row("blank just past a full half-width line", h.repeated(89) + QStringLiteral(" b"));
        row("word one over after a blank", QStringLiteral("abcdefghi ").repeated(9));
        row("blanks wider than the line",
            QStringLiteral(" ").repeated(100) + QStringLiteral("abc"));
        row("blanks wider than the line after a word",
            QStringLiteral("abc") + QStringLiteral("　").repeated(50) + QStringLiteral("def"));
        row("blanks wider than the line at the end",
            QStringLiteral("abc") + QStringLiteral(" ").repeated(120));
        row("leading blanks then a long word", QStringLiteral("   ") + h.repeated(100));
        row("long word after a short one",
            QStringLiteral("abc ") + QStringLiteral("x").repeated(200) + QStringLiteral(" def"));
        row("long word with blanks behind it",
            QStringLiteral("y").repeated(150) + QStringLiteral("   z"));
        row("digits with separators", QStringLiteral("1,234,567.89 ").repeated(12));
        row("address-like run", QStringLiteral("http://example.jp/a/b?c=d&e=f#g").repeated(5));
        for (const char* mark : {"。", "、", "」", "）", "ー", "ゃ", "ッ", "…", "！", "々"}) {
            const QString m = QString::fromUtf8(mark);
            QTest::addRow("%s may not start a line", mark) << a.repeated(44) + m + a << true;
            QTest::addRow("%s twice at the edge", mark) << a.repeated(43) + m + m + a << true;
        }
        row("opening bracket at the line end", a.repeated(43) + QStringLiteral("「いう」"));
        row("half-width kana with sound marks at the edge",
            QStringLiteral("ｱ").repeated(88) + QStringLiteral("ｶﾞｷﾞ"));
        row("half-width sound marks in a run without break", QStringLiteral("ｶﾞ").repeated(60) +
                                                                 QStringLiteral(" ") +
                                                                 QStringLiteral("ﾊﾟ").repeated(50));
        row("half-width sound mark after blanks at the edge", QStringLiteral("ｱ").repeated(89) +
                                                                  QStringLiteral("  ﾟｲ ﾞ") +
                                                                  QStringLiteral("ｲ").repeated(80));
        row("half-width sound mark opening a paragraph", QStringLiteral("ﾞ").repeated(100));
        row("ASCII words among kana",
            QStringLiteral(
                "本日はCT検査とMRI検査を実施。 Blood pressure 120/80 mmHg、脈拍 72 bpm。")
                .repeated(4));
        row("line ends of every kind and empty paragraphs",
            a.repeated(50) + QStringLiteral("\r\n\r\n") + h.repeated(95) + QStringLiteral("\r") +
                QStringLiteral("い\n\nう\r\n"));
        row("longest paragraph measured by advances", QStringLiteral("あいう　abc ").repeated(500));
        row("longer paragraph", QStringLiteral("あいう　abc ").repeated(500) + a, false);
        row("tab", QStringLiteral("項目\t内容").repeated(10), false);
        row("surrogate pair", QStringLiteral("𠀋").repeated(50), false);
        row("combining sound mark", QStringLiteral("か\u3099").repeated(50), false);
        row("no-break space", QStringLiteral("abc\u00a0def ").repeated(20), false);
        row("soft hyphen", QStringLiteral("abc\u00addef").repeated(20), false);
        row("Hangul", QStringLiteral("한국어 ").repeated(30), false);
        row("Arabic", QStringLiteral("مرحبا ").repeated(30), false);
    }
    void sameAsLayout()
    {
        QFETCH(QString, text);
        QFETCH(bool, byAdvances);
        QCOMPARE(allByAdvances(text), byAdvances);
        QCOMPARE(record::WrapForPrint(text), record::detail::WrapForPrintByLayout(text));
    }

    void sameAsLayoutForTypedText()
    {
        TypedText typed(20261211);
        int byAdvances = 0;
        constexpr int Paragraphs = 3000;
        for (int i = 0; i < Paragraphs; ++i) {
            const QString text = typed.paragraph();
            byAdvances += record::detail::WrapsByAdvances(text);
            const QString copy = record::WrapForPrint(text);
            const QString expected = record::detail::WrapForPrintByLayout(text);
            if (copy != expected)
                QFAIL(qPrintable(QStringLiteral("paragraph %1: \"%2\"\n got \"%3\"\n want \"%4\"")
                                     .arg(i)
                                     .arg(text, copy, expected)));
        }
        QCOMPARE(byAdvances, Paragraphs);
    }

    // Every character that is measured by its advance wraps as in the layout, alone and among
    // full-width and half-width neighbours.
    void everyMeasuredCharacterSameAsLayout()
    {
        int measured = 0;
        for (char32_t u = 0; u < 0x10000; ++u) {
            const QString c{QChar(char16_t(u))};
            if (!record::detail::WrapsByAdvances(c))
                continue;
            ++measured;
            for (const QString& text : {c.repeated(100), (QStringLiteral("あ") + c).repeated(40),
                                        (QStringLiteral("ab") + c).repeated(40)}) {
                const QString expected = record::detail::WrapForPrintByLayout(text);
                if (record::WrapForPrint(text) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral("U+%1 in \"%2\"").arg(u, 4, 16, QChar(u'0')).arg(text)));
            }
        }
        QVERIFY(measured > 5000);
    }
};

QTEST_MAIN(WrapForPrintTest)
#include "tst_wrapforprint.moc"
