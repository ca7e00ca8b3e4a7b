#include "common/datafiles.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QString error;
    if (!common::ensureDataFolder(&error))
        QMessageBox::critical(
            nullptr, QStringLiteral("Dizur"),
            QStringLiteral("データフォルダを作成できませんでした。\n%1").arg(error));
    QMainWindow window;
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
