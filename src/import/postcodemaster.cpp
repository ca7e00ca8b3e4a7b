#include "import/postcodemaster.h"

#include "common/schema.h"
#include "platform/database.h"
#include "platform/preparedstatement.h"

#include <QFile>

namespace import {

namespace {

// Far more than the nationwide list (about 12 MB): a file larger than this is not one.
constexpr qint64 MaxListBytes = qint64(512) << 20;

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

PostCodeMaster::PostCodeMaster(std::unique_ptr<db::Database> database)
    : m_database(std::move(database))
{
}

PostCodeMaster::~PostCodeMaster()
{
    m_insert.reset();
    if (m_database)
        m_database->rollback();
}

std::unique_ptr<PostCodeMaster> PostCodeMaster::open(const QString& path, QString* error)
{
    auto database = db::Database::open(path, db::OpenMode::ReadWrite, error);
    if (!database)
        return nullptr;
    if (!database->hasTable(common::PostCodeTable)) {
        fail(error, QStringLiteral("%1 に %2 がありません。").arg(path, common::PostCodeTable));
        return nullptr;
    }
    return std::unique_ptr<PostCodeMaster>(new PostCodeMaster(std::move(database)));
}

bool PostCodeMaster::hasRows(bool* ok, QString* error)
{
    auto rs = m_database->openDynaset(
        QStringLiteral("SELECT %1,%2 FROM %3 LIMIT 1")
            .arg(common::PostCodeCode, common::PostCodeAddress, common::PostCodeTable),
        {}, error);
    if (ok)
        *ok = rs != nullptr;
    return rs && !rs->eof();
}

bool PostCodeMaster::refill(QString* error)
{
    // The whole list fits in the page cache: index pages are not written out and read back
    // while the rows arrive in code order's random order.
    if (!m_database->execute(QStringLiteral("PRAGMA cache_size=-131072"), {}, error) ||
        !m_database->beginTrans(error))
        return false;
    if (!m_database->execute(QStringLiteral("DELETE FROM %1").arg(common::PostCodeTable), {},
                             error)) {
        m_database->rollback();
        return false;
    }
    m_insert = m_database->prepare(
        QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
            .arg(common::PostCodeTable, common::PostCodeCode, common::PostCodeAddress),
        error);
    if (!m_insert) {
        m_database->rollback();
        return false;
    }
    return true;
}

bool PostCodeMaster::add(const PostCodeRow& row, QString* error)
{
    if (!m_insert || !m_database->inTransaction())
        return fail(error, QStringLiteral("The master is not being refilled."));
    m_insert->bindText(1, row.code);
    m_insert->bindText(2, row.address);
    return m_insert->run(error);
}

PostCodeMaster::FileResult PostCodeMaster::addFile(const QString& path, QString* error)
{
    if (path.isEmpty()) {
        fail(error, QStringLiteral("読み込むファイルの名前がありません。"));
        return FileResult::FileFailed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("%1 を開けません。（%2）").arg(path, file.errorString()));
        return FileResult::FileFailed;
    }
    if (file.size() > MaxListBytes) {
        fail(error, QStringLiteral("%1 は郵便番号の一覧としては大きすぎます。").arg(path));
        return FileResult::FileFailed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fail(error, QStringLiteral("%1 を読み込めません。（%2）").arg(path, file.errorString()));
        return FileResult::FileFailed;
    }
    bool databaseFailed = false;
    const bool read = readPostCodeList(
        bytes,
        [&](const PostCodeRow& row) {
            databaseFailed = !add(row, error);
            return !databaseFailed;
        },
        error);
    if (read)
        return FileResult::Added;
    if (databaseFailed)
        return FileResult::DatabaseFailed;
    // Which file the bad line is in.
    if (error)
        *error = QStringLiteral("%1：%2").arg(path, *error);
    return FileResult::FileFailed;
}

bool PostCodeMaster::commit(QString* error)
{
    m_insert.reset();
    if (!m_database->commitTrans(error)) {
        m_database->rollback();
        return false;
    }
    return true;
}

void PostCodeMaster::rollback()
{
    m_insert.reset();
    m_database->rollback();
}

} // namespace import
