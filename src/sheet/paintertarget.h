#pragma once

#include "sheet/drawtarget.h"

#include <optional>

class QPainter;

namespace sheet {

// Draws on a QPainter: the preview canvas (a QImage), a printer page or a PDF. Twips are turned
// into the device's pixels by its logical resolution; pen widths are device pixels. Texts are
// measured and placed by the reference layout (textmetrics.h), the same on every device.
class PainterTarget : public DrawTarget
{
public:
    // `preview` says whether the painter draws the preview canvas (frames 2 pixels wide) or
    // paper.
    PainterTarget(QPainter& painter, bool preview);

    bool isPreview() const override { return m_preview; }
    double twipsPerPixelX() const override { return m_twipsPerPixelX; }
    double textWidth(const QString& text) override;

protected:
    void drawLine(int x1, int y1, int x2, int y2, const QColor& color) override;
    void drawBox(int x1, int y1, int x2, int y2, const QColor& color) override;
    void drawEllipse(double cx, double cy, double rx, double ry, const QColor& color,
                     std::optional<double> start, std::optional<double> end) override;
    void drawText(double x, double y, const QString& text) override;
    void drawPicture(const QImage& image, int x, int y, int width, int height) override;

private:
    QPointF toDevice(double x, double y) const;
    QPen pen(const QColor& color) const;
    QBrush brush() const;

    QPainter& m_painter;
    bool m_preview;
    double m_twipsPerPixelX;
    double m_twipsPerPixelY;
};

// A white preview canvas of the whole sheet, 23814 × 16840 twips, at `twipsPerPixel` (the
// screen's, 15 at 96 dpi). Its resolution is set so that fonts come out at their true size.
QImage newPreviewCanvas(double twipsPerPixel);

} // namespace sheet
