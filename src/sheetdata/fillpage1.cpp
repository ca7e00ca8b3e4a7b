// The sections of page 1: heading, physician, patient, other departments, diagnoses,
// course, medication, special medical care, independence, dementia and psychiatric findings.
#include "platform/variant.h"
#include "record/eradate.h"
#include "sheetdata/letterrow.h"

#include <QStringList>

namespace sheetdata {

namespace {

const QString CrLf = u"\r\n"_qs;

// The text before the first "-" ("" without one) and the text after it (the whole value
// without one).
void splitPhone(SheetModel& model, const std::optional<QString>& value, int before, int after)
{
    if (!value)
        return;
    const qsizetype dash = value->indexOf(u'-');
    if (dash >= 0) {
        model.FormText[before] = value->left(dash);
        model.FormText[after] = value->mid(dash + 1);
    } else {
        model.FormText[after] = *value;
    }
}

// Year, month and day of an era date into three slots, when the date is not "".
void dateParts(SheetModel& model, const std::optional<QString>& value, int firstSlot)
{
    if (!value || value->isEmpty())
        return;
    for (int part = 1; part <= 3; ++part) {
        if (const auto text = record::EraDatePartSp(*value, part))
            model.FormText[firstSlot + part - 1] = *text;
    }
}

// The era printed before a date on page 1: the date's own, or the default era when the date
// is empty or cannot be read.
QString printedEra(const std::optional<QString>& value)
{
    if (value) {
        if (const auto era = eraOf(*value))
            return *era;
    }
    return QString::fromUtf16(DefaultEra);
}

void setText(SheetModel& model, int slot, const std::optional<QString>& value)
{
    if (value)
        model.FormText[slot] = *value;
}

} // namespace

void fillHeading(SheetModel& model, const LetterRow& row)
{
    auto& text = model.FormText;
    const auto written = row.text(Field::WrittenOn);
    dateParts(model, written, 0);
    setText(model, 3, row.text(Field::ClinicName));
    setText(model, 4, row.text(Field::ClinicAddress));
    setText(model, 5, row.text(Field::ClinicTelArea));
    splitPhone(model, row.text(Field::ClinicTel), 6, 7);
    setText(model, 8, row.text(Field::ClinicFaxArea));
    splitPhone(model, row.text(Field::ClinicFax), 9, 10);

    if (const auto consent = row.value(Field::DoctorConsent); consent && !consent->isNull()) {
        if (consent->toString() == u"1")
            storeTick(model, {1, 7260, 3585});
        else if (consent->toString() == u"2")
            storeTick(model, {2, 8625, 3585});
    }
    tickCode(model, row, Field::LetterCount, {{3, 3315, 4965}, {4, 4050, 4965}});

    const auto name = row.text(Field::PatientName);
    setText(model, PatientNameSlot, name);
    setText(model, 12, row.text(Field::PatientKana));
    for (int slot = 0; slot <= 2; ++slot) {
        if (charCount(text[slot]) == 1)
            text[slot].prepend(u' ');
    }
    text[WritingEraSlot] = printedEra(written);
    if (name) {
        text[PageHeadSlot] = *name + u"　記入日（"_qs + text[WritingEraSlot] + text[0] + u"年"_qs +
                             text[1] + u"月"_qs + text[2] + u"日）"_qs;
    }

    const int sex = row.code(Field::Sex, 2);
    if (sex == 1)
        text[13] = u"○"_qs;
    else if (sex == 2)
        text[14] = u"○"_qs;
    const auto birth = row.text(Field::BirthDate);
    if (birth) {
        const QString era = birth->left(2);
        if (era == u"明治")
            text[15] = u"○"_qs;
        else if (era == u"大正")
            text[16] = u"○"_qs;
        else if (era == u"昭和")
            text[17] = u"○"_qs;
    }
    dateParts(model, birth, 18);
    setText(model, 21, row.text(Field::Age));
    if (const auto postCode = row.text(Field::PostCode)) {
        text[22] = leftChars(*postCode, 3);
        text[23] = rightChars(*postCode, 4);
    }
    if (const auto address = row.text(Field::Address)) {
        text[24] = charCount(*address) > 20
                       ? leftChars(*address, 20) + CrLf + midChars(*address, 20)
                       : *address;
    }
    setText(model, 25, row.text(Field::TelArea));
    splitPhone(model, row.text(Field::Tel), 26, 27);
    const auto examined = row.text(Field::LastExamined);
    dateParts(model, examined, 28);
    text[ExaminationEraSlot] = printedEra(examined);
}

namespace {

// The labels and the ring of one onset date.
void onsetLabels(SheetModel& model, const std::optional<QString>& value, int labelSlot,
                 int ringSlot, qint16 ringY)
{
    if (!value)
        return;
    const QString head = value->left(2);
    auto& text = model.FormText;
    auto labels = [&](const QString& era, const QString& year, const QString& month,
                      const QString& close) {
        text[labelSlot] = era;
        text[labelSlot + 1] = year;
        text[labelSlot + 2] = month;
        text[labelSlot + 3] = close;
    };
    const QString close = u"日頃 )"_qs;
    const qint16 y2 = static_cast<qint16>(ringY + 180);
    // The era label names two eras; the ring goes around the first (rings 0, 2) or the
    // second name (rings 1, 3).
    auto ring = [&](int offset) {
        const bool second = offset % 2 == 1;
        storeCapsule(model, ringSlot + offset, second ? 7695 : 7215, ringY, second ? 8130 : 7650,
                     y2);
    };
    if (head == u"00") {
        labels(u"(昭和･平成"_qs, u"年"_qs, u"月"_qs, close);
    } else if (head == u"不詳") {
        labels(u"(不詳"_qs, QString(), QString(), u"　　   )"_qs);
    } else if (head == u"明治") {
        labels(u"(明治･大正"_qs, u"年"_qs, u"月"_qs, close);
        ring(0);
    } else if (head == u"大正") {
        labels(u"(明治･大正"_qs, u"年"_qs, u"月"_qs, close);
        ring(1);
    } else if (head == u"昭和") {
        labels(u"(昭和･平成"_qs, u"年"_qs, u"月"_qs, close);
        ring(2);
    } else if (head == u"平成") {
        labels(u"(昭和･平成"_qs, u"年"_qs, u"月"_qs, close);
        ring(3);
    } else if (head == u"令和") {
        labels(u"(平成･令和"_qs, u"年"_qs, u"月"_qs, close);
        ring(3);
    }
}

// A part slot keeps only a text that reads as a number other than 0, read as the stored
// letters' conversions read it ("1e1" and "０７" are numbers; "nan" and "inf" are not).
void clearZeroPart(QString& part)
{
    const std::optional<double> number = db::Variant::fromString(part).toDouble();
    if (!number || *number == 0)
        part.clear();
}

} // namespace

void fillDepartmentsAndDiagnoses(SheetModel& model, const LetterRow& row)
{
    auto& text = model.FormText;
    // A Null answer reads as unanswered, a Null other department as "".
    const auto codes = row.textOrNull(Field::OtherDepartments);
    const auto otherValue = row.textOrNull(Field::OtherDepartmentsOther);
    const QString other = otherValue ? otherValue->value_or(QString()) : QString();
    if (codes && *codes && **codes != u"00") {
        const QString& answer = **codes;
        if (answer.isEmpty() && other.isEmpty()) {
            storeTick(model, {6, 4050, 5235});
        } else {
            storeTick(model, {5, 3315, 5235});
            static const Tick departments[12] = {
                {7, 4425, 5460},  {8, 5040, 5460},  {9, 5865, 5460},  {10, 6495, 5460},
                {11, 7605, 5460}, {12, 8790, 5460}, {13, 9615, 5460}, {14, 3510, 5670},
                {15, 4425, 5670}, {16, 5040, 5670}, {17, 6240, 5670}, {18, 7650, 5670}};
            static const QStringList codeTexts = {u"01"_qs, u"02"_qs, u"03"_qs, u"04"_qs,
                                                  u"05"_qs, u"06"_qs, u"07"_qs, u"08"_qs,
                                                  u"09"_qs, u"10"_qs, u"11"_qs, u"12"_qs};
            const int length = charCount(answer);
            for (int i = 0; i + 1 < length; i += 2) {
                const qsizetype code = codeTexts.indexOf(midChars(answer, i, 2));
                if (code >= 0)
                    storeTick(model, departments[code]);
            }
        }
    }
    if (!other.isEmpty()) {
        storeTick(model, {19, 8325, 5670});
        text[31] = other;
    }

    for (int k = 1; k <= 3; ++k)
        setText(model, 31 + k, row.text(nthField(Field::Diagnosis1, k)));

    static const qint16 ringY[3] = {6645, 6990, 7335};
    std::optional<QString> onset[3];
    for (int k = 0; k < 3; ++k) {
        const auto value = row.textOrNull(nthField(Field::Onset1, k + 1));
        if (value && *value)
            onset[k] = **value;
        onsetLabels(model, onset[k], 35 + 4 * k, 20 + 4 * k, ringY[k]);
    }
    for (int k = 0; k < 3; ++k) {
        if (!onset[k])
            continue;
        for (int part = 1; part <= 3; ++part) {
            if (const auto value = record::EraDatePartSp(*onset[k], part))
                text[47 + 3 * k + part - 1] = *value;
        }
    }
    for (int slot = 47; slot <= 55; ++slot) {
        // The check reads the part's number form (元 is the year 1), the slot keeps its text.
        QString number = record::NumberForm(text[slot], (slot - 47) % 3 + 1);
        clearZeroPart(number);
        if (number.isEmpty())
            text[slot].clear();
    }
}

void fillCourse(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, Field::Stability, {{32, 6060, 7695}, {33, 7350, 7695}, {34, 8700, 7695}});
    setText(model, 56, row.text(Field::Unstable));
    setText(model, 57, row.text(Field::CoursePrint));
    for (int k = 1; k <= 6; ++k) {
        // Each medicine is three fields: name, dose and usage.
        const int place = 3 * (k - 1) + 1;
        const auto name = row.text(nthField(Field::Medicine1, place));
        const auto dose = row.text(nthField(Field::Dose1, place));
        const auto usage = row.text(nthField(Field::Usage1, place));
        if (name && dose && usage)
            model.FormText[57 + k] = *name + u' ' + *dose + u' ' + *usage;
    }
}

void fillIndependence(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, Field::Bedridden,
             {{35, 5250, 12915},
              {36, 5985, 12915},
              {37, 6540, 12915},
              {38, 7125, 12915},
              {39, 7710, 12915},
              {40, 8370, 12915},
              {41, 9000, 12915},
              {42, 9555, 12915},
              {43, 10125, 12915}});
    tickCode(model, row, Field::Dementia,
             {{44, 5250, 13140},
              {45, 5985, 13140},
              {46, 6540, 13140},
              {47, 7125, 13140},
              {48, 7710, 13140},
              {49, 8370, 13140},
              {50, 9000, 13140},
              {51, 9555, 13140}});
}

void fillSpecialCare(SheetModel& model, const LetterRow& row)
{
    static const struct
    {
        Field field;
        Tick tick;
    } care[] = {
        {Field::Drip, {52, 2610, 11355}},        {Field::CentralNutrition, {53, 4485, 11355}},
        {Field::Dialysis, {54, 6570, 11355}},    {Field::Stoma, {55, 7770, 11355}},
        {Field::Oxygen, {56, 9435, 11355}},      {Field::Respirator, {57, 2610, 11580}},
        {Field::Tracheotomy, {58, 4485, 11580}}, {Field::PainCare, {59, 6570, 11580}},
        {Field::TubeFeeding, {60, 7770, 11580}}, {Field::Monitoring, {61, 2610, 11805}},
        {Field::SoreCare, {62, 6570, 11805}},    {Field::Catheter, {63, 2610, 12030}},
    };
    for (const auto& item : care)
        tickWhenTrue(model, row, item.field, item.tick);
}

void fillDementia(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, Field::ShortMemory, {{64, 4755, 13620}, {65, 5955, 13620}});
    tickCode(model, row, Field::Cognition,
             {{66, 4755, 13860}, {67, 5955, 13860}, {68, 7335, 13860}, {69, 9420, 13860}});
    tickCode(model, row, Field::Communication,
             {{70, 4755, 14100}, {71, 5955, 14100}, {72, 7335, 14100}, {73, 9420, 14100}});

    static const struct
    {
        Field field;
        Tick tick;
    } behaviours[] = {
        {Field::Hallucination, {74, 3015, 14610}},    {Field::Delusion, {75, 4305, 14610}},
        {Field::DayNightReversal, {76, 5310, 14610}}, {Field::VerbalAbuse, {77, 6405, 14610}},
        {Field::Violence, {78, 7230, 14610}},         {Field::Resistance, {79, 7965, 14610}},
        {Field::Wandering, {80, 9525, 14610}},        {Field::FireNeglect, {81, 3015, 14835}},
        {Field::Uncleanliness, {82, 4305, 14835}},    {Field::Pica, {83, 5310, 14835}},
        {Field::SexualBehaviour, {84, 6405, 14835}},  {Field::OtherBehaviour, {85, 7800, 14835}},
    };
    bool present = false;
    bool anyRead = false;
    for (const auto& item : behaviours) {
        const Field field = item.field;
        anyRead = anyRead || row.value(field).has_value();
        if (row.isTrue(field)) {
            storeTick(model, item.tick);
            present = true;
        }
    }
    // 問題行動他名 "00" marks the question as unanswered: neither 有 nor 無 is ticked then,
    // nor when nothing of the question could be read.
    const auto otherName = row.textOrNull(Field::OtherBehaviourName);
    const bool unanswered =
        (otherName && *otherName && **otherName == u"00") || (!anyRead && !otherName);
    if (present)
        storeTick(model, {86, 2010, 14610});
    else if (!unanswered)
        storeTick(model, {87, 1365, 14610});

    if (otherName && *otherName && **otherName != u"00")
        model.FormText[64] = **otherName;
}

void fillPsychiatric(SheetModel& model, const LetterRow& row)
{
    tickCode(model, row, Field::Psychiatric, {{88, 2010, 15320}, {89, 1365, 15320}});
    setText(model, 65, row.text(Field::PsychiatricName));
    tickCode(model, row, Field::Specialist, {{90, 8400, 15320}, {91, 10080, 15320}});
    setText(model, 66, row.text(Field::SpecialistName));
    // The specialist's name in two lines: its last five characters on the second.
    QString& name = model.FormText[66];
    const int length = charCount(name);
    name = length > 5 ? leftChars(name, length - 5) + CrLf + rightChars(name, 5) : CrLf + name;
}

} // namespace sheetdata
