#pragma once

#include "common/textcuts.h"
#include "platform/variant.h"
#include "record/letter.h"
#include "sheetdata/sheetmodel.h"

#include <QString>

#include <initializer_list>
#include <optional>

namespace sheetdata {

using common::charCount;
using common::Field;
using common::leftChars;
using common::midChars;
using common::nthField;
using common::rightChars;

// Read access to the letter being put on the sheet. A value that cannot be read (no letter,
// a field the data file has no column for) is std::nullopt, apart from a Null value, so that
// each rule can tell "nothing to read" from "stored empty".
class LetterRow
{
public:
    explicit LetterRow(const record::Letter* letter) : m_letter(letter) {}

    std::optional<db::Variant> value(Field field) const;
    // The value as text; Null gives "" (a Null copied into a text prints nothing).
    std::optional<QString> text(Field field) const;
    // The value as text, with Null kept apart (std::nullopt inside).
    std::optional<std::optional<QString>> textOrNull(Field field) const;
    // True when the Yes/No value reads as True; Null, False and unreadable give false.
    bool isTrue(Field field) const;
    // The first k of 1..count that the value equals as a number (a digit string equals its
    // number); 0 when none does, the value is Null or it cannot be read.
    int code(Field field, int count) const;

private:
    const record::Letter* m_letter = nullptr;
};

// The place of a check box on the sheet, with the Slot of its tick.
struct Tick
{
    int slot;
    qint16 x;
    qint16 y;
};

// Ticks the box of the Yes/No field when it is True.
void tickWhenTrue(SheetModel& model, const LetterRow& row, Field field, Tick tick);
// Ticks boxes[k - 1] for the answer code k (1 to the number of boxes) of the field.
void tickCode(SheetModel& model, const LetterRow& row, Field field,
              std::initializer_list<Tick> boxes);
void storeTick(SheetModel& model, Tick tick);

// The era (first two characters) of an era date when it is one the program knows,
// otherwise std::nullopt.
std::optional<QString> eraOf(const QString& s);

// The sections of the filling.
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
