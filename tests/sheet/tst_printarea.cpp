#include "platform/printerdouble.h"
#include "sheet/printarea.h"

#include <QtTest>

using namespace sheet;

class PrintAreaTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void measuresInTwipsRoundingHalfUp()
    {
        auto printer = platform::FakePrinter::at600DpiWithOffset100();
        printer->setPaperSize(platform::PaperA4);
        const PrintArea area = measurePrintArea(*printer);
        // Int(2.4 × 100 + 0.5) = Int(240.5) = 240.
        QCOMPARE(area.PhysOffsetX, 240);
        QCOMPARE(area.PhysOffsetY, 240);
        const QRect px = printer->printableAreaPixels();
        QCOMPARE(area.PrintableWidth, qint32(std::floor(2.4 * px.width() + 0.5)));
        QCOMPARE(area.PrintableHeight, qint32(std::floor(2.4 * px.height() + 0.5)));
    }

    void noPrinterMeasuresZero()
    {
        QCOMPARE(measurePrintArea(*platform::FakePrinter::none()), PrintArea{});
    }

    void outlineOfTwoA4Pages()
    {
        const PrintArea a{240, 240, 11426, 16886};
        const Outline o = outlineFor(a, false);
        QCOMPARE(o[0].line, QLine(240, 240, 240, 240 + 16886));
        QCOMPARE(o[1].line, QLine(240, 240, 240 + 11426, 240));
        QCOMPARE(o[2].line, QLine(240 + 11426 - 15, 240, 240 + 11426 - 15, 240 + 16886));
        QCOMPARE(o[3].line, QLine(240, 240 + 16886 - 30, 240 + 11426, 240 + 16886 - 30));
        QCOMPARE(o[6].line.x1(), 240 + 11426 - 15 + 11907);
        QCOMPARE(o[4].line, QLine(240 + 11907, 240, 240 + 11907, 240 + 16886));
        for (const OutlineLine& line : o)
            QVERIFY(line.visible);
    }

    void a3HidesPageTwoWhereItWas()
    {
        const PrintArea a4{240, 240, 11426, 16886};
        const PrintArea a3{240, 240, 23334, 16366};
        const Outline before = outlineFor(a4, false);
        const Outline after = outlineFor(a3, true, before);
        QCOMPARE(after[1].line, QLine(240, 240, 240 + 23334, 240));
        for (int i = 4; i < 8; ++i) {
            QVERIFY(!after[i].visible);
            QCOMPARE(after[i].line, before[i].line);
        }
    }

    void paperLabels_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("label");
        QTest::newRow("A3") << 8 << 23811.0 << 16838.0 << QStringLiteral("A3、297 x 420 mm");
        QTest::newRow("A4") << 9 << 11906.0 << 16838.0 << QStringLiteral("A4、210 x 297 mm 2枚");
        QTest::newRow("B5") << 13 << 0.0 << 0.0 << QStringLiteral("B5、182 x 257 mm");
        QTest::newRow("C sheet") << 24 << 0.0 << 0.0 << QStringLiteral("C サイズ シート");
        QTest::newRow("envelope") << 36 << 0.0 << 0.0 << QStringLiteral("封筒、110 x 230 mm");
        QTest::newRow("letter") << 1 << 12240.0 << 15840.0 << QStringLiteral("216 x 279 mm");
        QTest::newRow("letter landscape")
            << 1 << 15840.0 << 12240.0 << QStringLiteral("279 x 216 mm");
    }
    void paperLabels()
    {
        QFETCH(int, code);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QString, label);
        QCOMPARE(paperLabel(code, width, height), label);
    }
};

QTEST_GUILESS_MAIN(PrintAreaTest)
#include "tst_printarea.moc"
