#pragma once

#include <QList>

class QFontMetrics;

namespace shell {

// The record list's column widths in pixels, one for each grid column (0 for a hidden one).
// They start from the widths the list was laid out with; the writing-date column is widened
// where the list's font needs it to show a whole era date of any era, with half- or full-width
// digits, and the diagnosis column a diagnosis of ten full-width characters. What those two
// gain comes off the ふりがな column, as far as it can give, so that the columns fit in
// `available` pixels and the window keeps its size. `cellMargins` is what a cell's text does
// not get of its column's width (the text margins and the grid line).
QList<int> listColumnWidths(const QFontMetrics& metrics, int cellMargins, int available);

// The pixels a text needs in a list column: its advance and the cell's margins.
int listCellWidth(const QFontMetrics& metrics, const QString& text, int cellMargins);

} // namespace shell
