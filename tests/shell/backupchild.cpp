// Runs one backup or one restore of a data file, for the tests that kill it midway; or
// begins a save and waits to be killed inside it.
//   shell_backupchild backup <data file> <target>
//   shell_backupchild restore <backup> <data file>
//   shell_backupchild midsave <data file> <new name> [<cache pages>]
// midsave renames every letter to <new name> and its number in one transaction with a small
// page cache (2 pages unless given), so that changed pages reach the file before the commit,
// says "ready" on its standard output and waits: killed there, it leaves the file half-saved
// and its journal hot. With a cache that holds the whole save nothing reaches the file: the
// journal then holds the file's own pages, and its header is not yet filled in.

#include "platform/database.h"
#include "shell/databackup.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

namespace {

int beginSaveAndWait(const QString& dataFile, const QString& newName, int cachePages)
{
    QString error;
    auto database = db::Database::open(dataFile, db::OpenMode::ReadWrite, &error);
    if (!database ||
        !database->execute(QStringLiteral("PRAGMA cache_size=%1").arg(cachePages), {}, &error) ||
        !database->beginTrans(&error) ||
        !database->execute(QStringLiteral("UPDATE 申請者情報 SET 患者名 = ? || 作成NO"),
                           {db::Variant::fromString(newName)}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        ::pause();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if ((args.size() == 4 || args.size() == 5) && args[1] == QLatin1String("midsave"))
        return beginSaveAndWait(args[2], args[3], args.size() == 5 ? args[4].toInt() : 2);
    if (args.size() != 4)
        return 2;
    const shell::BackupResult result = args[1] == QLatin1String("backup")
                                           ? shell::backupDataFile(args[2], args[3])
                                           : shell::replaceDataFile(args[2], args[3]);
    if (!result.ok)
        std::fprintf(stderr, "%s\n", qPrintable(result.error));
    return result.ok ? 0 : 1;
}
