#pragma once

#include <QString>
#include <QtGlobal>

namespace entry {
class frmDat3;
}
namespace record {
class Letter;
}

// Putting a stored letter back into the entry form, and the doctor defaults.
namespace load {

enum class LoadResult {
    Loaded,     // the letter's row was found and its fields written into the form
    NoRow,      // no row has the letter's number: the form keeps its start state
    OpenFailed, // the data file or its letter table could not be opened
    Unfit,      // a stored value does not fit its field: nothing loaded (see `error`)
};

// Fills the entry form from the letter whose 作成NO is letterNo, read from the data file
// through the letter store. Runs on the form in its start state (after TabNew and the era
// defaults). Every field is one step of its own: a field that is Null or cannot be read
// (a column the table lacks) leaves its controls as they were and the next step runs.
// Values are set through the controls, so the form's reactions give the dependants their
// looks. Shows no message and writes nothing to the data file; `error` tells why the file
// could not be read, or which field holds a value it cannot hold (such a letter is not
// loaded: a save would write over the value).
LoadResult DataLoad(entry::frmDat3& form, const QString& databasePath, qint32 letterNo,
                    QString* error = nullptr);
// Fills the entry form from a letter, as above: an unset or Null field leaves its controls.
// The form keeps the letter as read, for its save.
void DataLoad(entry::frmDat3& form, const record::Letter& letter);

// The doctor defaults: when the doctor's name box is empty, the institution's name, postal
// code, address, telephone and fax boxes are set from the settings store (application
// "Dizur", section "Data"; "" for an absent key). The doctor's name itself is never set.
void LoadDoctorS(entry::frmDat3& form);

// What the entry form's loading does with a letter: a stored one (letterNo not 0) is loaded
// and then gets the doctor defaults, and the result is DataLoad's; a new one (0) gets the
// doctor defaults alone, and the result is Loaded.
LoadResult LoadLetter(entry::frmDat3& form, const QString& databasePath, qint32 letterNo,
                      QString* error = nullptr);

} // namespace load
