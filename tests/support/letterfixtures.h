#pragma once

#include "platform/variant.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

// Stored letters for the tests and benchmarks of the sheet: field values by column name, and
// the writing of a letter row into a new data file.
namespace letterfixtures {

using Fields = QList<QPair<QString, db::Variant>>;

// Every field of the letter answered: every flag True, every text filled, every code given.
Fields fullyFilledLetter();
// A letter saved with nothing entered: "" texts, 0 codes, False flags, the "00" markers.
Fields unansweredLetter();
// A letter as an import leaves it: many Nulls, dates in the " 4" form, codes as digit text.
Fields importedLetterWithNulls();
// Values at the edges: a 21-character address, a 15-character specialist, 令和 and 不詳
// dates, odd department codes, both walking aids.
Fields edgeValueLetter();

// The value of a field in a list (Null when absent); and a copy with values replaced.
db::Variant fieldValue(const Fields& fields, const QString& name);
Fields withValues(Fields fields, const Fields& changes);

// Creates a new data file with the program's tables. False and a reason on failure.
bool createDataFile(const QString& path, QString* error = nullptr);
// Adds a letter row with 作成NO = number; columns not in `fields` stay Null.
bool writeLetter(const QString& path, qint32 number, const Fields& fields,
                 QString* error = nullptr);

} // namespace letterfixtures

Q_DECLARE_METATYPE(letterfixtures::Fields)
