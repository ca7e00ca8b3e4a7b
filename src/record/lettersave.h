#pragma once

#include "record/formreader.h"
#include "record/letterstore.h"

#include <QString>

namespace record {

// Saves the letter on the entry form into the data file at `databasePath`: the form is
// copied into a letter (DataSave3) and the letter stored in one transaction, a stored letter
// (`letterNo` not 0) rewritten, a new one (`letterNo` 0) added under the next number. Storage
// only: nothing is shown and the doctor defaults are not touched.
LetterSaveResult SaveLetter(const QString& databasePath, qint32 letterNo, const FormReader& form);

} // namespace record
