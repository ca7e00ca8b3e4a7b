#include "common/fontsubstitution.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetpages.h"

#include <QtTest>

using sheet::RecordedOp;
using sheet::RecordingTarget;

namespace {

struct Counts
{
    int frames = 0;
    int rules = 0;
    int checkBoxes = 0;
    int captions = 0;
    int pictures = 0;
};

bool isCheckBox(const RecordedOp& op)
{
    return op.kind == RecordedOp::Box && op.x2 - op.x1 == 120 && op.y2 - op.y1 == 120 &&
           op.state.drawWidth == 1 && op.state.drawStyle == sheet::PenSolid;
}

Counts count(const RecordingTarget& target, int frameWidth)
{
    Counts c;
    for (const RecordedOp& op : target.ops()) {
        switch (op.kind) {
        case RecordedOp::Box:
            if (isCheckBox(op))
                ++c.checkBoxes;
            else if (op.state.drawWidth == frameWidth)
                ++c.frames;
            break;
        case RecordedOp::Line:
            ++c.rules;
            break;
        case RecordedOp::Text:
            ++c.captions;
            break;
        case RecordedOp::Picture:
            ++c.pictures;
            break;
        default:
            break;
        }
    }
    return c;
}

// Page 2 is drawn after page 1, whose settings it starts from.
void drawPage2Only(RecordingTarget& target, int x, int y)
{
    sheet::DrawPage1(target, 0, 0);
    target.clear();
    sheet::DrawPage2(target, x, y);
}

const RecordedOp* findText(const RecordingTarget& target, const QString& text)
{
    for (const RecordedOp& op : target.ops())
        if (op.kind == RecordedOp::Text && op.text == text)
            return &op;
    return nullptr;
}

} // namespace

class SheetLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void pageOneCounts();
    void pageTwoCounts();
    void firstFrame_data();
    void firstFrame();
    void frameWidthOnPrinter_data();
    void frameWidthOnPrinter();
    void originMovesEverything_data();
    void originMovesEverything();
    void captionsKeepTheirBlanks_data();
    void captionsKeepTheirBlanks();
    void fontsOfPageOne();
    void erasBeforeTheDates();
    void arrowIsDrawnLast();
    void settingsLeftBehind();
};

void SheetLayoutTest::pageOneCounts()
{
    RecordingTarget target;
    sheet::DrawPage1(target, 0, 0);
    const Counts c = count(target, 2);
    QCOMPARE(c.frames, 4);
    QCOMPARE(c.rules, 35);
    QCOMPARE(c.checkBoxes, 79);
    QCOMPARE(c.captions, 162);
    QCOMPARE(c.pictures, 1);
}

void SheetLayoutTest::pageTwoCounts()
{
    RecordingTarget target;
    drawPage2Only(target, 0, 0);
    const Counts c = count(target, 2);
    QCOMPARE(c.frames, 5);
    QCOMPARE(c.rules, 13);
    QCOMPARE(c.checkBoxes, 107);
    QCOMPARE(c.captions, 172);
    QCOMPARE(c.pictures, 0);
    // The boxes stay unpainted: page 1 left the fill transparent.
    for (const RecordedOp& op : target.ops(RecordedOp::Box))
        QCOMPARE(op.state.fillStyle, int(sheet::FillTransparent));
}

void SheetLayoutTest::firstFrame_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QRectF>("frame");
    QTest::newRow("page 1") << 1 << QRectF(QPointF(1140, 2205), QPointF(10770, 5895));
    QTest::newRow("page 2") << 2 << QRectF(QPointF(12870, 2385), QPointF(22590, 5610));
}

void SheetLayoutTest::firstFrame()
{
    QFETCH(int, page);
    QFETCH(QRectF, frame);
    RecordingTarget target;
    if (page == 1)
        sheet::DrawPage1(target, 0, 0);
    else
        drawPage2Only(target, 0, 0);
    const QList<RecordedOp> boxes = target.ops(RecordedOp::Box);
    QCOMPARE(QRectF(QPointF(boxes[0].x1, boxes[0].y1), QPointF(boxes[0].x2, boxes[0].y2)), frame);
    QCOMPARE(boxes[0].state.drawWidth, 2);
    for (const RecordedOp& op : target.ops(RecordedOp::Line))
        QCOMPARE(op.state.drawWidth, 1);
    for (const RecordedOp& op : boxes)
        if (isCheckBox(op))
            QCOMPARE(op.state.drawWidth, 1);
}

void SheetLayoutTest::frameWidthOnPrinter_data()
{
    QTest::addColumn<double>("printerTwipsPerDot");
    QTest::addColumn<int>("width");
    QTest::newRow("600 dpi") << 2.4 << 9;
    QTest::newRow("300 dpi") << 4.8 << 5;
}

void SheetLayoutTest::frameWidthOnPrinter()
{
    QFETCH(double, printerTwipsPerDot);
    QFETCH(int, width);
    for (int page = 1; page <= 2; ++page) {
        RecordingTarget target(false, printerTwipsPerDot);
        target.setScreenTwipsPerPixelX(15);
        if (page == 1)
            sheet::DrawPage1(target, 0, 0);
        else
            drawPage2Only(target, 0, 0);
        const Counts c = count(target, width);
        QCOMPARE(c.frames, page == 1 ? 4 : 5);
        QCOMPARE(c.checkBoxes, page == 1 ? 79 : 107);
    }
}

void SheetLayoutTest::originMovesEverything_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("page 1 (-100, 50)") << 1 << -100 << 50;
    QTest::newRow("page 2 second A4 sheet") << 2 << -11907 << 0;
}

void SheetLayoutTest::originMovesEverything()
{
    QFETCH(int, page);
    QFETCH(int, dx);
    QFETCH(int, dy);
    RecordingTarget plain;
    RecordingTarget moved;
    if (page == 1) {
        sheet::DrawPage1(plain, 0, 0);
        sheet::DrawPage1(moved, dx, dy);
        const RecordedOp* title = findText(moved, QStringLiteral("主治医意見書"));
        QVERIFY(title);
        QCOMPARE(title->x1, 1040.0);
        QCOMPARE(title->y1, 1835.0);
    } else {
        drawPage2Only(plain, 0, 0);
        drawPage2Only(moved, dx, dy);
        const QList<RecordedOp> boxes = moved.ops(RecordedOp::Box);
        QCOMPARE(boxes[0].x1, 12870.0 - 11907);
        QCOMPARE(boxes[0].x2, 22590.0 - 11907);
    }
    const QList<RecordedOp>& a = plain.ops();
    const QList<RecordedOp>& b = moved.ops();
    QCOMPARE(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        QCOMPARE(b[i].kind, a[i].kind);
        if (a[i].kind == RecordedOp::Setting)
            continue;
        QCOMPARE(b[i].x1, a[i].x1 + dx);
        QCOMPARE(b[i].y1, a[i].y1 + dy);
        if (a[i].kind == RecordedOp::Line || a[i].kind == RecordedOp::Box ||
            a[i].kind == RecordedOp::Picture) {
            QCOMPARE(b[i].x2, a[i].x2 + dx);
            QCOMPARE(b[i].y2, a[i].y2 + dy);
        }
    }
}

void SheetLayoutTest::captionsKeepTheirBlanks_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("(有の場合)→ ") << 1 << u"(有の場合)→ "_qs << QPoint(3315, 5430);
    QTest::newRow(") ") << 1 << u") "_qs << QPoint(9855, 15285);
    QTest::newRow("〔症状名：　") << 1 << u"〔症状名：　"_qs << QPoint(2610, 15285);
    QTest::newRow("利き腕  (") << 2 << u"利き腕  ("_qs << QPoint(13245, 2655);
    QTest::newRow("( ") << 2 << u"( "_qs << QPoint(20475, 8450);
    QTest::newRow("減少 )") << 2 << u"減少 )"_qs << QPoint(21900, 2655);
    QTest::newRow("対処方針  (") << 2 << u"対処方針  ("_qs << QPoint(13365, 8655);
    QTest::newRow("その他の医療系サービス  (")
        << 2 << u"その他の医療系サービス  ("_qs << QPoint(15555, 10095);
    QTest::newRow("・その他  (") << 2 << u"・その他  ("_qs << QPoint(17580, 11040);
    QTest::newRow("左下肢 higher than 右下肢") << 2 << u"左下肢 (程度："_qs << QPoint(18405, 3435);
    QTest::newRow("右下肢") << 2 << u"右下肢 (程度："_qs << QPoint(15285, 3450);
}

void SheetLayoutTest::captionsKeepTheirBlanks()
{
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(QPoint, at);
    RecordingTarget target;
    if (page == 1)
        sheet::DrawPage1(target, 0, 0);
    else
        drawPage2Only(target, 0, 0);
    const RecordedOp* op = findText(target, text);
    QVERIFY2(op, qPrintable(text));
    QCOMPARE(QPoint(int(op->x1), int(op->y1)), at);
}

void SheetLayoutTest::fontsOfPageOne()
{
    RecordingTarget target;
    sheet::DrawPage1(target, 0, 0);
    struct Expected
    {
        QString text;
        QString font;
        double size;
        bool bold;
    };
    const Expected expected[] = {
        {u"主治医意見書"_qs, u"ＭＳ Ｐゴシック"_qs, 14.25, false},
        {u"記入日"_qs, u"ＭＳ Ｐゴシック"_qs, 9.75, false},
        {u"認知症以外の疾患で同様の症状を認める場合を含む"_qs, u"ＭＳ Ｐゴシック"_qs, 8, false},
        {u"最終診察日"_qs, u"ＭＳ ゴシック"_qs, 9.75, false},
        {u"(ふりがな)"_qs, u"ＭＳ Ｐ明朝"_qs, 9.75, false},
        {u"｛"_qs, u"ＭＳ Ｐ明朝"_qs, 18, true},
        {u"専門医受診の有無"_qs, u"ＭＳ Ｐ明朝"_qs, 9.75, false},
        {u"(「不安定」とした場合、具体的状況を記入)"_qs, u"ＭＳ Ｐ明朝"_qs, 9, false},
    };
    for (const Expected& e : expected) {
        const RecordedOp* op = findText(target, e.text);
        QVERIFY2(op, qPrintable(e.text));
        QCOMPARE(op->state.fontName, e.font);
        QCOMPARE(op->state.fontSize, e.size);
        QCOMPARE(op->state.fontBold, e.bold);
    }
}

void SheetLayoutTest::erasBeforeTheDates()
{
    RecordingTarget blank;
    sheet::DrawPage1(blank, 0, 0);
    RecordingTarget letter;
    sheet::DrawPage1(letter, 0, 0, u"平成"_qs, u"令和"_qs);
    const auto eraAt = [](const RecordingTarget& target, int x, int y) {
        for (const RecordedOp& op : target.ops(RecordedOp::Text))
            if (op.x1 == x && op.y1 == y)
                return op.text;
        return QString();
    };
    QCOMPARE(eraAt(blank, 8925, 1860), u"令和"_qs);
    QCOMPARE(eraAt(blank, 3315, 4650), u"令和"_qs);
    QCOMPARE(eraAt(letter, 8925, 1860), u"平成"_qs);
    QCOMPARE(eraAt(letter, 3315, 4650), u"令和"_qs);
}

void SheetLayoutTest::arrowIsDrawnLast()
{
    RecordingTarget target;
    sheet::DrawPage1(target, 0, 0);
    const QList<RecordedOp>& ops = target.ops();
    qsizetype lastText = -1, picture = -1;
    for (qsizetype i = 0; i < ops.size(); ++i) {
        if (ops[i].kind == RecordedOp::Text)
            lastText = i;
        if (ops[i].kind == RecordedOp::Picture)
            picture = i;
    }
    QVERIFY(picture > lastText);
    const RecordedOp& arrow = ops[picture];
    QCOMPARE(QRectF(QPointF(arrow.x1, arrow.y1), QPointF(arrow.x2, arrow.y2)),
             QRectF(2085, 14745, 480, 195));
    QCOMPARE(arrow.pictureSize, QSize(109, 39));
}

void SheetLayoutTest::settingsLeftBehind()
{
    RecordingTarget target;
    sheet::DrawPage1(target, 0, 0);
    QCOMPARE(target.drawWidth(), 1);
    QCOMPARE(target.drawStyle(), int(sheet::PenSolid));
    QCOMPARE(target.fillStyle(), int(sheet::FillTransparent));
    QCOMPARE(target.fontName(), u"ＭＳ Ｐ明朝"_qs);
    QCOMPARE(target.fontSize(), 9.0);
    QCOMPARE(target.fontBold(), false);
    sheet::DrawPage2(target, 0, 0);
    QCOMPARE(target.drawWidth(), 1);
    QCOMPARE(target.drawStyle(), int(sheet::PenDot));
    QCOMPARE(target.fillStyle(), int(sheet::FillTransparent));
    QCOMPARE(target.fontName(), u"ＭＳ Ｐ明朝"_qs);
    QCOMPARE(target.fontSize(), 8.0);
    QCOMPARE(target.fontBold(), false);
}

QTEST_MAIN(SheetLayoutTest)
#include "tst_sheetlayout.moc"
