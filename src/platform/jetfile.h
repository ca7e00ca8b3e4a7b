#pragma once

#include "platform/variant.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Read-only access to a Jet database file (Jet 3 or Jet 4, the .mdb files of Windows
// programs) through libmdb. The file is read into memory and checked before libmdb sees it:
// a file that is not a Jet 3 or Jet 4 database, or whose length is not a whole number of its
// pages, is refused. Jet 3 text is in the Japanese code page (932).
namespace platform {

// One table read whole: its column names as stored and its rows in physical order (the
// order a table scan delivers them). A Null is told apart from "".
struct JetTable
{
    QString name;
    QStringList columns;
    QList<QList<db::Variant>> rows;

    // The index of the column named `name`, matched without regard to character width or
    // case (診断名1 finds 診断名１); -1 when there is none.
    int column(const QString& name) const;
};

class JetFile
{
public:
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    // Opens the file at `path` (never writes to it). nullptr, with a sentence for the user,
    // when it cannot be read or is not a sound Jet database.
    static std::unique_ptr<JetFile> open(const QString& path, QString* error = nullptr);
    // The same for a file's bytes already in memory.
    static std::unique_ptr<JetFile> fromBytes(QByteArray bytes, QString* error = nullptr);

    // Whether `bytes` start like a Jet 3 or Jet 4 database and are a whole number of its
    // pages; false with the reason otherwise. libmdb is handed nothing that fails this.
    static bool checkHeader(const QByteArray& bytes, QString* error = nullptr);

    // The user tables, in catalog order.
    QStringList tables() const;
    // The table named `name` (matched as column names are); std::nullopt, with the reason,
    // when the file has no such table or it cannot be read.
    std::optional<JetTable> readTable(const QString& name, QString* error = nullptr) const;

private:
    struct Handle;
    JetFile(QByteArray bytes, std::unique_ptr<Handle> handle);

    QByteArray m_bytes; // libmdb reads from this buffer while the file is open
    std::unique_ptr<Handle> m_handle;
};

} // namespace platform
