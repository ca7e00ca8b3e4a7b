#include "record/datasave3.h"

#include "common/textcuts.h"

#include "platform/database.h"
#include "platform/settings.h"
#include "record/wrapforprint.h"

#include <array>
#include <optional>

namespace record {

namespace {

using db::Variant;
using OptText = std::optional<QString>;

constexpr int NoIndex = FormReader::NoIndex;

// Reads the form and writes the row, one statement at a time. A read of a control the form
// lacks gives nothing, and a write of nothing or a write the recordset refuses is skipped.
class LetterWriter
{
public:
    LetterWriter(const FormReader& form, db::Recordset& letters) : m_form(form), m_letters(letters)
    {
    }

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
    void put(const QString& field, const Variant& value)
    {
        if (!m_letters.setField(field, value))
            noteFailure(field);
    }
    void putText(const QString& field, const OptText& value)
    {
        if (value)
            put(field, Variant::fromString(*value));
        else
            noteFailure(field);
    }
    void putFlag(const QString& field, bool value) { put(field, Variant::fromBool(value)); }
    // A check flag: True when ticked, False for any other value; nothing for a missing box.
    void putCheck(const QString& field, const QString& box, int index = NoIndex)
    {
        if (const auto v = m_form.value(box, index))
            putFlag(field, *v == 1);
        else
            noteFailure(field);
    }
    void putInteger(const QString& field, int value)
    {
        put(field, Variant::fromInteger(static_cast<qint16>(value)));
    }
    // An answer given as the digit string of its option number.
    void putDigits(const QString& field, int option)
    {
        put(field, Variant::fromString(QString::number(option)));
    }
    // Reads the field back from the row (the edit buffer); nothing when it cannot.
    OptText fieldText(const QString& field) const
    {
        bool ok = false;
        const Variant v = m_letters.field(field, &ok);
        if (!ok)
            return std::nullopt;
        return v.toString();
    }

    // Answer code from an option array 1..count: Integer 0, then the chosen member's number
    // as a digit string.
    void answerCode(const QString& field, const QString& options, int count)
    {
        putInteger(field, 0);
        for (int i = 1; i <= count; ++i) {
            if (chosen(options, i))
                putDigits(field, i);
        }
    }
    // Answer code of a question whose options are separate controls: Integer 0, then the
    // number of each chosen option, as an Integer.
    void integerCode(const QString& field, const QList<std::pair<QString, int>>& options)
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
    void noteFailure(const QString& field)
    {
        if (!m_failed.contains(field))
            m_failed.append(field);
    }

    const FormReader& m_form;
    db::Recordset& m_letters;
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
    w.putText(QStringLiteral("医療機関名"), w.text(QStringLiteral("Kisaisya"), 1));
    if (withPostalCodeAndAddress) {
        w.putText(QStringLiteral("医療機関郵便番号"),
                  join({w.text(QStringLiteral("txtYubin1Dr")), literal(u"-"),
                        w.text(QStringLiteral("txtYubin2Dr"))}));
        w.putText(QStringLiteral("医療機関住所"), w.text(QStringLiteral("txtZushoDr")));
    }
    w.putText(QStringLiteral("医療機関電話局番"), w.text(QStringLiteral("Kisaisya"), 5));
    w.putText(QStringLiteral("医療機関電話"),
              join({w.text(QStringLiteral("Kisaisya"), 6), literal(u"-"),
                    w.text(QStringLiteral("Kisaisya"), 7)}));
    w.putText(QStringLiteral("医療機関FAX局番"), w.text(QStringLiteral("Kisaisya"), 8));
    w.putText(QStringLiteral("医療機関FAX"),
              join({w.text(QStringLiteral("Kisaisya"), 9), literal(u"-"),
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
    w.putText(QStringLiteral("最新意見書記入日"), written);

    w.putText(QStringLiteral("医師名"), w.text(QStringLiteral("cmbKisaisya")));
    writeInstitutionFields(w, true);
    w.integerCode(QStringLiteral("医師同意"),
                  {{QStringLiteral("optDoui"), 1}, {QStringLiteral("optDoui"), 2}});
    w.putText(QStringLiteral("患者名"), w.text(QStringLiteral("txtname")));
    w.putText(QStringLiteral("患者名かな"), w.text(QStringLiteral("txtKana")));
    w.integerCode(QStringLiteral("性別"),
                  {{QStringLiteral("optMale"), NoIndex}, {QStringLiteral("optFemale"), NoIndex}});
    w.putText(QStringLiteral("生年月日"),
              eraDateOrEmpty(
                  eraDate(w.text(QStringLiteral("cmbNengo")), w.text(QStringLiteral("txtNen")),
                          w.text(QStringLiteral("txtTuki")), w.text(QStringLiteral("txtHi")))));
    w.putText(QStringLiteral("年齢"), w.text(QStringLiteral("txtToshi")));
    w.putText(QStringLiteral("郵便番号"), join({w.text(QStringLiteral("txtYubin1")), literal(u"-"),
                                                w.text(QStringLiteral("txtYubin2"))}));
    w.putText(QStringLiteral("住所"), w.text(QStringLiteral("txtZusho")));
    w.putText(QStringLiteral("電話局番"), w.text(QStringLiteral("txtTel"), 0));
    w.putText(QStringLiteral("電話"), join({w.text(QStringLiteral("txtTel"), 1), literal(u"-"),
                                            w.text(QStringLiteral("txtTel"), 2)}));
    w.putText(QStringLiteral("カルテ番号"), w.text(QStringLiteral("txtPtID")));
    w.putText(QStringLiteral("最終診察日"),
              eraDateOrEmpty(
                  eraDate(w.text(QStringLiteral("cmbNengo2")), w.text(QStringLiteral("txtNen2")),
                          w.text(QStringLiteral("txtTuki2")), w.text(QStringLiteral("txtHi2")))));
    w.integerCode(QStringLiteral("意見書作成回数"),
                  {{QStringLiteral("opKaisu"), 0}, {QStringLiteral("opKaisu"), 1}});
}

void writeClosing(LetterWriter& w)
{
    w.putText(QStringLiteral("医師氏名"), w.text(QStringLiteral("cmbKisaisya")));
    writeInstitutionFields(w, false);
}

// --- other departments, diagnoses and onset dates

void writeDepartmentsAndDiagnoses(LetterWriter& w)
{
    const QString departments = QStringLiteral("他科受診");
    const QString other = QStringLiteral("他科受診その他");
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
        w.putText(QStringLiteral("診断名%1").arg(k), w.text(QStringLiteral("cmbSippei"), k));

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
        w.putText(QStringLiteral("発症年月日%1").arg(k), onset);
    }
}

// --- disease course, medication, special medical care and remarks

void writeLongText(LetterWriter& w, const QString& field, const QString& box)
{
    const OptText text = w.text(box);
    w.putText(field, text);
    // The copy is made from this box's text alone; when the box cannot be read, the copy
    // field keeps what it held.
    w.putText(field + QStringLiteral("印刷"), text ? OptText(WrapForPrint(*text)) : std::nullopt);
}

void writeCourseAndCare(LetterWriter& w)
{
    w.answerCode(QStringLiteral("症状安定性"), QStringLiteral("opAntei"), 3);
    w.putText(QStringLiteral("不安定"), w.text(QStringLiteral("txtHuantei")));
    writeLongText(w, QStringLiteral("病状治療状態"), QStringLiteral("txtKeika"));
    for (int k = 1; k <= 6; ++k) {
        w.putText(QStringLiteral("薬剤名%1").arg(k), w.text(QStringLiteral("cmbYakuzai"), k));
        w.putText(QStringLiteral("単位%1").arg(k), w.text(QStringLiteral("cmbYakuzaiKeizyo"), k));
        w.putText(QStringLiteral("用法%1").arg(k), w.text(QStringLiteral("cmbYouhou"), k));
    }
    static const std::array<const char16_t*, 12> care = {
        u"点滴管理",     u"中心静脈栄養", u"透析",     u"人工肛門",     u"酸素療法", u"人工呼吸器",
        u"気管切開処置", u"疼痛看護",     u"経管栄養", u"モニター測定", u"褥創処置", u"カテーテル"};
    for (int k = 1; k <= 12; ++k)
        w.putCheck(QString::fromUtf16(care[k - 1]), QStringLiteral("cheTokubetu"), k);
}

void writeRemarks(LetterWriter& w)
{
    writeLongText(w, QStringLiteral("意見書特記事項"), QStringLiteral("txtTokki"));
}

// --- daily-life independence, cognition and problem behaviour

void writeIndependenceAndBehaviour(LetterWriter& w)
{
    w.answerCode(QStringLiteral("寝たきり度"), QStringLiteral("opNeta"), 9);
    w.answerCode(QStringLiteral("認知症状況"), QStringLiteral("opNin"), 8);
    w.answerCode(QStringLiteral("短期記憶"), QStringLiteral("opKioku"), 2);
    w.answerCode(QStringLiteral("認知能力"), QStringLiteral("opNinchi"), 4);
    w.answerCode(QStringLiteral("伝達能力"), QStringLiteral("opDen"), 4);

    static const std::array<const char16_t*, 12> behaviour = {
        u"幻視幻聴", u"妄想",   u"昼夜逆転", u"暴言",     u"暴行",         u"抵抗",
        u"徘徊",     u"不始末", u"不潔行為", u"異食行動", u"性的問題行動", u"問題行動他"};
    const auto clearFlags = [&] {
        for (const char16_t* flag : behaviour)
            w.putFlag(QString::fromUtf16(flag), false);
    };
    clearFlags();
    for (int k = 1; k <= 12; ++k) {
        if (w.ticked(QStringLiteral("chkShuhen"), k))
            w.putFlag(QString::fromUtf16(behaviour[k - 1]), true);
    }
    const QString otherName = QStringLiteral("問題行動他名");
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
    const QString psy = QStringLiteral("精神神経疾患");
    const QString psyName = QStringLiteral("精神神経疾患名");
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
    const QString specialist = QStringLiteral("専門医");
    const QString specialistName = QStringLiteral("専門医名");
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

    w.integerCode(QStringLiteral("利き腕"),
                  {{QStringLiteral("opKiki"), 1}, {QStringLiteral("opKiki"), 2}});
    w.putText(QStringLiteral("身長"), w.text(QStringLiteral("txtHight")));
    w.putText(QStringLiteral("体重"), w.text(QStringLiteral("txtWeight")));
    w.answerCode(QStringLiteral("体重変化"), QStringLiteral("optHenka"), 3);

    if (w.ticked(QStringLiteral("chkKesson")))
        w.putFlag(QStringLiteral("四肢欠損"), true);
    w.putText(QStringLiteral("四肢欠損部位"), w.text(QStringLiteral("cmbKesson")));
    if (w.unticked(QStringLiteral("chkKesson"))) {
        w.putFlag(QStringLiteral("四肢欠損"), false);
        w.putText(QStringLiteral("四肢欠損部位"), QString());
    }

    // Paralysis: the whole group, five sites with their degrees, and the other site's name.
    const QString group = QStringLiteral("麻痺");
    static const std::array<const char16_t*, 5> siteFlag = {
        u"右上肢麻痺", u"右下肢麻痺", u"左上肢麻痺", u"左下肢麻痺", u"その他麻痺"};
    const auto flag = [](int k) { return QString::fromUtf16(siteFlag[k - 1]); };
    const auto degree = [](int k) {
        return QString::fromUtf16(siteFlag[k - 1]) + QStringLiteral("程度");
    };
    const QString otherSite = QStringLiteral("その他麻痺部位");
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
    const char16_t* flag;
    const char16_t* siteBox;
    const char16_t* site;
    const char16_t* degreeOptions;
    const char16_t* degree;
};

void writeFinding(LetterWriter& w, const Finding& f)
{
    const QString box = QString::fromUtf16(f.box);
    const QString flag = QString::fromUtf16(f.flag);
    const QString site = QString::fromUtf16(f.site);
    const QString degree = QString::fromUtf16(f.degree);
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
    static const std::array<const char16_t*, 6> side = {
        u"上肢失調右", u"上肢失調左", u"下肢失調右", u"下肢失調左", u"体幹失調右", u"体幹失調左"};
    const auto clearSides = [&] {
        for (const char16_t* s : side)
            w.putFlag(QString::fromUtf16(s), false);
    };
    const QString group = QStringLiteral("失調不随");
    clearSides();
    if (w.ticked(QStringLiteral("chkHuzui"), 0))
        w.putFlag(group, true);
    for (int k = 1; k <= 6; ++k) {
        if (w.ticked(QStringLiteral("chkHuzui"), k))
            w.putFlag(QString::fromUtf16(side[k - 1]), true);
    }
    if (w.unticked(QStringLiteral("chkHuzui"), 0)) {
        w.putFlag(group, false);
        clearSides();
    }
}

void writeMusclesJointsSkin(LetterWriter& w)
{
    writeFinding(
        w, {u"chkTeika", u"筋力低下", u"cmbTeika", u"筋力低下部位", u"optKintei", u"筋力低下程度"});
    writeFinding(w, {u"chkKousyuku", u"関節拘縮", u"cmbKousyuku", u"関節拘縮部位", u"optKousyuku",
                     u"関節拘縮程度"});
    writeFinding(w, {u"chkToutsu", u"関節疼痛", u"cmbToutsu", u"関節疼痛部位", u"optToutsu",
                     u"関節疼痛程度"});
    writeAtaxia(w);
    writeFinding(w,
                 {u"chkJokusou", u"褥瘡", u"cmbJokusou", u"褥瘡部位", u"opJokusou", u"褥瘡程度"});
    writeFinding(
        w, {u"chkHihu", u"皮膚疾患", u"cmbHihu", u"皮膚疾患部位", u"optHihu", u"皮膚疾患程度"});
}

// --- mobility, nutrition, risks and prognosis

void writeLifeFunction(LetterWriter& w)
{
    w.answerCode(QStringLiteral("屋外歩行"), QStringLiteral("optHokou"), 3);
    w.answerCode(QStringLiteral("車椅子"), QStringLiteral("optIsu"), 3);

    const QString aids = QStringLiteral("補助装具");
    const QString aidBox = QStringLiteral("chkHozyo");
    w.putInteger(aids, 0);
    if (w.ticked(aidBox, 1))
        w.putDigits(aids, 1);
    if (w.ticked(aidBox, 2))
        w.putDigits(aids, w.ticked(aidBox, 3) ? 4 : 2);
    if (w.ticked(aidBox, 3) && !w.ticked(aidBox, 2))
        w.putDigits(aids, 3);

    w.answerCode(QStringLiteral("食事行為"), QStringLiteral("optShokuzi"), 2);
    w.answerCode(QStringLiteral("栄養状態"), QStringLiteral("optEiyou"), 2);
    const OptText points = w.text(QStringLiteral("txtEiyou"));
    w.putText(QStringLiteral("栄食留意"),
              points ? OptText(common::leftChars(*points, 40)) : std::nullopt);

    static const std::array<const char16_t*, 14> condition = {
        u"尿失禁",     u"転倒骨折", u"移動能力",   u"褥瘡可能性", u"心肺機能低下",
        u"閉じこもり", u"意欲低下", u"徘徊可能性", u"低栄養",     u"摂食嚥下",
        u"脱水",       u"易感染性", u"痛み",       u"病態他"};
    for (int k = 1; k <= 14; ++k)
        w.putCheck(QString::fromUtf16(condition[k - 1]), QStringLiteral("chkJoutai"), k);
    w.putText(QStringLiteral("病態他名"), w.text(QStringLiteral("cmbTabyotai")));
    if (w.unticked(QStringLiteral("chkJoutai"), 14)) {
        w.putFlag(QStringLiteral("病態他"), false);
        w.putText(QStringLiteral("病態他名"), QString());
    }
    const OptText policy = w.text(QStringLiteral("cmbTaisyo"));
    w.putText(QStringLiteral("対処方法"),
              policy ? OptText(common::leftChars(*policy, 60)) : std::nullopt);

    w.answerCode(QStringLiteral("生活機能"), QStringLiteral("optKinou"), 3);
}

// --- medical services, care notes and infection

void writeServicesAndNotes(LetterWriter& w)
{
    static const std::array<const char16_t*, 10> service = {u"訪問診療",
                                                            u"訪問看護",
                                                            u"訪問歯科診療",
                                                            u"訪問薬剤管理指導",
                                                            u"訪問リハビリテーション",
                                                            u"短期入所療養介護",
                                                            u"訪問歯科衛生指導",
                                                            u"訪問栄養食事指導",
                                                            u"通所リハビリテーション",
                                                            u"医学的管理他"};
    const auto serviceFlag = [](int i) { return QString::fromUtf16(service[i - 1]); };
    const auto underlineFlag = [](int i) {
        return QString::fromUtf16(service[i - 1]) + QStringLiteral("下線");
    };
    for (int i = 1; i <= 10; ++i)
        w.putFlag(serviceFlag(i), false);
    for (int i = 1; i <= 10; ++i)
        w.putFlag(underlineFlag(i), false);
    for (int i = 1; i <= 10; ++i) {
        if (w.ticked(QStringLiteral("chkKanri"), i))
            w.putFlag(serviceFlag(i), true);
    }
    if (w.unticked(QStringLiteral("chkKanri"), 10))
        w.putText(QStringLiteral("医学的管理他名"), QString());
    else
        w.putText(QStringLiteral("医学的管理他名"), w.text(QStringLiteral("txtKanri")));
    for (int i = 1; i <= 10; ++i) {
        if (w.visible(QStringLiteral("KnariUnder"), i))
            w.putFlag(underlineFlag(i), true);
    }

    static const std::array<const char16_t*, 5> note = {u"介護血圧", u"介護移動", u"介護摂食",
                                                        u"介護運動", u"介護嚥下"};
    for (int k = 1; k <= 5; ++k)
        w.answerCode(QString::fromUtf16(note[k - 1]), QStringLiteral("optKanten%1").arg(k), 2);
    for (int k = 1; k <= 5; ++k) {
        w.putText(QString::fromUtf16(note[k - 1]) + QStringLiteral("留意事項"),
                  w.text(QStringLiteral("cmbKanten"), k));
    }
    w.putText(QStringLiteral("介護他"), w.text(QStringLiteral("cmbKanten"), 6));
    for (int k = 1; k <= 5; ++k) {
        if (!w.enabled(QStringLiteral("cmbKanten"), k))
            w.putText(QString::fromUtf16(note[k - 1]) + QStringLiteral("留意事項"), QString());
    }

    w.answerCode(QStringLiteral("感染症"), QStringLiteral("optKansen"), 3);
    w.putText(QStringLiteral("感染症名"), w.text(QStringLiteral("cmbKansen")));
    if (!w.enabled(QStringLiteral("cmbKansen")))
        w.putText(QStringLiteral("感染症名"), QString());
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

QStringList DataSave3(const FormReader& form, db::Recordset& letters)
{
    LetterWriter w(form, letters);
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
    SaveDoctorDefaults(form);
    return w.failedFields();
}

} // namespace record
