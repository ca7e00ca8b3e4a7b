#pragma once

#include "record/formreader.h"
#include "record/letterstore.h"

#include <QString>

namespace record {

// Saves the letter on the entry form into the data file at `databasePath`: the form is
// copied into a letter (DataSave3) and the letter stored in one transaction. `asRead` is the
// letter as it was read into the form: a stored letter (asRead.no() not 0) is rewritten only
// while its row still holds it (else notAsRead, nothing written); for a new letter it is an
// empty letter, and the letter is added under the next number. Storage only: nothing is
// shown and the doctor defaults are not touched.
LetterSaveResult SaveLetter(const QString& databasePath, const Letter& asRead,
                            const FormReader& form);

// Saves the form's entries as a new letter under the next number, for a letter whose row
// another window has changed or moved: the fields the form does not write keep their values
// of `asRead`, as they would have in its own row.
LetterSaveResult SaveLetterAsNew(const QString& databasePath, const Letter& asRead,
                                 const FormReader& form);

} // namespace record
