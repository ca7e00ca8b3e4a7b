#pragma once

#include "sheetdata/sheetmodel.h"

#include <QString>

#include <optional>

namespace record {
class Letter;
}

namespace sheetdata {

// What a filling of the sheet found, for the caller to show.
struct SheetFillResult
{
    // True when the data file held a row with the letter number.
    bool letterFound = false;
    // The stored patient name for the status bar (lblPointer); std::nullopt when it could not
    // be read, so that the caller leaves the label as it is. A Null name gives "".
    std::optional<QString> patientName;
    // Why the letter could not be read ("" when it was): a data file that does not open, a
    // letter number that is not a number, a number without a row.
    QString problem;
};

// Puts one stored letter on the sheet: reads the letter whose 作成NO is letterNoText from
// the data file databasePath through the letter store and fills the model anew. The number is bound
// as a parameter; a text that is not a whole number finds no row. Every value that cannot be read
// contributes nothing and the rest is still filled; nothing is shown to the user and nothing is
// drawn.
SheetFillResult SetFormData(SheetModel& model, const QString& databasePath,
                            const QString& letterNoText);

// Fills the model anew from a letter: a field that is unset contributes nothing.
void SetFormData(SheetModel& model, const record::Letter& letter);

} // namespace sheetdata
