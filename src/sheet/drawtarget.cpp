#include "sheet/drawtarget.h"

#include <algorithm>
#include <cmath>

namespace sheet {

QColor paletteColor(int index)
{
    static const QRgb palette[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
    };
    if (index < 0 || index > 15)
        return QColor(palette[0]);
    return QColor(palette[index]);
}

DrawTarget::~DrawTarget() = default;

void DrawTarget::setDrawWidth(int pixels)
{
    m_state.drawWidth = pixels;
    settingChanged(Setting::DrawWidth);
}

void DrawTarget::setDrawStyle(int style)
{
    m_state.drawStyle = style;
    settingChanged(Setting::DrawStyle);
}

void DrawTarget::setFillStyle(int style)
{
    m_state.fillStyle = style;
    settingChanged(Setting::FillStyle);
}

void DrawTarget::setFillColor(const QColor& color)
{
    m_state.fillColor = color;
    settingChanged(Setting::FillColor);
}

void DrawTarget::setForeColor(const QColor& color)
{
    m_state.foreColor = color;
    settingChanged(Setting::ForeColor);
}

void DrawTarget::setFontName(const QString& name)
{
    m_state.fontName = name;
    settingChanged(Setting::Font);
}

void DrawTarget::setFontSize(double points)
{
    m_state.fontSize = points;
    settingChanged(Setting::Font);
}

void DrawTarget::setFontBold(bool bold)
{
    m_state.fontBold = bold;
    settingChanged(Setting::Font);
}

void DrawTarget::setFont(const QString& name, double points)
{
    setFontName(name);
    setFontSize(points);
}

void DrawTarget::setCurrentX(double x)
{
    m_state.currentX = x;
    settingChanged(Setting::Position);
}

void DrawTarget::setCurrentY(double y)
{
    m_state.currentY = y;
    settingChanged(Setting::Position);
}

void DrawTarget::line(int x1, int y1, int x2, int y2, std::optional<QColor> color)
{
    drawLine(x1, y1, x2, y2, color.value_or(m_state.foreColor));
    m_state.currentX = x2;
    m_state.currentY = y2;
}

void DrawTarget::box(int x1, int y1, int x2, int y2, std::optional<QColor> color)
{
    drawBox(x1, y1, x2, y2, color.value_or(m_state.foreColor));
    m_state.currentX = x2;
    m_state.currentY = y2;
}

void DrawTarget::circle(double cx, double cy, double radius, std::optional<QColor> color,
                        std::optional<double> start, std::optional<double> end, double aspect)
{
    double rx = radius;
    double ry = radius;
    if (aspect < 1)
        ry = radius * aspect;
    else if (aspect > 1)
        rx = radius / aspect;
    drawEllipse(cx, cy, std::abs(rx), std::abs(ry), color.value_or(m_state.foreColor), start, end);
    m_state.currentX = cx;
    m_state.currentY = cy;
}

void DrawTarget::setTextFits(QHash<int, TextFit> fits)
{
    m_fits = std::move(fits);
    m_printed = 0;
}

void DrawTarget::printLine(const QString& text)
{
    const double height = textHeight(text);
    const auto fit = m_fits.constFind(m_printed++);
    if (fit == m_fits.cend()) {
        drawText(m_state.currentX, m_state.currentY, text);
    } else if (!fit->lines) {
        m_state.stretch = fit->stretch;
        drawText(m_state.currentX, m_state.currentY, text);
        m_state.stretch = 100;
    } else {
        const double size = m_state.fontSize;
        const bool resized = fit->size > 0 && fit->size != size;
        if (resized)
            setFontSize(fit->size);
        for (const FittedLine& line : *fit->lines) {
            m_state.stretch = line.stretch;
            drawText(m_state.currentX, line.y, line.text);
        }
        m_state.stretch = 100;
        if (resized)
            setFontSize(size);
    }
    m_state.currentX = 0;
    m_state.currentY += height;
}

void DrawTarget::paintPicture(const QImage& image, int x, int y, int width, int height)
{
    drawPicture(image, x, y, width, height);
}

double textCellHeight(double points)
{
    return points * 20;
}

double textCellBaseline(double points)
{
    return 0.859 * textCellHeight(points);
}

double DrawTarget::textHeight(const QString&) const
{
    return textCellHeight(m_state.fontSize);
}

int frameWidth(const DrawTarget& target)
{
    if (target.isPreview())
        return 2;
    return static_cast<int>(
        std::floor(target.screenTwipsPerPixelX() * 1.5 / target.twipsPerPixelX() + 0.5));
}

int paperPenWidth(int drawWidth, double twipsPerPixel)
{
    const int width = std::max(1, drawWidth);
    if (!(twipsPerPixel > 0))
        return width;
    // A hair under a whole dot counts as that dot: 0.1 mm at 254 dots per inch is one dot.
    const int thinnest = static_cast<int>(std::ceil(MinimumPaperLineTwips / twipsPerPixel - 1e-9));
    return std::max(width, thinnest);
}

} // namespace sheet
