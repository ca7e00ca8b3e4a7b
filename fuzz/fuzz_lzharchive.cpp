// LZH extraction on any bytes: no crash, hang or sanitizer report, and nothing written
// anywhere but the archive's folder (and there only the wanted member's file name).

#include "platform/lzharchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_lzharchive: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // <root>/a/b/x.lzh: the archive two folders down, so that a write above it shows.
    static QTemporaryDir root;
    static const QDir top(root.path());
    static const bool made = top.mkpath(QStringLiteral("a/b"));
    require(made, "no temporary folder");
    const QDir folder(top.filePath(QStringLiteral("a/b")));
    const QString archive = folder.filePath(QStringLiteral("x.lzh"));
    {
        QFile file(archive);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input");
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    platform::isLzhArchive(archive);
    const platform::LzhExtraction result =
        platform::extractLzhMember(archive, QStringLiteral("x.csv"), folder.path());

    const auto entries = [](const QDir& dir) {
        return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                             QDir::NoDotAndDotDot);
    };
    require(entries(top) == QStringList{QStringLiteral("a")}, "written beside the folders");
    require(entries(QDir(top.filePath(QStringLiteral("a")))) == QStringList{QStringLiteral("b")},
            "written above the archive's folder");
    QStringList inFolder = entries(folder);
    inFolder.removeOne(QStringLiteral("x.lzh"));
    if (result.outcome == platform::LzhExtraction::Extracted) {
        require(inFolder.size() == 1 &&
                    inFolder.front().compare(QStringLiteral("x.csv"), Qt::CaseInsensitive) == 0 &&
                    result.path == folder.filePath(inFolder.front()),
                "extracted under another name");
        QFile::remove(result.path);
    } else {
        require(inFolder.isEmpty(), "a failed extraction left a file");
    }
    return 0;
}
