#pragma once

#include <QString>

namespace common {

// Character-based lengths and cuts of texts: a surrogate pair is one character
// and is never split.
int charCount(const QString& s);
QString leftChars(const QString& s, int n);
QString rightChars(const QString& s, int n);
QString midChars(const QString& s, int start, int n = -1); // start 0-based

} // namespace common
