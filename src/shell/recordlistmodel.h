#pragma once

#include "record/letterstore.h"

#include <QAbstractTableModel>
#include <QList>

namespace shell {

// The record list's rows for its grid: the letters as read (in the file's order) and the
// order the grid shows them in. The cells are made when the grid asks for them, so that
// filling the list costs no more than keeping the rows.
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The grid shows `rows` in their own order.
    void setRows(QList<record::LetterListRow> rows);

    // The letter shown in grid row `row` (0 for the first), and the text of one of its cells.
    const record::LetterListRow& letter(int row) const;
    QString text(int row, int column) const;

    // Reorders the grid's rows by `column`, stably from the present order; the persistent
    // indexes (the view's current row and highlight) move with their rows.
    void sortBy(int column, bool descending);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<record::LetterListRow> m_rows; // as read
    QList<int> m_order;                  // grid row -> index into m_rows
};

} // namespace shell
