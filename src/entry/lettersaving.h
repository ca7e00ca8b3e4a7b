#pragma once

#include "record/formreader.h"
#include "record/letter.h"

#include <QString>

namespace entry {

class frmDat3;

// Saves the letter on the entry form into the data file (DatabasePath): a stored letter
// (CurrentLetterNo not 0) is rewritten over the letter the form read, a new one is added
// under the next number; the number the letter is stored under at the commit becomes
// CurrentLetterNo, and the row as stored becomes the form's letter as read. The commands
// "登　録(&R)" and "印刷(&P)" call it first.
//
// When the letter cannot be saved, the user is told in a message box ("登録エラー") and
// false is returned: nothing of the letter was written, and the form stays open with its
// entries.
bool SaveLetter(frmDat3& form);

// The save command's work on a reader of the form: the doctor defaults are kept first
// (whether or not the letter can be saved), then the letter is saved over `asRead`, the
// letter as the form read it (an empty letter for a new one). When another window has
// changed that letter or moved another to its number, nothing is written and the user is
// asked whether to save the entries as a new letter (yes) or go back to the form (no). A
// save that failed is told with its reason; a letter stored without some of its fields (a
// data file that lacks their columns) is told with their names. Returns the stored letter's
// number, or 0 when the letter was not saved; `stored` receives the row as stored.
qint32 SaveLetterAndTell(const QString& databasePath, const record::Letter& asRead,
                         const record::FormReader& form, record::Letter* stored = nullptr);

} // namespace entry
