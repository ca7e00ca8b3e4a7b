#include "sheet/printlines.h"

#include "sheet/drawtarget.h"

namespace sheet {

void PrintLines(DrawTarget& obj, const QString& text, int x, int y)
{
    static const QString crlf = QStringLiteral("\r\n");
    obj.setCurrentY(y);
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype at = text.indexOf(crlf, from);
        obj.setCurrentX(x);
        if (at < 0) {
            obj.printLine(text.mid(from));
            break;
        }
        obj.printLine(text.mid(from, at - from));
        from = at + crlf.size();
    }
}

} // namespace sheet
