#include "platform/printerqt.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace platform {

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer)), m_given(m_printer != nullptr)
{
}

QtPrinter::~QtPrinter()
{
    abortDocument();
}

QPrinter* QtPrinter::qprinter() const
{
    if (!m_printer && isInstalled()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            info = QPrinterInfo::availablePrinters().value(0);
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    return m_printer.get();
}

bool QtPrinter::isInstalled() const
{
    if (m_given)
        return true;
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QStringList QtPrinter::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinter::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}

QString QtPrinter::deviceName() const
{
    const QPrinter* p = qprinter();
    return p ? p->printerName() : QString();
}

bool QtPrinter::setDeviceName(const QString& name)
{
    QPrinter* p = qprinter();
    if (!p || !printerNames().contains(name))
        return false;
    p->setPrinterName(name);
    return p->printerName() == name;
}

int QtPrinter::paperSize() const
{
    const QPrinter* p = qprinter();
    return p ? p->pageLayout().pageSize().windowsId() : 0;
}

bool QtPrinter::setPaperSize(int code)
{
    QPrinter* p = qprinter();
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (!p || id == QPageSize::Custom)
        return false;
    const QPageSize size(id);
    // A printer that does not offer the size keeps its old one: the setter tells.
    return p->setPageSize(size) && p->pageLayout().pageSize().isEquivalentTo(size);
}

int QtPrinter::orientation() const
{
    const QPrinter* p = qprinter();
    if (!p)
        return 0;
    return p->pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
}

bool QtPrinter::setOrientation(int orientation)
{
    QPrinter* p = qprinter();
    if (!p || (orientation != Portrait && orientation != Landscape))
        return false;
    return p->setPageOrientation(orientation == Landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
}

int QtPrinter::copies() const
{
    const QPrinter* p = qprinter();
    return p ? p->copyCount() : 0;
}

bool QtPrinter::setCopies(int copies)
{
    QPrinter* p = qprinter();
    if (!p || copies < 1)
        return false;
    p->setCopyCount(copies);
    return p->copyCount() == copies;
}

int QtPrinter::colorMode() const
{
    const QPrinter* p = qprinter();
    if (!p)
        return 0;
    return p->colorMode() == QPrinter::Color ? Color : Monochrome;
}

bool QtPrinter::setColorMode(int mode)
{
    QPrinter* p = qprinter();
    if (!p || (mode != Color && mode != Monochrome))
        return false;
    p->setColorMode(mode == Color ? QPrinter::Color : QPrinter::GrayScale);
    return true;
}

int QtPrinter::printQuality() const
{
    return resolution();
}

bool QtPrinter::setPrintQuality(int dotsPerInch)
{
    QPrinter* p = qprinter();
    if (!p || dotsPerInch <= 0 || m_painter)
        return false;
    p->setResolution(dotsPerInch);
    return p->resolution() == dotsPerInch;
}

QString QtPrinter::port() const
{
    const QString name = deviceName();
    if (name.isEmpty())
        return {};
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return {};
    const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
    const QString port = uri ? QString::fromUtf8(uri) : QString();
    cupsFreeDests(1, dest);
    return port;
}

int QtPrinter::resolution() const
{
    const QPrinter* p = qprinter();
    return p ? p->resolution() : 0;
}

QRect QtPrinter::printableAreaPixels() const
{
    const QPrinter* p = qprinter();
    if (!p)
        return {};
    return p->pageLayout().paintRectPixels(p->resolution());
}

QSizeF QtPrinter::paperSizeTwips() const
{
    const QPrinter* p = qprinter();
    if (!p)
        return {};
    return p->pageLayout().fullRect(QPageLayout::Millimeter).size() * (1440.0 / 25.4);
}

QPainter* QtPrinter::beginDocument(const QString& title)
{
    QPrinter* p = qprinter();
    if (!p || m_painter || !p->isValid())
        return nullptr;
    p->setDocName(title);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(p))
        return nullptr;
    m_painter = std::move(painter);
    return m_painter.get();
}

bool QtPrinter::newPage()
{
    return m_painter && m_printer && m_printer->newPage();
}

bool QtPrinter::endDocument()
{
    if (!m_painter)
        return false;
    const bool ok = m_painter->end();
    m_painter.reset();
    return ok && m_printer->printerState() != QPrinter::Error &&
           m_printer->printerState() != QPrinter::Aborted;
}

void QtPrinter::abortDocument()
{
    if (!m_painter)
        return;
    if (m_printer)
        m_printer->abort();
    m_painter->end();
    m_painter.reset();
}

} // namespace platform
