#include "platform/printer.h"
#include "platform/printerdouble.h"
#include "platform/printerqt.h"

#include <QtTest>

using namespace platform;

class PrinterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void printerThatRefusesA3KeepsItsPaper()
    {
        auto p = FakePrinter::refusingA3();
        QVERIFY(p->isInstalled());
        QVERIFY(p->setPaperSize(PaperA4));
        QVERIFY(!p->setPaperSize(PaperA3));
        QCOMPARE(p->paperSize(), int(PaperA4));
    }

    void printableAreaAt600Dpi()
    {
        auto p = FakePrinter::at600DpiWithOffset100();
        QCOMPARE(p->twipsPerPixel(), 2.4);
        QVERIFY(p->setPaperSize(PaperA4));
        QVERIFY(p->setOrientation(Portrait));
        const QRect area = p->printableAreaPixels();
        QCOMPARE(area.topLeft(), QPoint(100, 100));
        // A4 is 210 mm = 4961 pixels at 600 dpi, less 100 on each side.
        QCOMPARE(area.width(), 4961 - 200);
        QVERIFY(p->setOrientation(Landscape));
        QCOMPARE(p->printableAreaPixels().height(), 4961 - 200);
    }

    void paperSizeFollowsTheOrientation()
    {
        FakePrinter p;
        QVERIFY(p.setPaperSize(PaperLetter));
        QCOMPARE(p.paperSizeTwips(), QSizeF(12240, 15840));
        p.setOrientation(Landscape);
        QCOMPARE(p.paperSizeTwips(), QSizeF(15840, 12240));
    }

    void noPrinterRefusesEverything()
    {
        auto p = FakePrinter::none();
        QVERIFY(!p->isInstalled());
        QVERIFY(p->printerNames().isEmpty());
        QVERIFY(!p->setPaperSize(PaperA4));
        QVERIFY(!p->setOrientation(Portrait));
        QVERIFY(!p->setCopies(1));
        QCOMPARE(p->printableAreaPixels(), QRect());
        QVERIFY(!p->beginDocument(QStringLiteral("x")));
    }

    void unknownPaperCodeIsRefused()
    {
        FakePrinter p;
        QVERIFY(!p.setPaperSize(0));
        QVERIFY(!p.setPaperSize(9999));
        QVERIFY(!p.setCopies(-1));
        QCOMPARE(p.copies(), 1);
        // No number: the copies are the printer's own, and so reported.
        QVERIFY(p.setCopies(0));
        QCOMPARE(p.copies(), 0);
    }

    void jobKeepsOnePicturePerPage()
    {
        FakePrinter p;
        QPainter* painter = p.beginDocument(QStringLiteral("意見書"));
        QVERIFY(painter);
        QVERIFY(!p.beginDocument(QStringLiteral("second")));
        painter->drawLine(0, 0, 100, 100);
        // The painter keeps its settings on the next page, as a printer's does.
        painter->setPen(QPen(Qt::red, 3));
        painter->setFont(QFont(QStringLiteral("IPAMincho"), 21));
        painter->translate(40, 50);
        QVERIFY(p.newPage());
        QCOMPARE(painter->pen(), QPen(Qt::red, 3));
        QCOMPARE(painter->font().pointSize(), 21);
        QCOMPARE(painter->worldTransform(), QTransform::fromTranslate(40, 50));
        painter->drawRect(0, 0, 10, 10);
        QVERIFY(p.endDocument());
        QCOMPARE(p.printedPages().size(), 2);
        QCOMPARE(p.endedJobs(), 1);
        QCOMPARE(p.lastTitle(), QStringLiteral("意見書"));
        QVERIFY(!p.endDocument());
    }

    void theRunsPrinterCanBeReplaced()
    {
        auto old = setPrinter(FakePrinter::none());
        QVERIFY(!printer().isInstalled());
        setPrinter(std::move(old));
    }

    void qtPrinterWithoutPrintersAnswersSafely()
    {
        QtPrinter p;
        if (p.isInstalled())
            QSKIP("a printer is installed here");
        QCOMPARE(p.deviceName(), QString());
        QVERIFY(!p.setPaperSize(PaperA3));
        QCOMPARE(p.paperSize(), 0);
        QCOMPARE(p.printableAreaPixels(), QRect());
        QVERIFY(!p.beginDocument(QStringLiteral("x")));
    }
};

QTEST_MAIN(PrinterTest)
#include "tst_printer.moc"
