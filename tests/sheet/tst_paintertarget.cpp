#include "common/fontsubstitution.h"
#include "samplesheet.h"
#include "sheet/paintertarget.h"
#include "sheet/printlines.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetdrawing.h"
#include "sheet/sheetpages.h"

#include <QFontInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The smallest rectangle of a canvas at `twipsPerPixel` that holds every inked pixel inside
// `twips` (a thin stroke's shade too), in twips (pixel edges).
QRectF darkBounds(const QImage& canvas, double twipsPerPixel, QRectF twips)
{
    const QRect r(int(twips.left() / twipsPerPixel), int(twips.top() / twipsPerPixel),
                  int(twips.width() / twipsPerPixel) + 1, int(twips.height() / twipsPerPixel) + 1);
    QRect found;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (canvas.valid(x, y) && qGray(canvas.pixel(x, y)) < 192)
                found |= QRect(x, y, 1, 1);
    return QRectF(found.left() * twipsPerPixel, found.top() * twipsPerPixel,
                  found.width() * twipsPerPixel, found.height() * twipsPerPixel);
}

// Dark pixels inside the rectangle (twips) of a canvas at `twipsPerPixel`.
int darkPixels(const QImage& canvas, double twipsPerPixel, QRectF twips)
{
    const QRect r(qRound(twips.left() / twipsPerPixel), qRound(twips.top() / twipsPerPixel),
                  qMax(1, qRound(twips.width() / twipsPerPixel)),
                  qMax(1, qRound(twips.height() / twipsPerPixel)));
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (canvas.valid(x, y) && isDark(canvas.pixel(x, y)))
                ++count;
    return count;
}

} // namespace

class PainterTargetTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void fontSubstitution_data();
    void fontSubstitution();
    void canvasSize();
    void textHangsFromItsTop();
    void ticksFillTheirBoxes();
    void arrowIsPainted();
    void pdfOfBothPaperModes();
    void inkOfRecordedLines();
    void paintedWhereTheRecordingSays_data();
    void paintedWhereTheRecordingSays();
};

void PainterTargetTest::fontSubstitution_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::newRow("ＭＳ 明朝") << u"ＭＳ 明朝"_qs << u"IPAMincho"_qs;
    QTest::newRow("ＭＳ Ｐ明朝") << u"ＭＳ Ｐ明朝"_qs << u"IPAPMincho"_qs;
    QTest::newRow("ＭＳ ゴシック") << u"ＭＳ ゴシック"_qs << u"IPAGothic"_qs;
    QTest::newRow("ＭＳ Ｐゴシック") << u"ＭＳ Ｐゴシック"_qs << u"IPAPGothic"_qs;
}

void PainterTargetTest::fontSubstitution()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QCOMPARE(QFontInfo(QFont(name)).family(), family);
}

void PainterTargetTest::canvasSize()
{
    const QImage canvas = sheet::newPreviewCanvas(15);
    QCOMPARE(canvas.size(), QSize(1588, 1123));
    QCOMPARE(canvas.logicalDpiX(), 96);
    QCOMPARE(canvas.pixel(0, 0), qRgb(255, 255, 255));
}

void PainterTargetTest::textHangsFromItsTop()
{
    const double tpp = 1440.0 / 300;
    QImage canvas = sheet::newPreviewCanvas(tpp);
    {
        QPainter painter(&canvas);
        sheet::PainterTarget target(painter, true);
        target.setFont(u"ＭＳ 明朝"_qs, 10.5);
        sheet::PrintLines(target, u"医師\r\n氏名"_qs, 2000, 3000);
    }
    const double em = 10.5 * 20;
    // Nothing above the first line's cell, both lines inside their cells, nothing below.
    QCOMPARE(darkPixels(canvas, tpp, QRectF(1900, 2700, 800, 300)), 0);
    QVERIFY(darkPixels(canvas, tpp, QRectF(2000, 3000, 2 * em, em)) > 20);
    QVERIFY(darkPixels(canvas, tpp, QRectF(2000, 3000 + em, 2 * em, em)) > 20);
    QCOMPARE(darkPixels(canvas, tpp, QRectF(1900, 3000 + 2 * em + 10, 800, 300)), 0);
}

void PainterTargetTest::ticksFillTheirBoxes()
{
    const double tpp = 1440.0 / 150;
    QImage blank = sheet::newPreviewCanvas(tpp);
    QImage filled = blank;
    {
        QPainter painter(&blank);
        sheet::PainterTarget target(painter, true);
        sheet::DrawSheet(target, sheetdata::SheetModel(), false);
    }
    {
        QPainter painter(&filled);
        sheet::PainterTarget target(painter, true);
        sheet::DrawSheet(target, sampleFilledSheet(), false);
    }
    // Inside every box the blank sheet is white and the ticked one holds the tick's strokes.
    for (const auto& boxes : {sheet::page1CheckBoxes(), sheet::page2CheckBoxes()}) {
        for (const auto& box : boxes) {
            const QRectF inside(box.x + 20, box.y + 20, 80, 80);
            QCOMPARE(darkPixels(blank, tpp, inside), 0);
            QVERIFY2(darkPixels(filled, tpp, inside) >= 4,
                     qPrintable(QStringLiteral("box (%1, %2)").arg(box.x).arg(box.y)));
        }
    }
}

void PainterTargetTest::arrowIsPainted()
{
    const double tpp = 1440.0 / 300;
    QImage canvas = sheet::newPreviewCanvas(tpp);
    {
        QPainter painter(&canvas);
        sheet::PainterTarget target(painter, true);
        sheet::DrawPage1(target, 0, 0);
    }
    // The shaft runs along rows 26 to 29 of 39, the head ends at the right edge.
    const double shaftY = 14745 + 195 * 27.5 / 39;
    QVERIFY(darkPixels(canvas, tpp, QRectF(2200, shaftY - 5, 200, 10)) > 0);
    QVERIFY(darkPixels(canvas, tpp, QRectF(2540, shaftY - 5, 20, 10)) > 0);
    // Above the shaft, right of the stroke, the picture is white.
    QCOMPARE(darkPixels(canvas, tpp, QRectF(2200, 14760, 200, 60)), 0);
}

void PainterTargetTest::pdfOfBothPaperModes()
{
    QTemporaryDir dir;
    for (const bool a4 : {false, true}) {
        const QString path = dir.filePath(a4 ? u"a4.pdf"_qs : u"a3.pdf"_qs);
        {
            QPdfWriter pdf(path);
            pdf.setResolution(600);
            QVERIFY(pdf.setPageLayout(
                QPageLayout(QPageSize(a4 ? QPageSize::A4 : QPageSize::A3),
                            a4 ? QPageLayout::Portrait : QPageLayout::Landscape, QMarginsF())));
            QPainter painter(&pdf);
            sheet::PainterTarget target(painter, false);
            QCOMPARE(target.twipsPerPixelX(), 2.4);
            const sheetdata::SheetModel model = sampleFilledSheet();
            if (a4) {
                sheet::DrawPrintedPage(target, sheet::PrintedPage::FirstA4, 0, 0, model, true);
                pdf.newPage();
                sheet::DrawPrintedPage(target, sheet::PrintedPage::SecondA4, 0, 0, model, true);
            } else {
                sheet::DrawPrintedPage(target, sheet::PrintedPage::WholeSheet, 0, 0, model, true);
            }
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                     bytes.count("/Type /Page "),
                 a4 ? 2 : 1);
    }
}

// Each printed line has its ink in the log: inside the line's own cell, narrower by the
// stretch it was condensed to, and nothing for a line that draws nothing.
void PainterTargetTest::inkOfRecordedLines()
{
    sheet::RecordingTarget target;
    target.setFont(u"ＭＳ 明朝"_qs, 10.5);
    const QString text = u"医療法人　ひまわり会　クリニック Ward 3"_qs;
    target.setTextFits({{1, 60}});
    sheet::PrintLines(target, text + u"\r\n"_qs + text + u"\r\n　\r\n"_qs + text, 2000, 3000);
    const QList<sheet::RecordedOp> lines = target.ops(sheet::RecordedOp::Text);
    QCOMPARE(lines.size(), 4);
    const double em = 10.5 * 20;
    QList<QRectF> inks;
    for (const sheet::RecordedOp& op : lines)
        inks << sheet::RecordingTarget::inkRect(op);
    for (int i : {0, 1, 3}) {
        const QRectF cell(2000, 3000 + i * em, 10000, em);
        QVERIFY2(cell.contains(inks[i]), qPrintable(sheet::RecordingTarget::describe(lines[i])));
        QVERIFY(inks[i].height() > em / 2);
    }
    // Glyph by glyph the condensed line keeps 60 % of the width.
    QCOMPARE(inks[0], inks[3].translated(0, -3 * em));
    QVERIFY2(std::abs(inks[1].width() / inks[0].width() - 0.6) < 0.02,
             qPrintable(QString::number(inks[1].width() / inks[0].width())));
    QCOMPARE(inks[2], QRectF(2000, 3000 + 2 * em + sheet::textCellBaseline(10.5), 0, 0));
    // The log gives the ink last, rounded outwards to whole twips.
    const QString line = sheet::RecordingTarget::describe(lines[1]);
    const QString ink = QStringLiteral(" stretch=60 ink=%1,%2,%3,%4")
                            .arg(std::floor(inks[1].left()))
                            .arg(std::floor(inks[1].top()))
                            .arg(std::ceil(inks[1].right()))
                            .arg(std::ceil(inks[1].bottom()));
    QVERIFY2(line.endsWith(ink), qPrintable(line));
    QVERIFY(
        line.startsWith(u"text 2000 3210 \""_qs + text + u"\" font=\"ＭＳ 明朝\" 10.5 bold=0"_qs));
}

// The preview and the paper put every glyph where the recording measured it, whatever the
// resolution: a long line ends where its logged ink ends, to a pixel.
void PainterTargetTest::paintedWhereTheRecordingSays_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("stretch");
    QTest::addColumn<QString>("text");
    const QString address =
        u"東京都千代田区神田駿河台四丁目三番地　医療法人社団ひまわり会　内科クリニック"_qs;
    const QString medicine = u"アムロジピンＯＤ錠５ｍｇ　１錠　１日１回朝食後"_qs;
    for (const double dpi : {96.0, 150.0, 250.0, 300.0, 600.0}) {
        const QByteArray at = QByteArray::number(dpi) + " dpi";
        QTest::newRow("address, " + at) << dpi << u"ＭＳ 明朝"_qs << 9.75 << 100 << address;
        QTest::newRow("medicine condensed, " + at)
            << dpi << u"ＭＳ 明朝"_qs << 10.5 << 71 << medicine;
        QTest::newRow("proportional latin, " + at)
            << dpi << u"ＭＳ Ｐ明朝"_qs << 9.75 << 100
            << u"Lorem ipsum dolor sit amet, consectetur adipiscing elit 0123456789"_qs;
        QTest::newRow("name, " + at)
            << dpi << u"ＭＳ 明朝"_qs << 14.25 << 100 << u"寿限無寿限無五劫の擦り切れ海砂利水魚"_qs;
    }
}

void PainterTargetTest::paintedWhereTheRecordingSays()
{
    QFETCH(double, dpi);
    QFETCH(QString, font);
    QFETCH(double, size);
    QFETCH(int, stretch);
    QFETCH(QString, text);
    const auto print = [&](sheet::DrawTarget& target) {
        target.setFont(font, size);
        target.setTextFits({{0, stretch}});
        sheet::PrintLines(target, text, 1200, 3000);
    };
    sheet::RecordingTarget recording;
    print(recording);
    const QRectF ink = sheet::RecordingTarget::inkRect(recording.ops(sheet::RecordedOp::Text)[0]);
    const double tpp = 1440 / dpi;
    QImage canvas = sheet::newPreviewCanvas(tpp);
    {
        QPainter painter(&canvas);
        sheet::PainterTarget target(painter, true);
        print(target);
    }
    const QRectF painted = darkBounds(canvas, tpp, ink.adjusted(-300, -100, 1500, 100));
    // A pixel either side for the glyphs' own rounding and the edge's shade.
    const double slack = 1.5 * tpp + 2;
    const QString found = QStringLiteral("painted %1,%2..%3,%4, logged %5,%6..%7,%8 twips")
                              .arg(painted.left())
                              .arg(painted.top())
                              .arg(painted.right())
                              .arg(painted.bottom())
                              .arg(ink.left())
                              .arg(ink.top())
                              .arg(ink.right())
                              .arg(ink.bottom());
    QVERIFY2(std::abs(painted.left() - ink.left()) <= slack, qPrintable(found));
    QVERIFY2(std::abs(painted.right() - ink.right()) <= slack, qPrintable(found));
    QVERIFY2(std::abs(painted.top() - ink.top()) <= slack, qPrintable(found));
    QVERIFY2(std::abs(painted.bottom() - ink.bottom()) <= slack, qPrintable(found));
}

QTEST_MAIN(PainterTargetTest)
#include "tst_paintertarget.moc"
