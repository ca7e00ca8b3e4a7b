#include "sheet/textmetrics.h"

#include <QGlyphRun>
#include <QImage>
#include <QRawFont>
#include <QTextLayout>

namespace sheet {

namespace {

// A device of ReferenceDotsPerInch: font sizes in points become twips.
const QImage& referenceDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(ReferenceDotsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

QFont referenceFont(const DrawState& state)
{
    QFont font(state.fontName);
    font.setPointSizeF(state.fontSize);
    font.setBold(state.fontBold);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    if (state.stretch != 100)
        font.setStretch(state.stretch);
    return font;
}

QFont referenceFontForTwips(const DrawState& state, double dotsPerInchY)
{
    QFont font = referenceFont(state);
    font.setPointSizeF(state.fontSize * ReferenceDotsPerInch / dotsPerInchY);
    return font;
}

QFontMetricsF referenceMetrics(const DrawState& state)
{
    return QFontMetricsF(referenceFont(state), &referenceDevice());
}

double referenceAdvance(const DrawState& state, const QString& text)
{
    return referenceMetrics(state).horizontalAdvance(text);
}

QRectF referenceInk(const DrawState& state, const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    // Each glyph's box at the place the layout gives it. (The metrics' tight rectangle adds up
    // the glyphs' advances rounded to whole dots, which drifts from the layout along a line.)
    QTextLayout layout(text, referenceFont(state), &referenceDevice());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return {};
    QRectF ink;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            const QRectF box = font.boundingRect(glyphs[i]);
            if (!box.isEmpty())
                ink |= box.translated(positions[i]);
        }
    }
    // Positions are on the line's baseline, one ascent below its top.
    return ink.translated(0, -line.ascent());
}

} // namespace sheet
