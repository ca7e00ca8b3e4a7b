#include "import/importmapping.h"

#include "common/textcuts.h"
#include "record/wrapforprint.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace import {

namespace {

using db::Variant;

enum class Rule {
    Copy,       // the source column's value as stored, Null included
    Department, // 他科受診その他: a department code becomes its name
    Dose,       // 用量k and 単位k joined into 単位k
    PrintCopy,  // the print copy of a long text: the source text as the entry form wraps it
    Paralysis,  // the four limb flags from the paralysis site
    Joints,     // 関節拘縮 and 関節拘縮部位 from the eight joint flags
    Policy,     // 対処方法 from the eleven handling policies
};

struct Step
{
    QString field;  // the letter field written ("" for the computed groups)
    QString source; // the source column read (the first one for Dose)
    Rule rule = Rule::Copy;
};

// The field writes of one letter, in the order they run.
const std::vector<Step>& steps()
{
    static const std::vector<Step> table = [] {
        std::vector<Step> s;
        auto copy = [&](const QString& field) { s.push_back({field, field, Rule::Copy}); };
        auto copyFrom = [&](const QString& field, const QString& source) {
            s.push_back({field, source, Rule::Copy});
        };
        for (const char16_t* f : {u"患者名", u"患者名かな", u"性別", u"年齢", u"カルテ番号",
                                  u"郵便番号", u"住所", u"電話局番", u"電話", u"生年月日"})
            copy(QString::fromUtf16(f));
        copyFrom(u"最新意見書記入日"_s, u"記入日"_s);
        for (const char16_t* f :
             {u"医療機関名", u"医療機関郵便番号", u"医療機関住所", u"医療機関電話局番",
              u"医療機関電話", u"医療機関FAX局番", u"医療機関FAX", u"医師名", u"医師同意",
              u"意見書作成回数", u"最終診察日", u"他科受診"})
            copy(QString::fromUtf16(f));
        s.push_back({u"他科受診その他"_s, u"他科受診その他"_s, Rule::Department});
        for (int k = 1; k <= 3; ++k)
            copy(u"診断名%1"_s.arg(k));
        for (int k = 1; k <= 3; ++k)
            copy(u"発症年月日%1"_s.arg(k));
        copy(u"症状安定性"_s);
        copy(u"病状治療状態"_s);
        s.push_back({u"病状治療状態印刷"_s, u"病状治療状態"_s, Rule::PrintCopy});
        for (int k = 1; k <= 6; ++k) {
            copy(u"薬剤名%1"_s.arg(k));
            s.push_back({u"単位%1"_s.arg(k), u"用量%1"_s.arg(k), Rule::Dose});
            copy(u"用法%1"_s.arg(k));
        }
        copy(u"寝たきり度"_s);
        copyFrom(u"認知症状況"_s, u"痴呆状況"_s);
        // 酸素療法 is taken over like the eleven special-care flags around it.
        for (const char16_t* f :
             {u"点滴管理",     u"中心静脈栄養", u"透析",         u"人工肛門",     u"酸素療法",
              u"人工呼吸器",   u"気管切開処置", u"疼痛看護",     u"経管栄養",     u"モニター測定",
              u"褥創処置",     u"カテーテル",   u"短期記憶",     u"認知能力",     u"伝達能力",
              u"幻視幻聴",     u"妄想",         u"昼夜逆転",     u"暴言",         u"暴行",
              u"抵抗",         u"徘徊",         u"不始末",       u"不潔行為",     u"異食行動",
              u"性的問題行動", u"問題行動他",   u"問題行動他名", u"精神神経疾患", u"精神神経疾患名",
              u"専門医",       u"専門医名",     u"利き腕",       u"身長",         u"体重",
              u"四肢欠損",     u"四肢欠損部位", u"麻痺"})
            copy(QString::fromUtf16(f));
        s.push_back({QString(), u"麻痺部位"_s, Rule::Paralysis});
        for (const char16_t* f : {u"筋力低下", u"筋力低下部位", u"筋力低下程度"})
            copy(QString::fromUtf16(f));
        s.push_back({QString(), QString(), Rule::Joints});
        for (const char16_t* f : {u"上肢失調右", u"上肢失調左", u"下肢失調右", u"下肢失調左",
                                  u"体幹失調右", u"体幹失調左", u"褥瘡", u"褥瘡部位", u"褥瘡程度",
                                  u"皮膚疾患", u"皮膚疾患部位", u"皮膚疾患程度"})
            copy(QString::fromUtf16(f));
        copyFrom(u"食事行為"_s, u"食事"_s);
        for (const char16_t* f :
             {u"尿失禁", u"転倒骨折", u"褥瘡可能性", u"心肺機能低下", u"徘徊可能性", u"脱水"})
            copy(QString::fromUtf16(f));
        copyFrom(u"易感染性"_s, u"易感感染"_s);
        for (const char16_t* f : {u"痛み", u"病態他", u"病態他名"})
            copy(QString::fromUtf16(f));
        s.push_back({u"対処方法"_s, QString(), Rule::Policy});
        for (const char16_t* f :
             {u"訪問診療", u"訪問看護", u"訪問歯科診療", u"訪問薬剤管理指導",
              u"訪問リハビリテーション", u"短期入所療養介護", u"訪問歯科衛生指導",
              u"訪問栄養食事指導", u"通所リハビリテーション", u"医学的管理他"}) {
            copy(QString::fromUtf16(f));
        }
        for (const char16_t* f :
             {u"訪問診療", u"訪問看護", u"訪問歯科診療", u"訪問薬剤管理指導",
              u"訪問リハビリテーション", u"短期入所療養介護", u"訪問歯科衛生指導",
              u"訪問栄養食事指導", u"通所リハビリテーション", u"医学的管理他"}) {
            copy(QString::fromUtf16(f) + u"下線"_s);
        }
        for (const char16_t* f :
             {u"医学的管理他名", u"介護血圧", u"介護移動", u"介護摂食", u"介護嚥下",
              u"介護血圧留意事項", u"介護移動留意事項", u"介護摂食留意事項", u"介護嚥下留意事項",
              u"介護他", u"感染症", u"感染症名", u"意見書特記事項"})
            copy(QString::fromUtf16(f));
        s.push_back({u"意見書特記事項印刷"_s, u"意見書特記事項"_s, Rule::PrintCopy});
        return s;
    }();
    return table;
}

struct Department
{
    const char16_t* code;
    const char16_t* name;
};
constexpr std::array<Department, 25> Departments{{
    {u"13", u"心療内科"},     {u"14", u"神経科"},       {u"15", u"呼吸器科"},
    {u"16", u"消化器科"},     {u"17", u"循環器科"},     {u"18", u"アレルギー科"},
    {u"19", u"リウマチ科"},   {u"20", u"小児科"},       {u"21", u"形成外科"},
    {u"22", u"美容外科科"},   {u"23", u"呼吸器外科"},   {u"24", u"心臓血管外科"},
    {u"25", u"小児外科"},     {u"26", u"性病科"},       {u"27", u"こう門科"},
    {u"28", u"気管食道科"},   {u"29", u"放射線科"},     {u"30", u"神経内科"},
    {u"31", u"胃腸科"},       {u"32", u"皮膚泌尿器科"}, {u"33", u"産科"},
    {u"34", u"産婦人科"},     {u"35", u"矯正歯科"},     {u"36", u"小児歯科"},
    {u"37", u"歯科口腔外科"},
}};

struct Paralysis
{
    const char16_t* site;
    QStringList limbs;
};
const std::vector<Paralysis>& paralysisSites()
{
    static const QString ru = u"右上肢麻痺"_s, lu = u"左上肢麻痺"_s, rl = u"右下肢麻痺"_s,
                         ll = u"左下肢麻痺"_s;
    static const std::vector<Paralysis> table{
        {u"四肢(完全)", {ru, lu, rl, ll}},
        {u"四肢(不全)", {ru, lu, rl, ll}},
        {u"右完全片麻痺", {ru, rl}},
        {u"右不全片麻痺", {ru, rl}},
        {u"左完全片麻痺", {lu, ll}},
        {u"左不全片麻痺", {lu, ll}},
        {u"両上肢", {ru, lu}},
        {u"両下肢", {rl, ll}},
        {u"右下肢麻痺", {rl}},
        {u"左下肢麻痺", {ll}},
    };
    return table;
}

struct Joint
{
    const char16_t* flag;
    const char16_t* text;
};
constexpr std::array<Joint, 8> Joints{{
    {u"肩関節拘縮右", u"右肩関節"},
    {u"肩関節拘縮左", u"左肩関節"},
    {u"肘関節拘縮右", u"右肘関節"},
    {u"肘関節拘縮左", u"左肘関節"},
    {u"股関節拘縮右", u"右股関節"},
    {u"股関節拘縮左", u"左股関節"},
    {u"膝関節拘縮右", u"右膝関節"},
    {u"膝関節拘縮左", u"左膝関節"},
}};
constexpr int JointTextLength = 16;

constexpr std::array<const char16_t*, 11> Policies{
    u"尿失禁対処方針",     u"転倒骨折対処方針", u"徘徊可能性対処方針", u"褥瘡可能性対処方針",
    u"嚥下性肺炎対処方針", u"腸閉塞対処方針",   u"易感感染対処方針",   u"心肺機能低下対処方針",
    u"痛み対処方針",       u"脱水対処方針",     u"病態他対処方針"};
constexpr int PolicyTextLength = 60;

// Selected by the letter query but read by no step.
constexpr std::array<const char16_t*, 6> UnreadColumns{
    u"病状治療状態他", u"要介護状態予後", u"四肢欠損程度", u"麻痺程度", u"嚥下性肺炎", u"腸閉塞"};

const QString Comma = u"、"_s;

bool isTrue(const Variant& v)
{
    return !v.isNull() && v.toBool().value_or(false);
}

bool isEmptyText(const Variant& v)
{
    return v.isNull() || v.toString().isEmpty();
}

} // namespace

const QStringList& sourceLetterTables()
{
    static const QStringList tables{u"意見書その他"_s, u"意見書基本情報"_s,
                                    u"意見書心身と介護の情報"_s};
    return tables;
}

const QStringList& sourceLetterColumns()
{
    static const QStringList columns = [] {
        QStringList c;
        for (const Step& step : steps()) {
            switch (step.rule) {
            case Rule::Copy:
            case Rule::Department:
            case Rule::Paralysis:
                c << step.source;
                break;
            case Rule::Dose:
                c << step.source << step.field; // 用量k, 単位k
                break;
            case Rule::Joints:
                for (const Joint& j : Joints)
                    c << QString::fromUtf16(j.flag);
                break;
            case Rule::Policy:
                for (const char16_t* p : Policies)
                    c << QString::fromUtf16(p);
                break;
            case Rule::PrintCopy:
                break;
            }
        }
        for (const char16_t* u : UnreadColumns)
            c << QString::fromUtf16(u);
        return c;
    }();
    return columns;
}

Variant departmentName(const Variant& value)
{
    if (value.type() == Variant::Type::String) {
        const QString code = value.toString();
        for (const Department& d : Departments) {
            if (code == QString::fromUtf16(d.code))
                return Variant::fromString(QString::fromUtf16(d.name));
        }
    }
    return value;
}

Variant joinDose(const Variant& dose, const Variant& unit)
{
    if (dose.isNull() && unit.isNull())
        return {};
    return Variant::fromString(dose.toString() + unit.toString());
}

LetterValues mapLetter(const SourceRow& row)
{
    LetterValues out;
    out.reserve(190);
    for (const Step& step : steps()) {
        switch (step.rule) {
        case Rule::Copy:
            out.append({step.field, row(step.source)});
            break;
        case Rule::Department:
            out.append({step.field, departmentName(row(step.source))});
            break;
        case Rule::Dose:
            out.append({step.field, joinDose(row(step.source), row(step.field))});
            break;
        case Rule::PrintCopy: {
            const Variant text = row(step.source);
            out.append({step.field, text.isNull() ? Variant()
                                                  : Variant::fromString(
                                                        record::WrapForPrint(text.toString()))});
            break;
        }
        case Rule::Paralysis: {
            const Variant site = row(step.source);
            if (isEmptyText(site))
                break;
            for (const Paralysis& p : paralysisSites()) {
                if (site.toString() == QString::fromUtf16(p.site)) {
                    for (const QString& limb : p.limbs)
                        out.append({limb, Variant::fromBool(true)});
                    break;
                }
            }
            break;
        }
        case Rule::Joints: {
            QString joints;
            for (const Joint& j : Joints) {
                if (!isTrue(row(QString::fromUtf16(j.flag))))
                    continue;
                if (!joints.isEmpty())
                    joints += Comma;
                joints += QString::fromUtf16(j.text);
            }
            if (!joints.isEmpty())
                out.append({u"関節拘縮"_s, Variant::fromBool(true)});
            out.append({u"関節拘縮部位"_s,
                        Variant::fromString(common::leftChars(joints, JointTextLength))});
            break;
        }
        case Rule::Policy: {
            QString policy;
            for (const char16_t* p : Policies) {
                const Variant v = row(QString::fromUtf16(p));
                if (isEmptyText(v))
                    continue;
                if (!policy.isEmpty())
                    policy += Comma;
                policy += v.toString();
            }
            out.append(
                {step.field, Variant::fromString(common::leftChars(policy, PolicyTextLength))});
            break;
        }
        }
    }
    return out;
}

std::optional<int> phraseListCode(const Variant& category)
{
    const std::optional<qint32> c = category.isNull() ? std::nullopt : category.toLong();
    if (!c)
        return std::nullopt;
    switch (*c) {
    case 1:
    case 2:
    case 5:
    case 6:
    case 8:
        return *c;
    case 9:
        return 11;
    case 10:
        return 12;
    case 22:
        return 13;
    case 23:
        return 15;
    case 24:
        return 19;
    case 25:
        return 17;
    case 26:
        return 16;
    case 27:
        return 20;
    case 28:
        return 21;
    default:
        break;
    }
    if (*c >= 11 && *c <= 21)
        return 14;
    return std::nullopt;
}

Variant phraseText(const Variant& category, const Variant& phrase)
{
    constexpr int CareNoteCategory = 27;
    constexpr int CareNoteLength = 22;
    if (!phrase.isNull() && phraseListCode(category) && category.toLong() == CareNoteCategory)
        return Variant::fromString(common::leftChars(phrase.toString(), CareNoteLength));
    return phrase;
}

} // namespace import
