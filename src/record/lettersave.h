#pragma once

#include "record/formreader.h"

#include <QString>

namespace record {

struct LetterSaveResult
{
    bool saved = false;
    // The number the letter is stored under (a new letter's new number), when saved.
    qint32 letterNo = 0;
    // Why the letter could not be saved, a sentence for the user; "" when saved.
    QString error;
};

// Saves the letter on the entry form into the data file at `databasePath`, as one
// transaction: a stored letter (`letterNo` not 0) is found by its 作成NO and rewritten; a new
// letter (`letterNo` 0) gets the number one above the highest stored number and is added.
// When anything fails (the file cannot be opened or written, the letter's row is not there,
// the row cannot be stored) nothing of the letter is written and the reason is returned.
LetterSaveResult SaveLetter(const QString& databasePath, qint32 letterNo, const FormReader& form);

// SaveLetter, and when it fails, tells the user in a message box (critical icon, title
// "登録エラー"). Returns the stored letter's number, or 0 when the letter was not saved.
qint32 SaveLetterOrTell(const QString& databasePath, qint32 letterNo, const FormReader& form);

} // namespace record
