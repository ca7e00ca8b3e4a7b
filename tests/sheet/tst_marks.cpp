#include "sheet/marks.h"
#include "sheet/recordingtarget.h"
#include "sheetdata/sheetmodel.h"

#include <QtTest>

using sheet::RecordedOp;
using sheet::RecordingTarget;
using namespace sheetdata;

namespace {

QList<RecordedOp> drawingOps(const RecordingTarget& target)
{
    QList<RecordedOp> ops;
    for (const RecordedOp& op : target.ops())
        if (op.kind != RecordedOp::Setting)
            ops.append(op);
    return ops;
}

QLineF lineOf(const RecordedOp& op)
{
    return QLineF(op.x1, op.y1, op.x2, op.y2);
}

void draw(RecordingTarget& target, int kind, int x1, int y1, int x2, int y2, int style = 0,
          int color = 0, int width = 1)
{
    int step = 60;
    sheet::DrawShape(target, kind, x1, y1, x2, y2, style, color, width, step);
}

} // namespace

class MarksTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tick();
    void capsule_data();
    void capsule();
    void rulings_data();
    void rulings();
    void ellipses_data();
    void ellipses();
    void hatchWithoutWidthDrawsNothing();
    void lineCrossBoxSlash();
    void nothingForUnknownKinds_data();
    void nothingForUnknownKinds();
    void palette();
    void screenWidths();
    void printerWidths();
    void afterFormWidthCarriesOver();
    void afterFormOnEmptySheet();
    void marksOfTheSecondA4Sheet();
};

void MarksTest::tick()
{
    RecordingTarget target;
    target.setForeColor(Qt::red);
    // Style 1 and the second point are ignored.
    draw(target, ShapeCheck, 15735, 4860, 999, 999, 1, 0, 1);
    const QList<RecordedOp> ops = drawingOps(target);
    QCOMPARE(ops.size(), 4);
    QCOMPARE(lineOf(ops[0]), QLineF(15735 + 45, 4860 + 75, 15735 + 150, 4860 - 30));
    QCOMPARE(lineOf(ops[1]), QLineF(15735 + 45, 4860 + 90, 15735 + 90, 4860 + 45));
    QCOMPARE(lineOf(ops[2]), QLineF(15735, 4860 + 45, 15735 + 45, 4860 + 90));
    QCOMPARE(lineOf(ops[3]), QLineF(15735 + 15, 4860 + 45, 15735 + 45, 4860 + 75));
    for (const RecordedOp& op : ops) {
        QCOMPARE(op.color, QColor(Qt::black));
        QCOMPARE(op.state.drawStyle, 0);
        QCOMPARE(op.state.drawWidth, 1);
    }
    QCOMPARE(target.foreColor(), QColor(Qt::black));
    QCOMPARE(target.fillStyle(), int(sheet::FillTransparent));
}

void MarksTest::capsule_data()
{
    QTest::addColumn<QRect>("box"); // corners as given: (x1, y1) and (x2, y2) = bottomRight
    QTest::addColumn<bool>("swap");
    QTest::addColumn<int>("r");
    QTest::addColumn<QPoint>("c1");
    QTest::addColumn<QPoint>("c2");
    QTest::addColumn<bool>("lying");
    const auto box = [](int x1, int y1, int x2, int y2) {
        return QRect(QPoint(x1, y1), QPoint(x2, y2));
    };
    QTest::newRow("lying 435 x 180") << box(7215, 6645, 7650, 6825) << false << 90
                                     << QPoint(7305, 6735) << QPoint(7560, 6735) << true;
    QTest::newRow("lying, corners swapped") << box(7215, 6645, 7650, 6825) << true << 90
                                            << QPoint(7305, 6735) << QPoint(7560, 6735) << true;
    QTest::newRow("standing 180 x 435") << box(1000, 2000, 1180, 2435) << false << 90
                                        << QPoint(1090, 2090) << QPoint(1090, 2345) << false;
    QTest::newRow("square stands") << box(1000, 2000, 1200, 2200) << false << 100
                                   << QPoint(1100, 2100) << QPoint(1100, 2100) << false;
    QTest::newRow("odd side 181") << box(0, 0, 500, 181) << false << 90 << QPoint(90, 90)
                                  << QPoint(410, 91) << true;
    QTest::newRow("odd side 183") << box(0, 0, 500, 183) << false << 92 << QPoint(92, 92)
                                  << QPoint(408, 91) << true;
}

void MarksTest::capsule()
{
    QFETCH(QRect, box);
    QFETCH(bool, swap);
    QFETCH(int, r);
    QFETCH(QPoint, c1);
    QFETCH(QPoint, c2);
    QFETCH(bool, lying);
    const QPoint a = box.topLeft();
    const QPoint b = box.bottomRight();
    RecordingTarget target;
    if (swap)
        draw(target, ShapeCapsule, b.x(), b.y(), a.x(), a.y());
    else
        draw(target, ShapeCapsule, a.x(), a.y(), b.x(), b.y());
    const QList<RecordedOp> ops = drawingOps(target);
    QCOMPARE(ops.size(), 4);
    QCOMPARE(ops[0].kind, RecordedOp::Arc);
    QCOMPARE(ops[1].kind, RecordedOp::Arc);
    QCOMPARE(QPointF(ops[0].x1, ops[0].y1), QPointF(c1));
    QCOMPARE(QPointF(ops[1].x1, ops[1].y1), QPointF(c2));
    QCOMPARE(ops[0].x2, double(r));
    QCOMPARE(ops[0].y2, double(r));
    if (lying) {
        QCOMPARE(*ops[0].start, 1.57);
        QCOMPARE(*ops[0].end, 4.71);
        QCOMPARE(*ops[1].start, 4.71);
        QCOMPARE(*ops[1].end, 1.57);
        QCOMPARE(lineOf(ops[2]), QLineF(c1.x(), c1.y() - r, c2.x(), c2.y() - r));
        QCOMPARE(lineOf(ops[3]), QLineF(c1.x(), c1.y() + r, c2.x(), c2.y() + r));
    } else {
        QCOMPARE(*ops[0].start, 0.0);
        QCOMPARE(*ops[0].end, 3.14);
        QCOMPARE(*ops[1].start, 3.14);
        QCOMPARE(*ops[1].end, 0.0);
        QCOMPARE(lineOf(ops[2]), QLineF(c1.x() + r, c1.y(), c2.x() + r, c2.y()));
        QCOMPARE(lineOf(ops[3]), QLineF(c1.x() - r, c1.y(), c2.x() - r, c2.y()));
    }
}

void MarksTest::rulings_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("at");
    QTest::addColumn<int>("stepAfter");
    QTest::newRow("across, downwards")
        << int(ShapeRuleH) << 100 << 300 << QList<int>{100, 160, 220, 280} << 60;
    QTest::newRow("across, upwards")
        << int(ShapeRuleH) << 300 << 100 << QList<int>{300, 240, 180, 120} << -60;
    QTest::newRow("down, leftwards")
        << int(ShapeRuleV) << 400 << 280 << QList<int>{400, 340, 280} << -60;
}

void MarksTest::rulings()
{
    QFETCH(int, kind);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, at);
    QFETCH(int, stepAfter);
    RecordingTarget target;
    int step = 60;
    if (kind == ShapeRuleH)
        sheet::DrawShape(target, kind, 10, from, 500, to, 3, 4, 5, step);
    else
        sheet::DrawShape(target, kind, from, 10, to, 500, 3, 4, 5, step);
    const QList<RecordedOp> ops = drawingOps(target);
    QCOMPARE(ops.size(), at.size());
    for (qsizetype i = 0; i < ops.size(); ++i) {
        if (kind == ShapeRuleH)
            QCOMPARE(lineOf(ops[i]), QLineF(10, at[i], 500, at[i]));
        else
            QCOMPARE(lineOf(ops[i]), QLineF(at[i], 10, at[i], 500));
        QCOMPARE(ops[i].state.drawWidth, 1);
        QCOMPARE(ops[i].state.drawStyle, 0);
        QCOMPARE(ops[i].color, QColor(128, 0, 0));
    }
    QCOMPARE(step, stepAfter);
}

void MarksTest::ellipses_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<double>("rx");
    QTest::addColumn<double>("ry");
    QTest::addColumn<int>("fillStyle");
    QTest::addColumn<int>("drawStyle");
    QTest::newRow("hatch down 400 x 200")
        << int(ShapeHatchDown) << QRect(1000, 1000, 400, 200) << 200.0 << 100.0 << 5 << 5;
    QTest::newRow("hatch up 200 x 400")
        << int(ShapeHatchUp) << QRect(1000, 1000, 200, 400) << 100.0 << 200.0 << 4 << 5;
    QTest::newRow("fill, odd sides")
        << int(ShapeFill) << QRect(1000, 1000, 301, 101) << 150.5 << 50.5 << 0 << 2;
}

void MarksTest::ellipses()
{
    QFETCH(int, kind);
    QFETCH(QRect, box);
    QFETCH(double, rx);
    QFETCH(double, ry);
    QFETCH(int, fillStyle);
    QFETCH(int, drawStyle);
    RecordingTarget target;
    target.setDrawStyle(2);
    draw(target, kind, box.left(), box.top(), box.left() + box.width(), box.top() + box.height(), 0,
         9);
    const QList<RecordedOp> ops = drawingOps(target);
    QCOMPARE(ops.size(), 1);
    QCOMPARE(ops[0].kind, RecordedOp::Ellipse);
    QCOMPARE(ops[0].x1, box.left() + box.width() / 2.0);
    QCOMPARE(ops[0].y1, box.top() + box.height() / 2.0);
    QCOMPARE(ops[0].x2, rx);
    QCOMPARE(ops[0].y2, ry);
    QCOMPARE(ops[0].state.fillStyle, fillStyle);
    QCOMPARE(ops[0].state.drawStyle, drawStyle);
    QCOMPARE(ops[0].state.fillColor, QColor(0, 0, 255));
}

void MarksTest::hatchWithoutWidthDrawsNothing()
{
    RecordingTarget target;
    draw(target, ShapeHatchDown, 500, 100, 500, 300, 0, 12);
    QVERIFY(drawingOps(target).isEmpty());
    QCOMPARE(target.drawStyle(), 5);
    QCOMPARE(target.fillStyle(), 5);
    QCOMPARE(target.fillColor(), QColor(255, 0, 0));
}

void MarksTest::lineCrossBoxSlash()
{
    RecordingTarget target;
    draw(target, ShapeLine, 12960, 9810, 13955, 9810, 0, 0, 1);
    draw(target, ShapeCross, 100, 200, 300, 400, 1, 2, 1);
    draw(target, ShapeBox, 100, 200, 300, 400, 2, 3, 2);
    target.setForeColor(QColor(1, 2, 3));
    draw(target, ShapeSlash, 1000, 1000, 0, 0, 3, 4, 3);
    const QList<RecordedOp> ops = drawingOps(target);
    QCOMPARE(ops.size(), 6);
    QCOMPARE(lineOf(ops[0]), QLineF(12960, 9810, 13955, 9810));
    QCOMPARE(lineOf(ops[1]), QLineF(100, 200, 300, 400));
    QCOMPARE(lineOf(ops[2]), QLineF(300, 200, 100, 400));
    QCOMPARE(ops[2].color, QColor(0, 128, 0));
    QCOMPARE(ops[2].state.drawStyle, 1);
    QCOMPARE(ops[3].kind, RecordedOp::Box);
    QCOMPARE(ops[3].state.fillStyle, int(sheet::FillTransparent));
    QCOMPARE(ops[3].state.drawWidth, 2);
    QCOMPARE(ops[3].color, QColor(0, 128, 128));
    QCOMPARE(lineOf(ops[4]), QLineF(1135, 985, 970, 1150));
    QCOMPARE(lineOf(ops[5]), QLineF(1150, 985, 985, 1150));
    QCOMPARE(ops[5].color, QColor(1, 2, 3));
    QCOMPARE(ops[5].state.drawStyle, 0);
    QCOMPARE(ops[5].state.drawWidth, 3);
}

void MarksTest::nothingForUnknownKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("none") << 0;
    QTest::newRow("negative") << -1;
    QTest::newRow("above 11") << 12;
}

void MarksTest::nothingForUnknownKinds()
{
    QFETCH(int, kind);
    RecordingTarget target;
    draw(target, kind, 1, 2, 3, 4, 1, 1, 3);
    QVERIFY(target.ops().isEmpty());
}

void MarksTest::palette()
{
    QCOMPARE(sheet::paletteColor(0), QColor(0, 0, 0));
    QCOMPARE(sheet::paletteColor(4), QColor(128, 0, 0));
    QCOMPARE(sheet::paletteColor(7), QColor(192, 192, 192));
    QCOMPARE(sheet::paletteColor(12), QColor(255, 0, 0));
    QCOMPARE(sheet::paletteColor(15), QColor(255, 255, 255));
}

void MarksTest::screenWidths()
{
    const int expected[] = {1, 1, 2, 2, 3, 4};
    for (int weight = 1; weight <= 6; ++weight)
        QCOMPARE(sheet::screenMarkWidth(weight), std::optional<int>(expected[weight - 1]));
    QCOMPARE(sheet::screenMarkWidth(0), std::nullopt);
    QCOMPARE(sheet::screenMarkWidth(7), std::nullopt);
}

void MarksTest::printerWidths()
{
    // 15 screen twips per pixel, a 720 dots-per-inch printer.
    const int expected[] = {1, 8, 11, 15, 23, 30};
    for (int weight = 1; weight <= 6; ++weight)
        QCOMPARE(sheet::printerMarkWidth(weight, 15, 2), std::optional<int>(expected[weight - 1]));
    QCOMPARE(sheet::printerMarkWidth(0, 15, 2), std::nullopt);
}

void MarksTest::afterFormWidthCarriesOver()
{
    SheetModel model;
    model.resetForLetter();
    model.ArrengeShape(ShapeCheck, 1000, 1000, 0, 0, 5, 1, 0, 1);
    // Row 2 stays empty.
    model.ArrengeShape(ShapeCheck, 2000, 1000, 0, 0, 7, 1, 0, 3);
    model.ArrengeShape(ShapeCheck, 3000, 1000, 0, 0, 2, 1, 0, 4);
    RecordingTarget target;
    sheet::AfterForm(target, model);
    const QList<RecordedOp> ops = drawingOps(target);
    QCOMPARE(ops.size(), 12);
    QCOMPARE(ops[0].state.drawWidth, 3);
    QCOMPARE(ops[4].state.drawWidth, 3); // weight 7 keeps the width of the row before
    QCOMPARE(ops[4].x1, 2045.0);
    QCOMPARE(ops[8].state.drawWidth, 1);
}

void MarksTest::afterFormOnEmptySheet()
{
    SheetModel model;
    model.resetForLetter();
    model.ArrengeShape(ShapeCheck, 1000, 1000, 0, 0, 2, 1, 0, 1);
    model.clear();
    RecordingTarget target;
    sheet::AfterForm(target, model);
    QVERIFY(target.ops().isEmpty());
}

void MarksTest::marksOfTheSecondA4Sheet()
{
    SheetModel model;
    model.resetForLetter();
    model.ArrengeShape(ShapeCheck, 7260, 3585, 0, 0, 2, 1, 0, 1);
    model.ArrengeShape(ShapeCheck, 15735, 4860, 0, 0, 2, 1, 0, Page2FirstRow + 1);
    RecordingTarget printer(false, 2.4);
    printer.setScreenTwipsPerPixelX(15);
    sheet::DrawMarks(printer, -11907, 0, model, Page2FirstRow, Page2LastRow);
    const QList<RecordedOp> ops = drawingOps(printer);
    QCOMPARE(ops.size(), 4);
    QCOMPARE(ops[0].x1, 15735.0 + 45 - 11907);
    QCOMPARE(ops[0].state.drawWidth, 6); // Int(15 / 2.4 + 0.5)
}

QTEST_MAIN(MarksTest)
#include "tst_marks.moc"
