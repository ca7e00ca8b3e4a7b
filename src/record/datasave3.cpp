#include "record/datasave3.h"

#include "common/textcuts.h"

#include "platform/settings.h"
#include "record/wrapforprint.h"

#include <array>
#include <optional>

namespace record {

namespace {

using common::Field;
using common::nthField;
using db::Variant;
using OptText = std::optional<QString>;

constexpr int NoIndex = FormReader::NoIndex;

// Reads the form and writes the row, one statement at a time. A read of a control the form
// lacks gives nothing, and a write of nothing or a write the recordset refuses is skipped.
class LetterWriter
{
public:
    LetterWriter(const FormReader& form, Letter& letter) : m_form(form), m_letter(letter) {}

    QStringList failedFields() const { return m_failed; }

    // --- reading the form
    OptText text(const QString& name, int index = NoIndex) const
    {
        return m_form.text(name, index);
    }
    // A check box counts as ticked at 1 and as unticked at 0 only; a missing box is neither.
    bool ticked(const QString& name, int index = NoIndex) const
    {
        return m_form.value(name, index) == 1;
    }
    bool unticked(const QString& name, int index = NoIndex) const
    {
        return m_form.value(name, index) == 0;
    }
    bool chosen(const QString& name, int index = NoIndex) const
    {
        const auto v = m_form.value(name, index);
        return v.has_value() && *v != 0;
    }
    bool visible(const QString& name, int index) const
    {
        return m_form.visible(name, index).value_or(false);
    }
    // A control that cannot be asked counts as enabled, so that its text is kept.
    bool enabled(const QString& name, int index = NoIndex) const
    {
        return m_form.enabled(name, index).value_or(true);
    }

    // --- writing the row
    void put(Field field, const Variant& value) { m_letter.set(field, value); }
    void putText(Field field, const OptText& value)
    {
        if (value)
            put(field, Variant::fromString(*value));
        else
            noteFailure(field);
    }
    void putFlag(Field field, bool value) { put(field, Variant::fromBool(value)); }
    // A check flag: True when ticked, False for any other value; nothing for a missing box.
    void putCheck(Field field, const QString& box, int index = NoIndex)
    {
        if (const auto v = m_form.value(box, index))
            putFlag(field, *v == 1);
        else
            noteFailure(field);
    }
    void putInteger(Field field, int value)
    {
        put(field, Variant::fromInteger(static_cast<qint16>(value)));
    }
    // An answer given as the digit string of its option number.
    void putDigits(Field field, int option)
    {
        put(field, Variant::fromString(QString::number(option)));
    }
    // Reads the field back from the letter; nothing when it is not set.
    OptText fieldText(Field field) const { return m_letter.text(field); }

    // Answer code from an option array 1..count: Integer 0, then the chosen member's number
    // as a digit string.
    void answerCode(Field field, const QString& options, int count)
    {
        putInteger(field, 0);
        for (int i = 1; i <= count; ++i) {
            if (chosen(options, i))
                putDigits(field, i);
        }
    }
    // Answer code of a question whose options are separate controls: Integer 0, then the
    // number of each chosen option, as an Integer.
    void integerCode(Field field, const QList<std::pair<QString, int>>& options)
    {
        putInteger(field, 0);
        int code = 1;
        for (const auto& [name, index] : options) {
            if (chosen(name, index))
                putInteger(field, code);
            ++code;
        }
    }

private:
    void noteFailure(Field field)
    {
        const QString& name = common::letterField(field).name;
        if (!m_failed.contains(name))
            m_failed.append(name);
    }

    const FormReader& m_form;
    Letter& m_letter;
    QStringList m_failed;
};

// a & b, or nothing when a part cannot be read.
OptText join(std::initializer_list<OptText> parts)
{
    QString s;
    for (const auto& p : parts) {
        if (!p)
            return std::nullopt;
        s += *p;
    }
    return s;
}

OptText literal(const char16_t* s)
{
    return QString::fromUtf16(s);
}

// era & year & "年" & month & "月" & day & "日"
OptText eraDate(const OptText& era, const OptText& year, const OptText& month, const OptText& day)
{
    return join({era, year, literal(u"年"), month, literal(u"月"), day, literal(u"日")});
}

// A date of the given era whose boxes are all empty is stored as ""; with a two-character era
// the joined text is then exactly 5 characters long.
OptText eraDateOrEmpty(const OptText& date)
{
    if (date && common::charCount(*date) == 5)
        return QString();
    return date;
}

// --- heading, physician and patient

// The institution block; the closing writes repeat it without the postal code and address.
void writeInstitutionFields(LetterWriter& w, bool withPostalCodeAndAddress)
{
    w.putText(Field::ClinicName, w.text(QStringLiteral("Kisaisya"), 1));
    if (withPostalCodeAndAddress) {
        w.putText(Field::ClinicPostCode, join({w.text(QStringLiteral("txtYubin1Dr")), literal(u"-"),
                                               w.text(QStringLiteral("txtYubin2Dr"))}));
        w.putText(Field::ClinicAddress, w.text(QStringLiteral("txtZushoDr")));
    }
    w.putText(Field::ClinicTelArea, w.text(QStringLiteral("Kisaisya"), 5));
    w.putText(Field::ClinicTel, join({w.text(QStringLiteral("Kisaisya"), 6), literal(u"-"),
                                      w.text(QStringLiteral("Kisaisya"), 7)}));
    w.putText(Field::ClinicFaxArea, w.text(QStringLiteral("Kisaisya"), 8));
    w.putText(Field::ClinicFax, join({w.text(QStringLiteral("Kisaisya"), 9), literal(u"-"),
                                      w.text(QStringLiteral("Kisaisya"), 10)}));
}

void writeHeading(LetterWriter& w)
{
    // The writing date carries the era that its era box shows.
    const OptText days =
        join({w.text(QStringLiteral("txtNenD")), literal(u"年"), w.text(QStringLiteral("txtTukiD")),
              literal(u"月"), w.text(QStringLiteral("txtHiD")), literal(u"日")});
    OptText era = w.text(QStringLiteral("cmbNengoD"));
    if (!era || era->isEmpty())
        era = literal(u"令和");
    OptText written;
    if (days)
        written = common::charCount(*days) == 3 ? QString() : *era + *days;
    w.putText(Field::WrittenOn, written);

    w.putText(Field::DoctorName, w.text(QStringLiteral("cmbKisaisya")));
    writeInstitutionFields(w, true);
    w.integerCode(Field::DoctorConsent,
                  {{QStringLiteral("optDoui"), 1}, {QStringLiteral("optDoui"), 2}});
    w.putText(Field::PatientName, w.text(QStringLiteral("txtname")));
    w.putText(Field::PatientKana, w.text(QStringLiteral("txtKana")));
    w.integerCode(Field::Sex,
                  {{QStringLiteral("optMale"), NoIndex}, {QStringLiteral("optFemale"), NoIndex}});
    w.putText(Field::BirthDate,
              eraDateOrEmpty(
                  eraDate(w.text(QStringLiteral("cmbNengo")), w.text(QStringLiteral("txtNen")),
                          w.text(QStringLiteral("txtTuki")), w.text(QStringLiteral("txtHi")))));
    w.putText(Field::Age, w.text(QStringLiteral("txtToshi")));
    w.putText(Field::PostCode, join({w.text(QStringLiteral("txtYubin1")), literal(u"-"),
                                     w.text(QStringLiteral("txtYubin2"))}));
    w.putText(Field::Address, w.text(QStringLiteral("txtZusho")));
    w.putText(Field::TelArea, w.text(QStringLiteral("txtTel"), 0));
    w.putText(Field::Tel, join({w.text(QStringLiteral("txtTel"), 1), literal(u"-"),
                                w.text(QStringLiteral("txtTel"), 2)}));
    w.putText(Field::ChartNo, w.text(QStringLiteral("txtPtID")));
    w.putText(Field::LastExamined,
              eraDateOrEmpty(
                  eraDate(w.text(QStringLiteral("cmbNengo2")), w.text(QStringLiteral("txtNen2")),
                          w.text(QStringLiteral("txtTuki2")), w.text(QStringLiteral("txtHi2")))));
    w.integerCode(Field::LetterCount,
                  {{QStringLiteral("opKaisu"), 0}, {QStringLiteral("opKaisu"), 1}});
}

void writeClosing(LetterWriter& w)
{
    w.putText(Field::PhysicianName, w.text(QStringLiteral("cmbKisaisya")));
    writeInstitutionFields(w, false);
}

// --- other departments, diagnoses and onset dates

void writeDepartmentsAndDiagnoses(LetterWriter& w)
{
    const Field departments = Field::OtherDepartments;
    const Field other = Field::OtherDepartmentsOther;
    w.putText(departments, QString());
    w.putText(other, QString());
    for (int i = 1; i <= 12; ++i) {
        if (w.ticked(QStringLiteral("chkTaka"), i)) {
            const OptText sofar = w.fieldText(departments);
            if (sofar)
                w.putText(departments,
                          *sofar + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
        }
    }
    if (w.ticked(QStringLiteral("chkTaka"), 13))
        w.putText(other, w.text(QStringLiteral("cmbTaka")));
    else if (w.unticked(QStringLiteral("chkTaka"), 13))
        w.putText(other, QString());
    const bool yes = w.chosen(QStringLiteral("opTakaAri"));
    const bool no = w.chosen(QStringLiteral("opTakaNasi"));
    if (no) {
        w.putText(departments, QString());
        w.putText(other, QString());
    }
    if (!yes && !no) {
        w.putText(departments, QStringLiteral("00"));
        w.putText(other, QString());
    }

    for (int k = 1; k <= 3; ++k)
        w.putText(nthField(Field::Diagnosis1, k), w.text(QStringLiteral("cmbSippei"), k));

    for (int k = 1; k <= 3; ++k) {
        const OptText era = w.text(QStringLiteral("cmbSippeiNengou"), k);
        const OptText year = w.text(QStringLiteral("txtSippeiNen"), k);
        const OptText month = w.text(QStringLiteral("txtSippeiTuki"), k);
        const OptText day = w.text(QStringLiteral("txtSippeiHi"), k);
        OptText onset = eraDate(era, year, month, day);
        // No date is stored as "00"; but 不詳 with its boxes empty is an answer of its own
        // (不詳年月日), which must not read back as no date.
        if (onset && common::charCount(*onset) == 5 && *era != QStringLiteral("不詳"))
            onset = QStringLiteral("00");
        w.putText(nthField(Field::Onset1, k), onset);
    }
}

// --- disease course, medication, special medical care and remarks

void writeLongText(LetterWriter& w, Field field, Field printCopy, const QString& box)
{
    const OptText text = w.text(box);
    w.putText(field, text);
    // The copy is made from this box's text alone; when the box cannot be read, the copy
    // field keeps what it held.
    w.putText(printCopy, text ? OptText(WrapForPrint(*text)) : std::nullopt);
}

void writeCourseAndCare(LetterWriter& w)
{
    w.answerCode(Field::Stability, QStringLiteral("opAntei"), 3);
    w.putText(Field::Unstable, w.text(QStringLiteral("txtHuantei")));
    writeLongText(w, Field::Course, Field::CoursePrint, QStringLiteral("txtKeika"));
    for (int k = 1; k <= 6; ++k) {
        // Each medicine is three fields: name, dose and usage.
        const int place = 3 * (k - 1) + 1;
        w.putText(nthField(Field::Medicine1, place), w.text(QStringLiteral("cmbYakuzai"), k));
        w.putText(nthField(Field::Dose1, place), w.text(QStringLiteral("cmbYakuzaiKeizyo"), k));
        w.putText(nthField(Field::Usage1, place), w.text(QStringLiteral("cmbYouhou"), k));
    }
    for (int k = 1; k <= 12; ++k)
        w.putCheck(nthField(Field::Drip, k), QStringLiteral("cheTokubetu"), k);
}

void writeRemarks(LetterWriter& w)
{
    writeLongText(w, Field::Remarks, Field::RemarksPrint, QStringLiteral("txtTokki"));
}

// --- daily-life independence, cognition and problem behaviour

void writeIndependenceAndBehaviour(LetterWriter& w)
{
    w.answerCode(Field::Bedridden, QStringLiteral("opNeta"), 9);
    w.answerCode(Field::Dementia, QStringLiteral("opNin"), 8);
    w.answerCode(Field::ShortMemory, QStringLiteral("opKioku"), 2);
    w.answerCode(Field::Cognition, QStringLiteral("opNinchi"), 4);
    w.answerCode(Field::Communication, QStringLiteral("opDen"), 4);

    const auto behaviour = [](int k) { return nthField(Field::Hallucination, k); };
    const auto clearFlags = [&] {
        for (int k = 1; k <= 12; ++k)
            w.putFlag(behaviour(k), false);
    };
    clearFlags();
    for (int k = 1; k <= 12; ++k) {
        if (w.ticked(QStringLiteral("chkShuhen"), k))
            w.putFlag(behaviour(k), true);
    }
    const Field otherName = Field::OtherBehaviourName;
    w.putText(otherName, w.text(QStringLiteral("txtMondai")));
    const bool yes = w.chosen(QStringLiteral("optNinchi"), 1);
    const bool no = w.chosen(QStringLiteral("optNinchi"), 2);
    if (no) {
        clearFlags();
        w.putText(otherName, QString());
    }
    if (!yes && !no) {
        clearFlags();
        w.putText(otherName, QStringLiteral("00"));
    }
}

// --- psychiatric findings, physique, limb loss and paralysis

void writePsychiatricAndPhysique(LetterWriter& w)
{
    const Field psy = Field::Psychiatric;
    const Field psyName = Field::PsychiatricName;
    w.putInteger(psy, 0);
    w.putText(psyName, QString());
    if (w.chosen(QStringLiteral("opPsy"), 1)) {
        w.putInteger(psy, 1);
        w.putText(psyName, w.text(QStringLiteral("cmbPsy")));
    }
    if (w.chosen(QStringLiteral("opPsy"), 2)) {
        w.putInteger(psy, 2);
        w.putText(psyName, QString());
    }
    const Field specialist = Field::Specialist;
    const Field specialistName = Field::SpecialistName;
    const bool specialistYes = w.chosen(QStringLiteral("opPsyist"), 1);
    const bool specialistNo = w.chosen(QStringLiteral("opPsyist"), 2);
    if (specialistYes) {
        w.putInteger(specialist, 1);
        w.putText(specialistName, w.text(QStringLiteral("txtPsyist")));
    }
    if (specialistNo) {
        w.putInteger(specialist, 2);
        w.putText(specialistName, QString());
    }
    if (!specialistYes && !specialistNo) {
        w.putInteger(specialist, 0);
        w.putText(specialistName, QString());
    }

    w.integerCode(Field::Handedness,
                  {{QStringLiteral("opKiki"), 1}, {QStringLiteral("opKiki"), 2}});
    w.putText(Field::Height, w.text(QStringLiteral("txtHight")));
    w.putText(Field::Weight, w.text(QStringLiteral("txtWeight")));
    w.answerCode(Field::WeightChange, QStringLiteral("optHenka"), 3);

    if (w.ticked(QStringLiteral("chkKesson")))
        w.putFlag(Field::LimbLoss, true);
    w.putText(Field::LimbLossSite, w.text(QStringLiteral("cmbKesson")));
    if (w.unticked(QStringLiteral("chkKesson"))) {
        w.putFlag(Field::LimbLoss, false);
        w.putText(Field::LimbLossSite, QString());
    }

    // Paralysis: the whole group, five sites with their degrees, and the other site's name.
    const Field group = Field::Paralysis;
    const auto flag = [](int k) { return nthField(Field::ParalysisRightArm, k); };
    const auto degree = [](int k) { return nthField(Field::ParalysisRightArmDegree, k); };
    const Field otherSite = Field::ParalysisOtherSite;
    const auto clearGroup = [&] {
        w.putFlag(group, false);
        for (int k = 1; k <= 5; ++k)
            w.putFlag(flag(k), false);
    };
    const auto clearDegrees = [&] {
        for (int k = 1; k <= 5; ++k)
            w.putInteger(degree(k), 0);
    };
    clearGroup();
    clearDegrees();
    if (w.ticked(QStringLiteral("chkMahi")))
        w.putFlag(group, true);
    for (int k = 1; k <= 5; ++k) {
        if (w.ticked(QStringLiteral("chkMahibui"), k))
            w.putFlag(flag(k), true);
    }
    w.putText(otherSite, w.text(QStringLiteral("cmbMahibui")));
    for (int i = 1; i <= 3; ++i) {
        for (int k = 1; k <= 5; ++k) {
            if (w.chosen(QStringLiteral("optTeido%1").arg(k), i))
                w.putDigits(degree(k), i);
        }
    }
    for (int k = 1; k <= 4; ++k) {
        if (w.unticked(QStringLiteral("chkMahibui"), k))
            w.putInteger(degree(k), 0);
    }
    if (w.unticked(QStringLiteral("chkMahibui"), 5)) {
        w.putFlag(flag(5), false);
        w.putText(otherSite, QString());
        w.putInteger(degree(5), 0);
    }
    if (w.unticked(QStringLiteral("chkMahi"))) {
        clearGroup();
        w.putText(otherSite, QString());
        clearDegrees();
    }
}

// --- muscle, joints, ataxia, pressure sores and skin

struct Finding
{
    const char16_t* box;
    Field flag;
    const char16_t* siteBox;
    Field site;
    const char16_t* degreeOptions;
    Field degree;
};

void writeFinding(LetterWriter& w, const Finding& f)
{
    const QString box = QString::fromUtf16(f.box);
    const Field flag = f.flag;
    const Field site = f.site;
    const Field degree = f.degree;
    if (w.ticked(box))
        w.putFlag(flag, true);
    w.putText(site, w.text(QString::fromUtf16(f.siteBox)));
    w.answerCode(degree, QString::fromUtf16(f.degreeOptions), 3);
    if (w.unticked(box)) {
        w.putFlag(flag, false);
        w.putText(site, QString());
        w.putInteger(degree, 0);
    }
}

void writeAtaxia(LetterWriter& w)
{
    const auto side = [](int k) { return nthField(Field::AtaxiaArmRight, k); };
    const auto clearSides = [&] {
        for (int k = 1; k <= 6; ++k)
            w.putFlag(side(k), false);
    };
    const Field group = Field::Ataxia;
    clearSides();
    if (w.ticked(QStringLiteral("chkHuzui"), 0))
        w.putFlag(group, true);
    for (int k = 1; k <= 6; ++k) {
        if (w.ticked(QStringLiteral("chkHuzui"), k))
            w.putFlag(side(k), true);
    }
    if (w.unticked(QStringLiteral("chkHuzui"), 0)) {
        w.putFlag(group, false);
        clearSides();
    }
}

void writeMusclesJointsSkin(LetterWriter& w)
{
    writeFinding(w, {u"chkTeika", Field::MuscleWeakness, u"cmbTeika", Field::MuscleWeaknessSite,
                     u"optKintei", Field::MuscleWeaknessDegree});
    writeFinding(w, {u"chkKousyuku", Field::Contracture, u"cmbKousyuku", Field::ContractureSite,
                     u"optKousyuku", Field::ContractureDegree});
    writeFinding(w, {u"chkToutsu", Field::JointPain, u"cmbToutsu", Field::JointPainSite,
                     u"optToutsu", Field::JointPainDegree});
    writeAtaxia(w);
    writeFinding(w, {u"chkJokusou", Field::PressureSore, u"cmbJokusou", Field::PressureSoreSite,
                     u"opJokusou", Field::PressureSoreDegree});
    writeFinding(w, {u"chkHihu", Field::SkinDisease, u"cmbHihu", Field::SkinDiseaseSite, u"optHihu",
                     Field::SkinDiseaseDegree});
}

// --- mobility, nutrition, risks and prognosis

void writeLifeFunction(LetterWriter& w)
{
    w.answerCode(Field::OutdoorWalking, QStringLiteral("optHokou"), 3);
    w.answerCode(Field::Wheelchair, QStringLiteral("optIsu"), 3);

    const Field aids = Field::WalkingAids;
    const QString aidBox = QStringLiteral("chkHozyo");
    w.putInteger(aids, 0);
    if (w.ticked(aidBox, 1))
        w.putDigits(aids, 1);
    if (w.ticked(aidBox, 2))
        w.putDigits(aids, w.ticked(aidBox, 3) ? 4 : 2);
    if (w.ticked(aidBox, 3) && !w.ticked(aidBox, 2))
        w.putDigits(aids, 3);

    w.answerCode(Field::Eating, QStringLiteral("optShokuzi"), 2);
    w.answerCode(Field::Nutrition, QStringLiteral("optEiyou"), 2);
    const OptText points = w.text(QStringLiteral("txtEiyou"));
    w.putText(Field::NutritionNotes,
              points ? OptText(common::leftChars(*points, 40)) : std::nullopt);

    for (int k = 1; k <= 14; ++k)
        w.putCheck(nthField(Field::Incontinence, k), QStringLiteral("chkJoutai"), k);
    w.putText(Field::OtherConditionName, w.text(QStringLiteral("cmbTabyotai")));
    if (w.unticked(QStringLiteral("chkJoutai"), 14)) {
        w.putFlag(Field::OtherCondition, false);
        w.putText(Field::OtherConditionName, QString());
    }
    const OptText policy = w.text(QStringLiteral("cmbTaisyo"));
    w.putText(Field::ConditionPolicy,
              policy ? OptText(common::leftChars(*policy, 60)) : std::nullopt);

    w.answerCode(Field::LifeFunction, QStringLiteral("optKinou"), 3);
}

// --- medical services, care notes and infection

void writeServicesAndNotes(LetterWriter& w)
{
    const auto serviceFlag = [](int i) { return nthField(Field::HomeVisitCare, i); };
    const auto underlineFlag = [](int i) { return nthField(Field::HomeVisitCareUnderline, i); };
    for (int i = 1; i <= 10; ++i)
        w.putFlag(serviceFlag(i), false);
    for (int i = 1; i <= 10; ++i)
        w.putFlag(underlineFlag(i), false);
    for (int i = 1; i <= 10; ++i) {
        if (w.ticked(QStringLiteral("chkKanri"), i))
            w.putFlag(serviceFlag(i), true);
    }
    if (w.unticked(QStringLiteral("chkKanri"), 10))
        w.putText(Field::OtherServiceName, QString());
    else
        w.putText(Field::OtherServiceName, w.text(QStringLiteral("txtKanri")));
    for (int i = 1; i <= 10; ++i) {
        if (w.visible(QStringLiteral("KnariUnder"), i))
            w.putFlag(underlineFlag(i), true);
    }

    const auto note = [](int k) { return nthField(Field::CareBloodPressure, k); };
    const auto notePoints = [](int k) { return nthField(Field::CareBloodPressureNotes, k); };
    for (int k = 1; k <= 5; ++k)
        w.answerCode(note(k), QStringLiteral("optKanten%1").arg(k), 2);
    for (int k = 1; k <= 5; ++k)
        w.putText(notePoints(k), w.text(QStringLiteral("cmbKanten"), k));
    w.putText(Field::CareOther, w.text(QStringLiteral("cmbKanten"), 6));
    for (int k = 1; k <= 5; ++k) {
        if (!w.enabled(QStringLiteral("cmbKanten"), k))
            w.putText(notePoints(k), QString());
    }

    w.answerCode(Field::Infection, QStringLiteral("optKansen"), 3);
    w.putText(Field::InfectionName, w.text(QStringLiteral("cmbKansen")));
    if (!w.enabled(QStringLiteral("cmbKansen")))
        w.putText(Field::InfectionName, QString());
}

} // namespace

std::span<const DoctorDefault> DoctorDefaults()
{
    namespace keys = common::settings::data;
    static const DoctorDefault defaults[] = {
        {keys::DoctorName, u"cmbKisaisya", NoIndex},
        {keys::HospitalName, u"Kisaisya", 1},
        {keys::Yubin1, u"txtYubin1Dr", NoIndex},
        {keys::Yubin2, u"txtYubin2Dr", NoIndex},
        {keys::Adress, u"txtZushoDr", NoIndex},
        {keys::TEL1, u"Kisaisya", 5},
        {keys::TEL2, u"Kisaisya", 6},
        {keys::TEL3, u"Kisaisya", 7},
        {keys::FAX1, u"Kisaisya", 8},
        {keys::FAX2, u"Kisaisya", 9},
        {keys::FAX3, u"Kisaisya", 10},
    };
    return defaults;
}

void SaveDoctorDefaults(const FormReader& form)
{
    namespace settings = common::settings;
    for (const DoctorDefault& d : DoctorDefaults()) {
        const OptText value = form.text(QString::fromUtf16(d.control), d.index);
        // A failed write leaves the stored default; the letter itself is not affected.
        if (value && !value->isEmpty()) {
            platform::SaveSetting(QString::fromLatin1(settings::App),
                                  QString::fromLatin1(settings::Data),
                                  QString::fromLatin1(d.key.name), *value);
        }
    }
}

QStringList DataSave3(const FormReader& form, Letter& letter)
{
    LetterWriter w(form, letter);
    writeHeading(w);
    writeDepartmentsAndDiagnoses(w);
    writeCourseAndCare(w);
    writeIndependenceAndBehaviour(w);
    writePsychiatricAndPhysique(w);
    writeMusclesJointsSkin(w);
    writeLifeFunction(w);
    writeServicesAndNotes(w);
    writeRemarks(w);
    writeClosing(w);
    return w.failedFields();
}

} // namespace record
