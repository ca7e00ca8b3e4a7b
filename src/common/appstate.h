#pragma once
// TEMPORARY STUB until the module state lands on main; deleted before merging.
#include <QString>
#include <QtGlobal>
namespace common {
struct AppState
{
    QString AppPath;
    QString DatabasePath;
    qint32 CurrentLetterNo = 0;
    QString CurrentLetterNoText;
    quint8 InportState = 0;
    bool ZoomType = true;
    bool PaperType = false;
    bool PageHead = false;
    float UserX = 0;
    float UserY = 0;
    quint8 DataSort = 0;
    quint8 SortDesc = 0;
    bool NoA3 = false;
    int ComboNo = 0;
    quint8 TwipsX = 15;
    quint8 TwipsY = 15;
    bool IsNT = true;
    QString PrinterKey;
};
AppState& appState();
} // namespace common
