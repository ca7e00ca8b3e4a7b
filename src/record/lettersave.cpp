#include "record/lettersave.h"

#include "record/datasave3.h"

namespace record {

LetterSaveResult SaveLetter(const QString& databasePath, const Letter& asRead,
                            const FormReader& form)
{
    Letter letter;
    letter.setNo(asRead.no());
    DataSave3(form, letter);
    return LetterStore(databasePath).save(letter, asRead);
}

LetterSaveResult SaveLetterAsNew(const QString& databasePath, const Letter& asRead,
                                 const FormReader& form)
{
    Letter letter = asRead;
    letter.setNo(0);
    DataSave3(form, letter);
    return LetterStore(databasePath).save(letter);
}

} // namespace record
