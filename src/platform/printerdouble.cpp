#include "platform/printerdouble.h"

#include <QPageSize>

namespace platform {

FakePrinter::FakePrinter(Spec spec) : m_spec(std::move(spec))
{
    if (m_spec.installed) {
        m_device = m_spec.names.value(0);
        m_copies = m_spec.copiesOf.value(m_device, m_spec.copies);
        m_quality = m_spec.dpi;
    } else {
        m_paper = m_orientation = m_copies = m_colorMode = 0;
    }
}

std::unique_ptr<FakePrinter> FakePrinter::refusingA3()
{
    Spec spec;
    spec.names = {QStringLiteral("A4 Only")};
    spec.acceptsA3 = false;
    return std::make_unique<FakePrinter>(spec);
}

std::unique_ptr<FakePrinter> FakePrinter::at600DpiWithOffset100()
{
    Spec spec;
    spec.dpi = 600;
    spec.marginPixels = 100;
    return std::make_unique<FakePrinter>(spec);
}

std::unique_ptr<FakePrinter> FakePrinter::none()
{
    Spec spec;
    spec.installed = false;
    spec.names.clear();
    return std::make_unique<FakePrinter>(spec);
}

QStringList FakePrinter::printerNames() const
{
    return m_spec.installed ? m_spec.names : QStringList();
}

QString FakePrinter::defaultPrinterName() const
{
    return printerNames().value(0);
}

bool FakePrinter::setDeviceName(const QString& name)
{
    // As the real printer: not during a job, and only a printer that can be reached.
    if (m_painter || !printerNames().contains(name) || m_spec.unreachable.contains(name))
        return false;
    // The printer object then carries the chosen printer's own settings.
    m_device = name;
    m_paper = PaperA4;
    m_orientation = Portrait;
    m_copies = m_spec.copiesOf.value(name, m_spec.copies);
    m_colorMode = Color;
    m_quality = m_spec.dpi;
    return true;
}

bool FakePrinter::setPaperSize(int code)
{
    if (!m_spec.installed || QPageSize::id(code) == QPageSize::Custom)
        return false;
    if (code == PaperA3 && (!m_spec.acceptsA3 || m_spec.refusingA3.contains(m_device)))
        return false;
    m_paper = code;
    return true;
}

bool FakePrinter::setOrientation(int orientation)
{
    if (!m_spec.installed || (orientation != Portrait && orientation != Landscape))
        return false;
    m_orientation = orientation;
    return true;
}

bool FakePrinter::setCopies(int copies)
{
    if (!m_spec.installed || copies < 0)
        return false;
    m_copies = copies;
    return true;
}

bool FakePrinter::setColorMode(int mode)
{
    if (!m_spec.installed || (mode != Color && mode != Monochrome))
        return false;
    m_colorMode = mode;
    return true;
}

bool FakePrinter::setPrintQuality(int dotsPerInch)
{
    if (!m_spec.installed || dotsPerInch <= 0)
        return false;
    m_quality = dotsPerInch;
    return true;
}

QSizeF FakePrinter::paperSizeTwips() const
{
    if (!m_spec.installed)
        return {};
    // From the size as the paper is defined (millimetres or inches), not the rounded points.
    const QPageSize page(QPageSize::id(m_paper));
    const double perUnit = page.definitionUnits() == QPageSize::Inch ? 1440.0 : 1440.0 / 25.4;
    QSizeF size = page.definitionSize() * perUnit;
    if (m_orientation == Landscape)
        size.transpose();
    return size;
}

QSizeF FakePrinter::paperPixels() const
{
    return paperSizeTwips() / twipsPerPixel();
}

QRect FakePrinter::printableAreaPixels() const
{
    if (!m_spec.installed)
        return {};
    const QSizeF paper = paperPixels();
    const int m = m_spec.marginPixels;
    return QRect(m, m, qRound(paper.width()) - 2 * m, qRound(paper.height()) - 2 * m);
}

QPainter* FakePrinter::beginDocument(const QString& title)
{
    if (!m_spec.installed || m_painter || m_spec.failsToStart)
        return nullptr;
    m_title = title;
    m_pages.clear();
    m_pages.append(QPicture());
    m_painter = std::make_unique<QPainter>(&m_pages.last());
    return m_painter.get();
}

bool FakePrinter::newPage()
{
    if (!m_painter || m_spec.failsOnNewPage)
        return false;
    // Every page is a picture of its own; the painter carries on onto the next one with
    // its settings, as a printer's painter does.
    QPainter& p = *m_painter;
    const QPen pen = p.pen();
    const QBrush brush = p.brush();
    const QFont font = p.font();
    const QBrush background = p.background();
    const Qt::BGMode backgroundMode = p.backgroundMode();
    const QTransform transform = p.worldTransform();
    const QPainter::RenderHints hints = p.renderHints();
    const qreal opacity = p.opacity();
    p.end();
    m_pages.append(QPicture());
    p.begin(&m_pages.last());
    p.setPen(pen);
    p.setBrush(brush);
    p.setFont(font);
    p.setBackground(background);
    p.setBackgroundMode(backgroundMode);
    p.setWorldTransform(transform);
    p.setRenderHints(hints);
    p.setOpacity(opacity);
    return true;
}

bool FakePrinter::endDocument()
{
    if (!m_painter)
        return false;
    m_painter->end();
    m_painter.reset();
    if (m_spec.failsAtEnd) {
        m_pages.clear();
        return false;
    }
    m_printed = m_pages;
    m_pages.clear();
    ++m_endedJobs;
    return true;
}

void FakePrinter::abortDocument()
{
    if (!m_painter)
        return;
    m_painter->end();
    m_painter.reset();
    m_pages.clear();
    ++m_abortedJobs;
}

PrinterSettingsBlock FakePrinterDriver::fullBlock()
{
    PrinterSettingsBlock block;
    using B = PrinterSettingsBlock;
    block.dmFields =
        B::DM_ORIENTATION | B::DM_PAPERSIZE | B::DM_COPIES | B::DM_COLOR | B::DM_PRINTQUALITY;
    block.dmOrientation = Portrait;
    block.dmPaperSize = PaperA4;
    block.dmCopies = 1;
    block.dmColor = Color;
    block.dmPrintQuality = 600;
    return block;
}

PrinterDriver::Settings FakePrinterDriver::currentSettings(const QString&)
{
    if (!opens)
        return {};
    return {true, block};
}

PrinterDriver::Answer FakePrinterDriver::prompt(const QString& printerName,
                                                PrinterSettingsBlock& shownBlock, QWidget*)
{
    ++prompts;
    shown = shownBlock;
    if (!confirms)
        return {false, printerName};
    if (choose)
        choose(shownBlock);
    return {true, picks.isEmpty() ? printerName : picks};
}

} // namespace platform
