#pragma once

#include "sheet/drawtarget.h"

#include <QList>
#include <QRectF>
#include <QSize>
#include <QStringList>

#include <optional>

namespace sheet {

// One operation a RecordingTarget saw, with the target's settings at that moment.
struct RecordedOp
{
    enum Kind { Setting, Line, Box, Ellipse, Arc, Text, Picture };
    Kind kind = Setting;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // line and box ends; ellipse centre and radii
    std::optional<double> start, end;      // arc angles
    QColor color;                          // the colour the line, box, ellipse or text used
    QString text;                          // the printed text, or the setting's name and value
    QSize pictureSize;
    DrawState state;
    bool value = false; // a text of the letter, not of the form
};

// A drawing target for the tests: it draws nothing and keeps every operation, setting changes
// included, with its exact twip coordinates. Text sizes are the real fonts' at 1440 dots per
// inch, the one layout every target draws (textmetrics.h).
class RecordingTarget : public DrawTarget
{
public:
    explicit RecordingTarget(bool preview = true, double twipsPerPixel = 15);

    bool isPreview() const override { return m_preview; }
    double twipsPerPixelX() const override { return m_twipsPerPixel; }
    double textWidth(const QString& text) override;
    // The width a recorded text took, twips (condensed as it was printed).
    static double printedWidth(const RecordedOp& op);
    // The rectangle, in sheet twips, that a recorded text's glyphs cover as printed (its size,
    // stretch and font; its cell's top at the op's y). A text that draws nothing covers the
    // empty rectangle at its pen.
    static QRectF inkRect(const RecordedOp& op);

    const QList<RecordedOp>& ops() const { return m_ops; }
    QList<RecordedOp> ops(RecordedOp::Kind kind) const;
    void clear() { m_ops.clear(); }
    // One line per operation, e.g. `box 1140 2205 10770 5895 width=2 style=0 fill=1 #000000`;
    // a text line ends with the ink it covers, ` ink=LEFT,TOP,RIGHT,BOTTOM` in whole twips.
    QStringList log() const;
    static QString describe(const RecordedOp& op);

protected:
    void settingChanged(Setting setting) override;
    void drawLine(int x1, int y1, int x2, int y2, const QColor& color) override;
    void drawBox(int x1, int y1, int x2, int y2, const QColor& color) override;
    void drawEllipse(double cx, double cy, double rx, double ry, const QColor& color,
                     std::optional<double> start, std::optional<double> end) override;
    void drawText(double x, double y, const QString& text) override;
    void drawPicture(const QImage& image, int x, int y, int width, int height) override;

private:
    RecordedOp& add(RecordedOp::Kind kind);

    bool m_preview;
    double m_twipsPerPixel;
    QList<RecordedOp> m_ops;
};

} // namespace sheet
