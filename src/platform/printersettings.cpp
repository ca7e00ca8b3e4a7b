#include "platform/printersettings.h"

#include "platform/printer.h"

#include <QComboBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <limits>

namespace platform {

namespace {

bool has(const PrinterSettingsBlock& block, quint32 flag)
{
    return (block.dmFields & flag) != 0;
}

qint16 field(int value)
{
    return qint16(std::clamp<int>(value, std::numeric_limits<qint16>::min(),
                                  std::numeric_limits<qint16>::max()));
}

} // namespace

void seedSettingsBlock(PrinterSettingsBlock& block, const Printer& printer)
{
    using B = PrinterSettingsBlock;
    if (has(block, B::DM_ORIENTATION))
        block.dmOrientation = field(printer.orientation());
    if (has(block, B::DM_PAPERSIZE))
        block.dmPaperSize = field(printer.paperSize());
    if (has(block, B::DM_COPIES))
        block.dmCopies = field(printer.copies());
    if (has(block, B::DM_COLOR))
        block.dmColor = field(printer.colorMode());
    if (has(block, B::DM_PRINTQUALITY))
        block.dmPrintQuality = field(printer.printQuality());
}

void takeSettingsBlock(const PrinterSettingsBlock& block, Printer& printer)
{
    using B = PrinterSettingsBlock;
    if (has(block, B::DM_PAPERSIZE))
        printer.setPaperSize(block.dmPaperSize);
    if (has(block, B::DM_ORIENTATION))
        printer.setOrientation(block.dmOrientation);
    if (has(block, B::DM_COPIES))
        printer.setCopies(block.dmCopies);
    if (has(block, B::DM_COLOR))
        printer.setColorMode(block.dmColor);
    if (has(block, B::DM_PRINTQUALITY))
        printer.setPrintQuality(block.dmPrintQuality);
}

PrinterDriver::~PrinterDriver() = default;

namespace {

// Qt's print dialog on a printer object of its own for the destination: what the user
// confirms there comes back through the block, and the destination's stored options are
// not written.
class QtPrinterDriver : public PrinterDriver
{
public:
    Settings currentSettings(const QString& printerName) override
    {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
        if (info.isNull())
            return {};
        QPrinter printer(info, QPrinter::HighResolution);
        PrinterSettingsBlock block;
        using B = PrinterSettingsBlock;
        block.dmFields =
            B::DM_ORIENTATION | B::DM_PAPERSIZE | B::DM_COPIES | B::DM_COLOR | B::DM_PRINTQUALITY;
        read(printer, block);
        return {true, block};
    }

    Answer prompt(const QString& printerName, PrinterSettingsBlock& block, QWidget* owner) override
    {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
        if (info.isNull())
            return {false, printerName};
        QPrinter printer(info, QPrinter::HighResolution);
        write(block, printer);
        QPrintDialog dialog(&printer, owner);
        dialog.setWindowTitle(QStringLiteral("%1 のプロパティ").arg(printerName));
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
        // These are the properties of one printer: its list in Qt's dialog is held on it.
        // Should a Qt without that list let another printer be picked, the answer names it.
        if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
            printers->setEnabled(false);
        if (dialog.exec() != QDialog::Accepted)
            return {false, printerName};
        read(printer, block);
        return {true, printer.printerName()};
    }

private:
    static void read(const QPrinter& printer, PrinterSettingsBlock& block)
    {
        using B = PrinterSettingsBlock;
        if (has(block, B::DM_ORIENTATION))
            block.dmOrientation =
                printer.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
        if (has(block, B::DM_PAPERSIZE))
            block.dmPaperSize = field(printer.pageLayout().pageSize().windowsId());
        if (has(block, B::DM_COPIES))
            block.dmCopies = field(printer.copyCount());
        if (has(block, B::DM_COLOR))
            block.dmColor = printer.colorMode() == QPrinter::Color ? Color : Monochrome;
        if (has(block, B::DM_PRINTQUALITY))
            block.dmPrintQuality = field(printer.resolution());
    }

    static void write(const PrinterSettingsBlock& block, QPrinter& printer)
    {
        using B = PrinterSettingsBlock;
        if (has(block, B::DM_PAPERSIZE)) {
            const QPageSize::PageSizeId id = QPageSize::id(block.dmPaperSize);
            if (id != QPageSize::Custom)
                printer.setPageSize(QPageSize(id));
        }
        if (has(block, B::DM_ORIENTATION))
            printer.setPageOrientation(block.dmOrientation == Landscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
        if (has(block, B::DM_COPIES) && block.dmCopies > 0)
            printer.setCopyCount(block.dmCopies);
        if (has(block, B::DM_COLOR))
            printer.setColorMode(block.dmColor == Color ? QPrinter::Color : QPrinter::GrayScale);
        if (has(block, B::DM_PRINTQUALITY) && block.dmPrintQuality > 0)
            printer.setResolution(block.dmPrintQuality);
    }
};

std::unique_ptr<PrinterDriver>& currentDriver()
{
    static std::unique_ptr<PrinterDriver> current;
    return current;
}

} // namespace

PrinterDriver& printerDriver()
{
    auto& current = currentDriver();
    if (!current)
        current = std::make_unique<QtPrinterDriver>();
    return *current;
}

std::unique_ptr<PrinterDriver> setPrinterDriver(std::unique_ptr<PrinterDriver> replacement)
{
    auto old = std::move(currentDriver());
    currentDriver() = std::move(replacement);
    return old;
}

} // namespace platform
