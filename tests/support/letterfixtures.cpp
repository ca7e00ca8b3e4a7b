#include "letterfixtures.h"

#include "common/schema.h"
#include "platform/database.h"

#include <QStringList>

namespace letterfixtures {

namespace {

enum class Kind { Text, Flag, Code };

struct Field
{
    const char16_t* name;
    Kind kind;
    const char16_t* text; // Text fields
    int number;           // Code fields (Flag fields: non-zero = True)
};

// Every field of a letter, with the value of the fully filled letter.
const Field AllFields[] = {
    {u"最新意見書記入日", Kind::Text, u"令和06年12月01日", 0},
    {u"医師名", Kind::Text, u"山田　太郎", 0},
    {u"医療機関名", Kind::Text, u"医療法人社団　山田内科クリニック", 0},
    {u"医療機関郵便番号", Kind::Text, u"160-0023", 0},
    {u"医療機関住所", Kind::Text, u"東京都新宿区西新宿三丁目２番１号　山田ビル２階", 0},
    {u"医療機関電話局番", Kind::Text, u"03", 0},
    {u"医療機関電話", Kind::Text, u"3345-6789", 0},
    {u"医療機関FAX局番", Kind::Text, u"03", 0},
    {u"医療機関FAX", Kind::Text, u"3345-6790", 0},
    {u"医師同意", Kind::Code, nullptr, 1},
    {u"患者名", Kind::Text, u"佐藤　花子", 0},
    {u"患者名かな", Kind::Text, u"さとう　はなこ", 0},
    {u"性別", Kind::Code, nullptr, 2},
    {u"生年月日", Kind::Text, u"昭和05年12月25日", 0},
    {u"年齢", Kind::Text, u"95", 0},
    {u"郵便番号", Kind::Text, u"164-0001", 0},
    {u"住所", Kind::Text, u"東京都中野区中野五丁目６８番１０号", 0},
    {u"電話局番", Kind::Text, u"03", 0},
    {u"電話", Kind::Text, u"3388-1234", 0},
    {u"カルテ番号", Kind::Text, u"A-10234", 0},
    {u"最終診察日", Kind::Text, u"令和06年11月20日", 0},
    {u"意見書作成回数", Kind::Code, nullptr, 2},
    {u"他科受診", Kind::Text, u"010203040506070809101112", 0},
    {u"他科受診その他", Kind::Text, u"心臓血管外科", 0},
    {u"診断名1", Kind::Text, u"アルツハイマー型認知症", 0},
    {u"診断名2", Kind::Text, u"高血圧症", 0},
    {u"診断名3", Kind::Text, u"変形性膝関節症", 0},
    {u"発症年月日1", Kind::Text, u"平成20年04月01日", 0},
    {u"発症年月日2", Kind::Text, u"昭和63年12月日", 0},
    {u"発症年月日3", Kind::Text, u"令和03年07月15日", 0},
    {u"症状安定性", Kind::Code, nullptr, 2},
    {u"不安定", Kind::Text, u"夜間せん妄が時々ある", 0},
    {u"病状治療状態", Kind::Text, u"平成20年頃より物忘れが出現し、徐々に進行している。", 0},
    {u"病状治療状態印刷", Kind::Text,
     u"平成20年頃より物忘れが出現し、\r\n徐々に進行している。\r\n内服にて経過観察中。", 0},
    {u"薬剤名1", Kind::Text, u"アリセプト錠5mg", 0},
    {u"単位1", Kind::Text, u"1錠", 0},
    {u"用法1", Kind::Text, u"朝食後", 0},
    {u"薬剤名2", Kind::Text, u"アムロジピン錠5mg", 0},
    {u"単位2", Kind::Text, u"1錠", 0},
    {u"用法2", Kind::Text, u"朝食後", 0},
    {u"薬剤名3", Kind::Text, u"ロキソニン錠60mg", 0},
    {u"単位3", Kind::Text, u"3錠", 0},
    {u"用法3", Kind::Text, u"毎食後", 0},
    {u"薬剤名4", Kind::Text, u"ムコスタ錠100mg", 0},
    {u"単位4", Kind::Text, u"3錠", 0},
    {u"用法4", Kind::Text, u"毎食後", 0},
    {u"薬剤名5", Kind::Text, u"マグミット錠330mg", 0},
    {u"単位5", Kind::Text, u"2錠", 0},
    {u"用法5", Kind::Text, u"朝夕食後", 0},
    {u"薬剤名6", Kind::Text, u"ブロチゾラム錠0.25mg", 0},
    {u"単位6", Kind::Text, u"1錠", 0},
    {u"用法6", Kind::Text, u"就寝前", 0},
    {u"点滴管理", Kind::Flag, nullptr, 1},
    {u"中心静脈栄養", Kind::Flag, nullptr, 1},
    {u"透析", Kind::Flag, nullptr, 1},
    {u"人工肛門", Kind::Flag, nullptr, 1},
    {u"酸素療法", Kind::Flag, nullptr, 1},
    {u"人工呼吸器", Kind::Flag, nullptr, 1},
    {u"気管切開処置", Kind::Flag, nullptr, 1},
    {u"疼痛看護", Kind::Flag, nullptr, 1},
    {u"経管栄養", Kind::Flag, nullptr, 1},
    {u"モニター測定", Kind::Flag, nullptr, 1},
    {u"褥創処置", Kind::Flag, nullptr, 1},
    {u"カテーテル", Kind::Flag, nullptr, 1},
    {u"寝たきり度", Kind::Code, nullptr, 6},
    {u"認知症状況", Kind::Code, nullptr, 4},
    {u"短期記憶", Kind::Code, nullptr, 2},
    {u"認知能力", Kind::Code, nullptr, 3},
    {u"伝達能力", Kind::Code, nullptr, 2},
    {u"幻視幻聴", Kind::Flag, nullptr, 1},
    {u"妄想", Kind::Flag, nullptr, 1},
    {u"昼夜逆転", Kind::Flag, nullptr, 1},
    {u"暴言", Kind::Flag, nullptr, 1},
    {u"暴行", Kind::Flag, nullptr, 1},
    {u"抵抗", Kind::Flag, nullptr, 1},
    {u"徘徊", Kind::Flag, nullptr, 1},
    {u"不始末", Kind::Flag, nullptr, 1},
    {u"不潔行為", Kind::Flag, nullptr, 1},
    {u"異食行動", Kind::Flag, nullptr, 1},
    {u"性的問題行動", Kind::Flag, nullptr, 1},
    {u"問題行動他", Kind::Flag, nullptr, 1},
    {u"問題行動他名", Kind::Text, u"収集癖", 0},
    {u"精神神経疾患", Kind::Code, nullptr, 1},
    {u"精神神経疾患名", Kind::Text, u"うつ状態", 0},
    {u"専門医", Kind::Code, nullptr, 1},
    {u"専門医名", Kind::Text, u"中野総合病院精神科", 0},
    {u"利き腕", Kind::Code, nullptr, 1},
    {u"身長", Kind::Text, u"148.5", 0},
    {u"体重", Kind::Text, u"42.0", 0},
    {u"体重変化", Kind::Code, nullptr, 3},
    {u"四肢欠損", Kind::Flag, nullptr, 1},
    {u"四肢欠損部位", Kind::Text, u"左第５指", 0},
    {u"麻痺", Kind::Flag, nullptr, 1},
    {u"右上肢麻痺", Kind::Flag, nullptr, 1},
    {u"右上肢麻痺程度", Kind::Code, nullptr, 1},
    {u"右下肢麻痺", Kind::Flag, nullptr, 1},
    {u"右下肢麻痺程度", Kind::Code, nullptr, 2},
    {u"左上肢麻痺", Kind::Flag, nullptr, 1},
    {u"左上肢麻痺程度", Kind::Code, nullptr, 3},
    {u"左下肢麻痺", Kind::Flag, nullptr, 1},
    {u"左下肢麻痺程度", Kind::Code, nullptr, 2},
    {u"その他麻痺", Kind::Flag, nullptr, 1},
    {u"その他麻痺部位", Kind::Text, u"顔面", 0},
    {u"その他麻痺程度", Kind::Code, nullptr, 1},
    {u"筋力低下", Kind::Flag, nullptr, 1},
    {u"筋力低下部位", Kind::Text, u"両下肢", 0},
    {u"筋力低下程度", Kind::Code, nullptr, 2},
    {u"関節拘縮", Kind::Flag, nullptr, 1},
    {u"関節拘縮部位", Kind::Text, u"右膝関節", 0},
    {u"関節拘縮程度", Kind::Code, nullptr, 1},
    {u"関節疼痛", Kind::Flag, nullptr, 1},
    {u"関節疼痛部位", Kind::Text, u"両膝関節", 0},
    {u"関節疼痛程度", Kind::Code, nullptr, 3},
    {u"失調不随", Kind::Flag, nullptr, 1},
    {u"上肢失調右", Kind::Flag, nullptr, 1},
    {u"上肢失調左", Kind::Flag, nullptr, 1},
    {u"下肢失調右", Kind::Flag, nullptr, 1},
    {u"下肢失調左", Kind::Flag, nullptr, 1},
    {u"体幹失調右", Kind::Flag, nullptr, 1},
    {u"体幹失調左", Kind::Flag, nullptr, 1},
    {u"褥瘡", Kind::Flag, nullptr, 1},
    {u"褥瘡部位", Kind::Text, u"仙骨部", 0},
    {u"褥瘡程度", Kind::Code, nullptr, 2},
    {u"皮膚疾患", Kind::Flag, nullptr, 1},
    {u"皮膚疾患部位", Kind::Text, u"背部（湿疹）", 0},
    {u"皮膚疾患程度", Kind::Code, nullptr, 1},
    {u"屋外歩行", Kind::Code, nullptr, 2},
    {u"車椅子", Kind::Code, nullptr, 3},
    {u"補助装具", Kind::Code, nullptr, 4},
    {u"食事行為", Kind::Code, nullptr, 1},
    {u"栄養状態", Kind::Code, nullptr, 2},
    {u"栄食留意", Kind::Text, u"嚥下しやすい食形態とし、水分摂取を促す", 0},
    {u"尿失禁", Kind::Flag, nullptr, 1},
    {u"転倒骨折", Kind::Flag, nullptr, 1},
    {u"移動能力", Kind::Flag, nullptr, 1},
    {u"褥瘡可能性", Kind::Flag, nullptr, 1},
    {u"心肺機能低下", Kind::Flag, nullptr, 1},
    {u"閉じこもり", Kind::Flag, nullptr, 1},
    {u"意欲低下", Kind::Flag, nullptr, 1},
    {u"徘徊可能性", Kind::Flag, nullptr, 1},
    {u"低栄養", Kind::Flag, nullptr, 1},
    {u"摂食嚥下", Kind::Flag, nullptr, 1},
    {u"脱水", Kind::Flag, nullptr, 1},
    {u"易感染性", Kind::Flag, nullptr, 1},
    {u"痛み", Kind::Flag, nullptr, 1},
    {u"病態他", Kind::Flag, nullptr, 1},
    {u"病態他名", Kind::Text, u"せん妄", 0},
    {u"対処方法", Kind::Text, u"転倒予防のため環境整備と見守りを行う", 0},
    {u"生活機能", Kind::Code, nullptr, 1},
    {u"訪問診療", Kind::Flag, nullptr, 1},
    {u"訪問診療下線", Kind::Flag, nullptr, 1},
    {u"訪問看護", Kind::Flag, nullptr, 1},
    {u"訪問看護下線", Kind::Flag, nullptr, 1},
    {u"訪問歯科診療", Kind::Flag, nullptr, 1},
    {u"訪問歯科診療下線", Kind::Flag, nullptr, 1},
    {u"訪問薬剤管理指導", Kind::Flag, nullptr, 1},
    {u"訪問薬剤管理指導下線", Kind::Flag, nullptr, 1},
    {u"訪問リハビリテーション", Kind::Flag, nullptr, 1},
    {u"訪問リハビリテーション下線", Kind::Flag, nullptr, 1},
    {u"短期入所療養介護", Kind::Flag, nullptr, 1},
    {u"短期入所療養介護下線", Kind::Flag, nullptr, 1},
    {u"訪問歯科衛生指導", Kind::Flag, nullptr, 1},
    {u"訪問歯科衛生指導下線", Kind::Flag, nullptr, 1},
    {u"訪問栄養食事指導", Kind::Flag, nullptr, 1},
    {u"訪問栄養食事指導下線", Kind::Flag, nullptr, 1},
    {u"通所リハビリテーション", Kind::Flag, nullptr, 1},
    {u"通所リハビリテーション下線", Kind::Flag, nullptr, 1},
    {u"医学的管理他", Kind::Flag, nullptr, 1},
    {u"医学的管理他下線", Kind::Flag, nullptr, 1},
    {u"医学的管理他名", Kind::Text, u"訪問マッサージ", 0},
    {u"介護血圧", Kind::Code, nullptr, 2},
    {u"介護血圧留意事項", Kind::Text, u"収縮期180以上で入浴中止", 0},
    {u"介護移動", Kind::Code, nullptr, 2},
    {u"介護移動留意事項", Kind::Text, u"転倒に注意", 0},
    {u"介護摂食", Kind::Code, nullptr, 2},
    {u"介護摂食留意事項", Kind::Text, u"むせ込みに注意", 0},
    {u"介護運動", Kind::Code, nullptr, 2},
    {u"介護運動留意事項", Kind::Text, u"膝痛に配慮", 0},
    {u"介護嚥下", Kind::Code, nullptr, 2},
    {u"介護嚥下留意事項", Kind::Text, u"とろみ剤使用", 0},
    {u"介護他", Kind::Text, u"夕方以降の不穏に配慮", 0},
    {u"感染症", Kind::Code, nullptr, 1},
    {u"感染症名", Kind::Text, u"MRSA（鼻腔保菌）", 0},
    {u"意見書特記事項", Kind::Text, u"独居であり、日中の見守りが必要。", 0},
    {u"意見書特記事項印刷", Kind::Text,
     u"独居であり、日中の見守りが必要。\r\n家族は遠方に住む。\r\n介護サービスの利用を勧める。", 0},
    {u"医師氏名", Kind::Text, u"山田　太郎", 0},
};

db::Variant fullValue(const Field& field)
{
    switch (field.kind) {
    case Kind::Text:
        return db::Variant::fromString(QString::fromUtf16(field.text));
    case Kind::Flag:
        return db::Variant::fromBool(field.number != 0);
    case Kind::Code:
        return db::Variant::fromInteger(static_cast<qint16>(field.number));
    }
    return {};
}

db::Variant emptyValue(const Field& field)
{
    switch (field.kind) {
    case Kind::Text:
        return db::Variant::fromString(QString());
    case Kind::Flag:
        return db::Variant::fromBool(false);
    case Kind::Code:
        return db::Variant::fromInteger(0);
    }
    return {};
}

db::Variant text(const char16_t* s)
{
    return db::Variant::fromString(QString::fromUtf16(s));
}

} // namespace

db::Variant fieldValue(const Fields& fields, const QString& name)
{
    for (const auto& [field, value] : fields) {
        if (field == name)
            return value;
    }
    return {};
}

Fields withValues(Fields fields, const Fields& changes)
{
    for (const auto& [name, value] : changes) {
        bool found = false;
        for (auto& field : fields) {
            if (field.first == name) {
                field.second = value;
                found = true;
            }
        }
        if (!found)
            fields.append({name, value});
    }
    return fields;
}

Fields fullyFilledLetter()
{
    Fields fields;
    for (const Field& field : AllFields)
        fields.append({QString::fromUtf16(field.name), fullValue(field)});
    return fields;
}

Fields unansweredLetter()
{
    Fields fields;
    for (const Field& field : AllFields)
        fields.append({QString::fromUtf16(field.name), emptyValue(field)});
    return withValues(fields, {
                                  {u"医療機関郵便番号"_qs, text(u"-")},
                                  {u"医療機関電話"_qs, text(u"-")},
                                  {u"医療機関FAX"_qs, text(u"-")},
                                  {u"郵便番号"_qs, text(u"-")},
                                  {u"電話"_qs, text(u"-")},
                                  {u"他科受診"_qs, text(u"00")},
                                  {u"発症年月日1"_qs, text(u"00")},
                                  {u"発症年月日2"_qs, text(u"00")},
                                  {u"発症年月日3"_qs, text(u"00")},
                                  {u"問題行動他名"_qs, text(u"00")},
                              });
}

Fields importedLetterWithNulls()
{
    // Only what an import brings across; every other column stays Null.
    return {
        {u"最新意見書記入日"_qs, text(u"平成18年 4月 1日")},
        {u"医療機関名"_qs, text(u"さくら診療所")},
        {u"医療機関電話局番"_qs, text(u"045")},
        {u"医療機関電話"_qs, text(u"123-4567")},
        {u"医師同意"_qs, text(u"2")},
        {u"患者名"_qs, text(u"鈴木　一郎")},
        {u"性別"_qs, text(u"1")},
        {u"生年月日"_qs, text(u"大正 9年 1月 5日")},
        {u"年齢"_qs, db::Variant::fromInteger(86)},
        {u"郵便番号"_qs, text(u"2310023")},
        {u"最終診察日"_qs, text(u"平成18年 3月28日")},
        {u"他科受診"_qs, db::Variant()},
        {u"他科受診その他"_qs, db::Variant()},
        {u"診断名1"_qs, text(u"脳梗塞後遺症")},
        {u"発症年月日1"_qs, text(u"平成15年 6月 日")},
        {u"発症年月日2"_qs, db::Variant()},
        {u"症状安定性"_qs, text(u"1")},
        {u"薬剤名1"_qs, text(u"バイアスピリン錠100mg")},
        {u"単位1"_qs, db::Variant()},
        {u"用法1"_qs, text(u"朝食後")},
        {u"寝たきり度"_qs, text(u"5")},
        {u"認知症状況"_qs, db::Variant()},
        {u"暴言"_qs, db::Variant::fromBool(true)},
        {u"右上肢麻痺"_qs, db::Variant::fromBool(true)},
        {u"右上肢麻痺程度"_qs, text(u"2")},
        {u"専門医名"_qs, db::Variant()},
        {u"屋外歩行"_qs, text(u"2")},
        {u"補助装具"_qs, text(u"2")},
        {u"訪問看護"_qs, db::Variant::fromBool(true)},
        {u"感染症"_qs, text(u"2")},
    };
}

Fields edgeValueLetter()
{
    return withValues(
        unansweredLetter(),
        {
            {u"最新意見書記入日"_qs, text(u"令和7年4月1日")},
            {u"医療機関電話"_qs, text(u"3345")},
            {u"医療機関FAX"_qs, text(u"-6790")},
            {u"医師同意"_qs, text(u"2")},
            {u"患者名"_qs, text(u"長谷川　𠮷之助")},
            {u"生年月日"_qs, text(u"明治45年07月30日")},
            {u"郵便番号"_qs, text(u"1000001")},
            {u"住所"_qs, text(u"東京都千代田区千代田一丁目一番一号丸の内𠮷")},
            {u"電話"_qs, text(u"12-34-56")},
            {u"最終診察日"_qs, text(u"平成31年04月30日")},
            {u"他科受診"_qs, text(u"0113120")},
            {u"他科受診その他"_qs, text(u"")},
            {u"発症年月日1"_qs, text(u"不詳20年月日")},
            {u"発症年月日2"_qs, text(u"年月日")},
            {u"発症年月日3"_qs, text(u"大正01年00月ab日")},
            {u"症状安定性"_qs, text(u"3")},
            {u"薬剤名2"_qs, text(u"")},
            {u"単位2"_qs, text(u"10mL")},
            {u"寝たきり度"_qs, db::Variant::fromInteger(10)},
            {u"伝達能力"_qs, db::Variant::fromInteger(5)},
            {u"問題行動他"_qs, db::Variant::fromBool(true)},
            {u"専門医"_qs, db::Variant::fromInteger(2)},
            {u"専門医名"_qs, text(u"東京都立松沢病院精神神経科外来")},
            {u"体重変化"_qs, text(u"2")},
            {u"関節疼痛"_qs, db::Variant::fromBool(true)},
            {u"関節疼痛程度"_qs, db::Variant::fromInteger(3)},
            {u"上肢失調右"_qs, db::Variant::fromBool(true)},
            {u"筋力低下程度"_qs, db::Variant::fromInteger(4)},
            {u"補助装具"_qs, db::Variant::fromInteger(4)},
            {u"栄食留意"_qs,
             text(u"塩分制限（１日６ｇ未満）を守り、水分は１日１リットル以上を目安に、食事は"
                  u"軟菜とする")},
            {u"訪問診療下線"_qs, db::Variant::fromBool(true)},
            {u"感染症"_qs, db::Variant::fromInteger(3)},
            {u"介護他"_qs, text(u"一行目\r\n二行目")},
        });
}

bool createDataFile(const QString& path, QString* error)
{
    auto database = db::Database::create(path, error);
    if (!database)
        return false;
    return common::createLetterTables(*database, error);
}

bool writeLetter(const QString& path, qint32 number, const Fields& fields, QString* error)
{
    auto database = db::Database::open(path, db::OpenMode::ReadWrite, error);
    if (!database)
        return false;
    QStringList names{common::LetterKey};
    QStringList marks{u"?"_qs};
    QList<db::Variant> values{db::Variant::fromLong(number)};
    for (const auto& [name, value] : fields) {
        names.append(name);
        marks.append(u"?"_qs);
        values.append(value);
    }
    const QString sql = u"INSERT INTO "_qs + common::LetterTable + u" ("_qs + names.join(u',') +
                        u") VALUES ("_qs + marks.join(u',') + u")"_qs;
    return database->execute(sql, values, error);
}

} // namespace letterfixtures
