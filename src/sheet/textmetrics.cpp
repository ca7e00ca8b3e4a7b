#include "sheet/textmetrics.h"

#include <QImage>

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
    return referenceMetrics(state).tightBoundingRect(text);
}

} // namespace sheet
