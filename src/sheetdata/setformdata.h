#pragma once

#include "sheetdata/sheetmodel.h"

#include <QString>

#include <optional>

namespace db {
class Recordset;
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

// Puts one stored letter on the sheet: reads the row of 申請者情報 whose 作成NO is
// letterNoText from the data file databasePath (opened read-only) and fills the model
// anew. The number is bound as a parameter; a text that is not a whole number finds no row.
// Every value that cannot be read contributes nothing and the rest is still filled; nothing
// is shown to the user and nothing is drawn.
SheetFillResult SetFormData(SheetModel& model, const QString& databasePath,
                            const QString& letterNoText);

// The sections of SetFormData on the current row of the page-1 query and of the page-2 query,
// in its order, on a model that resetForLetter() has emptied. A null recordset, one without a
// current row and a column it lacks contribute nothing.
void fillPage1Sections(SheetModel& model, const db::Recordset* page1);
void fillPage2Sections(SheetModel& model, const db::Recordset* page2);

} // namespace sheetdata
