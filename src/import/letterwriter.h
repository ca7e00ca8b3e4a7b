#pragma once

#include "import/importmapping.h"
#include "record/letter.h"

#include <QString>

#include <memory>
#include <optional>

namespace db {
class Database;
class Recordset;
} // namespace db

namespace import {

// The letter of mapped values, addressed by the fields of the letter table; a name that is
// not one of them fails with the reason.
std::optional<record::Letter> letterOf(const LetterValues& values, QString* error = nullptr);

// Adds phrase-list items to an open data file, inside the transaction its caller holds.
class ListItemWriter
{
public:
    explicit ListItemWriter(db::Database& database);
    ~ListItemWriter();

    bool addListItem(int listCode, const db::Variant& text, QString* error = nullptr);

private:
    db::Database& m_database;
    std::unique_ptr<db::Recordset> m_lists;
};

} // namespace import
