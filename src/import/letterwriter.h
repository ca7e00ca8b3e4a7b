#pragma once

#include "import/importmapping.h"

#include <QString>

#include <memory>

namespace db {
class Database;
class Recordset;
} // namespace db

namespace import {

// Adds letters and phrase-list items to an open data file, inside the transaction its
// caller holds. Letters are addressed by the fields of the letter table; a field that is not
// one of them, or a value a field cannot take, fails the write (the caller rolls back).
class LetterWriter
{
public:
    explicit LetterWriter(db::Database& database);
    ~LetterWriter();

    // The highest 作成NO of the letter table; 0 when it has no letters. std::nullopt, with
    // the reason, when it cannot be read.
    std::optional<qint32> highestLetterNo(QString* error = nullptr);
    bool addLetter(qint32 letterNo, const LetterValues& values, QString* error = nullptr);
    bool addListItem(int listCode, const db::Variant& text, QString* error = nullptr);

private:
    db::Database& m_database;
    std::unique_ptr<db::Recordset> m_letters;
    std::unique_ptr<db::Recordset> m_lists;
};

} // namespace import
