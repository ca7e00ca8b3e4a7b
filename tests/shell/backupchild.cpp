// Runs one backup or one restore of a data file, for the tests that kill it midway.
//   shell_backupchild backup <data file> <target>
//   shell_backupchild restore <backup> <data file>

#include "shell/databackup.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    const shell::BackupResult result = args[1] == QLatin1String("backup")
                                           ? shell::backupDataFile(args[2], args[3])
                                           : shell::replaceDataFile(args[2], args[3]);
    if (!result.ok)
        std::fprintf(stderr, "%s\n", qPrintable(result.error));
    return result.ok ? 0 : 1;
}
