#include "sheet/textfit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sheet {

namespace {

// A vertical rule: a line, or a side of a box.
struct Rule
{
    double x;
    double top;
    double bottom;
};

// Texts this close to the next text or rule still read apart.
constexpr double Gap = 10;
// A letter's value keeps a millimetre (56.7 twips) before the next text of its line, so that
// it never seems to run on into the caption after it.
constexpr double ValueGap = 57;

// How far into a text another may start and be printed over it: within its first half, and
// no further than a ring around a word reaches.
double overlay(const TextRoom& t)
{
    return std::max(1.0, std::min(t.width / 2, 300.0));
}

} // namespace

QList<TextRoom> textRooms(const QList<RecordedOp>& ops)
{
    QList<TextRoom> texts;
    QList<Rule> rules;
    int printed = 0;
    for (const RecordedOp& op : ops) {
        switch (op.kind) {
        case RecordedOp::Text: {
            TextRoom t;
            t.index = printed++;
            t.x = op.x1;
            t.y = op.y1;
            t.width = RecordingTarget::printedWidth(op);
            t.height = textCellHeight(op.state.fontSize);
            t.text = op.text;
            t.value = op.value;
            if (!op.text.trimmed().isEmpty())
                texts.append(t);
            break;
        }
        case RecordedOp::Line:
            if (std::abs(op.x1 - op.x2) < 1)
                rules.append({op.x1, std::min(op.y1, op.y2), std::max(op.y1, op.y2)});
            break;
        case RecordedOp::Box: {
            const double top = std::min(op.y1, op.y2);
            const double bottom = std::max(op.y1, op.y2);
            rules.append({op.x1, top, bottom});
            rules.append({op.x2, top, bottom});
            break;
        }
        default:
            break;
        }
    }
    for (TextRoom& t : texts) {
        t.limit = std::numeric_limits<double>::infinity();
        // The middle of the cell, where the glyphs are: a rule that only touches the cell's
        // top or bottom (the line under a row) does not close it.
        const double top = t.y + t.height * 0.25;
        const double bottom = t.y + t.height * 0.75;
        // A value printed over a word of the form (a ring around it) keeps to the form's
        // spacing.
        const bool ring = std::any_of(texts.begin(), texts.end(), [&t](const TextRoom& u) {
            return &u != &t && u.x >= t.x && u.x <= t.x + overlay(t) &&
                   std::min(t.y + t.height, u.y + u.height) - std::max(t.y, u.y) >=
                       0.5 * std::min(t.height, u.height);
        });
        const double gap = t.value && !ring ? ValueGap : Gap;
        for (const TextRoom& u : texts) {
            // A text that starts within the first half of this one is printed over it on
            // purpose (a ring around a word), not after it; a long value that needs more than
            // twice its room still meets the next text.
            if (u.x <= t.x + overlay(t))
                continue;
            const double overlap = std::min(t.y + t.height, u.y + u.height) - std::max(t.y, u.y);
            if (overlap >= 0.5 * std::min(t.height, u.height))
                t.limit = std::min(t.limit, u.x - gap);
        }
        for (const Rule& r : rules)
            if (r.x > t.x + 1 && r.top < bottom && r.bottom > top)
                t.limit = std::min(t.limit, r.x - Gap);
    }
    return texts;
}

QHash<int, int> textFits(const QList<RecordedOp>& ops)
{
    QHash<int, int> fits;
    for (const TextRoom& t : textRooms(ops)) {
        if (t.x + t.width <= t.limit || t.width <= 0)
            continue;
        const double room = std::max(0.0, t.limit - t.x);
        const int stretch = int(std::floor(100 * room / t.width));
        fits.insert(t.index, std::clamp(stretch, MinimumTextStretch, 99));
    }
    return fits;
}

} // namespace sheet
