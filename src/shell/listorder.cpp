#include "shell/listorder.h"

#include "platform/variant.h"
#include "record/eradate.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <optional>

namespace shell {

namespace {

std::optional<double> numberOf(const QString& text)
{
    // Most cells of a long list skip the width folding: a text of plain ASCII reads as itself,
    // and a text with kana or a kanji is no number whatever it folds to (they fold to no
    // digit, sign or blank).
    bool ascii = true;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3040 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF))
            return std::nullopt;
        ascii = ascii && u < 0x80;
    }
    if (ascii) {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty())
            return std::nullopt;
        bool ok = false;
        const double value = trimmed.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        return value;
    }
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return db::Variant::fromString(text).toDouble();
}

// A cell's place in the order: empty cells first, then the numbers (or the dates of the
// writing-date column) in their own order, then every other text in text order. Two numbers
// compare as numbers and two texts as texts, as the grid's own sort does; a number and a text
// always fall the same way, so that the order is the same however often the list is sorted.
struct SortKey
{
    int rank = 0; // 0 empty, 1 number or date, 2 other text
    double number = 0;
    QDate date;
    QString text;
};

SortKey keyOf(const QString& cell, int column)
{
    SortKey key;
    key.text = cell;
    if (cell.isEmpty())
        return key;
    if (column == ColWrittenOn) {
        if (const auto date = record::EraDateToDate(cell)) {
            key.rank = 1;
            key.date = *date;
            return key;
        }
    } else if (const auto number = numberOf(cell)) {
        key.rank = 1;
        key.number = *number;
        return key;
    }
    key.rank = 2;
    return key;
}

int compareKeys(const SortKey& a, const SortKey& b)
{
    if (a.rank != b.rank)
        return a.rank < b.rank ? -1 : 1;
    if (a.rank == 1) {
        if (a.date.isValid() || b.date.isValid())
            return a.date < b.date ? -1 : (b.date < a.date ? 1 : 0);
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    }
    return QString::compare(a.text, b.text, Qt::CaseSensitive);
}

} // namespace

int sortMarkLeft(int column)
{
    switch (column) {
    case ColChartNo:
        return 360;
    case ColName:
        return 1530;
    case ColKana:
        return 3150;
    case ColSex:
        return 4335;
    case ColAge:
        return 4830;
    case ColDiagnosis:
        return 5955;
    default:
        return 7605;
    }
}

QList<int> sortedOrder(const QStringList& cells, int column, bool descending)
{
    QList<SortKey> keys;
    keys.reserve(cells.size());
    for (const QString& cell : cells)
        keys.append(keyOf(cell, column));
    QList<int> order(cells.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = compareKeys(keys[a], keys[b]);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

void sortListRows(QList<QStringList>& rows, int column, bool descending)
{
    QStringList cells;
    cells.reserve(rows.size());
    for (const QStringList& row : rows)
        cells.append(row.value(column));
    const QList<int> order = sortedOrder(cells, column, descending);
    QList<QStringList> sorted;
    sorted.reserve(rows.size());
    for (int i : order)
        sorted.append(std::move(rows[i]));
    rows = std::move(sorted);
}

} // namespace shell
