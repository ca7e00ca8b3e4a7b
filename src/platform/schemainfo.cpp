#include "platform/schemainfo.h"

#include "platform/database.h"
#include "platform/database_p.h"

#include <QSet>

namespace db {

namespace {

// A word, a literal or a sign of an SQL text.
struct Token
{
    enum class Kind { Word, Quoted, Literal, Sign };
    Kind kind;
    QString text; // a word or quoted name without its quotes; a literal as written
    bool is(const char* word) const
    {
        return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSign(char16_t c) const { return kind == Kind::Sign && text.size() == 1 && text[0] == c; }
};

bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
               u == '_' || u == '$';
    return true;
}

// The tokens of an SQL text, comments left out.
QList<Token> tokenize(const QString& sql)
{
    QList<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    const auto quotedEnd = [&](QChar close) { return detail::quotedRunEnd(sql, i, close); };
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            const qsizetype j = sql.indexOf(u'\n', i);
            i = j < 0 ? n : j + 1;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype j = sql.indexOf(QLatin1String("*/"), i + 2);
            i = j < 0 ? n : j + 2;
        } else if (c == u'\'') {
            const qsizetype j = quotedEnd(c);
            tokens.append({Token::Kind::Literal, sql.mid(i, j - i)});
            i = j;
        } else if (c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const qsizetype j = quotedEnd(close);
            QString inner = sql.mid(i + 1, j - i - 2);
            if (close != u']')
                inner.replace(QString(2, close), QString(close));
            tokens.append({Token::Kind::Quoted, inner});
            i = j;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit())) {
            qsizetype j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'.' ||
                             ((sql[j] == u'+' || sql[j] == u'-') &&
                              (sql[j - 1] == u'e' || sql[j - 1] == u'E'))))
                ++j;
            tokens.append({Token::Kind::Literal, sql.mid(i, j - i)});
            i = j;
        } else if ((c == u'x' || c == u'X') && i + 1 < n && sql[i + 1] == u'\'') {
            ++i;
            const qsizetype j = quotedEnd(u'\'');
            tokens.append({Token::Kind::Literal, sql.mid(i - 1, j - i + 1)});
            i = j;
        } else if (isWordChar(c)) {
            qsizetype j = i + 1;
            while (j < n && isWordChar(sql[j]))
                ++j;
            tokens.append({Token::Kind::Word, sql.mid(i, j - i)});
            i = j;
        } else {
            tokens.append({Token::Kind::Sign, QString(c)});
            ++i;
        }
    }
    return tokens;
}

QString upper(const Token& token)
{
    return token.text.toUpper();
}

// The words that begin a column's constraint, and what a constraint that begins with the
// word is called.
QString constraintOf(const QList<Token>& def, qsizetype i)
{
    const Token& t = def[i];
    if (t.kind != Token::Kind::Word)
        return {};
    static const QSet<QString> words = {
        QStringLiteral("CONSTRAINT"), QStringLiteral("PRIMARY"),      QStringLiteral("NOT"),
        QStringLiteral("NULL"),       QStringLiteral("UNIQUE"),       QStringLiteral("CHECK"),
        QStringLiteral("COLLATE"),    QStringLiteral("REFERENCES"),   QStringLiteral("GENERATED"),
        QStringLiteral("AS"),         QStringLiteral("AUTOINCREMENT")};
    const QString word = upper(t);
    if (!words.contains(word))
        return {};
    if (word == QLatin1String("PRIMARY"))
        return QStringLiteral("PRIMARY KEY");
    if (word == QLatin1String("NOT"))
        return QStringLiteral("NOT NULL");
    if (word == QLatin1String("AS"))
        return QStringLiteral("GENERATED");
    return word;
}

void addOnce(QStringList& list, const QString& item)
{
    if (!item.isEmpty() && !list.contains(item))
        list.append(item);
}

// The tokens from `i` to the sign that closes the bracket opened at `i`, joined.
QString group(const QList<Token>& tokens, qsizetype& i)
{
    QString text;
    int depth = 0;
    for (; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        depth += t.isSign(u'(') ? 1 : t.isSign(u')') ? -1 : 0;
        text += (t.kind == Token::Kind::Quoted ? u'"' + t.text + u'"' : t.text);
        if (depth == 0)
            break;
        if (t.kind != Token::Kind::Sign && i + 1 < tokens.size() &&
            tokens[i + 1].kind != Token::Kind::Sign)
            text += u' ';
    }
    return text;
}

// A column definition: its DEFAULT and its other constraints.
void readColumnDefinition(const QList<Token>& def, SchemaColumn* column)
{
    for (qsizetype i = 1; i < def.size(); ++i) {
        if (def[i].is("DEFAULT")) {
            if (++i >= def.size()) {
                column->defaultValue = QString();
            } else if (def[i].isSign(u'(')) {
                column->defaultValue = group(def, i);
            } else if ((def[i].isSign(u'-') || def[i].isSign(u'+')) && i + 1 < def.size()) {
                column->defaultValue = def[i].text + def[i + 1].text;
                ++i;
            } else {
                column->defaultValue = def[i].text;
            }
            continue;
        }
        const QString constraint = constraintOf(def, i);
        addOnce(column->constraints, constraint);
        if (constraint == QLatin1String("NOT NULL") && i + 1 < def.size() && def[i + 1].is("NULL"))
            ++i;
    }
}

// The definitions between the brackets of a CREATE TABLE text, apart, and what follows the
// closing bracket; false when the text is no plain table definition.
bool splitTableDefinition(const QList<Token>& tokens, QList<QList<Token>>* definitions,
                          QStringList* after)
{
    if (tokens.size() < 2 || !tokens[0].is("CREATE") || !tokens[1].is("TABLE"))
        return false;
    qsizetype i = 2;
    while (i < tokens.size() && !tokens[i].isSign(u'('))
        ++i;
    int depth = 0;
    QList<Token> current;
    for (; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.isSign(u'(') && depth++ == 0)
            continue;
        if (t.isSign(u')') && --depth == 0) {
            definitions->append(current);
            ++i;
            break;
        }
        if (t.isSign(u',') && depth == 1) {
            definitions->append(current);
            current.clear();
            continue;
        }
        current.append(t);
    }
    for (; i < tokens.size(); ++i)
        if (!tokens[i].isSign(u';'))
            after->append(upper(tokens[i]));
    return depth == 0 && !definitions->isEmpty();
}

bool isTableConstraint(const QList<Token>& def)
{
    return !def.isEmpty() && (def[0].is("CONSTRAINT") || def[0].is("PRIMARY") ||
                              def[0].is("UNIQUE") || def[0].is("CHECK") || def[0].is("FOREIGN"));
}

QString foldedName(const QString& name)
{
    return name.normalized(QString::NormalizationForm_KC).toLower();
}

bool readTable(const Database& database, const QString& name, const QString& sql,
               SchemaTable* table, QString* error)
{
    table->name = name;
    // The engine's account of the columns.
    const bool columnsRead = database.scanEngine(
        QStringLiteral("SELECT name, type, \"notnull\", pk, hidden FROM pragma_table_xinfo(?)"),
        {Variant::fromString(name)},
        [&](const StoredRow& row) {
            SchemaColumn column;
            column.name = row.text(0);
            column.declaredType = row.text(1);
            if (row.integer(2) != 0)
                column.constraints << QStringLiteral("NOT NULL");
            if (row.integer(3) != 0)
                column.constraints << QStringLiteral("PRIMARY KEY");
            if (row.integer(4) != 0)
                column.constraints << QStringLiteral("GENERATED");
            table->columns.append(column);
            return true;
        },
        error);
    if (!columnsRead)
        return false;
    const bool optionsRead = database.scanEngine(
        QStringLiteral("SELECT type, wr, strict FROM pragma_table_list "
                       "WHERE schema = 'main' AND name = ?"),
        {Variant::fromString(name)},
        [&](const StoredRow& row) {
            if (row.text(0) != QLatin1String("table"))
                addOnce(table->otherParts, row.text(0).toUpper() + QStringLiteral(" TABLE"));
            if (row.integer(1) != 0)
                addOnce(table->otherParts, QStringLiteral("WITHOUT ROWID"));
            if (row.integer(2) != 0)
                addOnce(table->otherParts, QStringLiteral("STRICT"));
            return true;
        },
        error);
    if (!optionsRead)
        return false;

    // What only the text tells: the constraints of each column, the table's own.
    QList<QList<Token>> definitions;
    QStringList after;
    if (!splitTableDefinition(tokenize(sql), &definitions, &after)) {
        addOnce(table->otherParts, sql.section(u'(', 0, 0).simplified().toUpper());
        return true;
    }
    // Options after the definitions (WITHOUT ROWID, STRICT), when the engine did not name them.
    if (table->otherParts.isEmpty())
        addOnce(table->otherParts, after.join(u' '));
    for (const QList<Token>& def : std::as_const(definitions)) {
        if (def.isEmpty())
            continue;
        if (isTableConstraint(def)) {
            const Token& kind = def[0].is("CONSTRAINT") && def.size() > 2 ? def[2] : def[0];
            addOnce(table->otherParts, kind.is("PRIMARY")   ? QStringLiteral("PRIMARY KEY")
                                       : kind.is("FOREIGN") ? QStringLiteral("FOREIGN KEY")
                                                            : upper(kind));
            continue;
        }
        const QString columnName = foldedName(def[0].text);
        for (SchemaColumn& column : table->columns) {
            if (foldedName(column.name) != columnName)
                continue;
            SchemaColumn parsed;
            readColumnDefinition(def, &parsed);
            column.defaultValue = parsed.defaultValue;
            for (const QString& c : std::as_const(parsed.constraints))
                addOnce(column.constraints, c);
            break;
        }
    }
    return true;
}

bool readIndex(const Database& database, SchemaIndex* index, QString* error)
{
    bool found = false;
    const bool listed = database.scanEngine(
        QStringLiteral("SELECT \"unique\", origin, partial FROM pragma_index_list(?) "
                       "WHERE name = ?"),
        {Variant::fromString(index->table), Variant::fromString(index->name)},
        [&](const StoredRow& row) {
            found = true;
            index->unique = row.integer(0) != 0;
            index->automatic = row.text(1) != QLatin1String("c");
            index->partial = row.integer(2) != 0;
            return false;
        },
        error);
    if (!listed)
        return false;
    if (!found)
        index->automatic = true;
    return database.scanEngine(
        QStringLiteral("SELECT name, \"desc\", coll FROM pragma_index_xinfo(?) WHERE key"),
        {Variant::fromString(index->name)},
        [&](const StoredRow& row) {
            index->columns << (row.type(0) == StoredRow::Type::Text ? row.text(0) : QString());
            if (row.integer(1) != 0 ||
                row.text(2).compare(QLatin1String("BINARY"), Qt::CaseInsensitive) != 0)
                index->plainKeys = false;
            return true;
        },
        error);
}

} // namespace

std::optional<Schema> readSchema(const Database& database, QString* error)
{
    struct Entry
    {
        QString type, name, table, sql;
    };
    QList<Entry> entries;
    const bool listed = database.scanEngine(
        QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master"), {},
        [&](const StoredRow& row) {
            entries.append({row.text(0), row.text(1), row.text(2), row.text(3)});
            return true;
        },
        error);
    if (!listed)
        return std::nullopt;
    Schema schema;
    for (const Entry& entry : std::as_const(entries)) {
        if (entry.type == QLatin1String("table")) {
            SchemaTable table;
            if (!readTable(database, entry.name, entry.sql, &table, error))
                return std::nullopt;
            schema.tables.append(table);
        } else if (entry.type == QLatin1String("index")) {
            SchemaIndex index;
            index.name = entry.name;
            index.table = entry.table;
            if (!readIndex(database, &index, error))
                return std::nullopt;
            schema.indexes.append(index);
        } else {
            schema.others.append({entry.type, entry.name, entry.table});
        }
    }
    return schema;
}

} // namespace db
