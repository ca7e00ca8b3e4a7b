// Temporary: the era date part extraction until the record library offers it.
#include "sheetdata/letterrow.h"

namespace sheetdata {

std::optional<QString> datePart(const QString& s, int part)
{
    const qsizetype year = s.indexOf(u'年') + 1;
    const qsizetype month = s.indexOf(u'月') + 1;
    const qsizetype day = s.indexOf(u'日') + 1;
    qsizetype start = 0;
    qsizetype length = 0;
    switch (part) {
    case 1:
        start = 3;
        length = year - 3;
        break;
    case 2:
        start = year + 1;
        length = month - year - 1;
        break;
    case 3:
        start = month + 1;
        length = day - month - 1;
        break;
    default:
        return QString();
    }
    if (length < 0)
        return std::nullopt;
    QString text = s.mid(start - 1, length);
    if (text.startsWith(u'0'))
        text = u' ' + text.right(1);
    if (text == u" 0")
        text.clear();
    return text;
}

} // namespace sheetdata
