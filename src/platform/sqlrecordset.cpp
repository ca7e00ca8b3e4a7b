#include "platform/database_p.h"

#include <QRegularExpression>
#include <QSet>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace db::detail {

namespace {

const QString kNoRow = QStringLiteral("現在のレコードがありません。");
const QString kRowGone = QStringLiteral("そのレコードはほかで削除されています。");

QString errorOf(sqlite3* db)
{
    return engineError(db);
}

// Runs a statement that returns rowids and collects them.
bool collectKeys(sqlite3_stmt* stmt, std::vector<qint64>& keys)
{
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(stmt, 0));
    sqlite3_reset(stmt);
    return rc == SQLITE_DONE;
}

// "column op value": a criterion as FindFirst takes it.
struct Criterion
{
    QString column;
    QString op;
    Variant value;
};

std::optional<Criterion> parseCriterion(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(?:\[([^\]]+)\]|([^\s=<>]+))\s*(<>|<=|>=|=|<|>)\s*(.*?)\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    Criterion c;
    c.column = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    c.op = m.captured(3);
    const QString v = m.captured(4);
    if (v.size() >= 2 && (v.front() == u'\'' || v.front() == u'"') && v.back() == v.front()) {
        QString inner = v.mid(1, v.size() - 2);
        inner.replace(QString(2, v.front()), QString(v.front()));
        c.value = Variant::fromString(inner);
    } else if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        c.value = Variant::fromBool(true);
    } else if (v.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        c.value = Variant::fromBool(false);
    } else {
        const auto number = Variant::fromString(v).toDouble();
        if (!number)
            return std::nullopt;
        const auto whole = Variant::fromDouble(*number).toLong();
        c.value = whole && double(*whole) == *number ? Variant::fromLong(*whole)
                                                     : Variant::fromDouble(*number);
    }
    return c;
}

bool meets(const Variant& value, const QString& op, const Variant& key)
{
    const auto c = value.compare(key);
    if (!c)
        return false;
    if (op == u"=")
        return *c == 0;
    if (op == u"<>")
        return *c != 0;
    if (op == u"<")
        return *c < 0;
    if (op == u"<=")
        return *c <= 0;
    if (op == u">")
        return *c > 0;
    return *c >= 0;
}

} // namespace

SqlRecordset::SqlRecordset(Database* db) : m_db(db)
{
    db->m_recordsets.push_back(this);
}

SqlRecordset::~SqlRecordset()
{
    detach();
}

void SqlRecordset::detach()
{
    for (auto it = m_statements.cbegin(); it != m_statements.cend(); ++it) {
        if (m_db)
            m_db->giveBackStatement(it.key(), it.value());
        else
            sqlite3_finalize(it.value());
    }
    m_statements.clear();
    if (m_db) {
        auto& list = m_db->m_recordsets;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    m_db = nullptr;
    m_keys.clear();
    m_rows.clear();
    m_rowLoaded = false;
    m_mode = EditMode::None;
}

void SqlRecordset::invalidate()
{
    m_mode = EditMode::None;
    m_rowLoaded = false;
    m_keysStale = !m_table.isEmpty();
    m_rowsStale = m_table.isEmpty();
    m_pos = 0;
    m_onDeleted = false;
}

void SqlRecordset::forgetRow()
{
    m_rowLoaded = false;
    m_partKey = 0;
}

sqlite3_stmt* SqlRecordset::statement(const QString& sql, QString* error) const
{
    if (!m_db) {
        fail(error, QStringLiteral("データファイルが閉じられています。"));
        return nullptr;
    }
    if (sqlite3_stmt* stmt = m_statements.value(sql)) {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        return stmt;
    }
    sqlite3_stmt* stmt = m_db->takeStatement(sql, error);
    if (stmt)
        m_statements.insert(sql, stmt);
    return stmt;
}

void SqlRecordset::addColumn(Column column)
{
    const int index = int(m_columns.size());
    m_byName.insert(column.name, index);
    m_byFolded.insert(foldName(column.name), index);
    m_columns.push_back(std::move(column));
}

std::unique_ptr<SqlRecordset> SqlRecordset::openTable(Database* db, const QString& table,
                                                      QString* error)
{
    std::unique_ptr<SqlRecordset> rs(new SqlRecordset(db));
    rs->m_table = table;
    rs->m_isTable = true;
    const auto shape = db->tableShape(table, error);
    if (!shape)
        return nullptr;
    rs->m_columns = shape->columns;
    rs->m_byName = shape->byName;
    rs->m_byFolded = shape->byFolded;
    rs->m_fetchSql = shape->fetchSql;
    rs->m_keysSql = shape->keysSql;
    // The rows are read when first needed: a Seek reads the index alone, an AddNew nothing.
    rs->m_keysStale = true;
    return rs;
}

std::unique_ptr<SqlRecordset> SqlRecordset::openQuery(Database* db, const QString& sql,
                                                      const QList<Variant>& params, QString* error,
                                                      bool snapshot)
{
    std::unique_ptr<SqlRecordset> rs(new SqlRecordset(db));
    QString text = sql.trimmed();
    while (text.endsWith(u';'))
        text = text.chopped(1).trimmed();

    // The rows are kept as rowids of one table when every column reads a column of it: the
    // same SELECT with the rowid in front then gives the keys and the first row at once.
    static const QRegularExpression select(QStringLiteral(R"(^SELECT\s+(?!DISTINCT\b))"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto head = select.match(text);
    if (head.hasMatch() && !snapshot) {
        const QString keysSql = u"SELECT rowid, "_s + text.mid(head.capturedEnd());
        sqlite3_stmt* keys = rs->statement(keysSql);
        const int count = keys ? sqlite3_column_count(keys) : 0;
        const char* owner = count > 1 ? sqlite3_column_table_name(keys, 0) : nullptr;
        bool keyed = owner && sqlite3_stmt_readonly(keys) &&
                     qstrcmp(sqlite3_column_database_name(keys, 0), "main") == 0;
        for (int i = 1; keyed && i < count; ++i) {
            const char* origin = sqlite3_column_origin_name(keys, i);
            keyed = origin && qstrcmp(sqlite3_column_table_name(keys, i), owner) == 0 &&
                    qstrcmp(sqlite3_column_database_name(keys, i), "main") == 0;
            if (keyed) {
                rs->addColumn({QString::fromUtf8(sqlite3_column_name(keys, i)),
                               QString::fromUtf8(origin),
                               kindFromDeclaredType(sqlite3_column_decltype(keys, i))});
            }
        }
        if (keyed && sqlite3_bind_parameter_count(keys) != params.size()) {
            fail(error, countMismatch(sqlite3_bind_parameter_count(keys), params.size()));
            return nullptr;
        }
        if (keyed) {
            QStringList selected;
            for (const Column& c : rs->m_columns)
                selected << quoteName(c.origin);
            rs->m_table = QString::fromUtf8(owner);
            rs->m_keysSql = keysSql;
            rs->m_keysParams = params;
            rs->m_fetchSql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                                 .arg(selected.join(u','), quoteName(rs->m_table));
            if (!rs->loadKeys(error))
                return nullptr;
            return rs;
        }
        rs->m_columns.clear();
        rs->m_byName.clear();
        rs->m_byFolded.clear();
    }

    // Any other SELECT: its rows are read in full and cannot be edited.
    sqlite3_stmt* stmt = rs->statement(text, error);
    if (!stmt)
        return nullptr;
    const int count = sqlite3_column_count(stmt);
    if (sqlite3_stmt_readonly(stmt) == 0 || count == 0) {
        fail(error, QStringLiteral("レコードセットとして開けるのは SELECT 文だけです。"));
        return nullptr;
    }
    for (int i = 0; i < count; ++i) {
        const char* origin = sqlite3_column_origin_name(stmt, i);
        rs->addColumn({QString::fromUtf8(sqlite3_column_name(stmt, i)),
                       origin ? QString::fromUtf8(origin) : QString(),
                       kindFromDeclaredType(sqlite3_column_decltype(stmt, i))});
    }
    if (sqlite3_bind_parameter_count(stmt) != params.size()) {
        fail(error, countMismatch(sqlite3_bind_parameter_count(stmt), params.size()));
        return nullptr;
    }
    rs->m_querySql = text;
    rs->m_queryParams = params;
    if (!rs->loadRows(error))
        return nullptr;
    return rs;
}

bool SqlRecordset::loadRows(QString* error) const
{
    sqlite3_stmt* stmt = statement(m_querySql, error);
    if (!stmt)
        return false;
    for (int i = 0; i < m_queryParams.size(); ++i)
        bindValue(stmt, i + 1, m_queryParams[i]);
    m_rows.clear();
    m_rowsStale = false;
    const int count = int(m_columns.size());
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<Variant> row;
        row.reserve(count);
        for (int i = 0; i < count; ++i)
            row.push_back(readColumn(stmt, i, m_columns[i].kind));
        m_rows.push_back(std::move(row));
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        return fail(error, errorOf(m_db->m_db));
    return true;
}

bool SqlRecordset::loadKeys(QString* error) const
{
    QString sql = m_keysSql;
    if (!m_indexColumn.isEmpty())
        sql = QStringLiteral("SELECT rowid FROM %1 ORDER BY %2, rowid")
                  .arg(quoteName(m_table), quoteName(m_indexColumn));
    sqlite3_stmt* stmt = statement(sql, error);
    if (!stmt)
        return false;
    // Only a dynaset's own statement has places for values, as many as it was given.
    for (int i = 0; i < m_keysParams.size() && i < sqlite3_bind_parameter_count(stmt); ++i)
        bindValue(stmt, i + 1, m_keysParams[i]);
    m_keys.clear();
    m_keysStale = false;
    m_rowLoaded = false;
    // A dynaset's statement carries the columns after the rowid: keep the first row.
    const bool withColumns = sqlite3_column_count(stmt) == int(m_columns.size()) + 1;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        m_keys.push_back(sqlite3_column_int64(stmt, 0));
        if (withColumns && m_keys.size() == 1) {
            m_row.clear();
            m_row.reserve(m_columns.size());
            for (int i = 0; i < int(m_columns.size()); ++i)
                m_row.push_back(readColumn(stmt, i + 1, m_columns[i].kind));
            m_rowKey = m_keys.front();
            m_rowLoaded = true;
        }
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        m_rowLoaded = false;
        return fail(error, errorOf(m_db->m_db));
    }
    return true;
}

void SqlRecordset::ensureKeys() const
{
    if (m_keysStale)
        loadKeys();
}

qsizetype SqlRecordset::rowCount() const
{
    if (m_table.isEmpty()) {
        if (m_rowsStale)
            loadRows();
        return qsizetype(m_rows.size());
    }
    ensureKeys();
    return qsizetype(m_keys.size());
}

bool SqlRecordset::onRow() const
{
    return m_db && !m_onDeleted && m_pos >= 0 && m_pos < rowCount();
}

const std::vector<Variant>* SqlRecordset::currentRow() const
{
    if (!onRow())
        return nullptr;
    if (m_table.isEmpty())
        return &m_rows[m_pos];
    const qint64 key = m_keys[m_pos];
    if (m_rowLoaded && m_rowKey == key)
        return &m_row;
    sqlite3_stmt* stmt = statement(m_fetchSql);
    if (!stmt)
        return nullptr;
    sqlite3_bind_int64(stmt, 1, key);
    if (sqlite3_step(stmt) != SQLITE_ROW) { // deleted meanwhile by another recordset
        sqlite3_reset(stmt);
        return nullptr;
    }
    m_row.clear();
    m_row.reserve(m_columns.size());
    for (int i = 0; i < int(m_columns.size()); ++i)
        m_row.push_back(readColumn(stmt, i, m_columns[i].kind));
    sqlite3_reset(stmt);
    m_rowKey = key;
    m_rowLoaded = true;
    return &m_row;
}

int SqlRecordset::columnIndex(const QString& name) const
{
    // Fields are mostly written and read in column order: try the next column first.
    const int next = m_lastColumn + 1;
    if (next < int(m_columns.size()) && m_columns[next].name == name)
        return m_lastColumn = next;
    const auto exact = m_byName.constFind(name);
    if (exact != m_byName.cend())
        return m_lastColumn = *exact;
    return m_lastColumn = m_byFolded.value(foldName(name), -1);
}

qsizetype SqlRecordset::positionOfKey(qint64 key) const
{
    ensureKeys();
    const auto it = std::find(m_keys.begin(), m_keys.end(), key);
    return it == m_keys.end() ? -1 : qsizetype(it - m_keys.begin());
}

int SqlRecordset::recordCount() const
{
    return int(rowCount());
}

bool SqlRecordset::eof() const
{
    return rowCount() == 0 || m_pos >= rowCount();
}

bool SqlRecordset::bof() const
{
    return rowCount() == 0 || m_pos < 0;
}

void SqlRecordset::leaveEdit()
{
    m_mode = EditMode::None;
    m_buffer.clear();
    m_dirty.clear();
}

void SqlRecordset::moveFirst()
{
    leaveEdit();
    m_onDeleted = false;
    m_pos = 0;
}

void SqlRecordset::moveLast()
{
    leaveEdit();
    m_onDeleted = false;
    m_pos = rowCount() - 1;
}

void SqlRecordset::moveNext()
{
    leaveEdit();
    // After a deletion the position already names the row that followed the deleted one.
    if (m_onDeleted)
        m_onDeleted = false;
    else
        m_pos = std::min(m_pos + 1, rowCount());
}

void SqlRecordset::movePrevious()
{
    leaveEdit();
    m_onDeleted = false;
    m_pos = std::max<qsizetype>(m_pos - 1, -1);
}

bool SqlRecordset::setIndex(const QString& indexName, QString* error)
{
    if (!m_isTable)
        return fail(error, QStringLiteral("索引を使えるのは表のレコードセットだけです。"));
    sqlite3_stmt* list =
        statement(QStringLiteral("SELECT il.name, ii.name FROM pragma_index_list(?) AS il, "
                                 "pragma_index_info(il.name) AS ii WHERE ii.seqno = 0"),
                  error);
    if (!list)
        return false;
    bindValue(list, 1, Variant::fromString(m_table));
    QString column;
    const QString wanted = foldName(indexName);
    while (sqlite3_step(list) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
        if (foldName(name) == wanted) {
            column = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 1)));
            break;
        }
    }
    sqlite3_reset(list);
    if (column.isEmpty())
        return fail(error,
                    QStringLiteral("表「%1」に索引「%2」がありません。").arg(m_table, indexName));
    leaveEdit();
    m_indexColumn = column;
    if (!loadKeys(error))
        return false;
    m_pos = 0;
    m_onDeleted = false;
    return true;
}

bool SqlRecordset::seek(const QString& op, const Variant& key)
{
    m_noMatch = true;
    if (m_indexColumn.isEmpty())
        return false;
    const bool backwards = op == u"<" || op == u"<=";
    if (!(backwards || op == u"=" || op == u">" || op == u">="))
        return false;
    const QString order = backwards ? QStringLiteral("DESC") : QStringLiteral("ASC");
    const QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE %2 %3 ? ORDER BY %2 %4, "
                                       "rowid %4 LIMIT 1")
                            .arg(quoteName(m_table), quoteName(m_indexColumn), op, order);
    sqlite3_stmt* stmt = statement(sql);
    if (!stmt)
        return false;
    bindValue(stmt, 1, key);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    const qint64 rowid = found ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_reset(stmt);
    if (!found)
        return false;
    const qsizetype pos = positionOfKey(rowid);
    if (pos < 0)
        return false;
    leaveEdit();
    m_pos = pos;
    m_onDeleted = false;
    m_noMatch = false;
    return true;
}

bool SqlRecordset::findFirst(const QString& criterion)
{
    m_noMatch = true;
    const auto c = parseCriterion(criterion);
    if (!c)
        return false;
    const int column = columnIndex(c->column);
    if (column < 0 || !m_db)
        return false;
    qsizetype found = -1;
    if (m_table.isEmpty()) {
        for (qsizetype i = 0; i < rowCount() && found < 0; ++i) {
            if (meets(m_rows[i][column], c->op, c->value))
                found = i;
        }
    } else {
        // The engine picks the matching rows; the first of them in recordset order wins.
        const QString sql =
            QStringLiteral("SELECT rowid FROM %1 WHERE %2 %3 ?")
                .arg(quoteName(m_table), quoteName(m_columns[column].origin), c->op);
        sqlite3_stmt* stmt = statement(sql);
        if (!stmt)
            return false;
        // A Yes/No column stores True as 1: a criterion's True or -1 is compared as it is stored.
        std::optional<Variant> value;
        if (m_columns[column].kind == ColumnKind::Boolean)
            value = convertForColumn(c->value, ColumnKind::Boolean, nullptr);
        bindValue(stmt, 1, value.value_or(c->value));
        std::vector<qint64> keys;
        if (!collectKeys(stmt, keys) || keys.empty())
            return false;
        if (keys.size() == 1) {
            found = positionOfKey(keys.front());
        } else {
            const QSet<qint64> matching(keys.begin(), keys.end());
            ensureKeys();
            for (qsizetype i = 0; i < qsizetype(m_keys.size()) && found < 0; ++i) {
                if (matching.contains(m_keys[i]))
                    found = i;
            }
        }
    }
    if (found < 0)
        return false;
    leaveEdit();
    m_pos = found;
    m_onDeleted = false;
    m_noMatch = false;
    return true;
}

QStringList SqlRecordset::fieldNames() const
{
    QStringList names;
    for (const Column& c : m_columns)
        names << c.name;
    return names;
}

Variant SqlRecordset::field(const QString& name, bool* ok) const
{
    if (ok)
        *ok = false;
    const int column = columnIndex(name);
    if (column < 0)
        return {};
    if (m_mode != EditMode::None) {
        if (ok)
            *ok = true;
        return m_buffer[column];
    }
    if (!m_table.isEmpty() && onRow() && !(m_rowLoaded && m_rowKey == m_keys[m_pos]) &&
        m_partKey != m_keys[m_pos]) {
        // The first field asked of a row is read alone: a walk that reads one field of
        // every row (the highest number, a search by hand) then never reads whole rows.
        sqlite3_stmt* stmt =
            statement(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                          .arg(quoteName(m_columns[column].origin), quoteName(m_table)));
        if (!stmt)
            return {};
        sqlite3_bind_int64(stmt, 1, m_keys[m_pos]);
        const bool found = sqlite3_step(stmt) == SQLITE_ROW;
        const Variant value = found ? readColumn(stmt, 0, m_columns[column].kind) : Variant();
        sqlite3_reset(stmt);
        if (!found)
            return {};
        m_partKey = m_keys[m_pos];
        if (ok)
            *ok = true;
        return value;
    }
    // A second field of the same row: the whole row is read and kept.
    const std::vector<Variant>* row = currentRow();
    if (!row)
        return {};
    if (ok)
        *ok = true;
    return (*row)[column];
}

bool SqlRecordset::writable(QString* error) const
{
    if (!m_db)
        return fail(error, QStringLiteral("データファイルが閉じられています。"));
    if (m_db->isReadOnly())
        return fail(error, QStringLiteral("データファイルは読み取り専用で開かれています。"));
    if (m_table.isEmpty())
        return fail(error, QStringLiteral("このレコードセットは変更できません。"));
    return m_db->canWrite(error);
}

bool SqlRecordset::setField(const QString& name, const Variant& value, QString* error)
{
    if (m_mode == EditMode::None)
        return fail(error, QStringLiteral("レコードが編集中ではありません。"));
    const int column = columnIndex(name);
    if (column < 0)
        return fail(error, QStringLiteral("項目「%1」がありません。").arg(name));
    if (m_columns[column].origin.isEmpty())
        return fail(error, QStringLiteral("項目「%1」は変更できません。").arg(name));
    const auto stored = convertForColumn(value, m_columns[column].kind, error);
    if (!stored)
        return false;
    m_buffer[column] = *stored;
    m_dirty[column] = 1;
    return true;
}

bool SqlRecordset::addNew(QString* error)
{
    if (!writable(error))
        return false;
    m_mode = EditMode::AddNew;
    m_buffer.assign(m_columns.size(), Variant());
    m_dirty.assign(m_columns.size(), 0);
    return true;
}

bool SqlRecordset::edit(QString* error)
{
    if (!writable(error))
        return false;
    const std::vector<Variant>* row = currentRow();
    if (!row)
        return fail(error, kNoRow);
    m_mode = EditMode::Edit;
    m_buffer = *row;
    m_dirty.assign(m_columns.size(), 0);
    m_editKey = m_keys[m_pos];
    return true;
}

bool SqlRecordset::update(QString* error)
{
    if (m_mode == EditMode::None)
        return fail(error, QStringLiteral("レコードが編集中ではありません。"));
    if (!writable(error))
        return false;
    std::vector<int> changed;
    for (int i = 0; i < int(m_columns.size()); ++i) {
        if (m_dirty[i])
            changed.push_back(i);
    }
    if (m_mode == EditMode::Edit && !dropUnchangedIndexed(changed, error))
        return false;
    // One statement per set of changed columns, prepared once and kept.
    QStringList names;
    for (int i : changed)
        names << quoteName(m_columns[i].origin);
    QString sql;
    if (m_mode == EditMode::Edit) {
        if (changed.empty()) {
            leaveEdit();
            return true;
        }
        sql = QStringLiteral("UPDATE %1 SET %2=? WHERE rowid=?")
                  .arg(quoteName(m_table), names.join(QStringLiteral("=?,")));
    } else if (changed.empty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteName(m_table));
    } else {
        QStringList marks;
        marks.fill(QStringLiteral("?"), names.size());
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoteName(m_table), names.join(u','), marks.join(u','));
    }
    // A new row that takes its place in an order moves the rows after it: the current row is
    // found again by its key.
    const bool reorder = m_mode == EditMode::AddNew && !(m_isTable && m_indexColumn.isEmpty());
    const qint64 currentKey = reorder && onRow() ? m_keys[m_pos] : 0;
    sqlite3_stmt* stmt = statement(sql, error);
    if (!stmt)
        return false;
    int index = 1;
    for (int column : changed)
        bindValue(stmt, index++, m_buffer[column]);
    if (m_mode == EditMode::Edit)
        sqlite3_bind_int64(stmt, index, m_editKey);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        return fail(error, errorOf(m_db->m_db)); // the edit buffer stays for another try
    if (m_mode == EditMode::Edit && sqlite3_changes(m_db->m_db) == 0)
        return fail(error, kRowGone);
    if (m_mode == EditMode::AddNew) {
        // A new row comes last in table order; in another order the rows are read again.
        // The position stays on the row where it was.
        if (!reorder) {
            m_keys.push_back(sqlite3_last_insert_rowid(m_db->m_db));
        } else if (loadKeys() && currentKey != 0) {
            if (const qsizetype pos = positionOfKey(currentKey); pos >= 0)
                m_pos = pos;
        }
    }
    m_db->rowsWritten();
    leaveEdit();
    return true;
}

bool SqlRecordset::dropUnchangedIndexed(std::vector<int>& changed, QString* error)
{
    // Writing an indexed column rewrites its index entries even when the value stays: a save
    // of an unchanged letter would then write the file. A value of another type or other
    // bytes (a Yes/No holding 7, a blob in a text column) is written as before.
    std::vector<int> indexed;
    QStringList same;
    for (int column : changed) {
        if (!m_columns[column].indexed)
            continue;
        const QString name = quoteName(m_columns[column].origin);
        const int place = int(indexed.size()) + 1;
        same << QStringLiteral("typeof(%1)=typeof(?%2) AND %1 IS ?%2 COLLATE BINARY")
                    .arg(name)
                    .arg(place);
        indexed.push_back(column);
    }
    if (indexed.empty())
        return true;
    sqlite3_stmt* stmt = statement(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?%3")
                                       .arg(same.join(u','), quoteName(m_table))
                                       .arg(indexed.size() + 1),
                                   error);
    if (!stmt)
        return false;
    for (std::size_t i = 0; i < indexed.size(); ++i)
        bindValue(stmt, int(i) + 1, m_buffer[std::size_t(indexed[i])]);
    sqlite3_bind_int64(stmt, int(indexed.size()) + 1, m_editKey);
    const int rc = sqlite3_step(stmt);
    std::vector<int> unchanged;
    if (rc == SQLITE_ROW) {
        for (std::size_t i = 0; i < indexed.size(); ++i)
            if (sqlite3_column_int(stmt, int(i)) == 1)
                unchanged.push_back(indexed[i]);
    }
    sqlite3_reset(stmt);
    if (rc == SQLITE_DONE)
        return fail(error, kRowGone);
    if (rc != SQLITE_ROW)
        return fail(error, errorOf(m_db->m_db));
    std::erase_if(changed, [&](int column) {
        return std::find(unchanged.begin(), unchanged.end(), column) != unchanged.end();
    });
    return true;
}

void SqlRecordset::cancelUpdate()
{
    leaveEdit();
}

bool SqlRecordset::deleteRow(QString* error)
{
    if (!writable(error))
        return false;
    if (!onRow())
        return fail(error, kNoRow);
    leaveEdit();
    sqlite3_stmt* stmt =
        statement(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoteName(m_table)), error);
    if (!stmt)
        return false;
    sqlite3_bind_int64(stmt, 1, m_keys[m_pos]);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        return fail(error, errorOf(m_db->m_db));
    if (sqlite3_changes(m_db->m_db) == 0)
        return fail(error, kRowGone);
    m_keys.erase(m_keys.begin() + m_pos);
    m_db->rowsWritten();
    m_onDeleted = true;
    return true;
}

} // namespace db::detail
