#include "record/wrapforprint.h"

#include <QFontMetricsF>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QTextOption>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>

namespace record {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Widths in 1/64 twip, the fixed point in which the text layout measures and compares a line.
using Fixed = std::int32_t;
constexpr Fixed WrapWidth = Fixed(LongTextWrapWidth) * 64;

// The layout cuts a paragraph into runs of at most 4096 characters and checks a run of blanks
// against the line's width on each side of such a cut; a paragraph that long goes the layout's
// own way.
constexpr qsizetype LongestQuickParagraph = 4000;

// One paragraph (no line end inside) broken into the lines the box shows, by the text layout
// itself: the way for any text.
void wrapByLayout(QStringView paragraph, const QFont& font, QString& copy)
{
    if (paragraph.isEmpty())
        return;
    const QString text = paragraph.toString();
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(LongTextBoxTabStop);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);

    layout.beginLayout();
    bool first = true;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(LongTextWrapWidth);
        if (!first)
            copy += CrLf;
        first = false;
        copy += paragraph.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
}

// The advance of each character in the box's font, for the characters whose lines can be
// measured by adding advances: a character of the box's own face (no fallback face), of the
// scripts written here (Latin, kana, kanji and the common punctuation and signs), neither a
// mark, a control nor a format character, drawn within its advance (no negative right bearing,
// which the layout would add at a line's end), with a non-zero advance. The only blanks are the
// space and the ideographic space. Filled as characters are first met.
class Advances
{
public:
    static Advances& instance()
    {
        // Never destroyed: nothing of it may outlive the application's fonts.
        static Advances* const advances = new Advances;
        return *advances;
    }

    // Fills `out` with the advance of every character of `paragraph`; false when one of them is
    // not measurable this way.
    bool measure(QStringView paragraph, Fixed* out)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        std::optional<Face> face; // opened for the first character not met before
        for (qsizetype i = 0; i < paragraph.size(); ++i) {
            const char16_t c = paragraph[i].unicode();
            Fixed& advance = m_advances[c];
            if (advance == Unknown) {
                if (!face)
                    face.emplace();
                advance = classify(QChar(c), *face);
            }
            if (advance == Unmeasurable)
                return false;
            out[i] = advance;
        }
        return true;
    }

private:
    static constexpr Fixed Unknown = 0;
    static constexpr Fixed Unmeasurable = -1;

    struct Face
    {
        QFontMetricsF metrics{LongTextBoxFont()};
        QRawFont own = QRawFont::fromFont(LongTextBoxFont()); // without the fallback faces
    };

    Advances() { m_advances.fill(Unknown); }

    static Fixed classify(QChar c, const Face& face)
    {
        if (c.isSurrogate() || c == QChar::ObjectReplacementCharacter ||
            c == QChar::ReplacementCharacter)
            return Unmeasurable;
        if (c.isSpace()) {
            if (c != u' ' && c != u'\u3000')
                return Unmeasurable;
        } else {
            switch (c.category()) {
            case QChar::Letter_Uppercase:
            case QChar::Letter_Lowercase:
            case QChar::Letter_Titlecase:
            case QChar::Letter_Modifier:
            case QChar::Letter_Other:
            case QChar::Number_DecimalDigit:
            case QChar::Number_Letter:
            case QChar::Number_Other:
            case QChar::Punctuation_Connector:
            case QChar::Punctuation_Dash:
            case QChar::Punctuation_Open:
            case QChar::Punctuation_Close:
            case QChar::Punctuation_InitialQuote:
            case QChar::Punctuation_FinalQuote:
            case QChar::Punctuation_Other:
            case QChar::Symbol_Math:
            case QChar::Symbol_Currency:
            case QChar::Symbol_Modifier:
            case QChar::Symbol_Other:
                break;
            default:
                return Unmeasurable;
            }
        }
        switch (c.script()) {
        case QChar::Script_Common:
        case QChar::Script_Latin:
        case QChar::Script_Han:
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
            break;
        default:
            return Unmeasurable;
        }
        if (!face.own.supportsCharacter(c) || face.metrics.rightBearing(c) < 0)
            return Unmeasurable;
        const Fixed advance = Fixed(qRound(face.metrics.horizontalAdvance(c) * 64));
        return advance > 0 ? advance : Unmeasurable;
    }

    std::mutex m_mutex;
    std::array<Fixed, 0x10000> m_advances;
};

// Where a line may end: before index i when opportunity[i] is set.
void markBoundaries(QTextBoundaryFinder::BoundaryType type, QStringView paragraph,
                    char* opportunity)
{
    QVarLengthArray<unsigned char, 1024> work(paragraph.size() + 1);
    QTextBoundaryFinder finder(type, paragraph, work.data(), work.size());
    for (qsizetype p = finder.toNextBoundary(); p > 0 && p < paragraph.size();
         p = finder.toNextBoundary())
        opportunity[p] = 1;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\u3000';
}

// ﾞ and ﾟ, which cling to the character before them.
bool isSoundMark(QChar c)
{
    return c == u'\uff9e' || c == u'\uff9f';
}

// One line of a paragraph: its length, trailing blanks included, and the width of its words
// with the blanks between them (without the trailing blanks).
struct Line
{
    qsizetype length = 0;
    Fixed width = 0;
};

// The line from `from` as the layout makes it: the line takes word after word while the words
// fit, not counting the blanks after the last one; a word ends at a blank or where `breakBefore`
// lets a line end; the first word is always taken; a run of blanks wider than the line ends the
// line.
Line nextLine(QStringView paragraph, const Fixed* advance, const char* breakBefore, qsizetype from)
{
    const qsizetype n = paragraph.size();
    qsizetype length = 0; // taken words with the blanks between them
    Fixed width = 0;
    qsizetype blanks = 0; // blanks after the last taken word
    Fixed blankWidth = 0;
    qsizetype p = from;
    while (p < n) {
        if (isBlank(paragraph[p])) {
            while (p < n && isBlank(paragraph[p])) {
                // A half-width sound mark after a blank is shaped as one with it.
                do {
                    blankWidth += advance[p];
                    ++blanks;
                    ++p;
                } while (p < n && isSoundMark(paragraph[p]));
            }
            if (blankWidth > WrapWidth)
                return {length + blanks, width};
            continue;
        }
        const qsizetype wordStart = p;
        Fixed wordWidth = 0;
        do {
            wordWidth += advance[p];
            ++p;
        } while (p < n && !isBlank(paragraph[p]) && !breakBefore[p]);
        if (length > 0 && width + blankWidth + wordWidth > WrapWidth)
            return {length + blanks, width};
        length += blanks + (p - wordStart);
        width += blankWidth + wordWidth;
        blanks = 0;
        blankWidth = 0;
    }
    return {length + blanks, width};
}

// The same lines as wrapByLayout, measured by adding advances, for a paragraph of measurable
// characters only; false (and nothing added to `copy`) for any other paragraph.
bool wrapByAdvances(QStringView paragraph, QString& copy)
{
    const qsizetype n = paragraph.size();
    if (n == 0)
        return true;
    if (n > LongestQuickParagraph)
        return false;
    QVarLengthArray<Fixed, 512> advance(n);
    if (!Advances::instance().measure(paragraph, advance.data()))
        return false;

    QVarLengthArray<char, 512> wordBreak(n);
    std::fill(wordBreak.begin(), wordBreak.end(), 0);
    markBoundaries(QTextBoundaryFinder::Line, paragraph, wordBreak.data());
    QVarLengthArray<char, 512> anyBreak; // filled for the first line too long for its first word

    qsizetype from = 0;
    while (from < n) {
        Line line = nextLine(paragraph, advance.data(), wordBreak.data(), from);
        // A line whose first word alone is wider than the box is laid out again, broken
        // between any two characters (never before a mark that clings to the one before it).
        if (line.width > WrapWidth) {
            if (anyBreak.isEmpty()) {
                anyBreak = wordBreak;
                markBoundaries(QTextBoundaryFinder::Grapheme, paragraph, anyBreak.data());
            }
            line = nextLine(paragraph, advance.data(), anyBreak.data(), from);
        }
        if (from > 0)
            copy += CrLf;
        copy += paragraph.mid(from, line.length);
        from += line.length;
    }
    return true;
}

template <typename WrapParagraph>
QString wrapParagraphs(const QString& text, WrapParagraph wrapParagraph)
{
    QString copy;
    copy.reserve(text.size() + text.size() / 20);
    const QStringView all(text);
    qsizetype start = 0;
    while (true) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        wrapParagraph(all.mid(start, end - start), copy);
        if (end >= all.size())
            break;
        // Keep the line end exactly as typed: CR LF, or a lone CR or LF.
        const qsizetype endLength =
            (all[end] == u'\r' && end + 1 < all.size() && all[end + 1] == u'\n') ? 2 : 1;
        copy += all.mid(end, endLength);
        start = end + endLength;
    }
    return copy;
}

} // namespace

QFont LongTextBoxFont()
{
    QFont font;
    // The program substitutes ＭＳ ゴシック by IPAGothic at start-up; naming IPAGothic as well
    // gives the same face where that substitution is not installed.
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
    font.setPixelSize(180);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString WrapForPrint(const QString& text)
{
    std::optional<QFont> font; // made only for a paragraph that needs the layout
    return wrapParagraphs(text, [&font](QStringView paragraph, QString& copy) {
        if (wrapByAdvances(paragraph, copy))
            return;
        if (!font)
            font = LongTextBoxFont();
        wrapByLayout(paragraph, *font, copy);
    });
}

namespace detail {

QString WrapForPrintByLayout(const QString& text)
{
    const QFont font = LongTextBoxFont();
    return wrapParagraphs(text, [&font](QStringView paragraph, QString& copy) {
        wrapByLayout(paragraph, font, copy);
    });
}

bool WrapsByAdvances(const QString& paragraph)
{
    QString copy;
    return wrapByAdvances(paragraph, copy);
}

} // namespace detail

} // namespace record
