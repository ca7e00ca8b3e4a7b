#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sheetdata {
class SheetModel;
}

// Before the sheet goes to paper: the letter's values too long for their boxes are printed
// cut, and the user is told which before anything prints.
namespace shell {

// The entry form's names of the letter's fields printed in the text slots `textSlots`, each once,
// in the order of the slots.
QStringList cutFieldNames(const QList<int>& textSlots);

// The question that names the cut fields.
QString cutValuesQuestion(const QStringList& fieldNames);

// True when the sheet may be printed: nothing of the letter is cut, or the user, told which
// fields are, chooses to print anyway.
bool confirmCutValues(const sheetdata::SheetModel& model, bool pageHead);

} // namespace shell
