#pragma once

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

} // namespace entry
