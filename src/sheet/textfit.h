#pragma once

#include "sheet/recordingtarget.h"

#include <QHash>
#include <QList>

// Texts that would run into the next text of their line or past the rule that closes their
// frame are set condensed, so that the printed letter stays legible with fonts wider than
// the ones the sheet was laid out for; a letter's value keeps a millimetre before the next
// text. A text keeps its start place and is never cut.
namespace sheet {

// The narrowest a text is condensed to, in percent of its width.
constexpr int MinimumTextStretch = 50;

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
};

// Every text of a recorded drawing with its room.
QList<TextRoom> textRooms(const QList<RecordedOp>& ops);

// The condensed widths (percent, at least MinimumTextStretch) for the texts of a recorded
// drawing that do not fit their room, by their order of printing.
QHash<int, int> textFits(const QList<RecordedOp>& ops);

// Draws with `draw` twice: once on a recording, to find the texts that do not fit, then on
// `target` with those texts condensed.
template <typename Draw> void drawWithFittedTexts(DrawTarget& target, Draw draw)
{
    RecordingTarget probe(target.isPreview(), target.twipsPerPixelX());
    probe.setScreenTwipsPerPixelX(target.screenTwipsPerPixelX());
    probe.restoreState(target.state());
    draw(static_cast<DrawTarget&>(probe));
    target.setTextFits(textFits(probe.ops()));
    draw(target);
    target.setTextFits({});
}

} // namespace sheet
