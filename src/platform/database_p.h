#pragma once

// Internals of the database layer shared by database.cpp and sqlrecordset.cpp.

#include "platform/database.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db::detail {

// How a column's values are typed when read, from its declared type.
enum class ColumnKind { Boolean, Integer, Long, Single, Double, Text, Untyped };

ColumnKind kindFromDeclaredType(const char* declared);
// The key under which names match: NFKC (full-width digits and letters, half-width
// katakana) and without regard to ASCII case, as the engine compares identifiers.
QString foldName(const QString& name);
// A name ready to be pasted into SQL text.
QString quoteName(const QString& name);
// The end of the quoted run that opens at `from` in the SQL text (a string literal or a
// quoted name, closed by `close`; a doubled closing quote stands for itself, but in
// brackets): the place after its closing quote, or the text's end.
qsizetype quotedRunEnd(const QString& sql, qsizetype from, QChar close);

Variant readColumn(sqlite3_stmt* stmt, int column, ColumnKind kind);
void bindValue(sqlite3_stmt* stmt, int index, const Variant& value);
// The value as the column stores it, or std::nullopt (with a sentence in `error`) when it
// does not fit: a text that is no number for a number column, a number out of range.
std::optional<Variant> convertForColumn(const Variant& value, ColumnKind kind, QString* error);

// The engine's last failure on `db` as a sentence for the user.
QString engineError(sqlite3* db);
// The engine's words for a failure of no common cause, told in Japanese: a known message
// (a missing table or column, a constraint ...) in words, any other by its result code.
QString engineWordsText(int resultCode, const QString& words);
// The findings of the engine's integrity check, told in Japanese.
QString integrityText(const QStringList& findings);
// The text with every unpaired surrogate replaced by U+FFFD.
QString wellFormed(const QString& text);

// Sets *error to text when error is given; returns false for the caller's convenience.
bool fail(QString* error, const QString& text);
// The sentence for an SQL text whose places for values are not as many as the values.
QString countMismatch(qsizetype places, qsizetype values);

// A recordset over the rows of one table (table-type or an editable dynaset: the rows are
// kept as their rowids in recordset order and read one at a time), or over the rows of any
// SELECT read in full when they cannot be traced back to one table (read-only).
class SqlRecordset final : public Recordset
{
public:
    struct Column
    {
        QString name;   // as the result names it
        QString origin; // the table column it reads ("" for an expression)
        ColumnKind kind = ColumnKind::Untyped;
        bool indexed = false; // an index of the table holds it (known for table recordsets)
    };

    // A table recordset over `table` (stored spelling).
    static std::unique_ptr<SqlRecordset> openTable(Database* db, const QString& table,
                                                   QString* error);
    // A dynaset over the folded SQL text.
    static std::unique_ptr<SqlRecordset> openQuery(Database* db, const QString& sql,
                                                   const QList<Variant>& params, QString* error,
                                                   bool snapshot = false);
    ~SqlRecordset() override;

    // The database is closing: finalize every statement; from now on every call fails.
    void detach();
    // The database rolled back: the rows are read again and the position is the first row.
    void invalidate();
    // Rows were written elsewhere: the current row is read again when next asked.
    void forgetRow();

    int recordCount() const override;
    bool eof() const override;
    bool bof() const override;
    void moveFirst() override;
    void moveLast() override;
    void moveNext() override;
    void movePrevious() override;

    bool setIndex(const QString& indexName, QString* error = nullptr) override;
    bool seek(const QString& op, const Variant& key) override;
    bool noMatch() const override { return m_noMatch; }
    bool findFirst(const QString& criterion) override;

    QStringList fieldNames() const override;
    bool hasField(const QString& name) const override { return columnIndex(name) >= 0; }
    Variant field(const QString& name, bool* ok = nullptr) const override;
    bool setField(const QString& name, const Variant& value, QString* error = nullptr) override;

    bool addNew(QString* error = nullptr) override;
    bool edit(QString* error = nullptr) override;
    bool update(QString* error = nullptr) override;
    void cancelUpdate() override;
    EditMode editMode() const override { return m_mode; }
    bool deleteRow(QString* error = nullptr) override;

private:
    explicit SqlRecordset(Database* db);

    sqlite3_stmt* statement(const QString& sql, QString* error = nullptr) const;
    bool loadKeys(QString* error = nullptr) const;
    bool loadRows(QString* error = nullptr) const;
    void ensureKeys() const;
    qsizetype rowCount() const;
    bool onRow() const;
    const std::vector<Variant>* currentRow() const;
    int columnIndex(const QString& name) const;
    void addColumn(Column column);
    void leaveEdit();
    bool writable(QString* error) const;
    // Drops from `changed` the indexed columns whose new value is the one the edited row
    // stores already, type and bytes alike; false with the reason when the row cannot be read.
    bool dropUnchangedIndexed(std::vector<int>& changed, QString* error);
    qsizetype positionOfKey(qint64 key) const;

    Database* m_db = nullptr;
    QString m_table;        // the table whose rows these are ("" for a read-only result)
    bool m_isTable = false; // a table-type recordset (indexes, Seek)
    QString m_keysSql;      // reads the rowids in recordset order
    QList<Variant> m_keysParams;
    QString m_fetchSql;    // reads one row's columns by rowid
    QString m_indexColumn; // the current index's column (stored spelling), "" for table order
    std::vector<Column> m_columns;
    QHash<QString, int> m_byName;   // exact names
    QHash<QString, int> m_byFolded; // folded names

    mutable std::vector<qint64> m_keys; // keyed rows
    mutable bool m_keysStale = false;
    QString m_querySql; // the SELECT whose rows are read in full (read-only result)
    QList<Variant> m_queryParams;
    mutable std::vector<std::vector<Variant>> m_rows;
    mutable bool m_rowsStale = false;

    qsizetype m_pos = 0; // -1 before the first row, rowCount() past the last
    bool m_onDeleted = false;
    bool m_noMatch = false;

    mutable std::vector<Variant> m_row; // the current keyed row, read on demand
    mutable qint64 m_rowKey = 0;
    mutable bool m_rowLoaded = false;
    mutable qint64 m_partKey = 0; // the row of which one field was read alone (rowids are > 0)

    EditMode m_mode = EditMode::None;
    std::vector<Variant> m_buffer;
    std::vector<char> m_dirty;
    qint64 m_editKey = 0;

    mutable int m_lastColumn = -1;                      // the column of the last look-up by name
    mutable QHash<QString, sqlite3_stmt*> m_statements; // taken from the database while open
};

// What a table recordset knows of its table before it reads a row: read once per connection.
struct TableShape
{
    std::vector<SqlRecordset::Column> columns;
    QHash<QString, int> byName;   // exact names
    QHash<QString, int> byFolded; // folded names
    QString fetchSql;             // one row's columns by rowid
    QString keysSql;              // the rowids in table order
};

// What a connection learns of a file's schema: the stored spelling of every name, the shapes
// of its tables, its SQL texts with their names folded. All of it follows from the schema's
// text alone, so the connections of one thread to files of the same schema share it, found
// by that text as each open reads it afresh from the file.
struct SchemaFacts
{
    QHash<QString, QString> names; // folded name -> stored spelling
    bool namesLoaded = false;
    QHash<QString, QString> foldedSql; // SQL text -> folded text
    QHash<QString, std::shared_ptr<const TableShape>> shapes;
};

// The facts of the schema whose text is `schema`, shared on this thread; new and empty for a
// schema not met before.
std::shared_ptr<SchemaFacts> schemaFacts(const QByteArray& schema);

} // namespace db::detail
