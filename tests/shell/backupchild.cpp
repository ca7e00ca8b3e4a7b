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
//   shell_backupchild midcommit <data file> <new name> <page writes>
// midcommit makes the same save and commits it, and kills itself in the commit, after its
// journal has reached the disk and the commit has written <page writes> pages of the file
// (the first page first): a save cut off as a crash in its commit leaves it.

#include "platform/database.h"
#include "shell/databackup.h"

#include <QCoreApplication>
#include <QStringList>

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// A file system for the engine that passes everything to the system's own, and kills the
// program at a chosen page write into the data file once a journal has reached the disk.
namespace cutoff {

sqlite3_vfs* system = nullptr;
int writesLeft = -1; // page writes into the data file allowed after the journal's sync
bool journalSynced = false;

struct File
{
    sqlite3_file base;
    bool dataFile;
    bool journal;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

File* of(sqlite3_file* f)
{
    return reinterpret_cast<File*>(f);
}

int close(sqlite3_file* f)
{
    return of(f)->real()->pMethods->xClose(of(f)->real());
}
int read(sqlite3_file* f, void* data, int amount, sqlite3_int64 offset)
{
    return of(f)->real()->pMethods->xRead(of(f)->real(), data, amount, offset);
}
int write(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset)
{
    if (of(f)->dataFile && journalSynced && writesLeft >= 0 && writesLeft-- == 0)
        ::kill(::getpid(), SIGKILL);
    return of(f)->real()->pMethods->xWrite(of(f)->real(), data, amount, offset);
}
int truncate(sqlite3_file* f, sqlite3_int64 size)
{
    return of(f)->real()->pMethods->xTruncate(of(f)->real(), size);
}
int sync(sqlite3_file* f, int flags)
{
    const int rc = of(f)->real()->pMethods->xSync(of(f)->real(), flags);
    if (of(f)->journal && rc == SQLITE_OK)
        journalSynced = true;
    return rc;
}
int fileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return of(f)->real()->pMethods->xFileSize(of(f)->real(), size);
}
int lock(sqlite3_file* f, int level)
{
    return of(f)->real()->pMethods->xLock(of(f)->real(), level);
}
int unlock(sqlite3_file* f, int level)
{
    return of(f)->real()->pMethods->xUnlock(of(f)->real(), level);
}
int checkReservedLock(sqlite3_file* f, int* out)
{
    return of(f)->real()->pMethods->xCheckReservedLock(of(f)->real(), out);
}
int fileControl(sqlite3_file* f, int op, void* arg)
{
    return of(f)->real()->pMethods->xFileControl(of(f)->real(), op, arg);
}
int sectorSize(sqlite3_file* f)
{
    return of(f)->real()->pMethods->xSectorSize(of(f)->real());
}
int deviceCharacteristics(sqlite3_file* f)
{
    return of(f)->real()->pMethods->xDeviceCharacteristics(of(f)->real());
}

const sqlite3_io_methods methods = {1,
                                    close,
                                    read,
                                    write,
                                    truncate,
                                    sync,
                                    fileSize,
                                    lock,
                                    unlock,
                                    checkReservedLock,
                                    fileControl,
                                    sectorSize,
                                    deviceCharacteristics,
                                    nullptr,
                                    nullptr,
                                    nullptr,
                                    nullptr,
                                    nullptr,
                                    nullptr};

int open(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags)
{
    File* file = of(f);
    file->base.pMethods = nullptr;
    const int rc = system->xOpen(system, name, file->real(), flags, outFlags);
    if (rc != SQLITE_OK)
        return rc;
    file->dataFile = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    file->journal = (flags & SQLITE_OPEN_MAIN_JOURNAL) != 0;
    file->base.pMethods = &methods;
    return SQLITE_OK;
}

sqlite3_vfs vfs;

void install(int pageWrites)
{
    system = sqlite3_vfs_find(nullptr);
    vfs = *system;
    vfs.iVersion = 1;
    vfs.zName = "cutoff";
    vfs.szOsFile = int(sizeof(File)) + system->szOsFile;
    vfs.xOpen = open;
    writesLeft = pageWrites;
    sqlite3_vfs_register(&vfs, 1);
}

} // namespace cutoff

int commitAndBeKilled(const QString& dataFile, const QString& newName, int pageWrites)
{
    cutoff::install(pageWrites);
    QString error;
    auto database = db::Database::open(dataFile, db::OpenMode::ReadWrite, &error);
    if (!database || !database->beginTrans(&error) ||
        !database->execute(QStringLiteral("UPDATE 申請者情報 SET 患者名 = ? || 作成NO"),
                           {db::Variant::fromString(newName)}, &error) ||
        !database->commitTrans(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::fprintf(stderr, "the commit was not cut off\n");
    return 3;
}

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
    if (args.size() == 5 && args[1] == QLatin1String("midcommit"))
        return commitAndBeKilled(args[2], args[3], args[4].toInt());
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
