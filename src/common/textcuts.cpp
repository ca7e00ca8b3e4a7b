#include "common/textcuts.h"

namespace common {

int charCount(const QString& s)
{
    int n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (!(s.at(i).isLowSurrogate() && i > 0 && s.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

// The index in UTF-16 units of the character number `chars` (0-based); s.size() past the end.
static qsizetype unitIndex(const QString& s, int chars)
{
    qsizetype i = 0;
    for (int c = 0; c < chars && i < s.size(); ++c) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            i += 2;
        else
            i += 1;
    }
    return i;
}

QString leftChars(const QString& s, int n)
{
    if (n <= 0)
        return {};
    return s.left(unitIndex(s, n));
}

QString rightChars(const QString& s, int n)
{
    if (n <= 0)
        return {};
    const int total = charCount(s);
    if (n >= total)
        return s;
    return s.mid(unitIndex(s, total - n));
}

QString midChars(const QString& s, int start, int n)
{
    const qsizetype from = unitIndex(s, start);
    if (n < 0)
        return s.mid(from);
    return s.mid(from, unitIndex(s, start + n) - from);
}

} // namespace common
