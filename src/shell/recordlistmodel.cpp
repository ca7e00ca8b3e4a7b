#include "shell/recordlistmodel.h"

#include "shell/listorder.h"

#include <numeric>

namespace shell {

namespace {

// The sex as the list shows it: the stored code "1" is a man, "2" a woman, anything else
// (no answer) shows nothing.
QString sexText(const QString& stored)
{
    if (stored == QLatin1String("1"))
        return QStringLiteral("男　");
    if (stored == QLatin1String("2"))
        return QStringLiteral("女　");
    return QString();
}

} // namespace

void RecordListModel::setRows(QList<record::LetterListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

const record::LetterListRow& RecordListModel::letter(int row) const
{
    return m_rows[m_order[row]];
}

QString RecordListModel::text(int row, int column) const
{
    if (row < 0 || row >= m_order.size())
        return QString();
    const record::LetterListRow& r = letter(row);
    switch (column) {
    case ColLetterNo:
        return QString::number(r.letterNo);
    case ColChartNo:
        return r.chartNo;
    case ColName:
        return r.name;
    case ColKana:
        return r.kana;
    case ColSex:
        return sexText(r.sex);
    case ColAge:
        return r.age;
    case ColDiagnosis:
        return r.diagnosis;
    case ColWrittenOn:
        return r.writtenOn;
    default:
        return QString();
    }
}

void RecordListModel::sortBy(int column, bool descending)
{
    const int n = int(m_order.size());
    QStringList cells;
    cells.reserve(n);
    for (int r = 0; r < n; ++r)
        cells.append(text(r, column));
    const QList<int> moved = sortedOrder(cells, column, descending); // new row -> old row

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newRowOf(n);
    QList<int> order(n);
    for (int r = 0; r < n; ++r) {
        newRowOf[moved[r]] = r;
        order[r] = m_order[moved[r]];
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(index.isValid() ? this->index(newRowOf[index.row()], index.column())
                                     : QModelIndex());
    changePersistentIndexList(before, after);
    m_order = std::move(order);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ListColumnCount;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == ColAge)
            return QVariant(Qt::AlignCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

} // namespace shell
