#pragma once

#include "platform/printer.h"
#include "platform/printersettings.h"

#include <QHash>
#include <QList>
#include <QPainter>
#include <QPicture>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// A printer for tests: no device, only the answers a real printer gives. What it prints is
// kept as one picture per page.
class FakePrinter : public Printer
{
public:
    struct Spec
    {
        bool installed = true;
        QStringList names = {QStringLiteral("Fake Printer")};
        bool acceptsA3 = true;
        // Printers of `names` that refuse A3 although acceptsA3 is true.
        QStringList refusingA3;
        // Printers of `names` that cannot be made the current printer (gone since listed).
        QStringList unreachable;
        // The copies a printer starts with (a driver may report 0), and printers whose own
        // default differs.
        int copies = 1;
        QHash<QString, int> copiesOf;
        QString port = QStringLiteral("usb://Fake/Printer");
        int dpi = 600;
        // The unprintable margin on every side, in device pixels.
        int marginPixels = 100;
        // A job that breaks: the printer refuses to start it, to begin its second page, or
        // to take it at its end.
        bool failsToStart = false;
        bool failsOnNewPage = false;
        bool failsAtEnd = false;
    };

    explicit FakePrinter(Spec spec);
    FakePrinter() : FakePrinter(Spec{}) {}
    // The three printers the tests start with.
    static std::unique_ptr<FakePrinter> refusingA3();
    static std::unique_ptr<FakePrinter> at600DpiWithOffset100();
    static std::unique_ptr<FakePrinter> none();

    bool isInstalled() const override { return m_spec.installed; }
    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
    QString deviceName() const override { return m_device; }
    bool setDeviceName(const QString& name) override;

    int paperSize() const override { return m_paper; }
    bool setPaperSize(int code) override;
    int orientation() const override { return m_orientation; }
    bool setOrientation(int orientation) override;
    int copies() const override { return m_copies; }
    bool setCopies(int copies) override;
    int colorMode() const override { return m_colorMode; }
    bool setColorMode(int mode) override;
    int printQuality() const override { return m_quality; }
    bool setPrintQuality(int dotsPerInch) override;
    QString port() const override { return m_spec.installed ? m_spec.port : QString(); }

    int resolution() const override { return m_spec.installed ? m_spec.dpi : 0; }
    QRect printableAreaPixels() const override;
    QSizeF paperSizeTwips() const override;

    QPainter* beginDocument(const QString& title) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;

    // The pages of the jobs ended so far, and the title of the last job.
    const QList<QPicture>& printedPages() const { return m_printed; }
    int endedJobs() const { return m_endedJobs; }
    int abortedJobs() const { return m_abortedJobs; }
    // True while a job is open.
    bool inJob() const { return m_painter != nullptr; }
    QString lastTitle() const { return m_title; }

private:
    QSizeF paperPixels() const;

    Spec m_spec;
    QString m_device;
    int m_paper = PaperA4;
    int m_orientation = Portrait;
    int m_copies = 1;
    int m_colorMode = Color;
    int m_quality = 0;
    QString m_title;
    QList<QPicture> m_pages;
    QList<QPicture> m_printed;
    std::unique_ptr<QPainter> m_painter;
    int m_endedJobs = 0;
    int m_abortedJobs = 0;
};

// A driver settings dialog for tests: it reports a settings block and answers as told.
class FakePrinterDriver : public PrinterDriver
{
public:
    // Every field valid, A4 portrait, one copy, colour, 600 dots per inch.
    static PrinterSettingsBlock fullBlock();

    bool opens = true;
    std::optional<PrinterSettingsBlock> block = fullBlock();
    // The user's answer: confirm after `choose` changed the block, or cancel; `picks` names
    // another printer chosen in the dialog ("" keeps the one it was opened for).
    bool confirms = true;
    std::function<void(PrinterSettingsBlock&)> choose;
    QString picks;

    // What the dialog was shown, and how often.
    std::optional<PrinterSettingsBlock> shown;
    int prompts = 0;

    Settings currentSettings(const QString& printerName) override;
    Answer prompt(const QString& printerName, PrinterSettingsBlock& block, QWidget* owner) override;
};

} // namespace platform
