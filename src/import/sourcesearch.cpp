#include "import/sourcesearch.h"

#include "platform/registry.h"

#include <QFileInfo>

namespace import {

namespace {

const QString AppPaths =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");

// The registered program's folder with `file` in it; "" when the value names no folder.
QString besideProgram(const QString& program, const QString& file)
{
    const qsizetype cut =
        std::max(program.lastIndexOf(QLatin1Char('/')), program.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0)
        return QString();
    const QString path = program.left(cut + 1) + file;
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

QString findSource()
{
    using platform::RegistryRoot;
    const QString second =
        platform::RegGetString(RegistryRoot::LocalMachine, AppPaths + "dararir2.exe", QString());
    if (!second.isEmpty())
        return besideProgram(second, QStringLiteral("data/rododova.mdb"));
    const QString first =
        platform::RegGetString(RegistryRoot::LocalMachine, AppPaths + "dararir1.exe", QString());
    if (!first.isEmpty())
        return besideProgram(first, QStringLiteral("VadureData.mdb"));
    return QString();
}

} // namespace import
