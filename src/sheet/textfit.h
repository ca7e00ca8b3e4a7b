#pragma once

#include "sheet/recordingtarget.h"

#include <QHash>
#include <QList>
#include <QMap>

// Texts that would run into the next text of their line or past the rule that closes their
// frame are set condensed, so that the printed letter stays legible with fonts wider than
// the ones the sheet was laid out for; a letter's value keeps a millimetre before the next
// text. A text keeps its start place.
//
// A letter's value that does not fit even at half its width takes, in this order, a further
// line where its area has room below it (no text and no rule there), then a smaller size down
// to MinimumTextSize, and last is cut at its area with a mark at the cut. Its lines never go
// below the rule under it nor past the rule or text after it.
namespace sheet {

// The narrowest a text is condensed to, in percent of its width.
constexpr int MinimumTextStretch = 50;
// The smallest size a value is set in, in points: still legible on paper.
constexpr double MinimumTextSize = 5;
// The mark at the end of a value cut at its area.
inline const QString CutMark = QStringLiteral("…");

// What a value that did not fit as it stands was given.
enum class FitStep {
    Condensed,   // narrower, on its own line(s)
    FurtherLine, // broken into more lines, at its size
    Smaller,     // a smaller size (and maybe more lines)
    Cut,         // cut at its area, with the mark
};

// One printed text and the room it has.
struct TextRoom
{
    int index = 0;     // the n-th text printed
    double x = 0;      // start, twips
    double y = 0;      // top of its cell
    double width = 0;  // as printed
    double height = 0; // its cell
    double limit = 0;  // where the next text of its line, or the next rule across it, begins,
                       // less the gap kept before it
    QString text;
    bool value = false; // a text of the letter
    int slot = -1;      // its text slot, -1 for the form's own texts
};

// Every text of a recorded drawing with its room.
QList<TextRoom> textRooms(const QList<RecordedOp>& ops);

// How the texts of a recorded drawing are set to stay inside their areas.
struct TextFitPlan
{
    QHash<int, TextFit> fits;    // by order of printing
    QMap<int, FitStep> steps;    // by text slot: each value that did not fit as it stands
    QList<int> cutSlots() const; // the slots cut at their area, ascending
};

// The plan for the texts of a recorded drawing: condensed widths (percent, at least
// MinimumTextStretch) for texts that do not fit their room, and for a value that does not fit
// even then its further lines, smaller size or cut.
TextFitPlan textFits(const QList<RecordedOp>& ops);

// Draws with `draw` twice: once on a recording, to find the texts that do not fit, then on
// `target` with those texts set to fit. Returns the plan it drew with.
template <typename Draw> TextFitPlan drawWithFittedTexts(DrawTarget& target, Draw draw)
{
    RecordingTarget probe(target.isPreview(), target.twipsPerPixelX());
    probe.setScreenTwipsPerPixelX(target.screenTwipsPerPixelX());
    probe.restoreState(target.state());
    draw(static_cast<DrawTarget&>(probe));
    TextFitPlan plan = textFits(probe.ops());
    target.setTextFits(plan.fits);
    draw(target);
    target.setTextFits(QHash<int, TextFit>{});
    return plan;
}

} // namespace sheet
