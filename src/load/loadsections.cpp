#include "load/loadsections.h"

#include "load/loadrules.h"

using namespace Qt::Literals::StringLiterals;

namespace load {

namespace {

constexpr int kNo = controls::kNoIndex;
using controls::Look;

using common::Field;
using common::nthField;

} // namespace

void loadHeading(LetterLoader& l)
{
    // The writing date keeps its parts as stored ("04"); its era list shows the stored era.
    l.era(Field::WrittenOn, u"cmbNengoD"_s);
    l.dateParts(Field::WrittenOn, u"txtNenD"_s, u"txtTukiD"_s, u"txtHiD"_s, kNo, true);
    l.optionCode(Field::DoctorConsent, {{u"optDoui"_s, 1}, {u"optDoui"_s, 2}},
                 LetterLoader::Compare::Text);
    // The name's own reaction empties the reading, so the reading comes after it.
    l.text(Field::PatientName, u"txtname"_s);
    l.text(Field::PatientKana, u"txtKana"_s);
    l.setText(u"Label52"_s, kNo, l.controlText(u"txtname"_s));
    l.optionCode(Field::Sex, {{u"optMale"_s, kNo}, {u"optFemale"_s, kNo}});
    l.era(Field::BirthDate, u"cmbNengo"_s);
    l.dateParts(Field::BirthDate, u"txtNen"_s, u"txtTuki"_s, u"txtHi"_s);
    l.text(Field::Age, u"txtToshi"_s);
    l.split(Field::PostCode, {u"txtYubin1"_s, kNo}, {u"txtYubin2"_s, kNo});
    l.text(Field::Address, u"txtZusho"_s);
    l.text(Field::TelArea, u"txtTel"_s, 0);
    l.split(Field::Tel, {u"txtTel"_s, 1}, {u"txtTel"_s, 2});
    l.text(Field::ChartNo, u"txtPtID"_s);
    l.era(Field::LastExamined, u"cmbNengo2"_s);
    l.dateParts(Field::LastExamined, u"txtNen2"_s, u"txtTuki2"_s, u"txtHi2"_s);
    l.optionCode(Field::LetterCount, u"opKaisu"_s, 2, 0);
}

// 他科受診 holds the two-digit codes "01" to "12" of the ticked departments, "" for 無 and
// "00" when the question was not answered; 他科受診その他 the other department's name.
void loadOtherDepartments(LetterLoader& l)
{
    const auto codes = l.fieldText(Field::OtherDepartments);
    const auto other = l.fieldText(Field::OtherDepartmentsOther);
    if (!codes || !other)
        return;
    const QString boxes = u"chkTaka"_s;
    const QString name = u"cmbTaka"_s;
    const auto disableAll = [&] {
        for (int i = 1; i <= 13; ++i)
            l.setEnabled(boxes, i, false);
        l.setLook(name, kNo, Look::Disabled);
    };
    if (codes->isEmpty() && other->isEmpty()) {
        l.setValue(u"opTakaNasi"_s, kNo, 1);
        disableAll();
        return;
    }
    if (*codes == u"00"_s) {
        l.setValue(u"opTakaAri"_s, kNo, 0);
        l.setValue(u"opTakaNasi"_s, kNo, 0);
        disableAll();
    } else {
        l.setValue(u"opTakaAri"_s, kNo, 1);
        for (qsizetype i = 0; i + 1 < codes->size(); i += 2) {
            const QString pair = codes->mid(i, 2);
            for (int code = 1; code <= 12; ++code) {
                if (pair == QString::asprintf("%02d", code))
                    l.setValue(boxes, code, 1);
            }
        }
    }
    if (!other->isEmpty()) {
        l.setValue(boxes, 13, 1);
        l.setText(name, kNo, *other);
    }
}

void loadDisease(LetterLoader& l)
{
    for (int k = 1; k <= 3; ++k)
        l.text(nthField(Field::Diagnosis1, k), u"cmbSippei"_s, k);
    // All three eras first, then the three dates' parts.
    for (int k = 1; k <= 3; ++k)
        l.era(nthField(Field::Onset1, k), u"cmbSippeiNengou"_s, k);
    for (int k = 1; k <= 3; ++k)
        l.dateParts(nthField(Field::Onset1, k), u"txtSippeiNen"_s, u"txtSippeiTuki"_s,
                    u"txtSippeiHi"_s, k);
    l.optionCode(Field::Stability, u"opAntei"_s, 3);
    l.text(Field::Unstable, u"txtHuantei"_s);
    l.text(Field::Course, u"txtKeika"_s);
    for (int k = 1; k <= 6; ++k) {
        // Each medicine is three fields: name, dose and usage.
        const int place = 3 * (k - 1) + 1;
        l.text(nthField(Field::Medicine1, place), u"cmbYakuzai"_s, k);
        l.text(nthField(Field::Dose1, place), u"cmbYakuzaiKeizyo"_s, k);
        l.text(nthField(Field::Usage1, place), u"cmbYouhou"_s, k);
    }
    for (int k = 1; k <= 12; ++k)
        l.check(nthField(Field::Drip, k), u"cheTokubetu"_s, k);
}

void loadMentalState(LetterLoader& l)
{
    l.optionCode(Field::Bedridden, u"opNeta"_s, 9);
    l.optionCode(Field::Dementia, u"opNin"_s, 8);
    l.optionCode(Field::ShortMemory, u"opKioku"_s, 2);
    l.optionCode(Field::Cognition, u"opNinchi"_s, 4);
    l.optionCode(Field::Communication, u"opDen"_s, 4);

    const QString boxes = u"chkShuhen"_s;
    for (int k = 1; k <= 12; ++k)
        l.check(nthField(Field::Hallucination, k), boxes, k);

    // The 有/無 answer is no field: a letter with a ticked behaviour is 有, one without 無.
    const auto brackets = [&](Look look) {
        l.setLook(u"Label25"_s, 0, look);
        l.setLook(u"Label25"_s, 3, look);
    };
    const auto enableBoxes = [&](bool enabled) {
        for (int i = 1; i <= 12; ++i)
            l.setEnabled(boxes, i, enabled);
    };
    int ticked = 0;
    for (int i = 1; i <= 12; ++i)
        ticked += l.value(boxes, i);
    if (ticked != 0) {
        enableBoxes(true);
        brackets(Look::Enabled);
        l.setValue(u"optNinchi"_s, 1, 1);
        if (l.value(boxes, 12) == 1)
            l.setLook(u"txtMondai"_s, kNo, Look::Enabled);
    } else {
        enableBoxes(false);
        l.setValue(u"optNinchi"_s, 2, 1);
        l.setLook(u"txtMondai"_s, kNo, Look::Disabled);
        brackets(Look::Disabled);
    }
    // "00" in the other behaviour's name marks the question as not answered.
    if (const auto otherName = l.field(Field::OtherBehaviourName)) {
        if (otherName->equals(db::Variant::fromString(u"00"_s))) {
            enableBoxes(false);
            l.setValue(u"optNinchi"_s, 1, 0);
            l.setValue(u"optNinchi"_s, 2, 0);
            l.setLook(u"txtMondai"_s, kNo, Look::Disabled);
            brackets(Look::Disabled);
        } else {
            l.setText(u"txtMondai"_s, kNo, otherName->toString());
        }
    }

    // 無 leaves the dependent box disabled, whatever it holds.
    const auto yesNo = [&](Field field, const QString& options, const QString& box) {
        const auto code = l.code(field, 2);
        if (code)
            l.setValue(options, *code, 1);
        if (code == 2)
            l.setLook(box, kNo, Look::Disabled);
    };
    yesNo(Field::Psychiatric, u"opPsy"_s, u"cmbPsy"_s);
    l.text(Field::PsychiatricName, u"cmbPsy"_s);
    yesNo(Field::Specialist, u"opPsyist"_s, u"txtPsyist"_s);
    l.text(Field::SpecialistName, u"txtPsyist"_s);

    l.optionCode(Field::Handedness, u"opKiki"_s, 2);
    l.text(Field::Height, u"txtHight"_s);
    l.text(Field::Weight, u"txtWeight"_s);
    l.optionCode(Field::WeightChange, u"optHenka"_s, 3);
    l.check(Field::LimbLoss, u"chkKesson"_s);
    l.text(Field::LimbLossSite, u"cmbKesson"_s);
}

void loadPhysicalState(LetterLoader& l)
{
    // Each tick before the controls its reaction enables.
    l.check(Field::Paralysis, u"chkMahi"_s);
    for (int k = 1; k <= 5; ++k)
        l.check(nthField(Field::ParalysisRightArm, k), u"chkMahibui"_s, k);
    l.text(Field::ParalysisOtherSite, u"cmbMahibui"_s);
    for (int k = 1; k <= 5; ++k)
        l.optionCode(nthField(Field::ParalysisRightArmDegree, k), u"optTeido%1"_s.arg(k), 3);

    // A finding is three fields: the flag, its site and its degree.
    const auto finding = [&](Field field, const QString& box, const QString& site,
                             const QString& degree) {
        l.check(field, box);
        l.text(nthField(field, 2), site);
        l.optionCode(nthField(field, 3), degree, 3);
    };
    finding(Field::MuscleWeakness, u"chkTeika"_s, u"cmbTeika"_s, u"optKintei"_s);
    finding(Field::Contracture, u"chkKousyuku"_s, u"cmbKousyuku"_s, u"optKousyuku"_s);
    finding(Field::JointPain, u"chkToutsu"_s, u"cmbToutsu"_s, u"optToutsu"_s);

    // The main ataxia box follows from its six sides; the stored box itself is not read.
    bool anyAtaxia = false;
    for (int k = 1; k <= 6; ++k) {
        if (l.isTrue(nthField(Field::AtaxiaArmRight, k))) {
            l.setValue(u"chkHuzui"_s, k, 1);
            anyAtaxia = true;
        }
    }
    if (anyAtaxia)
        l.setValue(u"chkHuzui"_s, 0, 1);

    finding(Field::PressureSore, u"chkJokusou"_s, u"cmbJokusou"_s, u"opJokusou"_s);
    finding(Field::SkinDisease, u"chkHihu"_s, u"cmbHihu"_s, u"optHihu"_s);

    l.optionCode(Field::OutdoorWalking, u"optHokou"_s, 3);
    l.optionCode(Field::Wheelchair, u"optIsu"_s, 3);
    // Walking aids: 1 none, 2 outdoors, 3 indoors, 4 both.
    static const int aids[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}};
    if (const auto code = l.code(Field::WalkingAids, 4)) {
        for (int i = 1; i <= 3; ++i)
            l.setValue(u"chkHozyo"_s, i, aids[*code - 1][i - 1]);
    }
}

void loadLifeAndCare(LetterLoader& l)
{
    l.optionCode(Field::Eating, u"optShokuzi"_s, 2);
    l.optionCode(Field::Nutrition, u"optEiyou"_s, 2);
    l.text(Field::NutritionNotes, u"txtEiyou"_s);
    for (int k = 1; k <= 14; ++k)
        l.check(nthField(Field::Incontinence, k), u"chkJoutai"_s, k);
    l.text(Field::OtherConditionName, u"cmbTabyotai"_s);
    l.text(Field::ConditionPolicy, u"cmbTaisyo"_s);
    l.optionCode(Field::LifeFunction, u"optKinou"_s, 3);

    // The ten boxes first, then the other service's name, then the ten underlines: a line
    // stored under an unticked box is shown all the same.
    for (int k = 1; k <= 10; ++k)
        l.check(nthField(Field::HomeVisitCare, k), u"chkKanri"_s, k);
    l.text(Field::OtherServiceName, u"txtKanri"_s);
    for (int k = 1; k <= 10; ++k)
        l.underline(nthField(Field::HomeVisitCareUnderline, k), u"KnariUnder"_s, k);

    for (int n = 1; n <= 5; ++n)
        l.optionCode(nthField(Field::CareBloodPressure, n), u"optKanten%1"_s.arg(n), 2);
    for (int n = 1; n <= 5; ++n)
        l.text(nthField(Field::CareBloodPressureNotes, n), u"cmbKanten"_s, n);
    l.text(Field::CareOther, u"cmbKanten"_s, 6);
    l.optionCode(Field::Infection, u"optKansen"_s, 3);
    l.text(Field::InfectionName, u"cmbKansen"_s);
}

void loadSpecialNotes(LetterLoader& l)
{
    l.text(Field::Remarks, u"txtTokki"_s);
}

void loadDoctorBlock(LetterLoader& l)
{
    l.text(Field::DoctorName, u"cmbKisaisya"_s);
    l.text(Field::ClinicName, u"Kisaisya"_s, 1);
    l.split(Field::ClinicPostCode, {u"txtYubin1Dr"_s, kNo}, {u"txtYubin2Dr"_s, kNo});
    l.text(Field::ClinicAddress, u"txtZushoDr"_s);
    l.text(Field::ClinicTelArea, u"Kisaisya"_s, 5);
    l.split(Field::ClinicTel, {u"Kisaisya"_s, 6}, {u"Kisaisya"_s, 7});
    l.text(Field::ClinicFaxArea, u"Kisaisya"_s, 8);
    l.split(Field::ClinicFax, {u"Kisaisya"_s, 9}, {u"Kisaisya"_s, 10});
}

} // namespace load
