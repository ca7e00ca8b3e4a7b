#include "platform/printerqt.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

#include <algorithm>
#include <cctype>
#include <optional>

#include <cups/cups.h>

namespace platform {

namespace {

// What a CUPS destination prints with unless told otherwise: the user's own defaults
// (lpoptions) first, then the scheduler's for the queue.
struct DestinationDefaults
{
    int copies = 1;
    std::optional<QPrinter::ColorMode> color;
    std::optional<QPageLayout::Orientation> orientation;
    int dotsPerInch = 0;
};

QByteArray destinationOption(const char* name, cups_dest_t* dest, cups_dinfo_t* info)
{
    if (const char* value = cupsGetOption(name, dest->num_options, dest->options))
        return QByteArray(value);
    if (!info)
        return {};
    ipp_attribute_t* attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, name);
    if (!attr)
        return {};
    char text[256] = "";
    ippAttributeString(attr, text, sizeof text);
    return QByteArray(text);
}

// "600dpi", "300x600dpi" or "118dpcm": the first (across) resolution in dots per inch.
int dotsPerInch(const QByteArray& resolution)
{
    qsizetype digits = 0;
    while (digits < resolution.size() && std::isdigit(uchar(resolution[digits])))
        ++digits;
    const int value = resolution.left(digits).toInt();
    if (value <= 0)
        return 0;
    return resolution.endsWith("dpcm") ? int(value * 2.54 + 0.5) : value;
}

DestinationDefaults destinationDefaults(const QString& printerName)
{
    DestinationDefaults defaults;
    const QByteArray id = printerName.toUtf8();
    const qsizetype slash = id.indexOf('/');
    const QByteArray name = slash < 0 ? id : id.left(slash);
    const QByteArray instance = slash < 0 ? QByteArray() : id.mid(slash + 1);
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return defaults;
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    defaults.copies = std::max(1, destinationOption("copies", dest, info).toInt());
    const QByteArray color = destinationOption("print-color-mode", dest, info);
    if (color == "monochrome" || color == "bi-level" || color == "process-monochrome")
        defaults.color = QPrinter::GrayScale;
    else if (color == "color" || color == "process-color")
        defaults.color = QPrinter::Color;
    const QByteArray orientation = destinationOption("orientation-requested", dest, info);
    if (orientation == "landscape" || orientation == "reverse-landscape" || orientation == "4" ||
        orientation == "5")
        defaults.orientation = QPageLayout::Landscape;
    else if (!orientation.isEmpty() && orientation != "none" && orientation != "no-value")
        defaults.orientation = QPageLayout::Portrait;
    defaults.dotsPerInch = dotsPerInch(destinationOption("printer-resolution", dest, info));
    cupsFreeDestInfo(info);
    cupsFreeDests(1, dest);
    return defaults;
}

// A new printer object for a destination, with that destination's own defaults and nothing
// carried over from another printer.
std::unique_ptr<QPrinter> printerWithDefaults(const QPrinterInfo& info)
{
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setFullPage(true);
    const DestinationDefaults defaults = destinationDefaults(info.printerName());
    if (const QPageSize paper = info.defaultPageSize(); paper.isValid())
        printer->setPageSize(paper);
    printer->setPageOrientation(defaults.orientation.value_or(QPageLayout::Portrait));
    printer->setCopyCount(defaults.copies);
    printer->setColorMode(defaults.color.value_or(
        info.defaultColorMode() == QPrinter::GrayScale ? QPrinter::GrayScale : QPrinter::Color));
    if (defaults.dotsPerInch > 0)
        printer->setResolution(defaults.dotsPerInch);
    return printer;
}

// The margins the printer cannot print in, in points, on the paper as it lies in the current
// orientation. Qt takes them from the printer's description of the paper as it stands (the
// imageable area of the queue's PPD; none for a PDF file); a landscape job lies on the paper
// turned a quarter anticlockwise, as CUPS turns it, so that its left edge is on the paper's
// bottom edge and its top on the paper's left edge.
QMarginsF unprintableMargins(const QPrinter& printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QMarginsF paper = layout.minimumMargins();
    if (layout.orientation() == QPageLayout::Portrait)
        return paper;
    return QMarginsF(paper.bottom(), paper.left(), paper.top(), paper.right());
}

} // namespace

QString defaultDestinationName()
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return {};
    QString name = QString::fromUtf8(dest->name);
    if (dest->instance)
        name += QLatin1Char('/') + QString::fromUtf8(dest->instance);
    cupsFreeDests(1, dest);
    return name;
}

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer)), m_given(m_printer != nullptr)
{
    if (!m_printer)
        return;
    // Drawn from the paper's corner: the print job's painter starts at the printable area.
    m_printer->setFullPage(true);
    if (m_printer->outputFormat() == QPrinter::NativeFormat)
        m_offered = QPrinterInfo::printerInfo(m_printer->printerName()).supportedPageSizes();
}

QtPrinter::~QtPrinter()
{
    abortDocument();
}

QPrinter* QtPrinter::qprinter() const
{
    if (!m_printer && isInstalled()) {
        // The printer a job goes to when it names none; without one, the first listed.
        QPrinterInfo info = QPrinterInfo::printerInfo(defaultDestinationName());
        if (info.isNull())
            info = QPrinterInfo::availablePrinters().value(0);
        m_printer = printerWithDefaults(info);
        m_offered = info.supportedPageSizes();
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
    return defaultDestinationName();
}

QString QtPrinter::deviceName() const
{
    const QPrinter* p = qprinter();
    return p ? p->printerName() : QString();
}

bool QtPrinter::setDeviceName(const QString& name)
{
    // Not while a job is open, and only a printer the system lists and Qt can reach.
    if (m_painter || !printerNames().contains(name))
        return false;
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    std::unique_ptr<QPrinter> chosen = printerWithDefaults(info);
    if (!chosen->isValid() || chosen->printerName() != name)
        return false;
    m_printer = std::move(chosen);
    m_offered = info.supportedPageSizes();
    m_copiesOwn = false;
    return true;
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
    if (!offers(size))
        return false;
    return p->setPageSize(size) && p->pageLayout().pageSize().isEquivalentTo(size);
}

bool QtPrinter::offers(const QPageSize& size) const
{
    // A printer that names no sizes (a PDF file) takes any.
    return m_offered.isEmpty() ||
           std::any_of(m_offered.begin(), m_offered.end(),
                       [&size](const QPageSize& offered) { return offered.isEquivalentTo(size); });
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
    return p && !m_copiesOwn ? p->copyCount() : 0;
}

bool QtPrinter::setCopies(int copies)
{
    QPrinter* p = qprinter();
    if (!p || copies < 0)
        return false;
    m_copiesOwn = copies == 0;
    p->setCopyCount(std::max(1, copies));
    return p->copyCount() == std::max(1, copies);
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
    const int dpi = p->resolution();
    const QRect paper = p->pageLayout().fullRectPixels(dpi);
    const QMarginsF margins = unprintableMargins(*p);
    const auto pixels = [dpi](qreal points) { return qRound(points * dpi / 72.0); };
    const int left = pixels(margins.left());
    const int top = pixels(margins.top());
    return QRect(left, top, paper.width() - left - pixels(margins.right()),
                 paper.height() - top - pixels(margins.bottom()));
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
    // Qt names the copies to the scheduler only when there are more than one: one copy is
    // asked for by name, or a printer whose own default is more would print those.
    // Copies left to the printer are not named at all.
    if (p->outputFormat() == QPrinter::NativeFormat)
        p->printEngine()->setProperty(
            CupsJobOptions, p->copyCount() == 1 && !m_copiesOwn
                                ? QStringList{QStringLiteral("copies"), QStringLiteral("1")}
                                : QStringList{});
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(p))
        return nullptr;
    // As on a printer's own drawing surface, (0, 0) is the first printable dot: the print
    // procedures take the unprintable offsets off every position.
    painter->translate(printableAreaPixels().topLeft());
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
