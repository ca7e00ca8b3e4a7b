#include "platform/printersettings.h"

#include "platform/printer.h"
#include "platform/printerqt.h"

#include <QChildEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>

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

// The page setup of Qt's print dialog (paper and orientation), which the dialog makes when
// it is first needed: shown, it starts from the paper and orientation asked for, not from the
// printer's default; and whether the user confirmed it is kept.
class PageSetupWatch : public QObject
{
public:
    PageSetupWatch(QPrintDialog& dialog, const QPageLayout& asked) : m_asked(asked)
    {
        dialog.installEventFilter(this);
    }
    bool confirmed() const { return m_confirmed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The page setup is a dialog of its own inside the print dialog; it is polished
        // when it is first shown, after it has been made.
        if (event->type() == QEvent::ChildPolished) {
            auto* setup = qobject_cast<QDialog*>(static_cast<QChildEvent*>(event)->child());
            if (setup && setup->findChild<QComboBox*>(PageSizes) &&
                !setup->property(Preset).toBool()) {
                setup->setProperty(Preset, true);
                preset(*setup);
                connect(setup, &QDialog::accepted, this, [this] { m_confirmed = true; });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr const char* Preset = "presetFromPrinter";
    static inline const QString PageSizes = QStringLiteral("pageSizeCombo");

    void preset(QDialog& setup) const
    {
        if (auto* sizes = setup.findChild<QComboBox*>(PageSizes))
            for (int i = 0; i < sizes->count(); ++i) {
                const QVariant size = sizes->itemData(i);
                if (size.canConvert<QPageSize>() &&
                    size.value<QPageSize>().isEquivalentTo(m_asked.pageSize())) {
                    sizes->setCurrentIndex(i);
                    break;
                }
            }
        const bool landscape = m_asked.orientation() == QPageLayout::Landscape;
        if (auto* button = setup.findChild<QRadioButton*>(landscape ? QStringLiteral("landscape")
                                                                    : QStringLiteral("portrait")))
            if (!button->isChecked())
                button->click();
    }

    QPageLayout m_asked;
    bool m_confirmed = false;
};

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
        const QPageLayout asked = printer.pageLayout();
        QPrintDialog dialog(&printer, owner);
        dialog.setWindowTitle(QStringLiteral("%1 のプロパティ").arg(printerName));
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
        // These are the properties of one printer: its list in Qt's dialog is held on it.
        // Should a Qt without that list let another printer be picked, the answer names it.
        if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
            printers->setEnabled(false);
        // Nothing prints from here: the confirmation takes the settings.
        if (auto* buttons =
                dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly))
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        const QPrinter::ColorMode askedColour = printer.colorMode();
        PageSetupWatch pageSetup(dialog, asked);
        if (dialog.exec() != QDialog::Accepted)
            return {false, printerName};
        // Qt's page setup starts from the printer's own default paper and hands that over
        // on every confirmation: the paper and orientation asked for stay unless the user
        // confirmed the page setup itself.
        if (!pageSetup.confirmed()) {
            printer.setPageSize(asked.pageSize());
            printer.setPageOrientation(asked.orientation());
        }
        // Qt's dialog hands a printer back in colour on every confirmation, unless the
        // printer's own colour option (ColorModel) was chosen in its page setup: the colour
        // asked for stays unless that option was chosen.
        if (!pageSetup.confirmed() || !choseOption(printer, "ColorModel"))
            printer.setColorMode(askedColour);
        read(printer, block);
        return {true, printer.printerName()};
    }

private:
    // Whether the options Qt hands over with the printer's jobs choose the printer's `option`.
    static bool choseOption(QPrinter& printer, const char* option)
    {
        const QStringList options = printer.printEngine()->property(CupsJobOptions).toStringList();
        for (qsizetype i = 0; i + 1 < options.size(); i += 2)
            if (options[i] == QLatin1String(option))
                return true;
        return false;
    }

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
