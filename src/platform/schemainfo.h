#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The objects a data file's schema holds, as the engine reads them: what a file from outside
// must be compared with before it is trusted.
namespace db {

class Database;

struct SchemaColumn
{
    QString name;
    QString declaredType; // as written, "" for none
    // Set when the definition holds a DEFAULT: its value, as written.
    std::optional<QString> defaultValue;
    // The words of every constraint of the definition other than DEFAULT (PRIMARY KEY,
    // NOT NULL, UNIQUE, CHECK, COLLATE, REFERENCES, GENERATED ...), and what the engine
    // reports of them (a primary key, NOT NULL, a generated or hidden column).
    QStringList constraints;
};

struct SchemaTable
{
    QString name;
    QList<SchemaColumn> columns;
    // What the definition holds besides its columns: table constraints (PRIMARY KEY, UNIQUE,
    // CHECK, FOREIGN KEY), options (WITHOUT ROWID, STRICT), or a virtual table's module.
    QStringList otherParts;
};

struct SchemaIndex
{
    QString name;
    QString table;
    bool unique = false;
    bool partial = false;   // has a WHERE
    bool automatic = false; // made by the engine for a constraint of its table
    // The key columns in order; "" for an expression. A key that is not in ascending order
    // of the plain (BINARY) collation is marked with what it has instead.
    QStringList columns;
    bool plainKeys = true;
};

// An object of the schema other than a table or an index (a view, a trigger).
struct SchemaObject
{
    QString type;
    QString name;
    QString table; // the table a trigger belongs to
};

struct Schema
{
    QList<SchemaTable> tables;
    QList<SchemaIndex> indexes;
    QList<SchemaObject> others;
};

// Reads every object of the file's schema; nullopt with the reason when it cannot be read.
std::optional<Schema> readSchema(const Database& database, QString* error = nullptr);

} // namespace db
