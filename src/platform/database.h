#pragma once

#include "platform/variant.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Recordset;
class PreparedStatement;
class RowView;
namespace detail {
class SqlRecordset;
struct TableShape;
struct SchemaFacts;
// How long a statement waits for a file in use, unless told otherwise (milliseconds).
constexpr int DefaultBusyTimeout = 5000;
} // namespace detail

enum class OpenMode { ReadOnly, ReadWrite };

// What the user asked for when a data file refused the work. A file in use is told with what
// to try again: "…しばらくしてからもう一度削除してください。" for a deletion.
enum class Action { Save, Delete, Import, Restore, Backup };

// The engine's failure (its primary or extended result code, and its own words) as a sentence
// for the user: the common causes (a full disk, a file in use, a file that cannot be written,
// a file that is no database, a disk error, a damaged file) in Japanese alone; anything else
// in Japanese with the engine's words following in （…）. A file in use names `action`.
QString engineErrorText(int resultCode, const QString& engineWords, Action action);
// As above, naming the action of this thread's innermost ActionScope (a save when there is
// none).
QString engineErrorText(int resultCode, const QString& engineWords);

// How many times, in this process, a statement has found its data file held by another
// connection and waited for it (each wait counted once, however long it lasts): a test knows
// from it that a writer is waiting for another's transaction.
quint64 busyWaits();

// While it lives, the failures of the data files on this thread are told as failures of
// `action`: the code that runs what the user asked for (a deletion, an import, a restore)
// puts one around it, and every layer below tells a file in use with the right words.
class ActionScope
{
public:
    explicit ActionScope(Action action);
    ~ActionScope();
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;

    // The action of the innermost scope of this thread; a save when there is none.
    static Action current();

private:
    Action m_previous;
};

// One row of a SELECT as the engine stores it, nothing converted: what a check of a file's
// values reads (Database::scanStored).
class StoredRow
{
public:
    enum class Type { Null, Integer, Real, Text, Blob };

    int count() const;
    Type type(int column) const;
    // The value of an Integer column.
    qint64 integer(int column) const;
    // Whether a Text column's bytes are well-formed UTF-8 (false for any other type).
    bool isWellFormedText(int column) const;
    // A Text column's value (ill-formed bytes as U+FFFD); "" for any other type.
    QString text(int column) const;

private:
    friend class Database;
    friend class RowView;
    explicit StoredRow(sqlite3_stmt* stmt) : m_stmt(stmt) {}
    sqlite3_stmt* m_stmt;
};

// One data file (an SQLite database). Column and table names in SQL text and in field
// look-ups match without regard to character width (NFKC): 診断名１ finds 診断名1, ﾘﾊﾋﾞﾘﾃｰｼｮﾝ
// finds リハビリテーション. Values are never pasted into SQL: they are bound as parameters (?).
//
// Every call that can fail returns false or nullptr and, when `error` is given, a sentence
// that can be shown to the user. Nothing throws.
class Database
{
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing data file. A missing file, an empty file or a file that is not a
    // database gives nullptr (never creates a file).
    static std::unique_ptr<Database> open(const QString& path, OpenMode mode,
                                          QString* error = nullptr);
    // Creates a new, empty data file; fails when the file exists already.
    static std::unique_ptr<Database> create(const QString& path, QString* error = nullptr);

    QString path() const { return m_path; }
    bool isReadOnly() const { return m_readOnly; }

    // Runs the SQL statements of the text in turn, with the values bound in order to their
    // places (?); fails before a statement whose places the values do not fill exactly.
    bool execute(const QString& sql, const QList<Variant>& params = {}, QString* error = nullptr);

    // A table-type recordset over every row of `table`, in table order (insertion order)
    // until an index is chosen with Recordset::setIndex.
    std::unique_ptr<Recordset> openTable(const QString& table, QString* error = nullptr);
    // A recordset over the rows of a SELECT; its rows can be read, and edited or deleted
    // when every column it selects is a column of one table (then, as a table recordset,
    // it holds the rows' keys and reads a row's values when they are asked for).
    std::unique_ptr<Recordset> openDynaset(const QString& sql, const QList<Variant>& params = {},
                                           QString* error = nullptr);
    // A read-only recordset over the rows of a SELECT, all read at once: the quick way to
    // walk every row of a long result (a dynaset reads its rows one by one).
    std::unique_ptr<Recordset> openSnapshot(const QString& sql, const QList<Variant>& params = {},
                                            QString* error = nullptr);

    // Runs one SELECT with the values bound and hands its rows to `row` one after the other:
    // the quick way to read many rows of a few columns, without a recordset. False with the
    // reason when the text cannot be run.
    bool forEachRow(const QString& sql, const QList<Variant>& params,
                    const std::function<void(const RowView&)>& row, QString* error = nullptr);

    // One statement, prepared once and run again and again with new values: many rows
    // written in one transaction. nullptr with the reason when the text cannot be prepared
    // (or holds more than one statement). The statement must go before its Database.
    std::unique_ptr<PreparedStatement> prepare(const QString& sql, QString* error = nullptr);

    // One transaction at a time; every write between begin and commit lands whole or not
    // at all. A Database that is destroyed inside a transaction rolls it back. When the
    // engine undoes a transaction by itself (a full disk, an I/O error), every write and the
    // commit fail until rollback() ends it: nothing is written outside it meanwhile.
    bool beginTrans(QString* error = nullptr);
    bool commitTrans(QString* error = nullptr);
    void rollback();
    // Between beginTrans and the commit or rollback that ends it.
    bool inTransaction() const { return m_inTransaction; }
    // How long a statement waits for a file that another program is writing before it fails
    // as a file in use (5 seconds unless set).
    void setBusyTimeout(int milliseconds);

    bool hasTable(const QString& table) const;
    bool hasIndex(const QString& index) const;
    // The table's column names as stored (empty for a missing table).
    QStringList columns(const QString& table) const;
    // The engine's full check of the file's structure: true when every page, index and
    // row is sound; false with what is damaged.
    bool integrityCheck(QString* error = nullptr) const;

    // The SQL text with every identifier that names a table or column of this file, in
    // whatever character width, replaced by its stored spelling. String literals are kept.
    QString foldIdentifiers(const QString& sql) const;

    // Runs a SELECT (its names matched as everywhere) and hands each row, as stored, to
    // `row`, which returns false to stop. False with the reason when the statement cannot
    // run or a row cannot be read (a damaged page shows here).
    bool scanStored(const QString& sql, const std::function<bool(const StoredRow&)>& row,
                    QString* error = nullptr) const;
    // Runs one statement on the engine's own tables and pragmas (the schema, a table's columns,
    // an index's keys) exactly as written, its names not matched to the file's own, with the
    // values bound in order, and hands each row to `row`, which returns false to stop. False
    // with the reason when it cannot run.
    bool scanEngine(const QString& sql, const QList<Variant>& params,
                    const std::function<bool(const StoredRow&)>& row,
                    QString* error = nullptr) const;

private:
    friend class detail::SqlRecordset;
    friend class PreparedStatement;

    // Prepares `sql` (names folded, unless `matchNames` is false), binds `params` and hands
    // each row's statement to `row` until it returns false or the rows end. False with the
    // reason when the text cannot be run or a row cannot be read.
    bool stepRows(const QString& sql, const QList<Variant>& params,
                  const std::function<bool(sqlite3_stmt*)>& row, QString* error,
                  bool matchNames = true) const;

    Database(sqlite3* handle, const QString& path, bool readOnly);
    static std::unique_ptr<Database> openHandle(const QString& path, bool readOnly, bool create,
                                                QString* error);
    // The stored spelling of a table, column or index name written in any width; "" when
    // the file has no such name.
    QString storedName(const QString& name) const;
    // Whether the schema holds an object of `type` ('table', 'index') named `name` in any width.
    bool hasSchemaObject(const char* type, const QString& name) const;
    void loadNames() const;
    // foldIdentifiers' work, without the texts folded before.
    QString foldNames(const QString& sql) const;
    // The tables or columns may have changed: names, table shapes and kept statements are
    // read again when next needed.
    void schemaChanged() const;
    // A statement of `sql` (folded) ready to bind and run, kept prepared from an earlier use
    // or prepared now; nullptr with the reason. It is the caller's until it gives it back.
    sqlite3_stmt* takeStatement(const QString& sql, QString* error = nullptr) const;
    // Takes back a statement from takeStatement (reset, its values unbound), to be used again.
    void giveBackStatement(const QString& sql, sqlite3_stmt* stmt) const;
    // The shape of `table` (stored spelling) as a table recordset reads it, read once.
    std::shared_ptr<const detail::TableShape> tableShape(const QString& table,
                                                         QString* error) const;
    QString lastError() const;
    // Rows were written: every open recordset reads its current row again when next asked.
    void rowsWritten();
    // A write may start: false (with the reason) when the transaction in hand was undone by
    // the engine.
    bool canWrite(QString* error) const;

    sqlite3* m_db = nullptr;
    QString m_path;
    bool m_readOnly = false;
    bool m_inTransaction = false;
    // Its names, table shapes and folded SQL texts, as the schema read at the open gives them.
    mutable std::shared_ptr<detail::SchemaFacts> m_facts;
    std::vector<detail::SqlRecordset*> m_recordsets; // open recordsets, told of close/rollback
    mutable QHash<QString, sqlite3_stmt*> m_idleStatements; // prepared, not in use, by text
};

// The current row of Database::forEachRow: its columns by position, read as a recordset
// reads them (by the column's declared type).
class RowView
{
public:
    Variant value(int column) const;
    // value(column).toString(), without the Variant between.
    QString text(int column) const;
    // The column's value as a 64-bit integer, as the engine converts it (0 for Null).
    qint64 integer(int column) const;
    // The row as the engine stores it, nothing converted: what a check of the values reads.
    StoredRow stored() const { return StoredRow(m_stmt); }
    int columnCount() const { return int(m_kinds.size()); }
    // The column's name as the result gives it.
    QString columnName(int column) const;

private:
    friend class Database;
    RowView(sqlite3_stmt* stmt, const std::vector<int>& kinds) : m_stmt(stmt), m_kinds(kinds) {}

    sqlite3_stmt* m_stmt;
    const std::vector<int>& m_kinds;
};

// A DAO-style recordset: a current row, moves, Seek on an index, FindFirst, and the edit
// buffer of AddNew/Edit that Update writes (or that a failed Update leaves unwritten).
// A move leaves an unfinished edit. After a rollback the recordset reads its rows again
// and stands on the first; after its Database is gone every call fails harmlessly.
class Recordset
{
public:
    enum class EditMode { None, Edit, AddNew };

    virtual ~Recordset() = default;

    virtual int recordCount() const = 0;
    virtual bool eof() const = 0;
    virtual bool bof() const = 0;
    virtual void moveFirst() = 0;
    virtual void moveLast() = 0;
    virtual void moveNext() = 0;
    virtual void movePrevious() = 0;

    // Orders a table recordset by the named index and makes Seek use it.
    virtual bool setIndex(const QString& indexName, QString* error = nullptr) = 0;
    // Seek with the operators "=", "<", "<=", ">", ">=" on the current index; noMatch()
    // tells whether a row was found (the position is undefined when it was not).
    virtual bool seek(const QString& op, const Variant& key) = 0;
    virtual bool noMatch() const = 0;
    // Finds the first row that meets a simple criterion "column op value" (op one of = <>
    // < <= > >=; value a number or a quoted string); false and noMatch() when none does,
    // or when the criterion cannot be read.
    virtual bool findFirst(const QString& criterion) = 0;

    virtual QStringList fieldNames() const = 0;
    virtual bool hasField(const QString& name) const = 0;
    // The current row's (or, while editing, the edit buffer's) value of the field.
    // Null with *ok false for a missing field or no current row.
    virtual Variant field(const QString& name, bool* ok = nullptr) const = 0;
    // Writes into the edit buffer. Fails alone (the buffer keeps the rest) when not in edit
    // mode, when the field does not exist or when the value does not fit the column.
    virtual bool setField(const QString& name, const Variant& value, QString* error = nullptr) = 0;

    virtual bool addNew(QString* error = nullptr) = 0;
    virtual bool edit(QString* error = nullptr) = 0;
    virtual bool update(QString* error = nullptr) = 0;
    virtual void cancelUpdate() = 0;
    virtual EditMode editMode() const = 0;
    // Deletes the current row; the position then stands on no row until the next move.
    virtual bool deleteRow(QString* error = nullptr) = 0;
};

} // namespace db
