#include "entry/formfieldnames.h"

#include <array>

namespace entry {

namespace {

using common::Field;

struct FormName
{
    Field field;
    int page; // the tab, from 0
    const char16_t* caption;
};

// Every letter field, in the order of the schema, on the page that holds its controls.
constexpr FormName kFormNames[] = {
    {Field::WrittenOn, 0, u"記入日"},
    {Field::DoctorName, 8, u"医師氏名"},
    {Field::ClinicName, 8, u"医療機関名"},
    {Field::ClinicPostCode, 8, u"郵便番号"},
    {Field::ClinicAddress, 8, u"所在地"},
    {Field::ClinicTelArea, 8, u"連絡先(TEL)"},
    {Field::ClinicTel, 8, u"連絡先(TEL)"},
    {Field::ClinicFaxArea, 8, u"FAX番号"},
    {Field::ClinicFax, 8, u"FAX番号"},
    {Field::DoctorConsent, 0, u"介護サービス計画作成への利用"},
    {Field::PatientName, 0, u"申請者氏名"},
    {Field::PatientKana, 0, u"ふりがな"},
    {Field::Sex, 0, u"性　別"},
    {Field::BirthDate, 0, u"生年月日"},
    {Field::Age, 0, u"年齢"},
    {Field::PostCode, 0, u"郵便番号"},
    {Field::Address, 0, u"住　所"},
    {Field::TelArea, 0, u"電話番号"},
    {Field::Tel, 0, u"電話番号"},
    {Field::ChartNo, 0, u"カルテ番号"},
    {Field::LastExamined, 0, u"最終診察日"},
    {Field::LetterCount, 0, u"作成回数"},
    {Field::OtherDepartments, 0, u"他科受診の有無"},
    {Field::OtherDepartmentsOther, 0, u"他科受診の有無（その他）"},
    {Field::Diagnosis1, 1, u"診断名　１．"},
    {Field::Diagnosis2, 1, u"診断名　２．"},
    {Field::Diagnosis3, 1, u"診断名　３．"},
    {Field::Onset1, 1, u"発症年月日　１．"},
    {Field::Onset2, 1, u"発症年月日　２．"},
    {Field::Onset3, 1, u"発症年月日　３．"},
    {Field::Stability, 1, u"症状としての安定性"},
    {Field::Unstable, 1, u"不安定とした場合、具体的状況"},
    {Field::Course, 1, u"経過及び投薬内容を含む治療内容"},
    {Field::CoursePrint, 1, u"経過及び投薬内容を含む治療内容（印刷用の写し）"},
    {Field::Medicine1, 1, u"薬剤名　１．"},
    {Field::Dose1, 1, u"用量　１．"},
    {Field::Usage1, 1, u"用法　１．"},
    {Field::Medicine2, 1, u"薬剤名　２．"},
    {Field::Dose2, 1, u"用量　２．"},
    {Field::Usage2, 1, u"用法　２．"},
    {Field::Medicine3, 1, u"薬剤名　３．"},
    {Field::Dose3, 1, u"用量　３．"},
    {Field::Usage3, 1, u"用法　３．"},
    {Field::Medicine4, 1, u"薬剤名　４．"},
    {Field::Dose4, 1, u"用量　４．"},
    {Field::Usage4, 1, u"用法　４．"},
    {Field::Medicine5, 1, u"薬剤名　５．"},
    {Field::Dose5, 1, u"用量　５．"},
    {Field::Usage5, 1, u"用法　５．"},
    {Field::Medicine6, 1, u"薬剤名　６．"},
    {Field::Dose6, 1, u"用量　６．"},
    {Field::Usage6, 1, u"用法　６．"},
    {Field::Drip, 2, u"点滴の管理"},
    {Field::CentralNutrition, 2, u"中心静脈栄養"},
    {Field::Dialysis, 2, u"透析"},
    {Field::Stoma, 2, u"ストーマの処置"},
    {Field::Oxygen, 2, u"酸素療法"},
    {Field::Respirator, 2, u"レスピレーター"},
    {Field::Tracheotomy, 2, u"気管切開の処置"},
    {Field::PainCare, 2, u"疼痛の看護"},
    {Field::TubeFeeding, 2, u"経管栄養"},
    {Field::Monitoring, 2, u"モニター測定（血圧、心拍、酸素飽和度等）"},
    {Field::SoreCare, 2, u"褥瘡の処置"},
    {Field::Catheter, 2, u"カテーテル（コンドームカテーテル、留置カテーテル等）"},
    {Field::Bedridden, 2, u"障害高齢者の日常生活自立度（寝たきり度）"},
    {Field::Dementia, 2, u"認知症高齢者の日常生活自立度"},
    {Field::ShortMemory, 3, u"短期記憶"},
    {Field::Cognition, 3, u"日常の意思決定を行うための認知能力"},
    {Field::Communication, 3, u"自分の意思の伝達能力"},
    {Field::Hallucination, 3, u"幻視・幻聴"},
    {Field::Delusion, 3, u"妄想"},
    {Field::DayNightReversal, 3, u"昼夜逆転"},
    {Field::VerbalAbuse, 3, u"暴言"},
    {Field::Violence, 3, u"暴行"},
    {Field::Resistance, 3, u"介護への抵抗"},
    {Field::Wandering, 3, u"徘徊"},
    {Field::FireNeglect, 3, u"火の不始末"},
    {Field::Uncleanliness, 3, u"不潔行為"},
    {Field::Pica, 3, u"異食行動"},
    {Field::SexualBehaviour, 3, u"性的問題行動"},
    {Field::OtherBehaviour, 3, u"認知症の周辺症状　その他"},
    {Field::OtherBehaviourName, 3, u"認知症の周辺症状　その他の内容"},
    {Field::Psychiatric, 3, u"その他の精神・神経症状"},
    {Field::PsychiatricName, 3, u"その他の精神・神経症状の症状名"},
    {Field::Specialist, 3, u"専門医受診の有無"},
    {Field::SpecialistName, 3, u"専門医受診の受診科"},
    {Field::Handedness, 4, u"利き腕"},
    {Field::Height, 4, u"身長"},
    {Field::Weight, 4, u"体重"},
    {Field::WeightChange, 4, u"過去６ヶ月の体重の変化"},
    {Field::LimbLoss, 4, u"四肢欠損"},
    {Field::LimbLossSite, 4, u"四肢欠損の部位"},
    {Field::Paralysis, 4, u"麻痺"},
    {Field::ParalysisRightArm, 4, u"麻痺　右上肢"},
    {Field::ParalysisRightLeg, 4, u"麻痺　右下肢"},
    {Field::ParalysisLeftArm, 4, u"麻痺　左上肢"},
    {Field::ParalysisLeftLeg, 4, u"麻痺　左下肢"},
    {Field::ParalysisOther, 4, u"麻痺　その他"},
    {Field::ParalysisRightArmDegree, 4, u"麻痺　右上肢の程度"},
    {Field::ParalysisRightLegDegree, 4, u"麻痺　右下肢の程度"},
    {Field::ParalysisLeftArmDegree, 4, u"麻痺　左上肢の程度"},
    {Field::ParalysisLeftLegDegree, 4, u"麻痺　左下肢の程度"},
    {Field::ParalysisOtherDegree, 4, u"麻痺　その他の程度"},
    {Field::ParalysisOtherSite, 4, u"麻痺　その他の部位"},
    {Field::MuscleWeakness, 4, u"筋力低下"},
    {Field::MuscleWeaknessSite, 4, u"筋力低下の部位"},
    {Field::MuscleWeaknessDegree, 4, u"筋力低下の程度"},
    {Field::Contracture, 4, u"関節の拘縮"},
    {Field::ContractureSite, 4, u"関節の拘縮の部位"},
    {Field::ContractureDegree, 4, u"関節の拘縮の程度"},
    {Field::JointPain, 4, u"関節の痛み"},
    {Field::JointPainSite, 4, u"関節の痛みの部位"},
    {Field::JointPainDegree, 4, u"関節の痛みの程度"},
    {Field::AtaxiaArmRight, 4, u"失調・不随意運動　上肢　右"},
    {Field::AtaxiaArmLeft, 4, u"失調・不随意運動　上肢　左"},
    {Field::AtaxiaLegRight, 4, u"失調・不随意運動　下肢　右"},
    {Field::AtaxiaLegLeft, 4, u"失調・不随意運動　下肢　左"},
    {Field::AtaxiaTrunkRight, 4, u"失調・不随意運動　体幹　右"},
    {Field::AtaxiaTrunkLeft, 4, u"失調・不随意運動　体幹　左"},
    {Field::Ataxia, 4, u"失調・不随意運動"},
    {Field::PressureSore, 4, u"褥瘡"},
    {Field::PressureSoreSite, 4, u"褥瘡の部位"},
    {Field::PressureSoreDegree, 4, u"褥瘡の程度"},
    {Field::SkinDisease, 4, u"その他の皮膚疾患"},
    {Field::SkinDiseaseSite, 4, u"その他の皮膚疾患の部位"},
    {Field::SkinDiseaseDegree, 4, u"その他の皮膚疾患の程度"},
    {Field::OutdoorWalking, 5, u"屋外歩行"},
    {Field::Wheelchair, 5, u"車いすの使用"},
    {Field::WalkingAids, 5, u"歩行補助具・装具の使用"},
    {Field::Eating, 5, u"食事行為"},
    {Field::Nutrition, 5, u"現在の栄養状態"},
    {Field::NutritionNotes, 5, u"栄養・食生活上の留意点"},
    {Field::Incontinence, 5, u"尿失禁"},
    {Field::FallFracture, 5, u"転倒･骨折"},
    {Field::ReducedMobility, 5, u"移動能力の低下"},
    {Field::SoreRisk, 5, u"褥瘡"},
    {Field::CardiopulmonaryDecline, 5, u"心肺機能の低下"},
    {Field::Withdrawal, 5, u"閉じこもり"},
    {Field::LowMotivation, 5, u"意欲低下"},
    {Field::WanderingRisk, 5, u"徘徊"},
    {Field::Undernutrition, 5, u"低栄養"},
    {Field::Dysphagia, 5, u"摂食･嚥下機能低下"},
    {Field::Dehydration, 5, u"脱水"},
    {Field::InfectionProne, 5, u"易感染性"},
    {Field::Pain, 5, u"がん等による疼痛"},
    {Field::OtherCondition, 5, u"その他の状態"},
    {Field::OtherConditionName, 5, u"その他の状態の内容"},
    {Field::ConditionPolicy, 5, u"対処方法"},
    {Field::LifeFunction, 6, u"サービス利用による生活機能の維持・改善の見通し"},
    {Field::HomeVisitCare, 6, u"訪問診療"},
    {Field::HomeNursing, 6, u"訪問看護"},
    {Field::HomeDental, 6, u"訪問歯科診療"},
    {Field::HomePharmacy, 6, u"訪問薬剤管理指導"},
    {Field::HomeRehabilitation, 6, u"訪問リハビリテーション"},
    {Field::ShortStay, 6, u"短期入所療養介護"},
    {Field::HomeDentalHygiene, 6, u"訪問歯科衛生指導"},
    {Field::HomeDiet, 6, u"訪問栄養食事指導"},
    {Field::DayRehabilitation, 6, u"通所リハビリテーション"},
    {Field::OtherService, 6, u"その他の医療系サービス"},
    {Field::HomeVisitCareUnderline, 6, u"訪問診療の下線"},
    {Field::HomeNursingUnderline, 6, u"訪問看護の下線"},
    {Field::HomeDentalUnderline, 6, u"訪問歯科診療の下線"},
    {Field::HomePharmacyUnderline, 6, u"訪問薬剤管理指導の下線"},
    {Field::HomeRehabilitationUnderline, 6, u"訪問リハビリテーションの下線"},
    {Field::ShortStayUnderline, 6, u"短期入所療養介護の下線"},
    {Field::HomeDentalHygieneUnderline, 6, u"訪問歯科衛生指導の下線"},
    {Field::HomeDietUnderline, 6, u"訪問栄養食事指導の下線"},
    {Field::DayRehabilitationUnderline, 6, u"通所リハビリテーションの下線"},
    {Field::OtherServiceUnderline, 6, u"その他の医療系サービスの下線"},
    {Field::OtherServiceName, 6, u"その他の医療系サービスの内容"},
    {Field::CareBloodPressure, 6, u"留意事項　血圧"},
    {Field::CareMoving, 6, u"留意事項　移動"},
    {Field::CareEating, 6, u"留意事項　摂食"},
    {Field::CareExercise, 6, u"留意事項　運動"},
    {Field::CareSwallowing, 6, u"留意事項　嚥下"},
    {Field::CareBloodPressureNotes, 6, u"留意事項　血圧の内容"},
    {Field::CareMovingNotes, 6, u"留意事項　移動の内容"},
    {Field::CareEatingNotes, 6, u"留意事項　摂食の内容"},
    {Field::CareExerciseNotes, 6, u"留意事項　運動の内容"},
    {Field::CareSwallowingNotes, 6, u"留意事項　嚥下の内容"},
    {Field::CareOther, 6, u"留意事項　その他"},
    {Field::Infection, 7, u"感染症の有無"},
    {Field::InfectionName, 7, u"感染症名"},
    {Field::Remarks, 7, u"特記すべき事項"},
    {Field::RemarksPrint, 7, u"特記すべき事項（印刷用の写し）"},
    {Field::PhysicianName, 8, u"医師氏名"},
};
static_assert(std::size(kFormNames) == common::LetterFieldCount);

constexpr bool inSchemaOrder()
{
    for (std::size_t i = 0; i < std::size(kFormNames); ++i)
        if (kFormNames[i].field != static_cast<Field>(i))
            return false;
    return true;
}
static_assert(inSchemaOrder());

constexpr const char16_t* kPages[] = {
    u"申請者",     u"疾病",       u"医療・心身（１）", u"心身（２）", u"心身（３）",
    u"生活（１）", u"生活（２）", u"生活（３）･特記",  u"記載者"};

} // namespace

QString formFieldName(Field field)
{
    const FormName& name = kFormNames[std::size_t(field)];
    return QStringLiteral("「%1」ページの「%2」")
        .arg(QString::fromUtf16(kPages[name.page]), QString::fromUtf16(name.caption));
}

QString unfitValueMessage(qint32 letterNo, Field field)
{
    return QStringLiteral("意見書 %1 番の%2に、この欄には入らない値が保存されています"
                          "（データファイルが壊れているか、ほかのプログラムで書き込まれた"
                          "可能性があります）。書き換えてしまわないよう、この意見書は開きません。")
        .arg(letterNo)
        .arg(formFieldName(field));
}

} // namespace entry
