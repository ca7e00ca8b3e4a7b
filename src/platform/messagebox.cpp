#include "platform/messagebox.h"
// TEMPORARY STUB until the message boxes land on main; deleted before merging.
#include <QMessageBox>
namespace platform {
int MsgBox(const QString& text, int style, const QString& title)
{
    if ((style & 7) == 4)
        return QMessageBox::question(nullptr, title, text) == QMessageBox::Yes ? 6 : 7;
    QMessageBox::information(nullptr, title, text);
    return 1;
}
} // namespace platform
