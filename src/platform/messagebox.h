#pragma once
// TEMPORARY STUB until the message boxes land on main; deleted before merging.
#include <QString>
namespace platform {
int MsgBox(const QString& text, int style, const QString& title = QString());
}
