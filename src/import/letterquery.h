#pragma once

#include "platform/jetfile.h"
#include "platform/variant.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace import {

// The letters of the other program's database: its three letter tables joined on 作成NO,
// every column the import reads. A letter lacking its row in one of the tables is left out.
// Letters come in the physical order of 意見書その他, the table the join starts from.
class LetterQuery
{
public:
    // std::nullopt, with the reason, when a table or one of the query's columns is missing.
    static std::optional<LetterQuery> run(const platform::JetFile& source,
                                          QString* error = nullptr);

    int size() const { return int(m_letters.size()); }
    // The value of `column` (any character width) in letter `letter`; Null for a column
    // the query does not select.
    db::Variant value(int letter, const QString& column) const;

private:
    static constexpr int TableCount = 3;
    struct Place
    {
        int table;
        int column;
    };
    std::array<platform::JetTable, TableCount> m_tables;
    QHash<QString, Place> m_columns;              // folded name -> where it is
    QList<std::array<int, TableCount>> m_letters; // each letter's row in each table
};

// A name as the query matches it: without regard to width or case.
QString foldedName(const QString& name);

} // namespace import
