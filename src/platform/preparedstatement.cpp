#include "platform/preparedstatement.h"

#include "platform/database_p.h"

#include <QStringEncoder>

#include <sqlite3.h>

namespace db {

std::unique_ptr<PreparedStatement> Database::prepare(const QString& sql, QString* error)
{
    const QString folded = foldIdentifiers(sql);
    const auto* text = reinterpret_cast<const char16_t*>(folded.utf16());
    sqlite3_stmt* stmt = nullptr;
    const void* tail = nullptr;
    if (sqlite3_prepare16_v3(m_db, text, int(folded.size() * 2), SQLITE_PREPARE_PERSISTENT, &stmt,
                             &tail) != SQLITE_OK) {
        detail::fail(error, lastError());
        return nullptr;
    }
    const char16_t* rest = tail ? static_cast<const char16_t*>(tail) : text + folded.size();
    if (!stmt || !QStringView(rest, text + folded.size()).trimmed().isEmpty()) {
        sqlite3_finalize(stmt);
        detail::fail(error, QStringLiteral("SQL 文は一つだけでなければなりません。"));
        return nullptr;
    }
    return std::unique_ptr<PreparedStatement>(new PreparedStatement(this, stmt));
}

PreparedStatement::PreparedStatement(Database* database, sqlite3_stmt* stmt)
    : m_database(database), m_stmt(stmt), m_text(size_t(sqlite3_bind_parameter_count(stmt)))
{
}

PreparedStatement::~PreparedStatement()
{
    sqlite3_finalize(m_stmt);
}

void PreparedStatement::bind(int place, const Variant& value)
{
    if (value.type() == Variant::Type::String) {
        bindText(place, value.toString());
        return;
    }
    detail::bindValue(m_stmt, place, value);
}

void PreparedStatement::bindText(int place, QStringView text)
{
    if (place < 1 || place > placeCount())
        return;
    // The buffer of the place is used again from row to row: no allocation per value.
    QByteArray& utf8 = m_text[size_t(place - 1)];
    utf8.resize(text.size() * 3);
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    char* end = encoder.appendToBuffer(utf8.data(), text);
    utf8.truncate(end - utf8.data());
    sqlite3_bind_text(m_stmt, place, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
}

void PreparedStatement::bindInteger(int place, qint64 value)
{
    sqlite3_bind_int64(m_stmt, place, value);
}

bool PreparedStatement::run(QString* error)
{
    if (!m_database->canWrite(error))
        return false;
    const int rc = sqlite3_step(m_stmt);
    const bool ok = rc == SQLITE_DONE || rc == SQLITE_ROW;
    m_changes = ok ? sqlite3_changes(m_database->m_db) : 0;
    if (!ok)
        detail::fail(error, m_database->lastError());
    sqlite3_reset(m_stmt);
    m_database->rowsWritten();
    return ok;
}

} // namespace db
