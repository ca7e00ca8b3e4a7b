#pragma once

#include <QString>

#include <vector>

namespace db {
class Database;
struct Schema;
} // namespace db

// The tables of the program's data files, defined here and nowhere else: the letter file
// (Ruviro.mdb) holds the letters and the phrase lists, the postal-code file (PostCode.mdb)
// the postal-code master.
namespace common {

// How a letter field is stored.
enum class FieldKind {
    Text,       // text without a length limit (plain texts, era dates, joined pairs, copies)
    YesNo,      // a check flag; reads back as a Boolean
    AnswerCode, // 0 = not answered, 1..n = the chosen option; reads back as a number
};

struct LetterField
{
    QString name; // the column name, ASCII digits and full-width katakana
    FieldKind kind;
};

// Table 申請者情報: one row per letter, keyed by 作成NO (unique index "作成NO").
inline const QString LetterTable = QStringLiteral("申請者情報");
inline const QString LetterKey = QStringLiteral("作成NO");
inline const QString LetterIndex = QStringLiteral("作成NO");
// The 186 letter fields after 作成NO, in the order the save first writes them.
const std::vector<LetterField>& letterFields();
constexpr int LetterFieldCount = 186;

// The letter fields by their place in the table (0 = 最新意見書記入日), in the order of
// letterFields(). Code outside this schema addresses a field by this name only.
enum class Field : int {
    WrittenOn,
    DoctorName,
    ClinicName,
    ClinicPostCode,
    ClinicAddress,
    ClinicTelArea,
    ClinicTel,
    ClinicFaxArea,
    ClinicFax,
    DoctorConsent,
    PatientName,
    PatientKana,
    Sex,
    BirthDate,
    Age,
    PostCode,
    Address,
    TelArea,
    Tel,
    ChartNo,
    LastExamined,
    LetterCount,
    OtherDepartments,
    OtherDepartmentsOther,
    Diagnosis1,
    Diagnosis2,
    Diagnosis3,
    Onset1,
    Onset2,
    Onset3,
    Stability,
    Unstable,
    Course,
    CoursePrint,
    Medicine1,
    Dose1,
    Usage1,
    Medicine2,
    Dose2,
    Usage2,
    Medicine3,
    Dose3,
    Usage3,
    Medicine4,
    Dose4,
    Usage4,
    Medicine5,
    Dose5,
    Usage5,
    Medicine6,
    Dose6,
    Usage6,
    Drip,
    CentralNutrition,
    Dialysis,
    Stoma,
    Oxygen,
    Respirator,
    Tracheotomy,
    PainCare,
    TubeFeeding,
    Monitoring,
    SoreCare,
    Catheter,
    Bedridden,
    Dementia,
    ShortMemory,
    Cognition,
    Communication,
    Hallucination,
    Delusion,
    DayNightReversal,
    VerbalAbuse,
    Violence,
    Resistance,
    Wandering,
    FireNeglect,
    Uncleanliness,
    Pica,
    SexualBehaviour,
    OtherBehaviour,
    OtherBehaviourName,
    Psychiatric,
    PsychiatricName,
    Specialist,
    SpecialistName,
    Handedness,
    Height,
    Weight,
    WeightChange,
    LimbLoss,
    LimbLossSite,
    Paralysis,
    ParalysisRightArm,
    ParalysisRightLeg,
    ParalysisLeftArm,
    ParalysisLeftLeg,
    ParalysisOther,
    ParalysisRightArmDegree,
    ParalysisRightLegDegree,
    ParalysisLeftArmDegree,
    ParalysisLeftLegDegree,
    ParalysisOtherDegree,
    ParalysisOtherSite,
    MuscleWeakness,
    MuscleWeaknessSite,
    MuscleWeaknessDegree,
    Contracture,
    ContractureSite,
    ContractureDegree,
    JointPain,
    JointPainSite,
    JointPainDegree,
    AtaxiaArmRight,
    AtaxiaArmLeft,
    AtaxiaLegRight,
    AtaxiaLegLeft,
    AtaxiaTrunkRight,
    AtaxiaTrunkLeft,
    Ataxia,
    PressureSore,
    PressureSoreSite,
    PressureSoreDegree,
    SkinDisease,
    SkinDiseaseSite,
    SkinDiseaseDegree,
    OutdoorWalking,
    Wheelchair,
    WalkingAids,
    Eating,
    Nutrition,
    NutritionNotes,
    Incontinence,
    FallFracture,
    ReducedMobility,
    SoreRisk,
    CardiopulmonaryDecline,
    Withdrawal,
    LowMotivation,
    WanderingRisk,
    Undernutrition,
    Dysphagia,
    Dehydration,
    InfectionProne,
    Pain,
    OtherCondition,
    OtherConditionName,
    ConditionPolicy,
    LifeFunction,
    HomeVisitCare,
    HomeNursing,
    HomeDental,
    HomePharmacy,
    HomeRehabilitation,
    ShortStay,
    HomeDentalHygiene,
    HomeDiet,
    DayRehabilitation,
    OtherService,
    HomeVisitCareUnderline,
    HomeNursingUnderline,
    HomeDentalUnderline,
    HomePharmacyUnderline,
    HomeRehabilitationUnderline,
    ShortStayUnderline,
    HomeDentalHygieneUnderline,
    HomeDietUnderline,
    DayRehabilitationUnderline,
    OtherServiceUnderline,
    OtherServiceName,
    CareBloodPressure,
    CareMoving,
    CareEating,
    CareExercise,
    CareSwallowing,
    CareBloodPressureNotes,
    CareMovingNotes,
    CareEatingNotes,
    CareExerciseNotes,
    CareSwallowingNotes,
    CareOther,
    Infection,
    InfectionName,
    Remarks,
    RemarksPrint,
    PhysicianName,
};
static_assert(static_cast<int>(Field::PhysicianName) == LetterFieldCount - 1);

// The field's name and kind.
const LetterField& letterField(Field field);
// The k-th field (from 1) of a run of fields that starts at `first`: the three diagnoses,
// the twelve special-care flags, the ten services and their underlines ...
constexpr Field nthField(Field first, int k)
{
    return static_cast<Field>(static_cast<int>(first) + k - 1);
}

// The columns the record list shows, in the list's order.
inline const QString LetterListColumns =
    QStringLiteral("作成NO,カルテ番号,患者名,患者名かな,性別,年齢,診断名１,最新意見書記入日");
// The record list's query: the columns the list shows, for every letter. A file that this
// query does not run on is not a letter file of this program.
inline const QString LetterListQuery =
    QStringLiteral("SELECT ") + LetterListColumns + QStringLiteral(" FROM 申請者情報");
// The record list's rows: its columns and, last, each row's rowid, which names the letter's
// row in the file while a renumbering changes its 作成NO.
inline const QString LetterListRowsQuery =
    QStringLiteral("SELECT ") + LetterListColumns + QStringLiteral(",rowid FROM 申請者情報");
// Index 一覧項目 over the list's columns: the list reads them from the index alone instead of
// from each letter's long row. A file without it (made before it, or restored from such a
// backup) is read as well, only slower; it gets the index when its list is first read.
inline const QString LetterListIndex = QStringLiteral("一覧項目");

// Table コンボ情報: the phrase lists, one row per item, a list being its rows in table order.
inline const QString ComboTable = QStringLiteral("コンボ情報");
inline const QString ComboCode = QStringLiteral("コンボネーム");
inline const QString ComboText = QStringLiteral("コンボ内容");

// Table 郵便番号マスタ: postal codes (seven digits and a blank; trailing blanks do not
// count when codes are compared) and their addresses, index "郵便番号" (not unique).
inline const QString PostCodeTable = QStringLiteral("郵便番号マスタ");
inline const QString PostCodeCode = QStringLiteral("郵便番号");
inline const QString PostCodeAddress = QStringLiteral("住所");
inline const QString PostCodeIndex = QStringLiteral("郵便番号");

// Create the tables of a new letter file (申請者情報 and コンボ情報) or of a new
// postal-code file, in one transaction; false with the reason when that fails.
bool createLetterTables(db::Database& database, QString* error = nullptr);
// The statement that makes index 一覧項目 on a letter file.
QString letterListIndexSql();
bool createPostCodeTables(db::Database& database, QString* error = nullptr);

// What, in the schema of a letter file from outside (a backup to restore), is not the
// program's own; "" when nothing is. The program's own: table 申請者情報, a table with row
// ids whose 作成NO is an INTEGER and no primary key, every letter field it has of the field's
// type (fewer or more columns are taken); its unique index 作成NO on 作成NO alone; its index
// 一覧項目 over the list's columns, when it has one; table コンボ情報 with its two columns
// (more or fewer taken), when it has one. Nothing else: no other table or index, no view, no
// trigger, no constraint but DEFAULT (0 on a Yes/No field, a plain value on a column that is
// no field). A sentence for the user naming the first object that is not the program's own.
QString foreignSchemaObject(const db::Schema& schema);

} // namespace common
