#include "load/dataload.h"

#include "common/schema.h"
#include "common/settingskeys.h"
#include "entry/frmDat3.h"
#include "load/loadrules.h"
#include "load/loadsections.h"
#include "platform/database.h"
#include "platform/settings.h"
#include "record/datasave3.h"

using namespace Qt::Literals::StringLiterals;

namespace load {

LoadResult DataLoad(entry::frmDat3& form, const QString& databasePath, qint32 letterNo,
                    QString* error)
{
    QString reason;
    const auto database = db::Database::open(databasePath, db::OpenMode::ReadOnly, &reason);
    if (!database) {
        if (error)
            *error = reason;
        return LoadResult::OpenFailed;
    }
    const auto rows = database->openTable(common::LetterTable, &reason);
    if (!rows) {
        if (error)
            *error = reason;
        return LoadResult::OpenFailed;
    }
    // Only the letter's own row is read: when no row has its number, nothing is loaded.
    // The key's index finds it at once; a table without that index is searched.
    const db::Variant key = db::Variant::fromLong(letterNo);
    bool found = false;
    if (rows->setIndex(common::LetterIndex)) {
        found = rows->seek(u"="_s, key) && !rows->noMatch();
    } else {
        rows->moveFirst();
        found = rows->findFirst(common::LetterKey + u" ="_s + QString::number(letterNo));
    }
    if (!found || rows->eof() || !rows->field(common::LetterKey).equals(key))
        return LoadResult::NoRow;

    LetterLoader loader(*rows, form.controls());
    loadHeading(loader);
    loadOtherDepartments(loader);
    loadDisease(loader);
    loadMentalState(loader);
    loadPhysicalState(loader);
    loadLifeAndCare(loader);
    loadSpecialNotes(loader);
    loadDoctorBlock(loader);
    return LoadResult::Loaded;
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
