#pragma once

#include "platform/printer.h"

#include <QList>
#include <QPainter>
#include <QPicture>

#include <memory>

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
        int dpi = 600;
        // The unprintable margin on every side, in device pixels.
        int marginPixels = 100;
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
    QString lastTitle() const { return m_title; }

private:
    QSizeF paperPixels() const;

    Spec m_spec;
    QString m_device;
    int m_paper = PaperA4;
    int m_orientation = Portrait;
    int m_copies = 1;
    QString m_title;
    QList<QPicture> m_pages;
    QList<QPicture> m_printed;
    std::unique_ptr<QPainter> m_painter;
    int m_endedJobs = 0;
};

} // namespace platform
