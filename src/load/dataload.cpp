#include "load/dataload.h"

#include "common/settingskeys.h"
#include "entry/frmDat3.h"
#include "entry/formfieldnames.h"
#include "load/loadrules.h"
#include "load/loadsections.h"
#include "platform/settings.h"
#include "record/datasave3.h"
#include "record/letterstore.h"

using namespace Qt::Literals::StringLiterals;

namespace load {

LoadResult DataLoad(entry::frmDat3& form, const QString& databasePath, qint32 letterNo,
                    QString* error)
{
    // Only the letter's own row is read: when no row has its number, nothing is loaded.
    const record::LetterReadResult read = record::LetterStore(databasePath).read(letterNo);
    if (read.status == record::LetterReadResult::Status::Failed) {
        if (error)
            *error = read.error;
        return LoadResult::OpenFailed;
    }
    if (!read.read())
        return LoadResult::NoRow;
    if (read.unfit) {
        if (error)
            *error = entry::unfitValueMessage(letterNo, *read.unfit);
        return LoadResult::Unfit;
    }
    DataLoad(form, read.letter);
    return LoadResult::Loaded;
}

void DataLoad(entry::frmDat3& form, const record::Letter& letter)
{
    // Kept for the save: it rewrites the row only while the row still holds this letter.
    form.setLetterAsRead(letter);
    LetterLoader loader(letter, form.controls());
    loadHeading(loader);
    loadOtherDepartments(loader);
    loadDisease(loader);
    loadMentalState(loader);
    loadPhysicalState(loader);
    loadLifeAndCare(loader);
    loadSpecialNotes(loader);
    loadDoctorBlock(loader);
}

void LoadDoctorS(entry::frmDat3& form)
{
    controls::ControlRegistry& controls = form.controls();
    if (!controls.text(u"cmbKisaisya"_s).value_or(QString()).isEmpty())
        return;
    namespace settings = common::settings;
    for (const record::DoctorDefault& d : record::DoctorDefaults()) {
        // The physician's name is kept for the record only; it is never read back.
        if (&d.key == &settings::data::DoctorName)
            continue;
        const QString value = platform::GetSetting(
            QString::fromLatin1(settings::App), QString::fromLatin1(settings::Data),
            QString::fromLatin1(d.key.name), QString::fromLatin1(d.key.defaultValue));
        controls.setText(QString::fromUtf16(d.control), d.index, value);
    }
}

LoadResult LoadLetter(entry::frmDat3& form, const QString& databasePath, qint32 letterNo,
                      QString* error)
{
    LoadResult result = LoadResult::NoRow;
    if (letterNo != 0)
        result = DataLoad(form, databasePath, letterNo, error);
    LoadDoctorS(form);
    return letterNo != 0 ? result : LoadResult::Loaded;
}

} // namespace load
