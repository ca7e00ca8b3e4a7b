#pragma once

#include "sheet/drawtarget.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>

// One layout of text for every target. A line of text is measured once, at 1440 dots per inch
// (one unit one twip), and every target (the preview, a PDF, a printer, the recording the
// fitting judges on) puts its glyphs where that layout puts them. Measured on the device, the
// advances would be rounded to the device's pixels and a line would come out a little wider or
// narrower at each resolution than on the sheet it was fitted to.
namespace sheet {

// Dots per inch of the reference layout: one dot is one twip.
inline constexpr double ReferenceDotsPerInch = 1440;

// The font of a text printed with `state`: its name, size and weight, condensed to its
// stretch, with kerning and hinting off.
QFont referenceFont(const DrawState& state);
// The same font sized for a device of `dotsPerInchY` under a painter scaled to twips (one
// logical unit one twip): its em is as many units as the reference's.
QFont referenceFontForTwips(const DrawState& state, double dotsPerInchY);
// Metrics of referenceFont at ReferenceDotsPerInch: lengths in twips.
QFontMetricsF referenceMetrics(const DrawState& state);

// The advance of one line of `text`, twips.
double referenceAdvance(const DrawState& state, const QString& text);
// The rectangle the glyphs of one line of `text` cover, twips from the pen on the baseline
// (y grows downwards). Empty for a text that draws nothing.
QRectF referenceInk(const DrawState& state, const QString& text);

} // namespace sheet
