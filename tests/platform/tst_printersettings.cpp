#include "platform/printerdouble.h"
#include "platform/printersettings.h"

#include <QtTest>

using platform::FakePrinter;
using platform::PrinterSettingsBlock;
using B = PrinterSettingsBlock;

namespace {

// A block whose every field holds a value no printer has, so that a field written shows.
PrinterSettingsBlock untouched(quint32 fields)
{
    PrinterSettingsBlock block;
    block.dmFields = fields;
    block.dmOrientation = block.dmPaperSize = block.dmCopies = block.dmPrintQuality =
        block.dmColor = -7;
    return block;
}

} // namespace

class PrinterSettingsTest : public QObject
{
    Q_OBJECT
    static void fieldRows();
private Q_SLOTS:
    void seedWritesOnlyValidFields_data() { fieldRows(); }
    void seedWritesOnlyValidFields();
    void takeReadsOnlyValidFields_data() { fieldRows(); }
    void takeReadsOnlyValidFields();
};

// Which fields the driver marks valid.
void PrinterSettingsTest::fieldRows()
{
    QTest::addColumn<quint32>("fields");
    QTest::newRow("all") << quint32(B::DM_ORIENTATION | B::DM_PAPERSIZE | B::DM_COPIES |
                                    B::DM_COLOR | B::DM_PRINTQUALITY);
    QTest::newRow("none") << quint32(0);
    QTest::newRow("without copies")
        << quint32(B::DM_ORIENTATION | B::DM_PAPERSIZE | B::DM_COLOR | B::DM_PRINTQUALITY);
    QTest::newRow("orientation without paper") << quint32(B::DM_ORIENTATION);
    QTest::newRow("copies and colour") << quint32(B::DM_COPIES | B::DM_COLOR);
}

void PrinterSettingsTest::seedWritesOnlyValidFields()
{
    QFETCH(quint32, fields);
    FakePrinter printer;
    QVERIFY(printer.setPaperSize(platform::PaperA3));
    QVERIFY(printer.setOrientation(platform::Landscape));
    QVERIFY(printer.setCopies(4));
    QVERIFY(printer.setColorMode(platform::Monochrome));
    QVERIFY(printer.setPrintQuality(300));
    PrinterSettingsBlock block = untouched(fields);
    platform::seedSettingsBlock(block, printer);
    QCOMPARE(block.dmFields, fields);
    QCOMPARE(block.dmOrientation, qint16(fields & B::DM_ORIENTATION ? 2 : -7));
    QCOMPARE(block.dmPaperSize, qint16(fields & B::DM_PAPERSIZE ? 8 : -7));
    QCOMPARE(block.dmCopies, qint16(fields & B::DM_COPIES ? 4 : -7));
    QCOMPARE(block.dmColor, qint16(fields & B::DM_COLOR ? 1 : -7));
    QCOMPARE(block.dmPrintQuality, qint16(fields & B::DM_PRINTQUALITY ? 300 : -7));
}

void PrinterSettingsTest::takeReadsOnlyValidFields()
{
    QFETCH(quint32, fields);
    FakePrinter printer; // A4 portrait, one copy, colour, 600 dpi
    PrinterSettingsBlock block;
    block.dmFields = fields;
    block.dmOrientation = platform::Landscape;
    block.dmPaperSize = platform::PaperB4;
    block.dmCopies = 3;
    block.dmColor = platform::Monochrome;
    block.dmPrintQuality = 1200;
    platform::takeSettingsBlock(block, printer);
    QCOMPARE(printer.orientation(), fields & B::DM_ORIENTATION ? 2 : 1);
    QCOMPARE(printer.paperSize(), fields & B::DM_PAPERSIZE ? 12 : 9);
    QCOMPARE(printer.copies(), fields & B::DM_COPIES ? 3 : 1);
    QCOMPARE(printer.colorMode(), fields & B::DM_COLOR ? 1 : 2);
    QCOMPARE(printer.printQuality(), fields & B::DM_PRINTQUALITY ? 1200 : 600);
}

QTEST_MAIN(PrinterSettingsTest)
#include "tst_printersettings.moc"
