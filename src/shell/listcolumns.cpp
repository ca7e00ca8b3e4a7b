#include "shell/listcolumns.h"

#include "shell/listorder.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <numeric>

namespace shell {

namespace {

// The widths the list was laid out with, in twips.
constexpr int kLaidOutTwips[ListColumnCount] = {0, 0, 975, 1380, 1845, 495, 495, 1800, 1515};

int px(int twips)
{
    return qRound(twips / 15.0);
}

// The widest digit of the font, half- or full-width.
QChar widestDigit(const QFontMetrics& metrics)
{
    QChar widest = QLatin1Char('0');
    for (char16_t zero : {u'0', u'０'}) {
        for (char16_t d = zero; d < zero + 10; ++d) {
            if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(widest))
                widest = QChar(d);
        }
    }
    return widest;
}

// The widest era date the list may show: each era with two digits in each part.
int dateWidth(const QFontMetrics& metrics, int cellMargins)
{
    const QString dd(2, widestDigit(metrics));
    int widest = 0;
    for (const char16_t* era : {u"明治", u"大正", u"昭和", u"平成", u"令和"}) {
        const QString date = QString::fromUtf16(era) + dd + u'年' + dd + u'月' + dd + u'日';
        widest = std::max(widest, listCellWidth(metrics, date, cellMargins));
    }
    return widest;
}

// A diagnosis of ten characters: ten ideographs (as wide as a character gets), and the longest
// of the diagnoses these letters commonly carry.
int diagnosisWidth(const QFontMetrics& metrics, int cellMargins)
{
    int widest = 0;
    for (const char16_t* diagnosis : {u"脳梗塞後遺症右片麻痺", u"アルツハイマー型認知症"})
        widest =
            std::max(widest, listCellWidth(metrics, QString::fromUtf16(diagnosis), cellMargins));
    return widest;
}

} // namespace

int listCellWidth(const QFontMetrics& metrics, const QString& text, int cellMargins)
{
    return metrics.horizontalAdvance(text) + cellMargins;
}

QList<int> listColumnWidths(const QFontMetrics& metrics, int cellMargins, int available)
{
    QList<int> widths(ListColumnCount);
    for (int c = 0; c < ListColumnCount; ++c)
        widths[c] = px(kLaidOutTwips[c]);
    widths[ColWrittenOn] = std::max(widths[ColWrittenOn], dateWidth(metrics, cellMargins));
    widths[ColDiagnosis] = std::max(widths[ColDiagnosis], diagnosisWidth(metrics, cellMargins));
    const int total = std::accumulate(widths.cbegin(), widths.cend(), 0);
    // The reading column keeps room for its heading; past that the grid scrolls sideways.
    const int kanaLeast = listCellWidth(metrics, QStringLiteral("ふりがな"), cellMargins);
    if (total > available)
        widths[ColKana] = std::max(kanaLeast, widths[ColKana] - (total - available));
    return widths;
}

} // namespace shell
