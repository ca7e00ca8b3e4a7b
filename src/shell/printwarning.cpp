#include "shell/printwarning.h"

#include "common/schema.h"
#include "entry/formfieldnames.h"
#include "platform/messagebox.h"
#include "sheet/sheetdrawing.h"
#include "sheetdata/sheetmodel.h"

#include <array>

namespace shell {

namespace {

using common::Field;

// The field each text slot of the sheet prints.
// clang-format off
constexpr std::array<Field, 89> SlotFields = {
    Field::WrittenOn, Field::WrittenOn, Field::WrittenOn,                         // 0-2
    Field::ClinicName, Field::ClinicAddress,                                      // 3, 4
    Field::ClinicTelArea, Field::ClinicTel, Field::ClinicTel,                     // 5-7
    Field::ClinicFaxArea, Field::ClinicFax, Field::ClinicFax,                     // 8-10
    Field::PatientName, Field::PatientKana, Field::Sex, Field::Sex,               // 11-14
    Field::BirthDate, Field::BirthDate, Field::BirthDate,                         // 15-17
    Field::BirthDate, Field::BirthDate, Field::BirthDate, Field::Age,             // 18-21
    Field::PostCode, Field::PostCode, Field::Address,                             // 22-24
    Field::TelArea, Field::Tel, Field::Tel,                                       // 25-27
    Field::LastExamined, Field::LastExamined, Field::LastExamined,                // 28-30
    Field::OtherDepartmentsOther,                                                 // 31
    Field::Diagnosis1, Field::Diagnosis2, Field::Diagnosis3,                      // 32-34
    Field::Onset1, Field::Onset1, Field::Onset1, Field::Onset1,                   // 35-38
    Field::Onset2, Field::Onset2, Field::Onset2, Field::Onset2,                   // 39-42
    Field::Onset3, Field::Onset3, Field::Onset3, Field::Onset3,                   // 43-46
    Field::Onset1, Field::Onset1, Field::Onset1,                                  // 47-49
    Field::Onset2, Field::Onset2, Field::Onset2,                                  // 50-52
    Field::Onset3, Field::Onset3, Field::Onset3,                                  // 53-55
    Field::Unstable, Field::Course,                                               // 56, 57
    Field::Medicine1, Field::Medicine2, Field::Medicine3,                         // 58-60
    Field::Medicine4, Field::Medicine5, Field::Medicine6,                         // 61-63
    Field::OtherBehaviourName, Field::PsychiatricName, Field::SpecialistName,     // 64-66
    Field::Height, Field::Weight, Field::LimbLossSite,                            // 67-69
    Field::ParalysisOtherSite, Field::MuscleWeaknessSite, Field::ContractureSite, // 70-72
    Field::JointPainSite, Field::PressureSoreSite, Field::SkinDiseaseSite,        // 73-75
    Field::NutritionNotes, Field::OtherConditionName, Field::ConditionPolicy,     // 76-78
    Field::OtherServiceName, Field::CareBloodPressureNotes,                       // 79, 80
    Field::CareMovingNotes, Field::CareEatingNotes, Field::CareExerciseNotes,     // 81-83
    Field::CareSwallowingNotes, Field::CareOther, Field::InfectionName,           // 84-86
    Field::Remarks,                                                               // 87
    Field::PatientName,                                         // 88, the page-2 header
};
// clang-format on

} // namespace

QStringList cutFieldNames(const QList<int>& textSlots)
{
    QStringList names;
    for (const int slot : textSlots) {
        if (slot < 0 || slot >= int(SlotFields.size()))
            continue;
        const QString name = entry::formFieldName(SlotFields[std::size_t(slot)]);
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QString cutValuesQuestion(const QStringList& fieldNames)
{
    QString text = QStringLiteral("次の項目は長すぎて枠に入りきらないため、枠の端で切って"
                                  "印刷されます（切った所に「…」が付きます）。\r\n");
    for (const QString& name : fieldNames)
        text += QStringLiteral("\r\n・") + name;
    text += QStringLiteral("\r\n\r\nこのまま印刷しますか？\r\n"
                           "「いいえ」を選ぶと印刷せずに戻ります。入力画面で短くしてから"
                           "印刷して下さい。");
    return text;
}

bool confirmCutValues(const sheetdata::SheetModel& model, bool pageHead)
{
    const QStringList names = cutFieldNames(sheet::cutTextSlots(model, pageHead));
    if (names.isEmpty())
        return true;
    return platform::MsgBox(cutValuesQuestion(names),
                            platform::vbYesNo | platform::vbExclamation |
                                platform::vbDefaultButton2,
                            QStringLiteral("印刷")) == platform::vbYes;
}

} // namespace shell
