#include "platform/database.h"

#include "platform/database_p.h"
#include "platform/systemerror.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace db {

namespace {

thread_local Action currentAction = Action::Save;

// What to try again, as the message of a file in use ends.
QString tryAgain(Action action)
{
    switch (action) {
    case Action::Save:
        break;
    case Action::Delete:
        return QStringLiteral("削除してください。");
    case Action::Import:
        return QStringLiteral("インポートしてください。");
    case Action::Restore:
        return QStringLiteral("データ復帰を行ってください。");
    case Action::Backup:
        return QStringLiteral("データ保存を行ってください。");
    }
    return QStringLiteral("保存してください。");
}

std::atomic<quint64> busyWaitCount{0};

// Called by the engine while another connection holds the file: sleeps in growing steps, up
// to `timeout` milliseconds in all, as the engine's own busy timeout does, and counts the
// waits. `count` is the number of earlier calls for the same statement.
int waitForFile(void* timeout, int count)
{
    static constexpr std::array<int, 12> delays{1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    static constexpr std::array<int, 12> totals{0, 1, 3, 8, 18, 33, 53, 78, 103, 128, 178, 228};
    const int limit = int(reinterpret_cast<std::intptr_t>(timeout));
    if (count == 0)
        ++busyWaitCount;
    const int last = int(delays.size()) - 1;
    int delay = delays[std::size_t(std::min(count, last))];
    const int prior = count <= last ? totals[std::size_t(count)]
                                    : totals[std::size_t(last)] + delay * (count - last);
    if (prior + delay > limit) {
        delay = limit - prior;
        if (delay <= 0)
            return 0;
    }
    sqlite3_sleep(delay);
    return 1;
}

// Makes the connection wait up to `milliseconds` for a file that another one holds.
void setBusyWait(sqlite3* handle, int milliseconds)
{
    if (milliseconds > 0)
        sqlite3_busy_handler(handle, waitForFile,
                             reinterpret_cast<void*>(std::intptr_t(milliseconds)));
    else
        sqlite3_busy_handler(handle, nullptr, nullptr);
}

} // namespace

quint64 busyWaits()
{
    return busyWaitCount.load();
}

ActionScope::ActionScope(Action action) : m_previous(currentAction)
{
    currentAction = action;
}

ActionScope::~ActionScope()
{
    currentAction = m_previous;
}

Action ActionScope::current()
{
    return currentAction;
}

QString engineErrorText(int resultCode, const QString& engineWords)
{
    return engineErrorText(resultCode, engineWords, currentAction);
}

QString engineErrorText(int resultCode, const QString& engineWords, Action action)
{
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("データファイルが他のプログラムで使用中です。"
                              "しばらくしてからもう一度") +
               tryAgain(action);
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("データファイルに書き込めません（読み取り専用です）。");
    case SQLITE_NOTADB:
        return QStringLiteral("このファイルは意見書のデータファイルではありません。");
    case SQLITE_IOERR:
        return QStringLiteral("ディスクの読み書きに失敗しました。");
    case SQLITE_CORRUPT:
        return QStringLiteral("データファイルが壊れています。");
    case SQLITE_CANTOPEN:
        return QStringLiteral("データファイルを開けません。");
    default:
        return QStringLiteral("データベースの処理に失敗しました。（%1）")
            .arg(detail::engineWordsText(resultCode, engineWords));
    }
}

namespace detail {

QString engineError(sqlite3* db)
{
    return engineErrorText(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString countMismatch(qsizetype places, qsizetype values)
{
    return QStringLiteral("SQL 文の値の場所（%1 か所）と渡された値の数（%2 個）が合いません。")
        .arg(places)
        .arg(values);
}

ColumnKind kindFromDeclaredType(const char* declared)
{
    if (!declared || !*declared)
        return ColumnKind::Untyped;
    const QByteArray t = QByteArray(declared).toUpper();
    if (t.contains("BOOL") || t.contains("YESNO") || t == "BIT")
        return ColumnKind::Boolean;
    if (t.contains("SMALLINT") || t.contains("SHORT") || t.contains("TINYINT") || t == "BYTE")
        return ColumnKind::Integer;
    if (t.contains("INT") || t.contains("LONG") || t.contains("COUNTER"))
        return ColumnKind::Long;
    if (t.contains("SINGLE"))
        return ColumnKind::Single;
    if (t.contains("REAL") || t.contains("FLOA") || t.contains("DOUB") || t.contains("NUMERIC") ||
        t.contains("DECIMAL") || t.contains("CURRENCY"))
        return ColumnKind::Double;
    if (t.contains("CHAR") || t.contains("TEXT") || t.contains("CLOB") || t.contains("MEMO"))
        return ColumnKind::Text;
    return ColumnKind::Untyped;
}

QString foldName(const QString& name)
{
    bool ascii = true;
    for (QChar c : name)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return name.toLower();
    // The same few hundred names come again and again (every open, every query, every
    // look-up by name); normalizing costs far more than finding the earlier result.
    thread_local QHash<QString, QString> folded;
    const auto it = folded.constFind(name);
    if (it != folded.cend())
        return *it;
    if (folded.size() > 20000)
        folded.clear();
    const QString result = name.normalized(QString::NormalizationForm_KC).toLower();
    folded.insert(name, result);
    return result;
}

namespace {

bool isIdentifierChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
               u == '_' || u == '$';
    return c.isLetterOrNumber() || c.isMark() || c.isSurrogate();
}

} // namespace

qsizetype quotedRunEnd(const QString& sql, qsizetype from, QChar close)
{
    const qsizetype n = sql.size();
    qsizetype j = from + 1;
    while (j < n) {
        if (sql[j] == close) {
            if (close != u']' && j + 1 < n && sql[j + 1] == close) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return n;
}

QString quoteName(const QString& name)
{
    bool plain = !name.isEmpty() && !name.front().isDigit();
    for (QChar c : name)
        plain = plain && isIdentifierChar(c) && c != u'$';
    if (plain)
        return name;
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

namespace {

QString textOf(sqlite3_stmt* stmt, int column)
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    const int bytes = sqlite3_column_bytes(stmt, column);
    if (!data)
        return QString();
    // Plain text (no leading U+FEFF) decodes the quick way; a leading U+FEFF is kept as a
    // character, not taken for a byte-order mark.
    const auto* u = reinterpret_cast<const unsigned char*>(data);
    if (bytes < 3 || u[0] != 0xEF || u[1] != 0xBB || u[2] != 0xBF)
        return QString::fromUtf8(data, bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(data, bytes));
}

Variant integerValue(qint64 v, ColumnKind kind)
{
    if (kind == ColumnKind::Integer && v >= std::numeric_limits<qint16>::min() &&
        v <= std::numeric_limits<qint16>::max())
        return Variant::fromInteger(qint16(v));
    if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
        return Variant::fromLong(qint32(v));
    return Variant::fromDouble(double(v));
}

} // namespace

Variant readColumn(sqlite3_stmt* stmt, int column, ColumnKind kind)
{
    const int type = sqlite3_column_type(stmt, column);
    if (type == SQLITE_NULL)
        return {};
    switch (kind) {
    case ColumnKind::Boolean:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return Variant::fromBool(sqlite3_column_double(stmt, column) != 0.0);
        break;
    case ColumnKind::Integer:
    case ColumnKind::Long:
        if (type == SQLITE_INTEGER)
            return integerValue(sqlite3_column_int64(stmt, column), kind);
        if (type == SQLITE_FLOAT)
            return Variant::fromDouble(sqlite3_column_double(stmt, column));
        break;
    case ColumnKind::Single:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return Variant::fromSingle(float(sqlite3_column_double(stmt, column)));
        break;
    case ColumnKind::Double:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return Variant::fromDouble(sqlite3_column_double(stmt, column));
        break;
    case ColumnKind::Text:
        return Variant::fromString(textOf(stmt, column));
    case ColumnKind::Untyped:
        if (type == SQLITE_INTEGER)
            return integerValue(sqlite3_column_int64(stmt, column), ColumnKind::Long);
        if (type == SQLITE_FLOAT)
            return Variant::fromDouble(sqlite3_column_double(stmt, column));
        break;
    }
    // A value stored in another type than the column declares reads as it is stored.
    if (type == SQLITE_INTEGER)
        return integerValue(sqlite3_column_int64(stmt, column), ColumnKind::Long);
    if (type == SQLITE_FLOAT)
        return Variant::fromDouble(sqlite3_column_double(stmt, column));
    return Variant::fromString(textOf(stmt, column));
}

QString wellFormed(const QString& text)
{
    QString result;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            if (!result.isNull())
                result.append(c).append(text.at(i + 1));
            ++i;
        } else if (c.isSurrogate()) {
            if (result.isNull())
                result = text.left(i);
            result.append(QChar(QChar::ReplacementCharacter));
        } else if (!result.isNull()) {
            result.append(c);
        }
    }
    return result.isNull() ? text : result;
}

void bindValue(sqlite3_stmt* stmt, int index, const Variant& value)
{
    switch (value.type()) {
    case Variant::Type::Null:
        sqlite3_bind_null(stmt, index);
        return;
    case Variant::Type::Integer:
    case Variant::Type::Long:
        sqlite3_bind_int64(stmt, index, *value.toLong());
        return;
    case Variant::Type::Boolean:
        sqlite3_bind_int(stmt, index, *value.toBool() ? 1 : 0);
        return;
    case Variant::Type::Single:
    case Variant::Type::Double:
        sqlite3_bind_double(stmt, index, *value.toDouble());
        return;
    case Variant::Type::String: {
        // UTF-8, so that a leading U+FEFF is kept as a character rather than taken for a
        // byte-order mark; an unpaired surrogate is stored as U+FFFD and costs nothing else.
        const QByteArray utf8 = wellFormed(value.toString()).toUtf8();
        sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

std::optional<Variant> convertForColumn(const Variant& value, ColumnKind kind, QString* error)
{
    if (value.isNull())
        return value;
    const auto mismatch = [&](const char* what) {
        fail(error, QStringLiteral("値「%1」は%2として保存できません。")
                        .arg(value.toString(), QString::fromUtf8(what)));
        return std::nullopt;
    };
    switch (kind) {
    case ColumnKind::Boolean:
        if (const auto b = value.toBool())
            return Variant::fromBool(*b);
        return mismatch("はい／いいえ");
    case ColumnKind::Integer: {
        const auto v = value.toLong();
        if (v && *v >= std::numeric_limits<qint16>::min() &&
            *v <= std::numeric_limits<qint16>::max())
            return Variant::fromInteger(qint16(*v));
        return mismatch("整数");
    }
    case ColumnKind::Long:
        if (const auto v = value.toLong())
            return Variant::fromLong(*v);
        return mismatch("長整数");
    case ColumnKind::Single:
        if (const auto v = value.toDouble(); v && std::abs(*v) <= std::numeric_limits<float>::max())
            return Variant::fromSingle(float(*v));
        return mismatch("数値");
    case ColumnKind::Double:
        if (const auto v = value.toDouble())
            return Variant::fromDouble(*v);
        return mismatch("数値");
    case ColumnKind::Text:
        return Variant::fromString(value.toString());
    case ColumnKind::Untyped:
        break;
    }
    return value;
}

std::shared_ptr<SchemaFacts> schemaFacts(const QByteArray& schema)
{
    // The few schemas a run meets (the letter file, the postal codes, a backup), the most
    // recently used last.
    thread_local std::vector<std::pair<QByteArray, std::shared_ptr<SchemaFacts>>> known;
    constexpr std::size_t mostKnown = 8;
    for (auto it = known.begin(); it != known.end(); ++it) {
        if (it->first == schema) {
            std::rotate(it, it + 1, known.end());
            return known.back().second;
        }
    }
    if (known.size() >= mostKnown)
        known.erase(known.begin());
    known.emplace_back(schema, std::make_shared<SchemaFacts>());
    return known.back().second;
}

} // namespace detail

using detail::fail;

namespace {

const QByteArray kSqliteMagic("SQLite format 3\0", 16);

bool isSchemaChange(QStringView sql)
{
    const QStringView s = sql.trimmed();
    return s.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive) ||
           s.startsWith(QLatin1String("DROP"), Qt::CaseInsensitive) ||
           s.startsWith(QLatin1String("ALTER"), Qt::CaseInsensitive);
}

// The file's schema as its text (every object's type, name, table and SQL), read from the
// file; false with the engine's message.
bool readSchema(sqlite3* db, QByteArray* schema, QString* error)
{
    sqlite3_stmt* stmt = nullptr;
    int rc =
        sqlite3_prepare_v2(db, "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY rowid",
                           -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            for (int column = 0; column < 4; ++column) {
                schema->append(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                               sqlite3_column_bytes(stmt, column));
                schema->append('\x1f');
            }
            schema->append('\x1e');
        }
    }
    sqlite3_finalize(stmt);
    if (rc == SQLITE_DONE)
        return true;
    return fail(error, engineErrorText(sqlite3_extended_errcode(db),
                                       QString::fromUtf8(sqlite3_errmsg(db))));
}

// Runs every statement of `sql` (no parameters); false with the engine's message.
bool exec(sqlite3* db, const QString& sql, QString* error)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        return true;
    const QString text =
        engineErrorText(rc, QString::fromUtf8(message ? message : sqlite3_errmsg(db)));
    sqlite3_free(message);
    return fail(error, text);
}

} // namespace

Database::Database(sqlite3* handle, const QString& path, bool readOnly)
    : m_db(handle), m_path(path), m_readOnly(readOnly),
      m_facts(std::make_shared<detail::SchemaFacts>())
{
}

Database::~Database()
{
    for (detail::SqlRecordset* rs : std::vector(m_recordsets))
        rs->detach();
    if (inTransaction())
        rollback();
    for (sqlite3_stmt* stmt : std::as_const(m_idleStatements))
        sqlite3_finalize(stmt);
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Database> Database::openHandle(const QString& path, bool readOnly, bool create,
                                               QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    sqlite3* handle = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE;
    if (sqlite3_open_v2(name.constData(), &handle, flags, nullptr) != SQLITE_OK) {
        fail(error, QStringLiteral("データファイル %1 を開けません。（%2）")
                        .arg(path, detail::engineError(handle)));
        sqlite3_close_v2(handle);
        return nullptr;
    }
    std::unique_ptr<Database> db(new Database(handle, path, readOnly));
    sqlite3_extended_result_codes(handle, 1);
    setBusyWait(handle, detail::DefaultBusyTimeout);
    QString message;
    QByteArray schema;
    // A file that is no database shows here, at the first read of the schema.
    // The cache holds the pages a deletion's renumbering of a large practice's file goes
    // over again and again (its two indexes, about 2 MB for 10,000 letters).
    if (!exec(handle,
              QStringLiteral("PRAGMA synchronous=FULL; PRAGMA journal_mode=DELETE; "
                             "PRAGMA cache_size=-8192;"),
              &message) ||
        !readSchema(handle, &schema, &message) ||
        (create && !exec(handle, QStringLiteral("PRAGMA user_version=1;"), &message))) {
        // A file the engine cannot read as a database is told so; a file in use, a disk
        // error and the like are told as what they are.
        const int code = sqlite3_extended_errcode(handle) & 0xff;
        if (code == SQLITE_NOTADB)
            fail(error,
                 QStringLiteral("ファイル %1 は意見書のデータファイルではありません。").arg(path));
        else
            fail(error,
                 QStringLiteral("データファイル %1 を開けません。（%2）").arg(path, message));
        return nullptr;
    }
    db->m_facts = detail::schemaFacts(schema);
    return db;
}

std::unique_ptr<Database> Database::open(const QString& path, OpenMode mode, QString* error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        fail(error, QStringLiteral("データファイル %1 がありません。").arg(path));
        return nullptr;
    }
    if (!info.isFile()) {
        fail(error, QStringLiteral("%1 はファイルではありません。").arg(path));
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("データファイル %1 を読み込めません。（%2）")
                        .arg(path, platform::systemErrorText(errno)));
        return nullptr;
    }
    const QByteArray head = file.read(kSqliteMagic.size());
    file.close();
    if (head.isEmpty()) {
        fail(error, QStringLiteral("データファイル %1 は空です。").arg(path));
        return nullptr;
    }
    if (head != kSqliteMagic) {
        fail(error,
             QStringLiteral("ファイル %1 は意見書のデータファイルではありません。").arg(path));
        return nullptr;
    }
    if (mode == OpenMode::ReadOnly && QFileInfo::exists(path + QStringLiteral("-journal"))) {
        // A save that was cut off left its journal: only a writable connection may roll it
        // back, and a read-only one would refuse the file until then.
        QString reason;
        if (!openHandle(path, false, false, &reason)) {
            fail(error, QStringLiteral("データファイル %1 の前回の保存が途中で終わっており、"
                                       "元に戻せませんでした。（%2）")
                            .arg(path, reason));
            return nullptr;
        }
    }
    // Opened afresh every time: no proof holds on every file system (whole-second times, a
    // copy by a program that takes no lock, the same size and the same change counter) that
    // a connection kept from before has not seen another program write the file since.
    return openHandle(path, mode == OpenMode::ReadOnly, false, error);
}

std::unique_ptr<Database> Database::create(const QString& path, QString* error)
{
    QFile file(path);
    // NewOnly never replaces a file that exists; the data stays the user's alone (0600).
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        const int code = errno;
        fail(error, QStringLiteral("データファイル %1 を作れません。（%2）")
                        .arg(path, file.exists() ? QStringLiteral("すでにあります")
                                                 : platform::systemErrorText(code)));
        return nullptr;
    }
    file.close();
    auto db = openHandle(path, false, true, error);
    if (!db)
        QFile::remove(path);
    return db;
}

QString Database::lastError() const
{
    return detail::engineError(m_db);
}

bool Database::execute(const QString& sql, const QList<Variant>& params, QString* error)
{
    if (!canWrite(error))
        return false;
    const QString folded = foldIdentifiers(sql);
    // Statement after statement, each prepared once the one before has run (a table made by
    // one is there for the next). The values are bound in order and must fill exactly the
    // places the text has: a missing value is never taken as Null, none is left over.
    const auto* text = reinterpret_cast<const char16_t*>(folded.utf16());
    const char16_t* const end = text + folded.size();
    qsizetype bound = 0;
    bool ok = true;
    while (ok && text < end) {
        sqlite3_stmt* stmt = nullptr;
        const void* tail = nullptr;
        if (sqlite3_prepare16_v2(m_db, text, int((end - text) * 2), &stmt, &tail) != SQLITE_OK) {
            ok = fail(error, lastError());
            break;
        }
        const char16_t* next = tail ? static_cast<const char16_t*>(tail) : end;
        const QStringView statementText(text, next);
        text = next;
        if (!stmt) // only blanks or a comment were left
            continue;
        const int places = sqlite3_bind_parameter_count(stmt);
        const bool last = QStringView(text, end).trimmed().isEmpty();
        if (bound + places > params.size() || (last && bound + places != params.size())) {
            ok = fail(error, detail::countMismatch(bound + places, params.size()));
        } else {
            for (int i = 1; i <= places; ++i)
                detail::bindValue(stmt, i, params[bound++]);
            int rc = SQLITE_ROW;
            while (rc == SQLITE_ROW)
                rc = sqlite3_step(stmt);
            ok = rc == SQLITE_DONE || fail(error, lastError());
            if (isSchemaChange(statementText))
                schemaChanged();
        }
        sqlite3_finalize(stmt);
    }
    if (ok && bound != params.size())
        ok = fail(error, detail::countMismatch(bound, params.size()));
    rowsWritten();
    return ok;
}

void Database::rowsWritten()
{
    for (detail::SqlRecordset* rs : m_recordsets)
        rs->forgetRow();
}

std::unique_ptr<Recordset> Database::openTable(const QString& table, QString* error)
{
    loadNames();
    const QString stored = storedName(table);
    if (stored.isEmpty() || !hasTable(stored)) {
        fail(error, QStringLiteral("データファイルに表「%1」がありません。").arg(table));
        return nullptr;
    }
    return detail::SqlRecordset::openTable(this, stored, error);
}

std::unique_ptr<Recordset> Database::openDynaset(const QString& sql, const QList<Variant>& params,
                                                 QString* error)
{
    return detail::SqlRecordset::openQuery(this, foldIdentifiers(sql), params, error);
}

std::unique_ptr<Recordset> Database::openSnapshot(const QString& sql, const QList<Variant>& params,
                                                  QString* error)
{
    return detail::SqlRecordset::openQuery(this, foldIdentifiers(sql), params, error, true);
}

bool Database::stepRows(const QString& sql, const QList<Variant>& params,
                        const std::function<bool(sqlite3_stmt*)>& row, QString* error,
                        bool matchNames) const
{
    const QString text = matchNames ? foldIdentifiers(sql) : sql;
    sqlite3_stmt* stmt = takeStatement(text, error);
    if (!stmt)
        return false;
    if (sqlite3_bind_parameter_count(stmt) != params.size()) {
        const int places = sqlite3_bind_parameter_count(stmt);
        giveBackStatement(text, stmt);
        return fail(error, detail::countMismatch(places, params.size()));
    }
    for (int i = 0; i < params.size(); ++i)
        detail::bindValue(stmt, i + 1, params[i]);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!row(stmt)) {
            rc = SQLITE_DONE;
            break;
        }
    }
    const bool ok = rc == SQLITE_DONE || fail(error, lastError());
    giveBackStatement(text, stmt);
    return ok;
}

sqlite3_stmt* Database::takeStatement(const QString& sql, QString* error) const
{
    if (const auto it = m_idleStatements.constFind(sql); it != m_idleStatements.cend()) {
        sqlite3_stmt* stmt = *it;
        m_idleStatements.erase(it);
        return stmt;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v3(m_db, sql.utf16(), int(sql.size() * 2), SQLITE_PREPARE_PERSISTENT,
                             &stmt, nullptr) != SQLITE_OK ||
        !stmt) {
        sqlite3_finalize(stmt);
        fail(error, lastError());
        return nullptr;
    }
    return stmt;
}

void Database::giveBackStatement(const QString& sql, sqlite3_stmt* stmt) const
{
    if (!stmt)
        return;
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    // A few dozen texts come again and again; one more of a text in use twice is not kept.
    constexpr qsizetype mostKept = 64;
    if (m_idleStatements.contains(sql) || m_idleStatements.size() >= mostKept) {
        sqlite3_finalize(stmt);
        return;
    }
    m_idleStatements.insert(sql, stmt);
}

void Database::schemaChanged() const
{
    // Facts of its own from now on: the shared ones stay those of the schema they were read
    // from.
    m_facts = std::make_shared<detail::SchemaFacts>();
    for (sqlite3_stmt* stmt : std::as_const(m_idleStatements))
        sqlite3_finalize(stmt);
    m_idleStatements.clear();
}

std::shared_ptr<const detail::TableShape> Database::tableShape(const QString& table,
                                                               QString* error) const
{
    if (auto known = m_facts->shapes.value(table))
        return known;
    const QString sql = QStringLiteral("SELECT name, type FROM pragma_table_info(?)");
    sqlite3_stmt* info = takeStatement(sql, error);
    if (!info)
        return nullptr;
    detail::bindValue(info, 1, Variant::fromString(table));
    auto shape = std::make_shared<detail::TableShape>();
    QStringList selected;
    int rc;
    while ((rc = sqlite3_step(info)) == SQLITE_ROW) {
        detail::SqlRecordset::Column c;
        c.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 0)));
        c.origin = c.name;
        c.kind = detail::kindFromDeclaredType(
            reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
        selected << detail::quoteName(c.name);
        const int index = int(shape->columns.size());
        shape->byName.insert(c.name, index);
        shape->byFolded.insert(detail::foldName(c.name), index);
        shape->columns.push_back(std::move(c));
    }
    giveBackStatement(sql, info);
    if (rc != SQLITE_DONE) {
        fail(error, lastError());
        return nullptr;
    }
    // The columns its indexes hold; an index over an expression may read any column.
    const QString indexedSql = QStringLiteral("SELECT ii.name FROM pragma_index_list(?) AS il, "
                                              "pragma_index_info(il.name) AS ii");
    sqlite3_stmt* indexed = takeStatement(indexedSql, error);
    if (!indexed)
        return nullptr;
    detail::bindValue(indexed, 1, Variant::fromString(table));
    while ((rc = sqlite3_step(indexed)) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(indexed, 0));
        const int column = name ? int(shape->byName.value(QString::fromUtf8(name), -1)) : -1;
        if (column >= 0) {
            shape->columns[std::size_t(column)].indexed = true;
        } else {
            for (auto& c : shape->columns)
                c.indexed = true;
        }
    }
    giveBackStatement(indexedSql, indexed);
    if (rc != SQLITE_DONE) {
        fail(error, lastError());
        return nullptr;
    }
    shape->fetchSql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                          .arg(selected.join(u','), detail::quoteName(table));
    shape->keysSql =
        QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(detail::quoteName(table));
    m_facts->shapes.insert(table, shape);
    return shape;
}

bool Database::forEachRow(const QString& sql, const QList<Variant>& params,
                          const std::function<void(const RowView&)>& row, QString* error)
{
    std::vector<int> kinds;
    std::optional<RowView> view;
    return stepRows(
        sql, params,
        [&](sqlite3_stmt* stmt) {
            if (!view) {
                for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                    kinds.push_back(
                        int(detail::kindFromDeclaredType(sqlite3_column_decltype(stmt, i))));
                view.emplace(RowView(stmt, kinds));
            }
            row(*view);
            return true;
        },
        error);
}

QString RowView::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

Variant RowView::value(int column) const
{
    if (column < 0 || column >= int(m_kinds.size()))
        return {};
    return detail::readColumn(m_stmt, column, detail::ColumnKind(m_kinds[column]));
}

qint64 RowView::integer(int column) const
{
    if (column < 0 || column >= int(m_kinds.size()))
        return 0;
    return sqlite3_column_int64(m_stmt, column);
}

QString RowView::text(int column) const
{
    if (column < 0 || column >= int(m_kinds.size()))
        return {};
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_TEXT:
        // Stored text reads as text whatever the column's declared type.
        return detail::textOf(m_stmt, column);
    case SQLITE_INTEGER: {
        // The one-digit codes (an answer, a sex) in text made once.
        static const std::array<QString, 10> digits = {
            QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
            QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
            QStringLiteral("8"), QStringLiteral("9")};
        const auto kind = detail::ColumnKind(m_kinds[column]);
        const qint64 v = sqlite3_column_int64(m_stmt, column);
        if (v >= 0 && v <= 9 && kind != detail::ColumnKind::Boolean &&
            kind != detail::ColumnKind::Single && kind != detail::ColumnKind::Double)
            return digits[std::size_t(v)];
        break;
    }
    default:
        break;
    }
    return value(column).toString();
}

bool Database::beginTrans(QString* error)
{
    if (inTransaction())
        return fail(error, QStringLiteral("書き込みの処理がすでに始まっています。"));
    m_inTransaction =
        exec(m_db, m_readOnly ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), error);
    return m_inTransaction;
}

bool Database::commitTrans(QString* error)
{
    if (!inTransaction())
        return fail(error, QStringLiteral("書き込みの処理が始まっていません。"));
    if (!canWrite(error) || !exec(m_db, QStringLiteral("COMMIT"), error))
        return false;
    m_inTransaction = false;
    return true;
}

void Database::rollback()
{
    if (!inTransaction())
        return;
    if (sqlite3_get_autocommit(m_db) == 0)
        exec(m_db, QStringLiteral("ROLLBACK"), nullptr);
    m_inTransaction = false;
    schemaChanged();
    for (detail::SqlRecordset* rs : m_recordsets)
        rs->invalidate();
}

bool Database::canWrite(QString* error) const
{
    if (m_inTransaction && sqlite3_get_autocommit(m_db) != 0)
        return fail(error,
                    QStringLiteral("失敗のため、データファイルがこの書き込みを取り消しました。"
                                   "これ以上は書き込みません。"));
    return true;
}

void Database::loadNames() const
{
    detail::SchemaFacts& facts = *m_facts;
    if (facts.namesLoaded)
        return;
    facts.names.clear();
    facts.foldedSql.clear();
    // Tables, views and indexes, then the columns of every table and view.
    const char* sql = "SELECT name FROM sqlite_master WHERE type IN ('table','index','view') "
                      "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                      "UNION ALL SELECT c.name FROM sqlite_master AS m, pragma_table_info(m.name) "
                      "AS c WHERE m.type IN ('table','view') "
                      "AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\'";
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const QString name = detail::textOf(stmt, 0);
            facts.names.insert(detail::foldName(name), name);
        }
    }
    sqlite3_finalize(stmt);
    // Names read in part (the file in use, a disk error) are read again at the next use.
    facts.namesLoaded = rc == SQLITE_DONE;
}

QString Database::storedName(const QString& name) const
{
    loadNames();
    return m_facts->names.value(detail::foldName(name));
}

bool Database::hasSchemaObject(const char* type, const QString& name) const
{
    loadNames();
    const QString stored = storedName(name);
    if (stored.isEmpty())
        return false;
    const QString sql = QStringLiteral("SELECT 1 FROM sqlite_master WHERE type=? AND name=?");
    sqlite3_stmt* stmt = takeStatement(sql);
    bool found = false;
    if (stmt) {
        detail::bindValue(stmt, 1, Variant::fromString(QString::fromLatin1(type)));
        detail::bindValue(stmt, 2, Variant::fromString(stored));
        found = sqlite3_step(stmt) == SQLITE_ROW;
    }
    giveBackStatement(sql, stmt);
    return found;
}

bool Database::hasTable(const QString& table) const
{
    return hasSchemaObject("table", table);
}

bool Database::hasIndex(const QString& index) const
{
    return hasSchemaObject("index", index);
}

void Database::setBusyTimeout(int milliseconds)
{
    setBusyWait(m_db, milliseconds);
}

bool Database::integrityCheck(QString* error) const
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "PRAGMA integrity_check", -1, &stmt, nullptr) != SQLITE_OK)
        return detail::fail(error, lastError());
    QStringList problems;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const QString line = detail::textOf(stmt, 0);
        if (line != QLatin1String("ok"))
            problems << line;
    }
    // A check that could not run to its end tells the engine's failure (a damaged page).
    const QString failure = rc != SQLITE_DONE && problems.isEmpty() ? lastError() : QString();
    sqlite3_finalize(stmt);
    if (!failure.isEmpty())
        return detail::fail(error, failure);
    if (problems.isEmpty())
        return true;
    return detail::fail(error, detail::integrityText(problems));
}

QStringList Database::columns(const QString& table) const
{
    QStringList result;
    if (!hasTable(table))
        return result;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT name FROM pragma_table_info(?)", -1, &stmt, nullptr) ==
        SQLITE_OK) {
        detail::bindValue(stmt, 1, Variant::fromString(storedName(table)));
        while (sqlite3_step(stmt) == SQLITE_ROW)
            result << detail::textOf(stmt, 0);
    }
    sqlite3_finalize(stmt);
    return result;
}

QString Database::foldIdentifiers(const QString& sql) const
{
    loadNames();
    QHash<QString, QString>& foldedSql = m_facts->foldedSql;
    if (const auto it = foldedSql.constFind(sql); it != foldedSql.cend())
        return *it;
    QString out = foldNames(sql);
    if (!m_facts->namesLoaded)
        return out;
    if (foldedSql.size() >= 256)
        foldedSql.clear();
    foldedSql.insert(sql, out);
    return out;
}

QString Database::foldNames(const QString& sql) const
{
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    // Copies a quoted run (a string literal or a quoted identifier) from i to its closing
    // quote.
    const auto quotedRun = [&](QChar close) { return detail::quotedRunEnd(sql, i, close); };
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'') {
            const qsizetype j = quotedRun(c);
            out += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const qsizetype j = quotedRun(close);
            const bool closed = j - i >= 2 && sql[j - 1] == close;
            QString inner = sql.mid(i + 1, j - i - (closed ? 2 : 1));
            if (close != u']')
                inner.replace(QString(2, close), QString(close));
            const QString stored = m_facts->names.value(detail::foldName(inner));
            if (!stored.isEmpty() && closed) {
                QString quoted = stored;
                quoted.replace(u'"', QStringLiteral("\"\""));
                out += u'"' + quoted + u'"';
            } else {
                out += QStringView(sql).mid(i, j - i);
            }
            i = j;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            qsizetype j = sql.indexOf(u'\n', i);
            j = j < 0 ? n : j;
            out += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            qsizetype j = sql.indexOf(QLatin1String("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (detail::isIdentifierChar(c)) {
            qsizetype j = i + 1;
            while (j < n && detail::isIdentifierChar(sql[j]))
                ++j;
            const QString word = sql.mid(i, j - i);
            const bool parameter =
                i > 0 && (sql[i - 1] == u':' || sql[i - 1] == u'@' || sql[i - 1] == u'?');
            const QString stored =
                parameter ? QString() : m_facts->names.value(detail::foldName(word));
            out += stored.isEmpty() ? word : detail::quoteName(stored);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

int StoredRow::count() const
{
    return sqlite3_column_count(m_stmt);
}

StoredRow::Type StoredRow::type(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return Type::Integer;
    case SQLITE_FLOAT:
        return Type::Real;
    case SQLITE_TEXT:
        return Type::Text;
    case SQLITE_BLOB:
        return Type::Blob;
    default:
        return Type::Null;
    }
}

qint64 StoredRow::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

bool StoredRow::isWellFormedText(int column) const
{
    if (type(column) != Type::Text)
        return false;
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    const int bytes = sqlite3_column_bytes(m_stmt, column);
    return data && QByteArrayView(data, bytes).isValidUtf8();
}

QString StoredRow::text(int column) const
{
    return type(column) == Type::Text ? detail::textOf(m_stmt, column) : QString();
}

bool Database::scanStored(const QString& sql, const std::function<bool(const StoredRow&)>& row,
                          QString* error) const
{
    return stepRows(
        sql, {}, [&](sqlite3_stmt* stmt) { return row(StoredRow(stmt)); }, error);
}

bool Database::scanEngine(const QString& sql, const QList<Variant>& params,
                          const std::function<bool(const StoredRow&)>& row, QString* error) const
{
    return stepRows(
        sql, params, [&](sqlite3_stmt* stmt) { return row(StoredRow(stmt)); }, error, false);
}

} // namespace db
