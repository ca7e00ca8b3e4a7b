#include "shell/form1.h"
#include "shell/frmstart.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    shell::InstanceLock lock;
    std::unique_ptr<shell::Form1> mainWindow = shell::startProgram(lock);
    if (!mainWindow)
        return 0;
    return app.exec();
}
