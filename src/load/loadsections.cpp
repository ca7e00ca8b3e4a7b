#include "load/loadsections.h"

#include "load/loadrules.h"

using namespace Qt::Literals::StringLiterals;

namespace load {

namespace {

constexpr int kNo = controls::kNoIndex;
using controls::Look;

// Fields and controls named together, in loading order.
struct Pair
{
    const char16_t* field;
    int index;
};

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

} // namespace

void loadHeading(LetterLoader& l)
{
    // The writing date keeps its parts as stored ("04"); its era list shows the stored era.
    l.era(u"最新意見書記入日"_s, u"cmbNengoD"_s);
    l.dateParts(u"最新意見書記入日"_s, u"txtNenD"_s, u"txtTukiD"_s, u"txtHiD"_s, kNo, true);
    l.optionCode(u"医師同意"_s, {{u"optDoui"_s, 1}, {u"optDoui"_s, 2}},
                 LetterLoader::Compare::Text);
    // The name's own reaction empties the reading, so the reading comes after it.
    l.text(u"患者名"_s, u"txtname"_s);
    l.text(u"患者名かな"_s, u"txtKana"_s);
    l.setText(u"Label52"_s, kNo, l.controlText(u"txtname"_s));
    l.optionCode(u"性別"_s, {{u"optMale"_s, kNo}, {u"optFemale"_s, kNo}});
    l.era(u"生年月日"_s, u"cmbNengo"_s);
    l.dateParts(u"生年月日"_s, u"txtNen"_s, u"txtTuki"_s, u"txtHi"_s);
    l.text(u"年齢"_s, u"txtToshi"_s);
    l.split(u"郵便番号"_s, {u"txtYubin1"_s, kNo}, {u"txtYubin2"_s, kNo});
    l.text(u"住所"_s, u"txtZusho"_s);
    l.text(u"電話局番"_s, u"txtTel"_s, 0);
    l.split(u"電話"_s, {u"txtTel"_s, 1}, {u"txtTel"_s, 2});
    l.text(u"カルテ番号"_s, u"txtPtID"_s);
    l.era(u"最終診察日"_s, u"cmbNengo2"_s);
    l.dateParts(u"最終診察日"_s, u"txtNen2"_s, u"txtTuki2"_s, u"txtHi2"_s);
    l.optionCode(u"意見書作成回数"_s, u"opKaisu"_s, 2, 0);
}

// 他科受診 holds the two-digit codes "01" to "12" of the ticked departments, "" for 無 and
// "00" when the question was not answered; 他科受診その他 the other department's name.
void loadOtherDepartments(LetterLoader& l)
{
    const auto codes = l.fieldText(u"他科受診"_s);
    const auto other = l.fieldText(u"他科受診その他"_s);
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
        l.text(u"診断名%1"_s.arg(k), u"cmbSippei"_s, k);
    // All three eras first, then the three dates' parts.
    for (int k = 1; k <= 3; ++k)
        l.era(u"発症年月日%1"_s.arg(k), u"cmbSippeiNengou"_s, k);
    for (int k = 1; k <= 3; ++k)
        l.dateParts(u"発症年月日%1"_s.arg(k), u"txtSippeiNen"_s, u"txtSippeiTuki"_s,
                    u"txtSippeiHi"_s, k);
    l.optionCode(u"症状安定性"_s, u"opAntei"_s, 3);
    l.text(u"不安定"_s, u"txtHuantei"_s);
    l.text(u"病状治療状態"_s, u"txtKeika"_s);
    for (int k = 1; k <= 6; ++k) {
        l.text(u"薬剤名%1"_s.arg(k), u"cmbYakuzai"_s, k);
        l.text(u"単位%1"_s.arg(k), u"cmbYakuzaiKeizyo"_s, k);
        l.text(u"用法%1"_s.arg(k), u"cmbYouhou"_s, k);
    }
    static const Pair care[] = {
        {u"点滴管理", 1}, {u"中心静脈栄養", 2},  {u"透析", 3},         {u"人工肛門", 4},
        {u"酸素療法", 5}, {u"人工呼吸器", 6},    {u"気管切開処置", 7}, {u"疼痛看護", 8},
        {u"経管栄養", 9}, {u"モニター測定", 10}, {u"褥創処置", 11},    {u"カテーテル", 12},
    };
    for (const Pair& p : care)
        l.check(s(p.field), u"cheTokubetu"_s, p.index);
}

void loadMentalState(LetterLoader& l)
{
    l.optionCode(u"寝たきり度"_s, u"opNeta"_s, 9);
    l.optionCode(u"認知症状況"_s, u"opNin"_s, 8);
    l.optionCode(u"短期記憶"_s, u"opKioku"_s, 2);
    l.optionCode(u"認知能力"_s, u"opNinchi"_s, 4);
    l.optionCode(u"伝達能力"_s, u"opDen"_s, 4);

    const QString boxes = u"chkShuhen"_s;
    static const Pair behaviours[] = {
        {u"幻視幻聴", 1}, {u"妄想", 2},      {u"昼夜逆転", 3},      {u"暴言", 4},
        {u"暴行", 5},     {u"抵抗", 6},      {u"徘徊", 7},          {u"不始末", 8},
        {u"不潔行為", 9}, {u"異食行動", 10}, {u"性的問題行動", 11}, {u"問題行動他", 12},
    };
    for (const Pair& p : behaviours)
        l.check(s(p.field), boxes, p.index);

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
    if (const auto otherName = l.field(u"問題行動他名"_s)) {
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
    const auto yesNo = [&](const QString& field, const QString& options, const QString& box) {
        const auto code = l.code(field, 2);
        if (code)
            l.setValue(options, *code, 1);
        if (code == 2)
            l.setLook(box, kNo, Look::Disabled);
    };
    yesNo(u"精神神経疾患"_s, u"opPsy"_s, u"cmbPsy"_s);
    l.text(u"精神神経疾患名"_s, u"cmbPsy"_s);
    yesNo(u"専門医"_s, u"opPsyist"_s, u"txtPsyist"_s);
    l.text(u"専門医名"_s, u"txtPsyist"_s);

    l.optionCode(u"利き腕"_s, u"opKiki"_s, 2);
    l.text(u"身長"_s, u"txtHight"_s);
    l.text(u"体重"_s, u"txtWeight"_s);
    l.optionCode(u"体重変化"_s, u"optHenka"_s, 3);
    l.check(u"四肢欠損"_s, u"chkKesson"_s);
    l.text(u"四肢欠損部位"_s, u"cmbKesson"_s);
}

void loadPhysicalState(LetterLoader& l)
{
    // Each tick before the controls its reaction enables.
    l.check(u"麻痺"_s, u"chkMahi"_s);
    static const Pair sites[] = {{u"右上肢麻痺", 1},
                                 {u"右下肢麻痺", 2},
                                 {u"左上肢麻痺", 3},
                                 {u"左下肢麻痺", 4},
                                 {u"その他麻痺", 5}};
    for (const Pair& p : sites)
        l.check(s(p.field), u"chkMahibui"_s, p.index);
    l.text(u"その他麻痺部位"_s, u"cmbMahibui"_s);
    for (const Pair& p : sites)
        l.optionCode(s(p.field) + u"程度"_s, u"optTeido%1"_s.arg(p.index), 3);

    const auto finding = [&](const QString& field, const QString& box, const QString& site,
                             const QString& degree) {
        l.check(field, box);
        l.text(field + u"部位"_s, site);
        l.optionCode(field + u"程度"_s, degree, 3);
    };
    finding(u"筋力低下"_s, u"chkTeika"_s, u"cmbTeika"_s, u"optKintei"_s);
    finding(u"関節拘縮"_s, u"chkKousyuku"_s, u"cmbKousyuku"_s, u"optKousyuku"_s);
    finding(u"関節疼痛"_s, u"chkToutsu"_s, u"cmbToutsu"_s, u"optToutsu"_s);

    // The main ataxia box follows from its six sides; the stored box itself is not read.
    static const Pair ataxia[] = {{u"上肢失調右", 1}, {u"上肢失調左", 2}, {u"下肢失調右", 3},
                                  {u"下肢失調左", 4}, {u"体幹失調右", 5}, {u"体幹失調左", 6}};
    bool anyAtaxia = false;
    for (const Pair& p : ataxia) {
        if (l.isTrue(s(p.field))) {
            l.setValue(u"chkHuzui"_s, p.index, 1);
            anyAtaxia = true;
        }
    }
    if (anyAtaxia)
        l.setValue(u"chkHuzui"_s, 0, 1);

    finding(u"褥瘡"_s, u"chkJokusou"_s, u"cmbJokusou"_s, u"opJokusou"_s);
    finding(u"皮膚疾患"_s, u"chkHihu"_s, u"cmbHihu"_s, u"optHihu"_s);

    l.optionCode(u"屋外歩行"_s, u"optHokou"_s, 3);
    l.optionCode(u"車椅子"_s, u"optIsu"_s, 3);
    // Walking aids: 1 none, 2 outdoors, 3 indoors, 4 both.
    static const int aids[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}};
    if (const auto code = l.code(u"補助装具"_s, 4)) {
        for (int i = 1; i <= 3; ++i)
            l.setValue(u"chkHozyo"_s, i, aids[*code - 1][i - 1]);
    }
}

void loadLifeAndCare(LetterLoader& l)
{
    l.optionCode(u"食事行為"_s, u"optShokuzi"_s, 2);
    l.optionCode(u"栄養状態"_s, u"optEiyou"_s, 2);
    l.text(u"栄食留意"_s, u"txtEiyou"_s);
    static const Pair conditions[] = {
        {u"尿失禁", 1},       {u"転倒骨折", 2},   {u"移動能力", 3}, {u"褥瘡可能性", 4},
        {u"心肺機能低下", 5}, {u"閉じこもり", 6}, {u"意欲低下", 7}, {u"徘徊可能性", 8},
        {u"低栄養", 9},       {u"摂食嚥下", 10},  {u"脱水", 11},    {u"易感染性", 12},
        {u"痛み", 13},        {u"病態他", 14},
    };
    for (const Pair& p : conditions)
        l.check(s(p.field), u"chkJoutai"_s, p.index);
    l.text(u"病態他名"_s, u"cmbTabyotai"_s);
    l.text(u"対処方法"_s, u"cmbTaisyo"_s);
    l.optionCode(u"生活機能"_s, u"optKinou"_s, 3);

    // The ten boxes first, then the other service's name, then the ten underlines: a line
    // stored under an unticked box is shown all the same.
    static const Pair services[] = {
        {u"訪問診療", 1},
        {u"訪問看護", 2},
        {u"訪問歯科診療", 3},
        {u"訪問薬剤管理指導", 4},
        {u"訪問リハビリテーション", 5},
        {u"短期入所療養介護", 6},
        {u"訪問歯科衛生指導", 7},
        {u"訪問栄養食事指導", 8},
        {u"通所リハビリテーション", 9},
        {u"医学的管理他", 10},
    };
    for (const Pair& p : services)
        l.check(s(p.field), u"chkKanri"_s, p.index);
    l.text(u"医学的管理他名"_s, u"txtKanri"_s);
    for (const Pair& p : services)
        l.underline(s(p.field) + u"下線"_s, u"KnariUnder"_s, p.index);

    static const char16_t* const care[] = {u"介護血圧", u"介護移動", u"介護摂食", u"介護運動",
                                           u"介護嚥下"};
    for (int n = 1; n <= 5; ++n)
        l.optionCode(s(care[n - 1]), u"optKanten%1"_s.arg(n), 2);
    for (int n = 1; n <= 5; ++n)
        l.text(s(care[n - 1]) + u"留意事項"_s, u"cmbKanten"_s, n);
    l.text(u"介護他"_s, u"cmbKanten"_s, 6);
    l.optionCode(u"感染症"_s, u"optKansen"_s, 3);
    l.text(u"感染症名"_s, u"cmbKansen"_s);
}

void loadSpecialNotes(LetterLoader& l)
{
    l.text(u"意見書特記事項"_s, u"txtTokki"_s);
}

void loadDoctorBlock(LetterLoader& l)
{
    l.text(u"医師名"_s, u"cmbKisaisya"_s);
    l.text(u"医療機関名"_s, u"Kisaisya"_s, 1);
    l.split(u"医療機関郵便番号"_s, {u"txtYubin1Dr"_s, kNo}, {u"txtYubin2Dr"_s, kNo});
    l.text(u"医療機関住所"_s, u"txtZushoDr"_s);
    l.text(u"医療機関電話局番"_s, u"Kisaisya"_s, 5);
    l.split(u"医療機関電話"_s, {u"Kisaisya"_s, 6}, {u"Kisaisya"_s, 7});
    l.text(u"医療機関FAX局番"_s, u"Kisaisya"_s, 8);
    l.split(u"医療機関FAX"_s, {u"Kisaisya"_s, 9}, {u"Kisaisya"_s, 10});
}

} // namespace load
