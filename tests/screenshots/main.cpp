// Writes pictures of the program's windows into a folder, for a person to look at: the main
// window at full size and fitted, the record list and the entry form opened from it, the
// entry form's pages empty and filled, the phrase lists, the print dialog, the help window,
// the import offer and the postal-code import, the backup's and the restore's file dialogs and
// the printer properties. It checks only that each window could be
// shown and drawn, so it is a tool and no test:
//   screenshots FOLDER
// Without a display it draws offscreen; run it under xvfb-run to see the windows as the user
// does.
#include "platform/translations.h"
#include "shots.h"

#include <QApplication>
#include <QDir>
#include <QtTest>

#include <cstdio>

namespace {

QString shotFolder;

} // namespace

namespace shots {

QString file(const QString& name)
{
    return QDir(shotFolder).filePath(name);
}

} // namespace shots

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true); // as in the tests
    // Qt's own dialogs speak Japanese, as in the program.
    if (const QString missing = platform::installQtTranslations(); !missing.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(missing));
    shotFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(shotFolder)) {
        std::fprintf(stderr, "cannot make the folder %s\n", argv[1]);
        return 1;
    }
    const QStringList arguments{QString::fromLocal8Bit(argv[0])};
    int failed = 0;
    for (const auto& set : {shots::dialogShots(), shots::mainWindowShots(), shots::importShots(),
                            shots::entryShots(), shots::phraseShots()})
        failed += QTest::qExec(set.get(), arguments);
    std::printf("pictures in %s\n", qPrintable(shotFolder));
    return failed == 0 ? 0 : 1;
}
