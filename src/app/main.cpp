#include "common/datafiles.h"
#include "platform/messagebox.h"
#include "shell/form1.h"
#include "shell/frmstart.h"
#include "shell/toolbaricons.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(shell::windowIcon());
    QString error;
    if (!common::ensureDataFolder(&error))
        QMessageBox::critical(
            nullptr, QStringLiteral("Dizur"),
            QStringLiteral("データフォルダを作成できませんでした。\n%1").arg(error));
    shell::InstanceLock lock;
    std::unique_ptr<shell::Form1> mainWindow = shell::startProgram(lock);
    if (!mainWindow)
        return 0;
    // The record list, printing, the imports, backup and help come later: say so rather
    // than let their commands do nothing.
    QObject::connect(mainWindow.get(), &shell::Form1::commandRequested, [] {
        platform::MsgBox(QStringLiteral("この機能はまだ使えません。"), 64,
                         QStringLiteral("お知らせ"));
    });
    return app.exec();
}
