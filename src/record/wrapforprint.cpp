#include "record/wrapforprint.h"

#include <QTextLayout>
#include <QTextOption>

namespace record {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// One paragraph (no line end inside) broken into the lines the box shows.
QString wrapParagraph(const QString& paragraph, const QFont& font)
{
    if (paragraph.isEmpty())
        return paragraph;
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(LongTextBoxTabStop);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);

    QString wrapped;
    wrapped.reserve(paragraph.size() + paragraph.size() / 20);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(LongTextWrapWidth);
        if (!wrapped.isEmpty())
            wrapped += CrLf;
        wrapped += paragraph.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return wrapped;
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
    const QFont font = LongTextBoxFont();
    QString copy;
    copy.reserve(text.size() + text.size() / 20);
    qsizetype start = 0;
    while (true) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        copy += wrapParagraph(text.mid(start, end - start), font);
        if (end >= text.size())
            break;
        // Keep the line end exactly as typed: CR LF, or a lone CR or LF.
        const qsizetype endLength =
            (text.at(end) == u'\r' && end + 1 < text.size() && text.at(end + 1) == u'\n') ? 2 : 1;
        copy += text.mid(end, endLength);
        start = end + endLength;
    }
    return copy;
}

} // namespace record
