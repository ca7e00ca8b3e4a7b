#pragma once

#include "import/postcodelist.h"

#include <QString>

#include <memory>

namespace db {
class Database;
class PreparedStatement;
} // namespace db

namespace import {

// The postal-code master, table 郵便番号マスタ of a PostCode.mdb, refilled in one
// transaction: refill() empties it, add() and addFile() write rows, commit() makes them the
// master. Until commit() the master on disk is the old one; a failure, rollback() or the
// object's end without commit() leaves it so.
class PostCodeMaster
{
public:
    ~PostCodeMaster();
    PostCodeMaster(const PostCodeMaster&) = delete;
    PostCodeMaster& operator=(const PostCodeMaster&) = delete;

    // Opens the master of the file for writing; nullptr with the reason when the file or its
    // table is missing or cannot be opened.
    static std::unique_ptr<PostCodeMaster> open(const QString& path, QString* error = nullptr);

    // Whether the master holds rows; false (and *ok false) when it cannot be read.
    bool hasRows(bool* ok = nullptr, QString* error = nullptr);
    // Starts the transaction and empties the master in it.
    bool refill(QString* error = nullptr);
    // Adds one row (after refill()).
    bool add(const PostCodeRow& row, QString* error = nullptr);

    enum class FileResult { Added, FileFailed, DatabaseFailed };
    // Reads the list file at `path` (code page 932) and adds a row for each of its records,
    // in file order. FileFailed when the file cannot be read to its end (missing, unreadable,
    // not code page 932, a bad record): the rows added from it before stay in the
    // transaction. DatabaseFailed when the master could not be written: the transaction can
    // then only be rolled back.
    FileResult addFile(const QString& path, QString* error = nullptr);

    bool commit(QString* error = nullptr);
    void rollback();

private:
    explicit PostCodeMaster(std::unique_ptr<db::Database> database);

    std::unique_ptr<db::Database> m_database;
    std::unique_ptr<db::PreparedStatement> m_insert;
};

} // namespace import
