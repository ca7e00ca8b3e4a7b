#include "sheet/textfit.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace sheet {

namespace {

// A vertical rule: a line, or a side of a box.
struct Rule
{
    double x;
    double top;
    double bottom;
};

// A horizontal rule: a line, or the top or bottom of a box.
struct Across
{
    double y;
    double left;
    double right;
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

// The rules of a drawing: its lines and the sides of its boxes.
struct Rules
{
    QList<Rule> down;
    QList<Across> across;
};

Rules rulesOf(const QList<RecordedOp>& ops)
{
    Rules rules;
    for (const RecordedOp& op : ops) {
        if (op.kind == RecordedOp::Line) {
            if (std::abs(op.x1 - op.x2) < 1)
                rules.down.append({op.x1, std::min(op.y1, op.y2), std::max(op.y1, op.y2)});
            else if (std::abs(op.y1 - op.y2) < 1)
                rules.across.append({op.y1, std::min(op.x1, op.x2), std::max(op.x1, op.x2)});
        } else if (op.kind == RecordedOp::Box) {
            const double left = std::min(op.x1, op.x2);
            const double right = std::max(op.x1, op.x2);
            const double top = std::min(op.y1, op.y2);
            const double bottom = std::max(op.y1, op.y2);
            rules.down.append({left, top, bottom});
            rules.down.append({right, top, bottom});
            rules.across.append({top, left, right});
            rules.across.append({bottom, left, right});
        }
    }
    return rules;
}

} // namespace

QList<TextRoom> textRooms(const QList<RecordedOp>& ops)
{
    QList<TextRoom> texts;
    int printed = 0;
    for (const RecordedOp& op : ops) {
        if (op.kind != RecordedOp::Text)
            continue;
        TextRoom t;
        t.index = printed++;
        t.x = op.x1;
        t.y = op.y1;
        t.width = RecordingTarget::printedWidth(op);
        t.height = textCellHeight(op.state.fontSize);
        t.text = op.text;
        t.value = op.value;
        t.slot = op.state.slot;
        if (!op.text.trimmed().isEmpty())
            texts.append(t);
    }
    const QList<Rule> rules = rulesOf(ops).down;
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

QList<int> TextFitPlan::cutSlots() const
{
    QList<int> cut;
    for (auto it = steps.cbegin(); it != steps.cend(); ++it)
        if (it.value() == FitStep::Cut)
            cut.append(it.key());
    return cut;
}

namespace {

// Every line of one value of the letter, as recorded: the lines of one text slot.
struct Block
{
    int slot = -1;
    QList<int> indexes; // their order of printing
    QList<RecordedOp> ops;
};

QList<Block> valueBlocks(const QList<RecordedOp>& ops)
{
    QList<Block> blocks;
    int printed = 0;
    int lastSlot = -1;
    for (const RecordedOp& op : ops) {
        if (op.kind != RecordedOp::Text)
            continue;
        const int index = printed++;
        const int slot = op.value ? op.state.slot : -1;
        if (slot < 0) {
            lastSlot = -1;
            continue;
        }
        if (slot != lastSlot)
            blocks.append(Block{slot, {}, {}});
        blocks.last().indexes.append(index);
        blocks.last().ops.append(op);
        lastSlot = slot;
    }
    return blocks;
}

// The width of `text` in the font of `like` at `size` points, uncondensed.
double measure(const RecordedOp& like, const QString& text, double size)
{
    if (text.isEmpty())
        return 0;
    RecordedOp op = like;
    op.text = text;
    op.state.fontSize = size;
    op.state.stretch = 100;
    return RecordingTarget::printedWidth(op);
}

int stretchFor(double width, double room)
{
    if (width <= room || width <= 0)
        return 100;
    const int stretch = int(std::floor(100 * std::max(0.0, room) / width));
    return std::clamp(stretch, MinimumTextStretch, 99);
}

// The characters of a text, a surrogate pair kept whole.
QStringList charactersOf(const QString& text)
{
    QStringList chars;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            chars.append(text.mid(i, 2));
            ++i;
        } else {
            chars.append(text.mid(i, 1));
        }
    }
    return chars;
}

// The room around one value: the other texts and the rules of the drawing.
class Area
{
public:
    Area(const QList<TextRoom>& texts, const Rules& rules, int slot)
        : m_texts(texts), m_rules(rules), m_slot(slot)
    {
    }

    // Where a line of the value with its cell at `top`, `height` tall, starting at x, must end:
    // before the next text of its line and the next rule across it.
    double rightLimit(double x, double top, double height) const
    {
        double limit = std::numeric_limits<double>::infinity();
        for (const TextRoom& u : m_texts) {
            if (u.slot == m_slot || u.x <= x + 1)
                continue;
            const double overlap = std::min(top + height, u.y + u.height) - std::max(top, u.y);
            if (overlap >= 0.5 * std::min(height, u.height))
                limit = std::min(limit, u.x - ValueGap);
        }
        for (const Rule& r : m_rules.down)
            if (r.x > x + 1 && r.top < top + height * 0.75 && r.bottom > top + height * 0.25)
                limit = std::min(limit, r.x - Gap);
        return limit;
    }

    // The top of the first rule (and, with `texts`, other text) under the line at `top` that
    // lies across x to right: no further line of the value may reach below it.
    double bottom(double x, double right, double top, double height, bool texts = true) const
    {
        double below = std::numeric_limits<double>::infinity();
        for (const Across& a : m_rules.across)
            if (a.y > top + height * 0.5 && a.left < right && a.right > x)
                below = std::min(below, a.y);
        for (const TextRoom& u : m_texts)
            if (texts && u.slot != m_slot && u.y > top + height * 0.5 && u.x < right &&
                u.x + u.width > x)
                below = std::min(below, u.y);
        return below;
    }

private:
    const QList<TextRoom>& m_texts;
    const Rules& m_rules;
    int m_slot;
};

// A paragraph of a value (one of its lines as the letter holds it), its characters measured
// once at the value's own size; at other sizes the widths scale with the size.
struct Paragraph
{
    QStringList chars;
    QList<double> advances;
    double width = 0;
};

QList<Paragraph> paragraphsOf(const Block& block)
{
    const RecordedOp& first = block.ops.first();
    QHash<QString, double> advance;
    QList<Paragraph> paragraphs;
    for (const RecordedOp& op : block.ops) {
        Paragraph p;
        p.chars = charactersOf(op.text);
        for (const QString& c : p.chars) {
            auto it = advance.constFind(c);
            if (it == advance.cend())
                it = advance.insert(c, measure(first, c, first.state.fontSize));
            p.advances.append(*it);
            p.width += *it;
        }
        paragraphs.append(p);
    }
    return paragraphs;
}

double widthOf(const Paragraph& p, qsizetype from, qsizetype to)
{
    double width = 0;
    for (qsizetype i = from; i < to; ++i)
        width += p.advances[i];
    return width;
}

// Where a paragraph breaks into `count` lines of about equal width (the start of each line
// after the first); between words where the text has blanks.
QList<qsizetype> breakEvenly(const Paragraph& p, int count)
{
    QList<qsizetype> starts;
    qsizetype from = 0;
    qsizetype i = 0;
    double sum = 0;
    for (int line = 1; line < count; ++line) {
        const double target = p.width * line / count;
        while (i < p.chars.size() && sum + p.advances[i] / 2 < target)
            sum += p.advances[i++];
        qsizetype at = i;
        // Keep a word whole: break after the blank before it, if one is near.
        for (qsizetype j = at; j > from && j > at - 24; --j) {
            if (p.chars[j - 1] == u" ") {
                at = j;
                break;
            }
        }
        if (at <= from)
            at = std::max(from + 1, i);
        at = std::min(at, p.chars.size());
        starts.append(at);
        from = at;
        i = at;
        sum = widthOf(p, 0, at);
    }
    return starts;
}

struct Layout
{
    double size = 0;
    QList<FittedLine> lines;
    bool cut = false;
};

// The value's paragraphs set at `size` in at most the lines its area holds, each condensed no
// further than MinimumTextStretch; nothing when they do not fit, or, with `cutToFit`, cut
// after what fits, with the mark.
std::optional<Layout> layoutAt(const Block& block, const QList<Paragraph>& paragraphs,
                               const Area& area, double lineZeroLimit, double size, bool cutToFit)
{
    const RecordedOp& first = block.ops.first();
    const double scale = size / first.state.fontSize;
    const double x = first.x1;
    const double y0 = first.y1;
    const double height = textCellHeight(size);
    const double limit = std::min(lineZeroLimit, area.rightLimit(x, y0, height));
    const double room = limit - x;
    if (room <= 0)
        return std::nullopt;
    // The widest a line may be before it is condensed to MinimumTextStretch.
    const double widest = room * 100 / MinimumTextStretch;
    // The lines the area holds: as far down as nothing lies under them and their room stays
    // as wide as the first line's.
    const double below = area.bottom(x, limit, y0, height);
    int lines = 1;
    while (y0 + (lines + 1) * height <= below &&
           area.rightLimit(x, y0 + lines * height, height) >= limit - 1 && lines < 200)
        ++lines;

    QStringList all;
    for (const Paragraph& p : paragraphs) {
        int count = std::max(1, int(std::ceil(p.width * scale / widest - 1e-9)));
        QList<qsizetype> starts;
        for (;; ++count) {
            starts = breakEvenly(p, count);
            bool fits = true;
            qsizetype from = 0;
            for (qsizetype k = 0; k <= starts.size() && fits; ++k) {
                const qsizetype to = k < starts.size() ? starts[k] : p.chars.size();
                fits = widthOf(p, from, to) * scale <= widest;
                from = to;
            }
            if (fits || count >= std::max<qsizetype>(1, p.chars.size()))
                break;
        }
        qsizetype from = 0;
        for (qsizetype k = 0; k <= starts.size(); ++k) {
            const qsizetype to = k < starts.size() ? starts[k] : p.chars.size();
            all.append(p.chars.mid(from, to - from).join(QString()));
            from = to;
        }
        if (all.size() > lines && !cutToFit)
            return std::nullopt;
    }
    Layout layout;
    layout.size = size;
    if (all.size() > lines) {
        all = all.mid(0, lines);
        layout.cut = true;
        // The last line keeps what fits before the mark.
        QStringList chars = charactersOf(all.last());
        while (!chars.isEmpty() && measure(first, chars.join(QString()) + CutMark, size) > widest)
            chars.removeLast();
        all.last() = chars.join(QString()) + CutMark;
    }
    for (qsizetype i = 0; i < all.size(); ++i) {
        const double width = measure(first, all[i], size);
        if (width > widest + 0.5 && !cutToFit)
            return std::nullopt;
        layout.lines.append({all[i], y0 + i * height, stretchFor(width, room)});
    }
    return layout;
}

} // namespace

TextFitPlan textFits(const QList<RecordedOp>& ops)
{
    TextFitPlan plan;
    const QList<TextRoom> rooms = textRooms(ops);
    QHash<int, const TextRoom*> roomOf;
    for (const TextRoom& t : rooms)
        roomOf.insert(t.index, &t);
    // Every text condensed to its room, as far as that goes.
    QSet<int> overflowing;
    for (const TextRoom& t : rooms) {
        if (t.x + t.width <= t.limit || t.width <= 0)
            continue;
        const double room = std::max(0.0, t.limit - t.x);
        const int stretch = stretchFor(t.width, room);
        plan.fits.insert(t.index, TextFit(stretch));
        if (t.slot >= 0)
            plan.steps.insert(t.slot, FitStep::Condensed);
        if (t.width * stretch / 100 > room + 0.5)
            overflowing.insert(t.index);
    }

    // A value that overflows still, or whose lines reach below its area, is set anew.
    const Rules rules = rulesOf(ops);
    // The other texts as they are printed: condensed where they had to be, and a value too
    // long even then no further than its room, where it is set anew.
    QList<TextRoom> printed = rooms;
    for (TextRoom& t : printed) {
        if (overflowing.contains(t.index) && t.value && t.slot >= 0)
            t.width = std::max(0.0, t.limit - t.x);
        else if (plan.fits.contains(t.index))
            t.width = t.width * plan.fits.value(t.index).stretch / 100;
    }
    for (const Block& block : valueBlocks(ops)) {
        const Area area(printed, rules, block.slot);
        const RecordedOp& first = block.ops.first();
        const double size = first.state.fontSize;
        const double height = textCellHeight(size);
        bool fits = std::none_of(block.indexes.begin(), block.indexes.end(),
                                 [&](int i) { return overflowing.contains(i); });
        double lineZeroLimit = std::numeric_limits<double>::infinity();
        if (const TextRoom* t = roomOf.value(block.indexes.first()))
            lineZeroLimit = t->limit;
        // Lines laid out by the form may share their rows with its captions (a name between
        // brackets); each must not reach the rule or the text under the line before it.
        for (qsizetype i = 1; fits && i < block.ops.size(); ++i) {
            const TextRoom* t = roomOf.value(block.indexes[i]);
            if (!t)
                continue;
            const double right = std::min(t->limit, t->x + t->width);
            const RecordedOp& before = block.ops[i - 1];
            fits = t->y + height <= area.bottom(t->x, right, before.y1, height);
        }
        if (fits)
            continue;
        const QList<Paragraph> paragraphs = paragraphsOf(block);
        std::optional<Layout> layout;
        for (double s = size; s >= MinimumTextSize - 1e-9 && !layout; s -= 0.25)
            layout = layoutAt(block, paragraphs, area, lineZeroLimit, s, false);
        if (!layout)
            layout = layoutAt(block, paragraphs, area, lineZeroLimit, MinimumTextSize, true);
        if (!layout)
            continue; // no room at all: left as it stands
        TextFit fit;
        fit.size = layout->size;
        fit.lines = layout->lines;
        plan.fits.insert(block.indexes.first(), fit);
        for (qsizetype i = 1; i < block.indexes.size(); ++i) {
            TextFit printed;
            printed.lines = QList<FittedLine>{};
            plan.fits.insert(block.indexes[i], printed);
        }
        plan.steps.insert(block.slot, layout->cut                  ? FitStep::Cut
                                      : layout->size < size - 1e-9 ? FitStep::Smaller
                                      : layout->lines.size() > block.ops.size()
                                          ? FitStep::FurtherLine
                                          : FitStep::Condensed);
    }
    return plan;
}

} // namespace sheet
