#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

class QWidget;

namespace platform {

class Printer;

// The part of a printer's settings that the driver's settings dialog exchanges with the
// program: each field counts only when its flag is set in dmFields.
struct PrinterSettingsBlock
{
    enum Flag : quint32 {
        DM_ORIENTATION = 0x1,
        DM_PAPERSIZE = 0x2,
        DM_COPIES = 0x100,
        DM_PRINTQUALITY = 0x400,
        DM_COLOR = 0x800,
    };
    quint32 dmFields = 0;
    qint16 dmOrientation = 0;
    qint16 dmPaperSize = 0;
    qint16 dmCopies = 0;
    qint16 dmPrintQuality = 0;
    qint16 dmColor = 0;
    friend bool operator==(const PrinterSettingsBlock&, const PrinterSettingsBlock&) = default;
};

// Writes the printer object's values into the fields the block marks valid: orientation,
// paper, copies, colour mode, print quality. Fields not marked stay as they are.
void seedSettingsBlock(PrinterSettingsBlock& block, const Printer& printer);
// Sets the printer object from the fields the block marks valid: paper, orientation, copies,
// colour mode, print quality, in that order.
void takeSettingsBlock(const PrinterSettingsBlock& block, Printer& printer);

// A printer driver's own settings dialog, for one destination at a time.
class PrinterDriver
{
public:
    virtual ~PrinterDriver();
    struct Settings
    {
        // False when the printer cannot be opened.
        bool opened = false;
        // The printer's current settings; std::nullopt when the driver gives none.
        std::optional<PrinterSettingsBlock> block;
    };
    virtual Settings currentSettings(const QString& printerName) = 0;
    struct Answer
    {
        bool confirmed = false;
        // The printer the dialog ended on: the one it was opened for, unless the dialog let
        // the user pick another.
        QString printerName;
    };
    // Shows the settings dialog seeded from `block`. Confirmed: the block holds the chosen
    // values; cancelled: the block is unchanged.
    virtual Answer prompt(const QString& printerName, PrinterSettingsBlock& block,
                          QWidget* owner) = 0;
};

// The driver dialog of the run: Qt's print dialog for the CUPS destination unless a test
// installed another.
PrinterDriver& printerDriver();
std::unique_ptr<PrinterDriver> setPrinterDriver(std::unique_ptr<PrinterDriver> replacement);

} // namespace platform
