#pragma once

#include <QString>
#include <QtGlobal>

namespace entry {
class frmDat3;
}

namespace load {

struct EntryFormOpening
{
    bool opened = false; // the form holds the letter and may be shown
    QString error;       // why the stored letter could not be read, when not opened
};

// The entry form's loading, on a freshly built form, before it is shown. A stored letter
// (letterNo not 0) is read first: when the data file cannot be read or no row has the
// number, nothing is done to the form and the reason comes back; the form must not be shown
// then, as saving it would write its blank entries over the letter. Otherwise the phrase
// combos and the department box get their lists, the dependants their start state and the
// era boxes their defaults; then the stored letter is loaded and gets the doctor defaults,
// or a new letter gets its title "新規登録", today's writing date and the doctor defaults.
// An empty title (a letter without a name) keeps the title box at its design width.
EntryFormOpening OpenEntryForm(entry::frmDat3& form, const QString& databasePath, qint32 letterNo);

} // namespace load
