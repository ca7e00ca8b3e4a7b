#include "import/letterquery.h"

#include "import/importmapping.h"

namespace import {

QString foldedName(const QString& name)
{
    return name.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

std::optional<LetterQuery> LetterQuery::run(const platform::JetFile& source, QString* error)
{
    LetterQuery query;
    const QStringList& tables = sourceLetterTables();
    std::array<int, TableCount> keys{};
    for (int t = 0; t < TableCount; ++t) {
        std::optional<platform::JetTable> table = source.readTable(tables.at(t), error);
        if (!table)
            return std::nullopt;
        keys[t] = table->column(SourceKey);
        if (keys[t] < 0) {
            if (error)
                *error =
                    QStringLiteral("表「%1」に列「%2」がありません。").arg(tables.at(t), SourceKey);
            return std::nullopt;
        }
        query.m_tables[t] = std::move(*table);
    }
    for (const QString& column : sourceLetterColumns()) {
        bool found = false;
        for (int t = 0; t < TableCount && !found; ++t) {
            const int c = query.m_tables[t].column(column);
            if (c >= 0) {
                query.m_columns.insert(foldedName(column), {t, c});
                found = true;
            }
        }
        if (!found) {
            if (error)
                *error = QStringLiteral("列「%1」がありません。").arg(column);
            return std::nullopt;
        }
    }

    // Each letter's row in the second and third table, by 作成NO (the first row of a number).
    std::array<QHash<qint32, int>, TableCount> rowOf;
    for (int t = 1; t < TableCount; ++t) {
        const auto& rows = query.m_tables[t].rows;
        for (int r = 0; r < rows.size(); ++r) {
            if (const auto no = rows.at(r).at(keys[t]).toLong(); no && !rowOf[t].contains(*no))
                rowOf[t].insert(*no, r);
        }
    }
    const auto& first = query.m_tables[0].rows;
    for (int r = 0; r < first.size(); ++r) {
        const db::Variant key = first.at(r).at(keys[0]);
        const auto no = key.isNull() ? std::nullopt : key.toLong();
        if (!no)
            continue;
        std::array<int, TableCount> letter{r, -1, -1};
        for (int t = 1; t < TableCount; ++t)
            letter[t] = rowOf[t].value(*no, -1);
        if (letter[1] >= 0 && letter[2] >= 0)
            query.m_letters << letter;
    }
    return query;
}

db::Variant LetterQuery::value(int letter, const QString& column) const
{
    const auto place = m_columns.constFind(foldedName(column));
    if (place == m_columns.constEnd() || letter < 0 || letter >= m_letters.size())
        return {};
    const int row = m_letters.at(letter)[place->table];
    return m_tables[place->table].rows.at(row).at(place->column);
}

} // namespace import
