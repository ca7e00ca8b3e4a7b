#pragma once

#include "common/settingskeys.h"
#include "record/formreader.h"
#include "record/letter.h"

#include <QStringList>

#include <span>

namespace record {

// Copies the entry form into `letter`, section by section in the fixed write order (a later
// write of a field replaces an earlier one). It never writes 作成NO, touches no file and shows
// nothing.
//
// Each field write stands alone: a field whose control the form lacks is left as the letter
// had it, and every other field is still written. The names of the fields that could not
// be written are returned, for the caller's information.
QStringList DataSave3(const FormReader& form, Letter& letter);

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
// saved under its key; an empty box leaves its stored default as it was. The entry form's
// save keeps them whether or not the letter itself could be saved.
void SaveDoctorDefaults(const FormReader& form);

} // namespace record
