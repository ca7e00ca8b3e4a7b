#include "platform/database_p.h"

#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

namespace db::detail {

namespace {

// Trivially destructible, so that it can still be read while the thread's objects are
// destroyed: a connection closed after its thread's idle connections are gone just closes.
thread_local bool connectionsGone = false;

} // namespace

std::optional<FileStamp> stampOf(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    FileStamp stamp;
    stamp.device = qint64(info.st_dev);
    stamp.inode = qint64(info.st_ino);
    stamp.size = qint64(info.st_size);
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changed = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return stamp;
}

IdleConnections* IdleConnections::ofThisThread()
{
    if (connectionsGone)
        return nullptr;
    thread_local IdleConnections connections;
    return &connections;
}

IdleConnections::~IdleConnections()
{
    connectionsGone = true;
    for (auto& database : m_kept)
        database->m_reusable = false;
    m_kept.clear();
}

std::unique_ptr<Database> IdleConnections::take(const QString& path, bool readOnly)
{
    const auto now = stampOf(path);
    for (auto it = m_kept.begin(); it != m_kept.end(); ++it) {
        Database& kept = **it;
        if (kept.m_path != path || kept.m_readOnly != readOnly)
            continue;
        std::unique_ptr<Database> database = std::move(*it);
        m_kept.erase(it);
        // Another program, another connection of this one or a restore may have written,
        // replaced or removed the file meanwhile: then it is opened afresh.
        int moved = 0;
        bool same = now && *now == database->m_stamp &&
                    sqlite3_file_control(database->m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) ==
                        SQLITE_OK &&
                    moved == 0;
        if (same)
            same = database->readSchemaVersion() == database->m_schemaVersion;
        if (!same) {
            database->m_reusable = false;
            return nullptr;
        }
        return database;
    }
    return nullptr;
}

void IdleConnections::keep(std::unique_ptr<Database> database)
{
    m_kept.push_back(std::move(database));
    if (m_kept.size() > kMostKept) {
        m_kept.front()->m_reusable = false;
        m_kept.erase(m_kept.begin());
    }
}

} // namespace db::detail
