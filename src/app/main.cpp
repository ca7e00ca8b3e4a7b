#include "common/datafiles.h"
#include "platform/memory.h"
#include "platform/messagebox.h"
#include "platform/translations.h"
#include "shell/form1.h"
#include "shell/frmstart.h"
#include "shell/toolbaricons.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    platform::keepFreedMemory();
    QApplication app(argc, argv);
    // Qt's own dialogs speak Japanese as the rest of the program does; without the
    // translations they fall back to English and the program runs all the same.
    const QString translations = platform::installQtTranslations();
    if (!translations.isEmpty())
        qWarning("%s", qUtf8Printable(translations));
    QApplication::setWindowIcon(shell::windowIcon());
    // The desktop entry that installs with the program, by which the desktop knows its
    // windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("ruviro"));
    QString error;
    if (!common::ensureDataFolder(&error))
        platform::MsgBox(QStringLiteral("データフォルダを作成できませんでした。\n%1").arg(error),
                         platform::vbCritical);
    shell::InstanceLock lock;
    std::unique_ptr<shell::Form1> mainWindow = shell::startProgram(lock);
    if (!mainWindow)
        return 0;
    // Printing and the postal-code import come later: say so rather than let their commands
    // do nothing.
    QObject::connect(mainWindow.get(), &shell::Form1::commandRequested, [] {
        platform::MsgBox(QStringLiteral("この機能はまだ使えません。"), 64,
                         QStringLiteral("お知らせ"));
    });
    // Once the main window shows, the record list opens on the data file, or the import
    // offer comes first.
    QTimer::singleShot(0, mainWindow.get(), &shell::Form1::openAtStartUp);
    return app.exec();
}
