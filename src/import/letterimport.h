#pragma once

#include <QString>

// Taking over the letters, phrases and doctor names of the other opinion-letter program.
namespace import {

struct ImportResult
{
    bool ok = false;
    QString error; // why nothing was imported, for the user
    int letters = 0;
    int phrases = 0;
    int doctors = 0;
    qint32 nextLetterNo = 0; // one more than the last number given
};

// Reads the other program's database at `sourcePath` (never written) and adds every letter,
// phrase and doctor name of it to the data file at `dataPath`, in one transaction: all of
// them, or on any failure nothing. New letters are numbered from the highest 作成NO of the
// data file + 1, in the order the source delivers them. An empty letter table or an empty
// list adds nothing there and is no failure.
ImportResult importLetters(const QString& sourcePath, const QString& dataPath);

} // namespace import
