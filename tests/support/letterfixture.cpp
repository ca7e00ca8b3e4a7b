#include "letterfixture.h"

#include "common/schema.h"
#include "platform/database.h"

#include <QHash>
#include <QTemporaryDir>

namespace letterfixture {

namespace {

QString u16(const char16_t* s)
{
    return QString::fromUtf16(s);
}

} // namespace

QString listQuery()
{
    return u16(u"SELECT 作成NO,カルテ番号,患者名,患者名かな,性別,") +
           u16(u"年齢,診断名１,最新意見書記入日 ") + u16(u"FROM 申請者情報");
}

QString sheetQuery1()
{
    return u16(
        u"SELECT 最新意見書記入日,医療機関名,医療機関住所,医療機関電話局番,医療機関電話,"
        u"医療機関FAX局番,医療機関FAX,"
        u"医師同意,患者名,患者名かな,性別,生年月日,年齢,郵便番号,住所,電話局番,電話,最終診察日,"
        u"意見書作成回数,他科受診,他科受診その他,診断名１,診断名２,診断名３,発症年月日１, "
        u"発症年月日２, 発症年月日３, "
        u"症状安定性,不安定,病状治療状態,病状治療状態印刷, "
        u"薬剤名１,単位１,用法１,薬剤名２,単位２,用法２,薬剤名３,単位３,用法３,"
        u"薬剤名４,単位４,用法４,薬剤名５,単位５,用法５,薬剤名６,単位６, 用法６,"
        u"点滴管理,中心静脈栄養,透析,人工肛門,酸素療法,人工呼吸器,気管切開処置,疼痛看護,経管栄養,"
        u"モニター測定, "
        u"褥創処置,カテーテル,寝たきり度,認知症状況,短期記憶,認知能力,伝達能力,幻視幻聴,妄想,"
        u"昼夜逆転,暴言,暴行, "
        u"抵抗,徘徊,不始末,不潔行為,異食行動,性的問題行動,問題行動他,問題行動他名,精神神経疾患,"
        u"精神神経疾患名, "
        u"専門医,専門医名 "
        u"FROM 申請者情報 "
        u"Where 作成NO=");
}

QString sheetQuery2()
{
    return u16(
        u"SELECT 利き腕,身長,体重,体重変化,四肢欠損,四肢欠損部位,麻痺,右上肢麻痺,右上肢麻痺程度, "
        u"右下肢麻痺, 右下肢麻痺程度,左上肢麻痺,左上肢麻痺程度,左下肢麻痺,左下肢麻痺程度,"
        u"その他麻痺, "
        u"その他麻痺部位,その他麻痺程度,筋力低下,筋力低下部位,筋力低下程度,関節拘縮,関節拘縮部位,"
        u"関節拘縮程度,関節疼痛,関節疼痛部位,関節疼痛程度,上肢失調右,上肢失調左,下肢失調右, "
        u"下肢失調左,体幹失調右,体幹失調左,褥瘡,褥瘡部位,褥瘡程度,皮膚疾患,皮膚疾患部位,"
        u"皮膚疾患程度, "
        u"屋外歩行,車椅子,補助装具,食事行為,栄養状態,栄食留意,尿失禁,転倒骨折,移動能力,"
        u"褥瘡可能性,心肺機能低下, "
        u"閉じこもり,意欲低下,徘徊可能性,低栄養,摂食嚥下,脱水,易感染性,痛み,病態他,病態他名,"
        u"対処方法,生活機能,"
        u"訪問診療,訪問診療下線,訪問看護,訪問看護下線,訪問歯科診療,訪問歯科診療下線,"
        u"訪問薬剤管理指導, "
        u"訪問薬剤管理指導下線,訪問ﾘﾊﾋﾞﾘﾃｰｼｮﾝ,訪問ﾘﾊﾋﾞﾘﾃｰｼｮﾝ下線,短期入所療養介護,"
        u"短期入所療養介護下線, "
        u"訪問歯科衛生指導,訪問歯科衛生指導下線,訪問栄養食事指導,訪問栄養食事指導下線,"
        u"通所ﾘﾊﾋﾞﾘﾃｰｼｮﾝ, "
        u"通所ﾘﾊﾋﾞﾘﾃｰｼｮﾝ下線,医学的管理他,医学的管理他下線,医学的管理他名,介護血圧,"
        u"介護血圧留意事項, "
        u"介護移動,介護移動留意事項,介護摂食,介護摂食留意事項,介護運動,介護運動留意事項,介護嚥下,"
        u"介護嚥下留意事項, "
        u"介護他,感染症,感染症名,意見書特記事項,意見書特記事項印刷 "
        u"FROM 申請者情報 "
        u"Where 作成NO=");
}

db::Variant sampleValue(const common::LetterField& field, int letterNo, int fieldIndex)
{
    switch (field.kind) {
    case common::FieldKind::YesNo:
        return db::Variant::fromBool((letterNo + fieldIndex) % 2 == 0);
    case common::FieldKind::AnswerCode:
        return db::Variant::fromString(QString::number((letterNo + fieldIndex) % 4));
    case common::FieldKind::Text:
        break;
    }
    return db::Variant::fromString(QStringLiteral("%1-%2\r\n２行目").arg(field.name).arg(letterNo));
}

bool addLetters(db::Database& database, int first, int last, QString* error)
{
    auto rs = database.openTable(common::LetterTable, error);
    if (!rs)
        return false;
    const auto& fields = common::letterFields();
    for (int no = first; no <= last; ++no) {
        if (!rs->addNew(error) ||
            !rs->setField(common::LetterKey, db::Variant::fromLong(no), error))
            return false;
        for (int i = 0; i < int(fields.size()); ++i) {
            if (!rs->setField(fields[i].name, sampleValue(fields[i], no, i), error))
                return false;
        }
        if (!rs->update(error))
            return false;
    }
    return true;
}

bool createLetterFile(const QString& path, int count, QString* error)
{
    auto database = db::Database::create(path, error);
    if (!database || !common::createLetterTables(*database, error) ||
        !database->beginTrans(error) || !addLetters(*database, 1, count, error))
        return false;
    return database->commitTrans(error);
}

QString sharedLetterFile(int count)
{
    static QTemporaryDir dir;
    static QHash<int, QString> made;
    if (!made.contains(count)) {
        const QString path = dir.filePath(QStringLiteral("Ruviro-%1.mdb").arg(count));
        made.insert(count, createLetterFile(path, count) ? path : QString());
    }
    return made.value(count);
}

} // namespace letterfixture
