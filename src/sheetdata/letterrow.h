#pragma once

#include "common/textcuts.h"
#include "platform/variant.h"
#include "sheetdata/sheetmodel.h"

#include <QString>

#include <initializer_list>
#include <optional>

namespace db {
class Recordset;
}

namespace sheetdata {

using common::charCount;
using common::leftChars;
using common::midChars;
using common::rightChars;

// Read access to the current row of one of the sheet filling's queries. A value that cannot
// be read (no recordset, no current row, a column the query lacks) is std::nullopt, apart
// from a Null value, so that each rule can tell "nothing to read" from "stored empty".
class LetterRow
{
public:
    explicit LetterRow(const db::Recordset* recordset) : m_recordset(recordset) {}

    std::optional<db::Variant> value(const QString& field) const;
    // The value as text; Null gives "" (a Null copied into a text prints nothing).
    std::optional<QString> text(const QString& field) const;
    // The value as text, with Null kept apart (std::nullopt inside).
    std::optional<std::optional<QString>> textOrNull(const QString& field) const;
    // True when the Yes/No value reads as True; Null, False and unreadable give false.
    bool isTrue(const QString& field) const;
    // The first k of 1..count that the value equals as a number (a digit string equals its
    // number); 0 when none does, the value is Null or it cannot be read.
    int code(const QString& field, int count) const;

private:
    const db::Recordset* m_recordset = nullptr;
};

// The place of a check box on the sheet, with the Slot of its tick.
struct Tick
{
    int slot;
    qint16 x;
    qint16 y;
};

// Ticks the box of the Yes/No field when it is True.
void tickWhenTrue(SheetModel& model, const LetterRow& row, const QString& field, Tick tick);
// Ticks boxes[k - 1] for the answer code k (1 to the number of boxes) of the field.
void tickCode(SheetModel& model, const LetterRow& row, const QString& field,
              std::initializer_list<Tick> boxes);
void storeTick(SheetModel& model, Tick tick);

// The era (first two characters) of an era date when it is one the program knows,
// otherwise std::nullopt.
std::optional<QString> eraOf(const QString& s);

// The sections of the filling, each on the current row of its query.
void fillHeading(SheetModel& model, const LetterRow& row);
void fillDepartmentsAndDiagnoses(SheetModel& model, const LetterRow& row);
void fillCourse(SheetModel& model, const LetterRow& row);
void fillIndependence(SheetModel& model, const LetterRow& row);
void fillSpecialCare(SheetModel& model, const LetterRow& row);
void fillDementia(SheetModel& model, const LetterRow& row);
void fillPsychiatric(SheetModel& model, const LetterRow& row);
void fillPhysique(SheetModel& model, const LetterRow& row);
void fillMuscleAndSkin(SheetModel& model, const LetterRow& row);
void fillMobility(SheetModel& model, const LetterRow& row);
void fillServices(SheetModel& model, const LetterRow& row);
void fillRemarks(SheetModel& model, const LetterRow& row);

} // namespace sheetdata
