#pragma once

#include "platform/printer.h"

#include <QList>
#include <QPageSize>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>

#include <memory>

namespace platform {

// The engine key of the options Qt's CUPS engine hands over with the job, as name and value
// pairs (the key its own print dialog uses).
constexpr auto CupsJobOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The printer a print job goes to when it names none, as the printing system resolves it: the
// user's own choice (LPDEST, PRINTER, the lpoptions files) where that printer exists, else the
// scheduler's default. "" when there is none or no scheduler answers.
QString defaultDestinationName();

// The system's printers through Qt (its CUPS back end on Linux). The QPrinter is made on
// first use, on the default printer. Choosing a printer makes a new QPrinter for it that
// carries that printer's own defaults (paper, orientation, copies, colour, resolution), and
// a paper size counts as taken only when the printer itself offers it: Qt's CUPS engine
// keeps any size it is asked for.
class QtPrinter : public Printer
{
public:
    QtPrinter();
    // Prints on the given printer instead, as it is set up (a PDF file, for example).
    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    ~QtPrinter() override;

    bool isInstalled() const override;
    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
    QString deviceName() const override;
    bool setDeviceName(const QString& name) override;

    int paperSize() const override;
    bool setPaperSize(int code) override;
    int orientation() const override;
    bool setOrientation(int orientation) override;
    int copies() const override;
    bool setCopies(int copies) override;
    int colorMode() const override;
    bool setColorMode(int mode) override;
    int printQuality() const override;
    bool setPrintQuality(int dotsPerInch) override;
    QString port() const override;

    int resolution() const override;
    QRect printableAreaPixels() const override;
    QSizeF paperSizeTwips() const override;

    QPainter* beginDocument(const QString& title) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;

    // The QPrinter itself, for the print dialog's own properties (nullptr without a printer).
    QPrinter* qprinter() const;

private:
    bool offers(const QPageSize& size) const;

    mutable std::unique_ptr<QPrinter> m_printer;
    // The paper sizes the current printer offers; empty when it names none (a PDF file).
    mutable QList<QPageSize> m_offered;
    // The copies are left to the printer's own setting (set as 0).
    bool m_copiesOwn = false;
    std::unique_ptr<QPainter> m_painter;
    bool m_given = false;
};

} // namespace platform
