#include "sheetdata/setformdata.h"

#include "record/letterstore.h"
#include "sheetdata/letterrow.h"

#include <QStringList>

namespace sheetdata {

namespace {

// The letter number as a 32-bit integer; std::nullopt for a text that is not a whole number.
std::optional<qint32> letterNumber(const QString& text)
{
    bool ok = false;
    const qint32 number = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

} // namespace

SheetFillResult SetFormData(SheetModel& model, const QString& databasePath,
                            const QString& letterNoText)
{
    SheetFillResult result;
    const std::optional<qint32> number = letterNumber(letterNoText);
    record::LetterReadResult read;
    if (!number) {
        result.problem = u"作成NO「%1」は番号ではありません。"_qs.arg(letterNoText);
    } else {
        read = record::LetterStore(databasePath).read(*number);
        if (read.status == record::LetterReadResult::Status::NoRow)
            result.problem = u"作成NO %1 の意見書はありません。"_qs.arg(*number);
        else if (!read.read())
            result.problem = read.error;
    }
    result.letterFound = read.read();
    // A letter that was not read puts nothing on the sheet: its fields are all unset.
    const record::Letter none;
    const record::Letter& letter = result.letterFound ? read.letter : none;
    if (const auto name = LetterRow(&letter).textOrNull(Field::PatientName))
        result.patientName = name->value_or(QString());
    SetFormData(model, letter);
    return result;
}

void SetFormData(SheetModel& model, const record::Letter& letter)
{
    model.FormLoaded = true;
    model.resetForLetter();
    const LetterRow row(&letter);
    fillHeading(model, row);
    fillDepartmentsAndDiagnoses(model, row);
    fillCourse(model, row);
    fillIndependence(model, row);
    fillSpecialCare(model, row);
    fillDementia(model, row);
    fillPsychiatric(model, row);
    fillPhysique(model, row);
    fillMuscleAndSkin(model, row);
    fillMobility(model, row);
    fillServices(model, row);
    fillRemarks(model, row);
}

} // namespace sheetdata
