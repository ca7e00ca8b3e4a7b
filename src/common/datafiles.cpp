#include "common/datafiles.h"

#include "common/schema.h"
#include "platform/database.h"

#include <QDir>
#include <QFileInfo>

namespace common {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool createFile(const QString& path, bool (*createTables)(db::Database&, QString*), QString* error)
{
    auto database = db::Database::create(path, error);
    if (!database)
        return false;
    if (!createTables(*database, error)) {
        database.reset();
        QFile::remove(path);
        return false;
    }
    return true;
}

} // namespace

QString dataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/Dizur")) + u'/';
}

bool ensureDataFolder(QString* error)
{
    const QString folder = dataFolder();
    if (QFileInfo::exists(folder))
        return true;
    const QString parent = QFileInfo(folder.chopped(1)).path();
    if (!QDir().mkpath(parent))
        return fail(error, QStringLiteral("フォルダ %1 を作れません。").arg(parent));
    if (!QDir().mkdir(folder,
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return fail(error, QStringLiteral("フォルダ %1 を作れません。").arg(folder));
    const QString letters = folder + LetterFileName;
    const QString postCodes = folder + PostCodeFileName;
    if (!createFile(letters, createLetterTables, error) ||
        !createFile(postCodes, createPostCodeTables, error)) {
        // Leave nothing half-made, so that the next start tries again; only what was
        // made just now is removed.
        QFile::remove(letters);
        QDir().rmdir(folder);
        return false;
    }
    return true;
}

} // namespace common
