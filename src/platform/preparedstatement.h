#pragma once

#include "platform/database.h"

#include <QByteArray>
#include <QStringView>

#include <vector>

struct sqlite3_stmt;

namespace db {

// A statement of a Database prepared once, run with the values bound to its places (?)
// each time. Made by Database::prepare.
class PreparedStatement
{
public:
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    int placeCount() const { return int(m_text.size()); }
    // The value of place `place` (from 1) for the next runs, until it is bound again.
    void bind(int place, const Variant& value);
    // A text value, as bind() stores a String (an unpaired surrogate as U+FFFD, a leading
    // U+FEFF kept), without making a Variant.
    void bindText(int place, QStringView text);
    // A 64-bit whole number (a rowid), which no Variant holds.
    void bindInteger(int place, qint64 value);
    // Runs the statement once with the values bound; false with the reason.
    bool run(QString* error = nullptr);
    // The rows the last run inserted, changed or deleted.
    int changes() const { return m_changes; }

private:
    friend class Database;
    PreparedStatement(Database* database, sqlite3_stmt* stmt);

    Database* m_database;
    sqlite3_stmt* m_stmt;
    std::vector<QByteArray> m_text; // the UTF-8 of each place's text, kept while it is bound
    int m_changes = 0;
};

} // namespace db
