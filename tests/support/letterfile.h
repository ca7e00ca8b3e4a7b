#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// A data file for tests of saving letters: made with the program's own schema,
// read back and altered through the database layer.
namespace LetterFile {

// Every field of the stored letter `no`, as text (Null as ""); empty when there
// is no row.
QMap<QString, QString> readLetter(const QString& path, qint32 no);
bool isNull(const QString& path, qint32 no, const QString& field);
// The stored 作成NO, ascending.
QList<qint32> letterNumbers(const QString& path);

// A row with its 作成NO alone.
bool addEmptyLetter(const QString& path, qint32 no);
bool dropColumn(const QString& path, const QString& column);
// Makes the file refuse every new letter row.
bool refuseNewLetters(const QString& path);

// A hash of the file's bytes, to tell that a failed save left it as it was; empty when the
// file cannot be read.
QByteArray fileHash(const QString& path);

} // namespace LetterFile
