#include "common/fontsubstitution.h"
#include "sheet/printlines.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheettexts.h"
#include "sheetdata/sheetlayout.h"

#include <QtTest>

#include <array>

using sheet::RecordedOp;
using sheet::RecordingTarget;

namespace {

using FormText = std::array<QString, sheetdata::TextSlotCount>;

struct Printed
{
    QString text;
    double x;
    double y;
    QString font;
    double size;
};

QList<Printed> printed(const RecordingTarget& target)
{
    QList<Printed> list;
    for (const RecordedOp& op : target.ops(RecordedOp::Text))
        list.append({op.text, op.x1, op.y1, op.state.fontName, op.state.fontSize});
    return list;
}

} // namespace

class SheetTextsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void printLines_data();
    void printLines();
    void placeByLength_data();
    void placeByLength();
    void valuesStayInsideTheirBoxes_data();
    void valuesStayInsideTheirBoxes();
    void slotFonts_data();
    void slotFonts();
    void pageTwoTextsInProportionalMincho();
    void headerOnlyWithPageHead();
    void secondA4SheetShift();
    void emptyOnsetDatesLookLikeTheTemplate();
    void fontsLeftBehind();
};

void SheetTextsTest::printLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one line") << u"山田"_qs << QStringList{u"山田"_qs};
    QTest::newRow("two lines") << u"東京都\r\n杉並区"_qs << QStringList{u"東京都"_qs, u"杉並区"_qs};
    QTest::newRow("CR LF at the end") << u"東京都\r\n"_qs << QStringList{u"東京都"_qs};
    QTest::newRow("empty line between")
        << u"上\r\n\r\n下"_qs << QStringList{u"上"_qs, QString(), u"下"_qs};
    QTest::newRow("lone LF is no line end") << u"上\n下"_qs << QStringList{u"上\n下"_qs};
}

void SheetTextsTest::printLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    RecordingTarget target;
    target.setFont(u"ＭＳ 明朝"_qs, 10.5);
    sheet::PrintLines(target, text, 1245, 8850);
    const QList<Printed> out = printed(target);
    QCOMPARE(out.size(), lines.size());
    const double lineHeight = 10.5 * 20;
    for (qsizetype i = 0; i < out.size(); ++i) {
        QCOMPARE(out[i].text, lines[i]);
        QCOMPARE(out[i].x, 1245.0);
        QCOMPARE(out[i].y, 8850 + i * lineHeight);
    }
    QCOMPARE(target.currentY(), 8850 + lines.size() * lineHeight);
    if (!lines.isEmpty())
        QCOMPARE(target.currentX(), 0.0);
}

void SheetTextsTest::placeByLength_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::newRow("5 of length 1") << 5 << u"3"_qs << 7455;
    QTest::newRow("5 of length 2") << 5 << u"03"_qs << 7575;
    QTest::newRow("5 of length 4") << 5 << u"0123"_qs << 7575;
    QTest::newRow("5 of length 5") << 5 << u"01234"_qs << 7455;
    QTest::newRow("6 of length 2") << 6 << u"12"_qs << 8235;
    QTest::newRow("6 of length 3") << 6 << u"123"_qs << 8110;
    QTest::newRow("6 of length 4") << 6 << u"1234"_qs << 8110;
    QTest::newRow("6 of length 5 is printed") << 6 << u"12345"_qs << 8110;
    QTest::newRow("8 of length 2") << 8 << u"03"_qs << 7490;
    QTest::newRow("8 of length 1") << 8 << u"3"_qs << 7370;
    QTest::newRow("9 of length 1") << 9 << u"1"_qs << 8130;
    QTest::newRow("9 of length 6 is printed") << 9 << u"123456"_qs << 8010;
    QTest::newRow("26 of length 2") << 26 << u"12"_qs << 8745;
    QTest::newRow("26 of length 5") << 26 << u"12345"_qs << 8655;
    QTest::newRow("26 counts characters") << 26 << u"𠮷𠮷"_qs << 8745;
    QTest::newRow("67 height 165") << 67 << u"165"_qs << 15750;
    QTest::newRow("67 height 16.5") << 67 << u"16.5"_qs << 15660;
    QTest::newRow("68 weight 55") << 68 << u"55"_qs << 17250;
    QTest::newRow("68 weight 105") << 68 << u"105"_qs << 17160;
}

void SheetTextsTest::placeByLength()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(int, x);
    FormText formText;
    formText[slot] = text;
    formText[slot == 6 ? 7 : slot + 1] = u"9999"_qs;
    RecordingTarget target;
    if (slot < sheetdata::Page2FirstSlot)
        sheet::DrawData1(target, 0, 0, formText);
    else
        sheet::DrawData2(target, 0, 0, formText, false);
    const QList<Printed> out = printed(target);
    QCOMPARE(out.size(), 2);
    QCOMPARE(out[0].text, text);
    QCOMPARE(out[0].x, double(x));
}

void SheetTextsTest::valuesStayInsideTheirBoxes_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("height 165.5") << 67 << u"165.5"_qs << 15630 << 16155;
    QTest::newRow("height 148.5") << 67 << u"148.5"_qs << 15630 << 16155;
    QTest::newRow("weight 105.5") << 68 << u"105.5"_qs << 17070 << 17595;
    QTest::newRow("weight 42.25") << 68 << u"42.25"_qs << 17070 << 17595;
}

// Digits wider than the layout was made for move the value left or set it smaller, never out
// of its box.
void SheetTextsTest::valuesStayInsideTheirBoxes()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(int, left);
    QFETCH(int, right);
    FormText formText;
    formText[slot] = text;
    RecordingTarget target;
    sheet::DrawData2(target, 0, 0, formText, false);
    const QList<RecordedOp> out = target.ops(RecordedOp::Text);
    QCOMPARE(out.size(), 1);
    QCOMPARE(out[0].text, text);
    target.setFont(u"ＭＳ Ｐ明朝"_qs, out[0].state.fontSize);
    const double width = target.textWidth(text);
    QVERIFY(out[0].x1 > left);
    QVERIFY(out[0].x1 + width < right);
    QVERIFY(out[0].x1 < (slot == 67 ? 15660 : 17160));
}

void SheetTextsTest::slotFonts_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("size");
    QTest::newRow("writing year") << 0 << QPoint(9360, 1860) << u"ＭＳ Ｐゴシック"_qs << 9.75;
    QTest::newRow("institution") << 3 << QPoint(2280, 4020) << u"ＭＳ 明朝"_qs << 9.75;
    QTest::newRow("patient name") << 11 << QPoint(3120, 2550) << u"ＭＳ 明朝"_qs << 14.25;
    QTest::newRow("reading") << 12 << QPoint(3975, 2250) << u"ＭＳ 明朝"_qs << 9.0;
    QTest::newRow("ring female") << 14 << QPoint(6645, 2865) << u"ＭＳ 明朝"_qs << 12.0;
    QTest::newRow("address") << 24 << QPoint(7080, 2550) << u"ＭＳ Ｐ明朝"_qs << 9.75;
    QTest::newRow("onset label 3") << 43 << QPoint(7185, 7335) << u"ＭＳ Ｐ明朝"_qs << 9.75;
    QTest::newRow("onset day 3") << 55 << QPoint(9810, 7335) << u"ＭＳ 明朝"_qs << 9.75;
    QTest::newRow("unstable") << 56 << QPoint(4530, 7995) << u"ＭＳ Ｐ明朝"_qs << 10.5;
    QTest::newRow("course") << 57 << QPoint(1245, 8850) << u"ＭＳ 明朝"_qs << 10.5;
    QTest::newRow("medicine 6") << 63 << QPoint(6135, 10665) << u"ＭＳ 明朝"_qs << 10.5;
    QTest::newRow("specialist") << 66 << QPoint(8860, 15090) << u"ＭＳ Ｐ明朝"_qs << 10.5;
    QTest::newRow("infection") << 86 << QPoint(15030, 11535) << u"ＭＳ Ｐ明朝"_qs << 9.75;
    QTest::newRow("remarks") << 87 << QPoint(12990, 12585) << u"ＭＳ 明朝"_qs << 10.5;
}

void SheetTextsTest::slotFonts()
{
    QFETCH(int, slot);
    QFETCH(QPoint, at);
    QFETCH(QString, font);
    QFETCH(double, size);
    FormText formText;
    formText[slot] = u"テキスト"_qs;
    RecordingTarget target;
    sheet::DrawData1(target, 0, 0, formText);
    sheet::DrawData2(target, 0, 0, formText, false);
    const QList<Printed> out = printed(target);
    QCOMPARE(out.size(), 1);
    QCOMPARE(QPoint(int(out[0].x), int(out[0].y)), at);
    QCOMPARE(out[0].font, font);
    QCOMPARE(out[0].size, size);
}

void SheetTextsTest::pageTwoTextsInProportionalMincho()
{
    FormText formText;
    formText[69] = u"左下腿"_qs;
    RecordingTarget target;
    target.setFont(u"ＭＳ ゴシック"_qs, 14);
    sheet::DrawData2(target, 0, 0, formText, false);
    const QList<Printed> out = printed(target);
    QCOMPARE(out.size(), 1);
    QCOMPARE(out[0].font, u"ＭＳ Ｐ明朝"_qs);
    QCOMPARE(out[0].size, 9.75);
}

void SheetTextsTest::headerOnlyWithPageHead()
{
    FormText formText;
    formText[88] = u"山田　太郎　記入日（令和7年12月10日）"_qs;
    RecordingTarget without;
    sheet::DrawData2(without, 0, 0, formText, false);
    QVERIFY(printed(without).isEmpty());
    RecordingTarget with;
    sheet::DrawData2(with, 0, 0, formText, true);
    const QList<Printed> out = printed(with);
    QCOMPARE(out.size(), 1);
    QCOMPARE(QPointF(out[0].x, out[0].y), QPointF(19080, 2100));
    QCOMPARE(out[0].font, u"ＭＳ 明朝"_qs);
    QCOMPARE(out[0].size, 9.75);
    QCOMPARE(with.ops(RecordedOp::Text)[0].state.fontBold, false);
}

void SheetTextsTest::secondA4SheetShift()
{
    FormText formText;
    formText[67] = u"165"_qs;
    RecordingTarget target;
    sheet::DrawData2(target, -11907 + 85, -113, formText, false);
    const QList<Printed> out = printed(target);
    QCOMPARE(out.size(), 1);
    QCOMPARE(out[0].x, 15750.0 - 11907 + 85);
    QCOMPARE(out[0].y, 2655.0 - 113);
}

void SheetTextsTest::emptyOnsetDatesLookLikeTheTemplate()
{
    FormText formText;
    for (int row = 0; row < 3; ++row) {
        formText[35 + 4 * row] = u"(昭和･平成"_qs;
        formText[36 + 4 * row] = u"年"_qs;
        formText[37 + 4 * row] = u"月"_qs;
        formText[38 + 4 * row] = u"日頃 )"_qs;
    }
    RecordingTarget letter;
    sheet::DrawData1(letter, 0, 0, formText);
    RecordingTarget blank;
    sheet::DrawOnsetLabels(blank, 0, 0);
    const QList<Printed> a = printed(letter);
    const QList<Printed> b = printed(blank);
    QCOMPARE(b.size(), 12);
    QCOMPARE(a.size(), b.size());
    const auto key = [](const Printed& p) {
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(p.text)
            .arg(p.x)
            .arg(p.y)
            .arg(p.font)
            .arg(p.size);
    };
    QStringList ka, kb;
    for (const Printed& p : a)
        ka.append(key(p));
    for (const Printed& p : b)
        kb.append(key(p));
    ka.sort();
    kb.sort();
    QCOMPARE(ka, kb);
}

void SheetTextsTest::fontsLeftBehind()
{
    FormText formText;
    RecordingTarget target;
    sheet::DrawData1(target, 0, 0, formText);
    QCOMPARE(target.fontName(), u"ＭＳ Ｐ明朝"_qs);
    QCOMPARE(target.fontSize(), 10.5);
    QCOMPARE(target.fontBold(), false);
    sheet::DrawData2(target, 0, 0, formText, false);
    QCOMPARE(target.fontName(), u"ＭＳ 明朝"_qs);
    QCOMPARE(target.fontSize(), 10.5);
    sheet::DrawData2(target, 0, 0, formText, true);
    QCOMPARE(target.fontSize(), 9.75);
    QCOMPARE(target.fontBold(), false);
    sheet::DrawOnsetLabels(target, 0, 0);
    QCOMPARE(target.fontName(), u"ＭＳ Ｐ明朝"_qs);
    QCOMPARE(target.fontSize(), 9.75);
}

QTEST_MAIN(SheetTextsTest)
#include "tst_sheettexts.moc"
