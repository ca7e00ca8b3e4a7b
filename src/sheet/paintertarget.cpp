#include "sheet/paintertarget.h"

#include "platform/screen.h"
#include "sheet/textmetrics.h"
#include "sheetdata/sheetlayout.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace sheet {

namespace {

constexpr double TwipsPerInch = 1440;

Qt::PenStyle qtPenStyle(int style, int width)
{
    switch (style) {
    case PenInvisible:
        return Qt::NoPen;
    case PenDash:
    case PenDot:
    case PenDashDot:
    case PenDashDotDot:
        // Like the platform's pens, a broken style is drawn solid when the pen is wider than
        // one pixel.
        if (width > 1)
            return Qt::SolidLine;
        return style == PenDash      ? Qt::DashLine
               : style == PenDot     ? Qt::DotLine
               : style == PenDashDot ? Qt::DashDotLine
                                     : Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

} // namespace

PainterTarget::PainterTarget(QPainter& painter, bool preview)
    : m_painter(painter), m_preview(preview)
{
    const QPaintDevice* device = painter.device();
    m_twipsPerPixelX = TwipsPerInch / device->logicalDpiX();
    m_twipsPerPixelY = TwipsPerInch / device->logicalDpiY();
    setScreenTwipsPerPixelX(platform::twipsPerPixelX());
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QPointF PainterTarget::toDevice(double x, double y) const
{
    return QPointF(x / m_twipsPerPixelX, y / m_twipsPerPixelY);
}

QPen PainterTarget::pen(const QColor& color) const
{
    // The style follows the width the sheet asks for (a dotted rule stays dotted when paper
    // makes it wider); on paper no line is thinner than MinimumPaperLineTwips.
    const int width = std::max(1, drawWidth());
    const int deviceWidth = m_preview ? width : paperPenWidth(width, m_twipsPerPixelX);
    QPen pen(color, deviceWidth, qtPenStyle(drawStyle(), width), Qt::SquareCap, Qt::MiterJoin);
    return pen;
}

QBrush PainterTarget::brush() const
{
    switch (fillStyle()) {
    case FillSolid:
        return QBrush(fillColor(), Qt::SolidPattern);
    case FillHorizontalLine:
        return QBrush(fillColor(), Qt::HorPattern);
    case FillVerticalLine:
        return QBrush(fillColor(), Qt::VerPattern);
    case FillUpwardDiagonal:
        return QBrush(fillColor(), Qt::BDiagPattern);
    case FillDownwardDiagonal:
        return QBrush(fillColor(), Qt::FDiagPattern);
    case FillCross:
        return QBrush(fillColor(), Qt::CrossPattern);
    case FillDiagonalCross:
        return QBrush(fillColor(), Qt::DiagCrossPattern);
    default:
        return Qt::NoBrush;
    }
}

double PainterTarget::textWidth(const QString& text)
{
    return referenceAdvance(state(), text);
}

void PainterTarget::drawLine(int x1, int y1, int x2, int y2, const QColor& color)
{
    m_painter.setPen(pen(color));
    m_painter.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void PainterTarget::drawBox(int x1, int y1, int x2, int y2, const QColor& color)
{
    m_painter.setPen(pen(color));
    m_painter.setBrush(brush());
    m_painter.drawRect(QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized());
}

void PainterTarget::drawEllipse(double cx, double cy, double rx, double ry, const QColor& color,
                                std::optional<double> start, std::optional<double> end)
{
    const QRectF rect(toDevice(cx - rx, cy - ry), toDevice(cx + rx, cy + ry));
    m_painter.setPen(pen(color));
    if (start || end) {
        const double from = std::abs(start.value_or(0));
        double span = std::abs(end.value_or(2 * std::numbers::pi)) - from;
        if (span <= 0)
            span += 2 * std::numbers::pi;
        const auto sixteenths = [](double radians) {
            return static_cast<int>(std::lround(radians * 180 / std::numbers::pi * 16));
        };
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.drawArc(rect, sixteenths(from), sixteenths(span));
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        return;
    }
    m_painter.setBrush(brush());
    m_painter.drawEllipse(rect);
}

void PainterTarget::drawText(double x, double y, const QString& text)
{
    // The glyphs go where the reference layout puts them, at any resolution: the text is laid
    // out in twips (the painter scaled to them, the font's em as many twips as the
    // reference's), so no advance is rounded to this device's pixels on the way.
    m_painter.save();
    m_painter.scale(1 / m_twipsPerPixelX, 1 / m_twipsPerPixelY);
    m_painter.setFont(referenceFontForTwips(state(), m_painter.device()->logicalDpiY()));
    m_painter.setPen(foreColor());
    m_painter.drawText(QPointF(x, y + textCellBaseline(fontSize())), text);
    m_painter.restore();
}

void PainterTarget::drawPicture(const QImage& image, int x, int y, int width, int height)
{
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_painter.drawImage(QRectF(toDevice(x, y), toDevice(x + width, y + height)), image);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

QImage newPreviewCanvas(double twipsPerPixel)
{
    const int width = static_cast<int>(std::lround(sheetdata::SheetWidth / twipsPerPixel));
    const int height = static_cast<int>(std::lround(sheetdata::SheetHeight / twipsPerPixel));
    QImage canvas(width, height, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(TwipsPerInch / twipsPerPixel / 0.0254));
    canvas.setDotsPerMeterX(dotsPerMeter);
    canvas.setDotsPerMeterY(dotsPerMeter);
    canvas.fill(Qt::white);
    return canvas;
}

} // namespace sheet
