// Loading a stored letter into the entry form: every section's rules on fixture rows.
#include "loadfixture.h"

#include "common/fontsubstitution.h"
#include "load/dataload.h"

#include <QtTest>

using namespace loadtest;
using namespace Qt::Literals::StringLiterals;

class DataLoadTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void fields_data();
    void fields();
};

namespace {

const QString grey = u"C0C0C0"_s;
const QString cyan = u"FFFFC0"_s;
const QString darkGrey = u"808080"_s;
const QString buttonText = u"80000012"_s;

void row(const char* name, const Fields& fields, const QStringList& expected)
{
    QTest::newRow(name) << fields << expected;
}

// Every behaviour flag False but the ones given.
Fields behaviours(const QStringList& ticked, const db::Variant& otherName)
{
    const QStringList all = {u"幻視幻聴"_s, u"妄想"_s,     u"昼夜逆転"_s,     u"暴言"_s,
                             u"暴行"_s,     u"抵抗"_s,     u"徘徊"_s,         u"不始末"_s,
                             u"不潔行為"_s, u"異食行動"_s, u"性的問題行動"_s, u"問題行動他"_s};
    Fields fields;
    for (const QString& f : all)
        fields.append({f, ticked.contains(f) ? T : F});
    fields.append({u"問題行動他名"_s, otherName});
    return fields;
}

} // namespace

void DataLoadTest::fields_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QStringList>("expected");

    // The writing date: parts as stored, era from the date.
    row("writing date keeps zeros", {{u"最新意見書記入日"_s, S(u"平成18年04月01日"_s)}},
        {u"cmbNengoD.text=平成"_s, u"txtNenD.text=18"_s, u"txtTukiD.text=04"_s,
         u"txtHiD.text=01"_s});
    row("writing date of 令和", {{u"最新意見書記入日"_s, S(u"令和07年12月1日"_s)}},
        {u"cmbNengoD.text=令和"_s, u"txtNenD.text=07"_s, u"txtTukiD.text=12"_s,
         u"txtHiD.text=1"_s});
    row("writing date empty", {{u"最新意見書記入日"_s, S(u""_s)}},
        {u"cmbNengoD.text=令和"_s, u"txtNenD.text="_s, u"txtTukiD.text="_s, u"txtHiD.text="_s});

    // Birth date and last examination: parts in print form, every era of the list.
    row("birth date in print form", {{u"生年月日"_s, S(u"昭和08年04月01日"_s)}},
        {u"cmbNengo.text=昭和"_s, u"txtNen.text= 8"_s, u"txtTuki.text= 4"_s, u"txtHi.text= 1"_s});
    row("birth date of 平成 stays 平成", {{u"生年月日"_s, S(u"平成02年10月31日"_s)}},
        {u"cmbNengo.text=平成"_s, u"txtNen.text= 2"_s, u"txtTuki.text=10"_s, u"txtHi.text=31"_s});
    row("birth date of 明治", {{u"生年月日"_s, S(u"明治45年7月29日"_s)}},
        {u"cmbNengo.text=明治"_s, u"txtNen.text=45"_s, u"txtTuki.text=7"_s});
    row("birth year 00", {{u"生年月日"_s, S(u"大正00年01月02日"_s)}},
        {u"cmbNengo.text=大正"_s, u"txtNen.text="_s, u"txtTuki.text= 1"_s, u"txtHi.text= 2"_s});
    row("birth date empty", {{u"生年月日"_s, S(u""_s)}, {u"最終診察日"_s, S(u""_s)}},
        {u"cmbNengo.text=昭和"_s, u"txtNen.text="_s, u"cmbNengo2.text=令和"_s, u"txtNen2.text="_s});
    row("birth date of an era the list lacks", {{u"生年月日"_s, S(u"令和01年05月01日"_s)}},
        {u"cmbNengo.text=昭和"_s, u"txtNen.text= 1"_s, u"txtTuki.text= 5"_s});
    row("last examination of 平成", {{u"最終診察日"_s, S(u"平成30年12月05日"_s)}},
        {u"cmbNengo2.text=平成"_s, u"txtNen2.text=30"_s, u"txtTuki2.text=12"_s,
         u"txtHi2.text= 5"_s});
    row("last examination of 昭和", {{u"最終診察日"_s, S(u"昭和63年1月7日"_s)}},
        {u"cmbNengo2.text=昭和"_s, u"txtNen2.text=63"_s, u"txtHi2.text=7"_s});

    // Codes of the heading.
    row("consent 1, sex 2, second letter",
        {{u"医師同意"_s, N(1)}, {u"性別"_s, N(2)}, {u"意見書作成回数"_s, N(2)}},
        {u"optDoui(1).value=1"_s, u"optDoui(2).value=0"_s, u"optFemale.value=1"_s,
         u"optMale.value=0"_s, u"opKaisu(0).value=0"_s, u"opKaisu(1).value=1"_s});
    row("consent 2, sex 1, first letter",
        {{u"医師同意"_s, N(2)}, {u"性別"_s, N(1)}, {u"意見書作成回数"_s, N(1)}},
        {u"optDoui(2).value=1"_s, u"optMale.value=1"_s, u"opKaisu(0).value=1"_s});
    row("codes out of range choose nothing",
        {{u"医師同意"_s, N(3)}, {u"性別"_s, N(0)}, {u"意見書作成回数"_s, N(0)}},
        {u"optDoui(1).value=0"_s, u"optDoui(2).value=0"_s, u"optMale.value=0"_s,
         u"optFemale.value=0"_s, u"opKaisu(0).value=0"_s, u"opKaisu(1).value=0"_s});
    row("Null codes choose nothing", {{u"医師同意"_s, Null}, {u"性別"_s, Null}},
        {u"optDoui(1).value=0"_s, u"optMale.value=0"_s, u"optFemale.value=0"_s});

    // The patient.
    row("name, reading and title",
        {{u"患者名"_s, S(u"山田　太郎"_s)}, {u"患者名かな"_s, S(u"やまだ　たろう"_s)}},
        {u"txtname.text=山田　太郎"_s, u"txtKana.text=やまだ　たろう"_s,
         u"Label52.text=山田　太郎"_s});
    row("Null name", {{u"患者名"_s, Null}, {u"患者名かな"_s, S(u"やまだ"_s)}},
        {u"txtname.text="_s, u"txtKana.text=やまだ"_s, u"Label52.text="_s});
    row("address, age, telephone, chart",
        {{u"年齢"_s, S(u"84"_s)},
         {u"郵便番号"_s, S(u"123-4567"_s)},
         {u"住所"_s, S(u"東京都千代田区1-1"_s)},
         {u"電話局番"_s, S(u"03"_s)},
         {u"電話"_s, S(u"1234-5678"_s)},
         {u"カルテ番号"_s, S(u"A-001"_s)}},
        {u"txtToshi.text=84"_s, u"txtYubin1.text=123"_s, u"txtYubin2.text=4567"_s,
         u"txtZusho.text=東京都千代田区1-1"_s, u"txtTel(0).text=03"_s, u"txtTel(1).text=1234"_s,
         u"txtTel(2).text=5678"_s, u"txtPtID.text=A-001"_s});
    row("split pairs: dash alone", {{u"郵便番号"_s, S(u"-"_s)}, {u"電話"_s, S(u"-"_s)}},
        {u"txtYubin1.text="_s, u"txtYubin2.text="_s, u"txtTel(1).text="_s, u"txtTel(2).text="_s});
    row("split pairs: second part only", {{u"郵便番号"_s, S(u"-4567"_s)}},
        {u"txtYubin1.text="_s, u"txtYubin2.text=4567"_s});
    row("split pairs: no dash", {{u"郵便番号"_s, S(u"1234567"_s)}, {u"電話"_s, S(u"345"_s)}},
        {u"txtYubin1.text="_s, u"txtYubin2.text=1234567"_s, u"txtTel(1).text="_s,
         u"txtTel(2).text=345"_s});
    row("split pairs: a second dash stays in the second part", {{u"電話"_s, S(u"12-34-56"_s)}},
        {u"txtTel(1).text=12"_s, u"txtTel(2).text=34-56"_s});

    // Other departments.
    row("other departments: none", {{u"他科受診"_s, S(u""_s)}, {u"他科受診その他"_s, S(u""_s)}},
        {u"opTakaNasi.value=1"_s, u"opTakaAri.value=0"_s, u"chkTaka(1).enabled=0"_s,
         u"chkTaka(13).enabled=0"_s, u"cmbTaka.enabled=0"_s, u"cmbTaka.back="_s + grey});
    row("other departments: codes",
        {{u"他科受診"_s, S(u"0104"_s)}, {u"他科受診その他"_s, S(u""_s)}},
        {u"opTakaAri.value=1"_s, u"chkTaka(1).value=1"_s, u"chkTaka(4).value=1"_s,
         u"chkTaka(2).value=0"_s, u"chkTaka(13).value=0"_s, u"chkTaka(1).enabled=1"_s,
         u"chkTaka(13).enabled=1"_s, u"cmbTaka.enabled=0"_s, u"cmbTaka.back="_s + grey});
    row("other departments: name only",
        {{u"他科受診"_s, S(u""_s)}, {u"他科受診その他"_s, S(u"心療内科"_s)}},
        {u"opTakaAri.value=1"_s, u"chkTaka(13).value=1"_s, u"chkTaka(1).value=0"_s,
         u"cmbTaka.enabled=1"_s, u"cmbTaka.back="_s + cyan, u"cmbTaka.text=心療内科"_s});
    row("other departments: unknown pairs ignored",
        {{u"他科受診"_s, S(u"011399"_s)}, {u"他科受診その他"_s, S(u""_s)}},
        {u"opTakaAri.value=1"_s, u"chkTaka(1).value=1"_s, u"chkTaka(13).value=0"_s});
    row("other departments: odd length, last department",
        {{u"他科受診"_s, S(u"12010"_s)}, {u"他科受診その他"_s, S(u""_s)}},
        {u"chkTaka(12).value=1"_s, u"chkTaka(1).value=1"_s, u"chkTaka(10).value=0"_s});
    row("other departments: not answered",
        {{u"他科受診"_s, S(u"00"_s)}, {u"他科受診その他"_s, S(u""_s)}},
        {u"opTakaAri.value=0"_s, u"opTakaNasi.value=0"_s, u"chkTaka(1).enabled=0"_s,
         u"cmbTaka.enabled=0"_s, u"cmbTaka.back="_s + grey});
    row("other departments: not answered with a name",
        {{u"他科受診"_s, S(u"00"_s)}, {u"他科受診その他"_s, S(u"神経科"_s)}},
        {u"opTakaAri.value=0"_s, u"opTakaNasi.value=0"_s, u"chkTaka(1).enabled=0"_s,
         u"chkTaka(13).value=1"_s, u"cmbTaka.enabled=1"_s, u"cmbTaka.back="_s + cyan,
         u"cmbTaka.text=神経科"_s});
    row("other departments: Null skips the step",
        {{u"他科受診"_s, Null}, {u"他科受診その他"_s, S(u"心療内科"_s)}},
        {u"opTakaAri.value=0"_s, u"opTakaNasi.value=0"_s, u"chkTaka(13).value=0"_s,
         u"cmbTaka.text="_s, u"chkTaka(1).enabled=0"_s});

    // Diagnoses and onset dates.
    row("onset dates: full, unanswered, unknown",
        {{u"発症年月日1"_s, S(u"平成18年04月01日"_s)},
         {u"発症年月日2"_s, S(u"00"_s)},
         {u"発症年月日3"_s, S(u"不詳年月日"_s)}},
        {u"cmbSippeiNengou(1).text=平成"_s, u"txtSippeiNen(1).text=18"_s,
         u"txtSippeiTuki(1).text= 4"_s, u"txtSippeiHi(1).text= 1"_s,
         u"cmbSippeiNengou(2).text=令和"_s, u"txtSippeiNen(2).text="_s, u"txtSippeiTuki(2).text="_s,
         u"txtSippeiHi(2).text="_s, u"cmbSippeiNengou(3).text=不詳"_s, u"txtSippeiNen(3).text="_s,
         u"txtSippeiHi(3).text="_s});
    row("onset dates: empty parts, missing day mark, bare era",
        {{u"発症年月日1"_s, S(u"昭和45年月日"_s)},
         {u"発症年月日2"_s, S(u"平成18年4月"_s)},
         {u"発症年月日3"_s, S(u"明治"_s)}},
        {u"cmbSippeiNengou(1).text=昭和"_s, u"txtSippeiNen(1).text=45"_s,
         u"txtSippeiTuki(1).text="_s, u"txtSippeiHi(1).text="_s, u"cmbSippeiNengou(2).text=平成"_s,
         u"txtSippeiNen(2).text=18"_s, u"txtSippeiTuki(2).text=4"_s, u"txtSippeiHi(2).text="_s,
         u"cmbSippeiNengou(3).text=明治"_s, u"txtSippeiNen(3).text="_s});
    row("onset date without era",
        {{u"発症年月日1"_s, S(u"2003年4月1日"_s)}, {u"発症年月日2"_s, S(u"大正5年6月7日"_s)}},
        {u"cmbSippeiNengou(1).text=令和"_s, u"txtSippeiNen(1).text= 3"_s,
         u"txtSippeiTuki(1).text=4"_s, u"txtSippeiHi(1).text=1"_s,
         u"cmbSippeiNengou(2).text=大正"_s});
    row("diagnoses and medication as stored",
        {{u"診断名1"_s, S(u""_s)},
         {u"診断名2"_s, S(u"パーキンソン病"_s)},
         {u"薬剤名1"_s, S(u"どの一覧にもない薬"_s)},
         {u"単位1"_s, S(u""_s)},
         {u"用法1"_s, Null},
         {u"用法6"_s, S(u"編集..."_s)}},
        {u"cmbSippei(1).text="_s, u"cmbSippei(2).text=パーキンソン病"_s,
         u"cmbYakuzai(1).text=どの一覧にもない薬"_s, u"cmbYakuzaiKeizyo(1).text="_s,
         u"cmbYouhou(1).text="_s, u"cmbYouhou(6).text=編集..."_s});
    row("stability 0 with a text", {{u"症状安定性"_s, N(0)}, {u"不安定"_s, S(u"夜間に増悪"_s)}},
        {u"opAntei(1).value=0"_s, u"opAntei(2).value=0"_s, u"opAntei(3).value=0"_s,
         u"txtHuantei.text=夜間に増悪"_s});
    row("stability 2, course with line breaks",
        {{u"症状安定性"_s, N(2)}, {u"病状治療状態"_s, S(u"一行目\r\n二行目"_s)}},
        {u"opAntei(2).value=1"_s, u"txtHuantei.text="_s, u"txtKeika.text=一行目\r\n二行目"_s});
    row("special care flags",
        {{u"酸素療法"_s, T}, {u"カテーテル"_s, T}, {u"点滴管理"_s, F}, {u"透析"_s, Null}},
        {u"cheTokubetu(5).value=1"_s, u"cheTokubetu(12).value=1"_s, u"cheTokubetu(1).value=0"_s,
         u"cheTokubetu(3).value=0"_s});

    // Mental state.
    row("levels at the ends", {{u"寝たきり度"_s, N(9)}, {u"認知症状況"_s, N(8)}},
        {u"opNeta(9).value=1"_s, u"opNin(8).value=1"_s});
    row("levels out of range",
        {{u"寝たきり度"_s, N(10)}, {u"認知症状況"_s, N(9)}, {u"短期記憶"_s, N(0)}},
        {u"opNeta(1).value=0"_s, u"opNeta(9).value=0"_s, u"opNin(1).value=0"_s,
         u"opNin(8).value=0"_s, u"opKioku(1).value=0"_s, u"opKioku(2).value=0"_s});
    row("memory, judgement, communication",
        {{u"短期記憶"_s, N(2)}, {u"認知能力"_s, N(4)}, {u"伝達能力"_s, N(3)}},
        {u"opKioku(2).value=1"_s, u"opNinchi(4).value=1"_s, u"opDen(3).value=1"_s});
    row("behaviours: only other, with a name", behaviours({u"問題行動他"_s}, S(u"独語"_s)),
        {u"optNinchi(1).value=1"_s, u"optNinchi(2).value=0"_s, u"chkShuhen(12).value=1"_s,
         u"chkShuhen(1).enabled=1"_s, u"chkShuhen(12).enabled=1"_s, u"txtMondai.enabled=1"_s,
         u"txtMondai.back="_s + cyan, u"txtMondai.text=独語"_s, u"Label25(0).fore="_s + buttonText,
         u"Label25(3).fore="_s + buttonText});
    row("behaviours: two ticked, no name", behaviours({u"妄想"_s, u"徘徊"_s}, S(u""_s)),
        {u"optNinchi(1).value=1"_s, u"chkShuhen(2).value=1"_s, u"chkShuhen(7).value=1"_s,
         u"chkShuhen(1).value=0"_s, u"chkShuhen(1).enabled=1"_s, u"txtMondai.enabled=0"_s,
         u"txtMondai.back="_s + grey, u"txtMondai.text="_s});
    row("behaviours: none", behaviours({}, S(u""_s)),
        {u"optNinchi(2).value=1"_s, u"optNinchi(1).value=0"_s, u"chkShuhen(1).enabled=0"_s,
         u"chkShuhen(12).enabled=0"_s, u"txtMondai.enabled=0"_s, u"txtMondai.back="_s + grey,
         u"Label25(0).fore="_s + darkGrey, u"Label25(3).fore="_s + darkGrey});
    row("behaviours: none, name kept greyed", behaviours({}, S(u"収集癖"_s)),
        {u"optNinchi(2).value=1"_s, u"txtMondai.text=収集癖"_s, u"txtMondai.enabled=0"_s});
    row("behaviours: not answered", behaviours({}, S(u"00"_s)),
        {u"optNinchi(1).value=0"_s, u"optNinchi(2).value=0"_s, u"chkShuhen(1).enabled=0"_s,
         u"txtMondai.text="_s, u"txtMondai.enabled=0"_s, u"Label25(0).fore="_s + darkGrey});
    row("behaviours: the 00 marker wins over a tick", behaviours({u"問題行動他"_s}, S(u"00"_s)),
        {u"optNinchi(1).value=0"_s, u"optNinchi(2).value=0"_s, u"chkShuhen(12).value=1"_s,
         u"chkShuhen(12).enabled=0"_s, u"txtMondai.text="_s, u"txtMondai.enabled=0"_s,
         u"txtMondai.back="_s + grey, u"Label25(3).fore="_s + darkGrey});
    row("behaviours: Null name keeps the answer", behaviours({u"暴言"_s}, Null),
        {u"optNinchi(1).value=1"_s, u"chkShuhen(4).value=1"_s, u"txtMondai.text="_s});
    row("psychiatric 無 with a name, specialist 有",
        {{u"精神神経疾患"_s, N(2)},
         {u"精神神経疾患名"_s, S(u"うつ病"_s)},
         {u"専門医"_s, N(1)},
         {u"専門医名"_s, S(u"精神科"_s)}},
        {u"opPsy(2).value=1"_s, u"cmbPsy.enabled=0"_s, u"cmbPsy.back="_s + grey,
         u"cmbPsy.text=うつ病"_s, u"opPsyist(1).value=1"_s, u"txtPsyist.enabled=1"_s,
         u"txtPsyist.back="_s + cyan, u"txtPsyist.text=精神科"_s});
    row("psychiatric 有, specialist not answered",
        {{u"精神神経疾患"_s, N(1)},
         {u"精神神経疾患名"_s, S(u"せん妄"_s)},
         {u"専門医"_s, N(0)},
         {u"専門医名"_s, S(u"神経内科"_s)}},
        {u"opPsy(1).value=1"_s, u"cmbPsy.enabled=1"_s, u"cmbPsy.back="_s + cyan,
         u"opPsyist(1).value=0"_s, u"opPsyist(2).value=0"_s, u"txtPsyist.enabled=0"_s,
         u"txtPsyist.text=神経内科"_s});
    row("body: handedness, height, weight, change",
        {{u"利き腕"_s, N(2)},
         {u"身長"_s, S(u"152.5"_s)},
         {u"体重"_s, S(u"48"_s)},
         {u"体重変化"_s, N(3)}},
        {u"opKiki(2).value=1"_s, u"txtHight.text=152.5"_s, u"txtWeight.text=48"_s,
         u"optHenka(3).value=1"_s});
    row("missing limb unticked with a site",
        {{u"四肢欠損"_s, F}, {u"四肢欠損部位"_s, S(u"左下腿"_s)}},
        {u"chkKesson.value=0"_s, u"cmbKesson.enabled=0"_s, u"cmbKesson.back="_s + grey,
         u"cmbKesson.text=左下腿"_s, u"Label36(0).fore="_s + darkGrey});
    row("missing limb ticked", {{u"四肢欠損"_s, T}, {u"四肢欠損部位"_s, S(u"右手指"_s)}},
        {u"chkKesson.value=1"_s, u"cmbKesson.enabled=1"_s, u"cmbKesson.back="_s + cyan,
         u"Label36(0).fore="_s + buttonText});

    // Paralysis and the other findings.
    row("paralysis without a site", {{u"麻痺"_s, T}},
        {u"chkMahi.value=1"_s, u"chkMahibui(1).enabled=1"_s, u"chkMahibui(5).enabled=1"_s,
         u"chkMahibui(1).value=0"_s, u"optTeido1(1).enabled=0"_s, u"optTeido5(3).enabled=0"_s,
         u"cmbMahibui.enabled=0"_s, u"cmbMahibui.back="_s + grey});
    row("paralysis of the left leg",
        {{u"麻痺"_s, T}, {u"左下肢麻痺"_s, T}, {u"左下肢麻痺程度"_s, N(2)}},
        {u"chkMahibui(4).value=1"_s, u"optTeido4(2).value=1"_s, u"optTeido4(2).enabled=1"_s,
         u"optTeido1(1).enabled=0"_s, u"optTeido2(1).enabled=0"_s, u"optTeido3(1).enabled=0"_s,
         u"optTeido5(1).enabled=0"_s, u"optTeido1(2).value=0"_s, u"cmbMahibui.enabled=0"_s});
    row("other paralysis with a site",
        {{u"麻痺"_s, T},
         {u"その他麻痺"_s, T},
         {u"その他麻痺部位"_s, S(u"顔面"_s)},
         {u"その他麻痺程度"_s, N(1)}},
        {u"chkMahibui(5).value=1"_s, u"cmbMahibui.text=顔面"_s, u"cmbMahibui.enabled=1"_s,
         u"cmbMahibui.back="_s + cyan, u"Label36(1).fore="_s + buttonText,
         u"optTeido5(1).value=1"_s, u"optTeido5(1).enabled=1"_s});
    row("weakness with degree 3 as a number",
        {{u"筋力低下"_s, T}, {u"筋力低下部位"_s, S(u"両下肢"_s)}, {u"筋力低下程度"_s, N(3)}},
        {u"chkTeika.value=1"_s, u"cmbTeika.text=両下肢"_s, u"cmbTeika.enabled=1"_s,
         u"cmbTeika.back="_s + cyan, u"optKintei(3).value=1"_s, u"optKintei(3).enabled=1"_s,
         u"Label36(3).fore="_s + buttonText});
    row("an unticked row as saved",
        {{u"筋力低下"_s, F}, {u"筋力低下部位"_s, S(u""_s)}, {u"筋力低下程度"_s, N(0)}},
        {u"chkTeika.value=0"_s, u"cmbTeika.text="_s, u"optKintei(1).value=0"_s,
         u"optKintei(2).value=0"_s, u"optKintei(3).value=0"_s, u"cmbTeika.enabled=0"_s,
         u"optKintei(1).enabled=0"_s});
    row("a degree beside a False tick", {{u"関節拘縮"_s, F}, {u"関節拘縮程度"_s, N(1)}},
        {u"chkKousyuku.value=0"_s, u"optKousyuku(1).value=1"_s, u"optKousyuku(1).enabled=0"_s});
    row("pain, sores, skin",
        {{u"関節疼痛"_s, T},
         {u"関節疼痛部位"_s, Null},
         {u"関節疼痛程度"_s, N(2)},
         {u"褥瘡"_s, T},
         {u"褥瘡部位"_s, S(u"仙骨部"_s)},
         {u"褥瘡程度"_s, N(3)},
         {u"皮膚疾患"_s, T},
         {u"皮膚疾患部位"_s, S(u""_s)},
         {u"皮膚疾患程度"_s, N(1)}},
        {u"chkToutsu.value=1"_s, u"cmbToutsu.text="_s, u"cmbToutsu.enabled=1"_s,
         u"optToutsu(2).value=1"_s, u"Label36(5).fore="_s + buttonText, u"chkJokusou.value=1"_s,
         u"cmbJokusou.text=仙骨部"_s, u"opJokusou(3).value=1"_s, u"opJokusou(3).enabled=1"_s,
         u"Label36(6).fore="_s + buttonText, u"chkHihu.value=1"_s, u"cmbHihu.enabled=1"_s,
         u"optHihu(1).value=1"_s, u"Label36(2).fore="_s + buttonText});
    row("ataxia of the trunk's left side only", {{u"体幹失調左"_s, T}},
        {u"chkHuzui(6).value=1"_s, u"chkHuzui(0).value=1"_s, u"chkHuzui(1).value=0"_s,
         u"chkHuzui(1).enabled=1"_s, u"chkHuzui(6).enabled=1"_s, u"Label38(0).fore="_s + buttonText,
         u"Label38(1).fore="_s + buttonText, u"Label38(2).fore="_s + buttonText});
    row("ataxia box stored without a side", {{u"失調不随"_s, T}, {u"上肢失調右"_s, F}},
        {u"chkHuzui(0).value=0"_s, u"chkHuzui(1).enabled=0"_s, u"chkHuzui(6).enabled=0"_s,
         u"Label38(0).fore="_s + darkGrey});
    row("ataxia of both arms",
        {{u"上肢失調右"_s, T}, {u"上肢失調左"_s, T}, {u"下肢失調右"_s, Null}},
        {u"chkHuzui(1).value=1"_s, u"chkHuzui(2).value=1"_s, u"chkHuzui(3).value=0"_s,
         u"chkHuzui(0).value=1"_s});
    row("walking aids 4: outdoors and indoors", {{u"補助装具"_s, S(u"4"_s)}},
        {u"chkHozyo(1).value=0"_s, u"chkHozyo(2).value=1"_s, u"chkHozyo(3).value=1"_s});
    row("walking aids 1: none", {{u"補助装具"_s, S(u"1"_s)}},
        {u"chkHozyo(1).value=1"_s, u"chkHozyo(2).value=0"_s, u"chkHozyo(3).value=0"_s});
    row("walking aids 3: indoors", {{u"補助装具"_s, S(u"3"_s)}},
        {u"chkHozyo(1).value=0"_s, u"chkHozyo(2).value=0"_s, u"chkHozyo(3).value=1"_s});
    for (int code : {0, 5}) {
        QTest::addRow("walking aids %d: none", code)
            << Fields{{u"補助装具"_s, N(code)}}
            << QStringList{u"chkHozyo(1).value=0"_s, u"chkHozyo(2).value=0"_s,
                           u"chkHozyo(3).value=0"_s};
    }
    row("walking aids Null: none", {{u"補助装具"_s, Null}},
        {u"chkHozyo(1).value=0"_s, u"chkHozyo(2).value=0"_s, u"chkHozyo(3).value=0"_s});
    row("walking 0, wheelchair 3", {{u"屋外歩行"_s, N(0)}, {u"車椅子"_s, N(3)}},
        {u"optHokou(1).value=0"_s, u"optHokou(2).value=0"_s, u"optHokou(3).value=0"_s,
         u"optIsu(3).value=1"_s});

    // Nutrition, conditions, services, care notes, infection.
    row("eating, nutrition, note",
        {{u"食事行為"_s, N(2)}, {u"栄養状態"_s, N(1)}, {u"栄食留意"_s, S(u"減塩"_s)}},
        {u"optShokuzi(2).value=1"_s, u"optEiyou(1).value=1"_s, u"txtEiyou.text=減塩"_s});
    row("codes beyond their groups",
        {{u"食事行為"_s, N(3)}, {u"生活機能"_s, N(4)}, {u"感染症"_s, N(0)}},
        {u"optShokuzi(1).value=0"_s, u"optShokuzi(2).value=0"_s, u"optKinou(1).value=0"_s,
         u"optKinou(3).value=0"_s, u"optKansen(1).value=0"_s, u"optKansen(2).value=0"_s,
         u"optKansen(3).value=0"_s});
    row("other condition ticked",
        {{u"尿失禁"_s, T},
         {u"病態他"_s, T},
         {u"病態他名"_s, S(u"せん妄"_s)},
         {u"対処方法"_s, S(u"編集..."_s)}},
        {u"chkJoutai(1).value=1"_s, u"chkJoutai(14).value=1"_s, u"cmbTabyotai.enabled=1"_s,
         u"cmbTabyotai.back="_s + cyan, u"cmbTabyotai.text=せん妄"_s, u"cmbTaisyo.text=編集..."_s});
    row("other condition unticked keeps its name greyed",
        {{u"病態他"_s, F}, {u"病態他名"_s, S(u"せん妄"_s)}, {u"痛み"_s, T}},
        {u"chkJoutai(14).value=0"_s, u"chkJoutai(13).value=1"_s, u"cmbTabyotai.enabled=0"_s,
         u"cmbTabyotai.text=せん妄"_s});
    row("life function 3", {{u"生活機能"_s, N(3)}}, {u"optKinou(3).value=1"_s});
    row("service underlined without its tick", {{u"訪問看護"_s, F}, {u"訪問看護下線"_s, T}},
        {u"chkKanri(2).value=0"_s, u"KnariUnder(2).visible=1"_s, u"KnariUnder(1).visible=0"_s});
    row("other service unticked, name greyed",
        {{u"訪問診療"_s, T},
         {u"訪問看護"_s, T},
         {u"通所リハビリテーション"_s, T},
         {u"医学的管理他"_s, F},
         {u"医学的管理他名"_s, S(u"訪問入浴"_s)}},
        {u"chkKanri(1).value=1"_s, u"chkKanri(9).value=1"_s, u"chkKanri(10).value=0"_s,
         u"txtKanri.text=訪問入浴"_s, u"txtKanri.enabled=0"_s, u"txtKanri.back="_s + grey,
         u"Label40(8).fore="_s + darkGrey, u"Label15(11).fore="_s + darkGrey});
    row("other service ticked and underlined",
        {{u"医学的管理他"_s, T},
         {u"医学的管理他下線"_s, T},
         {u"医学的管理他名"_s, S(u"訪問入浴"_s)}},
        {u"chkKanri(10).value=1"_s, u"KnariUnder(10).visible=1"_s, u"txtKanri.enabled=1"_s,
         u"txtKanri.back="_s + cyan, u"Label40(8).fore="_s + buttonText,
         u"Label15(11).fore="_s + buttonText});
    {
        // Every service underlined, ticks alternating: each line shows whatever its flag.
        const QStringList services = {u"訪問診療"_s,
                                      u"訪問看護"_s,
                                      u"訪問歯科診療"_s,
                                      u"訪問薬剤管理指導"_s,
                                      u"訪問リハビリテーション"_s,
                                      u"短期入所療養介護"_s,
                                      u"訪問歯科衛生指導"_s,
                                      u"訪問栄養食事指導"_s,
                                      u"通所リハビリテーション"_s,
                                      u"医学的管理他"_s};
        Fields fields;
        QStringList expected;
        for (int i = 1; i <= 10; ++i) {
            fields.append({services.at(i - 1), i % 2 ? T : F});
            fields.append({services.at(i - 1) + u"下線"_s, T});
            expected << u"chkKanri(%1).value=%2"_s.arg(i).arg(i % 2)
                     << u"KnariUnder(%1).visible=1"_s.arg(i);
        }
        QTest::newRow("services underlined whatever their flags") << fields << expected;
    }
    row("care notes: 有 enables, 特になし greys",
        {{u"介護運動"_s, N(2)},
         {u"介護運動留意事項"_s, S(u"転倒注意"_s)},
         {u"介護血圧"_s, N(1)},
         {u"介護血圧留意事項"_s, S(u"降圧薬"_s)},
         {u"介護他"_s, S(u"その他の注意"_s)}},
        {u"optKanten4(2).value=1"_s, u"cmbKanten(4).enabled=1"_s, u"cmbKanten(4).back="_s + cyan,
         u"cmbKanten(4).text=転倒注意"_s, u"Label40(4).fore="_s + buttonText,
         u"Label15(4).fore="_s + buttonText, u"optKanten1(1).value=1"_s,
         u"cmbKanten(1).enabled=0"_s, u"cmbKanten(1).text=降圧薬"_s,
         u"Label40(1).fore="_s + darkGrey, u"cmbKanten(6).text=その他の注意"_s});
    row("infection 無 with a name", {{u"感染症"_s, N(2)}, {u"感染症名"_s, S(u"MRSA"_s)}},
        {u"optKansen(2).value=1"_s, u"cmbKansen.enabled=0"_s, u"cmbKansen.back="_s + grey,
         u"cmbKansen.text=MRSA"_s, u"Label40(7).fore="_s + darkGrey,
         u"Label15(7).fore="_s + darkGrey});
    row("infection 有", {{u"感染症"_s, N(1)}, {u"感染症名"_s, S(u"MRSA"_s)}},
        {u"optKansen(1).value=1"_s, u"cmbKansen.enabled=1"_s, u"cmbKansen.back="_s + cyan,
         u"Label40(7).fore="_s + buttonText});

    // Special notes and the doctor block.
    row("special notes with line breaks", {{u"意見書特記事項"_s, S(u"特記1\r\n特記2\r\n"_s)}},
        {u"txtTokki.text=特記1\r\n特記2\r\n"_s});
    row("doctor block",
        {{u"医師名"_s, S(u"鈴木 一郎"_s)},
         {u"医療機関名"_s, S(u"鈴木医院"_s)},
         {u"医療機関郵便番号"_s, S(u"100-0001"_s)},
         {u"医療機関住所"_s, S(u"千代田1-1"_s)},
         {u"医療機関電話局番"_s, S(u"0123"_s)},
         {u"医療機関電話"_s, S(u"1234-5678"_s)},
         {u"医療機関FAX局番"_s, S(u"012345"_s)},
         {u"医療機関FAX"_s, S(u"12-3456"_s)}},
        {u"cmbKisaisya.text=鈴木 一郎"_s, u"Kisaisya(1).text=鈴木医院"_s, u"txtYubin1Dr.text=100"_s,
         u"txtYubin2Dr.text=0001"_s, u"txtZushoDr.text=千代田1-1"_s, u"Kisaisya(5).text=0123"_s,
         u"Kisaisya(6).text=1234"_s, u"Kisaisya(7).text=5678"_s, u"Kisaisya(8).text=012345"_s,
         u"Kisaisya(9).text=12"_s, u"Kisaisya(10).text=3456"_s});
}

void DataLoadTest::fields()
{
    QFETCH(Fields, fields);
    QFETCH(QStringList, expected);
    LetterFile file;
    // A letter before and after the one loaded: only the letter's own row is read.
    QVERIFY(file.add(1, {{u"患者名"_s, S(u"前の人"_s)}, {u"生年月日"_s, S(u"明治01年1月1日"_s)}}));
    QVERIFY(file.add(2, fields));
    QVERIFY(file.add(3, {{u"患者名"_s, S(u"次の人"_s)}}));
    auto form = startForm();
    QString error;
    QCOMPARE(load::DataLoad(*form, file.path(), 2, &error), load::LoadResult::Loaded);
    expectControls(*form, expected);
}

QTEST_MAIN(DataLoadTest)
#include "tst_dataload.moc"
