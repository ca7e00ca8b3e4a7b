#pragma once

#include "common/settingskeys.h"
#include "record/formreader.h"

#include <QStringList>

#include <span>

namespace db {
class Recordset;
}

namespace record {

// Copies the entry form into the current row of `letters` (a recordset on 申請者情報 that the
// caller has positioned on the letter's row and put in Edit or AddNew mode), section by
// section in the fixed write order, and then keeps the institution details as the doctor
// defaults in the settings store. It never writes 作成NO, never moves or updates the
// recordset, and shows nothing.
//
// Each field write stands alone: a write that fails (a column the table lacks, a control the
// form lacks) is skipped and every other field is still written. The names of the fields
// that could not be written are returned, for the caller's information.
QStringList DataSave3(const FormReader& form, db::Recordset& letters);

// A doctor default: its key in the settings store (application "Dizur", section "Data") and
// the entry form's box whose text it keeps.
struct DoctorDefault
{
    const common::settings::Key& key;
    const char16_t* control;
    int index;
};
// The doctor defaults in the order the save writes them: the physician's name (DoctorName,
// never read back), then the institution's name, postal code, address, telephone and fax.
std::span<const DoctorDefault> DoctorDefaults();

// The doctor defaults (application "Dizur", section "Data"): each box that is not empty is
// saved under its key; an empty box leaves its stored default as it was.
void SaveDoctorDefaults(const FormReader& form);

} // namespace record
