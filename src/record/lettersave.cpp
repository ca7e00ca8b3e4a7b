#include "record/lettersave.h"

#include "record/datasave3.h"

namespace record {

LetterSaveResult SaveLetter(const QString& databasePath, qint32 letterNo, const FormReader& form)
{
    Letter letter;
    letter.setNo(letterNo);
    DataSave3(form, letter);
    return LetterStore(databasePath).save(letter);
}

} // namespace record
