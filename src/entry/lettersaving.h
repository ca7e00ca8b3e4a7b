#pragma once

#include "record/formreader.h"

#include <QString>

namespace entry {

class frmDat3;

// Saves the letter on the entry form into the data file (DatabasePath): a stored letter
// (CurrentLetterNo not 0) is rewritten, a new one is added under the next number, which
// becomes CurrentLetterNo. The commands "登　録(&R)" and "印刷(&P)" call it first.
//
// When the letter cannot be saved, the user is told in a message box ("登録エラー") and
// false is returned: nothing of the letter was written, and the form stays open with its
// entries.
bool SaveLetter(const frmDat3& form);

// The save command's work on a reader of the form: the doctor defaults are kept first
// (whether or not the letter can be saved), then the letter is saved. A save that failed is
// told with its reason; a letter stored without some of its fields (a data file that lacks
// their columns) is told with their names. Returns the stored letter's number, or 0 when
// the letter was not saved.
qint32 SaveLetterAndTell(const QString& databasePath, qint32 letterNo,
                         const record::FormReader& form);

} // namespace entry
