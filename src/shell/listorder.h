#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The record list's order: the saved code DataSort, the columns it sorts and the mark over
// the heading, and the sort itself.
namespace shell {

// The grid's columns: 0 and 1 (作成NO) hidden, then the seven shown ones.
enum ListColumn {
    ColFixed = 0,
    ColLetterNo = 1,
    ColChartNo = 2,
    ColName = 3,
    ColKana = 4,
    ColSex = 5,
    ColAge = 6,
    ColDiagnosis = 7,
    ColWrittenOn = 8,
    ListColumnCount = 9,
};

// The left (twips) of the sort mark over column `column` (2 to 8).
int sortMarkLeft(int column);

// Sorts `rows` (each the texts of the grid's columns) by `column`, ascending or descending,
// stably: rows that compare equal keep their order. Two cells compare as numbers when both
// read as numbers, otherwise as texts (UTF-16 order); the writing-date column compares the
// Western dates of its era dates, so that 令和 letters come after 平成 ones.
void sortListRows(QList<QStringList>& rows, int column, bool descending);

// The same order for the cells of one column, `cells` in the grid's present order: the
// positions in `cells` in their sorted order.
QList<int> sortedOrder(const QStringList& cells, int column, bool descending);

} // namespace shell
