#include "sheetdata/setformdata.h"

#include "common/schema.h"
#include "platform/database.h"
#include "sheetdata/letterrow.h"

#include <QStringList>

namespace sheetdata {

namespace {

// The columns of the page-1 query and of the page-2 query.
const QStringList Page1Columns = {u"最新意見書記入日"_qs,
                                  u"医療機関名"_qs,
                                  u"医療機関住所"_qs,
                                  u"医療機関電話局番"_qs,
                                  u"医療機関電話"_qs,
                                  u"医療機関FAX局番"_qs,
                                  u"医療機関FAX"_qs,
                                  u"医師同意"_qs,
                                  u"患者名"_qs,
                                  u"患者名かな"_qs,
                                  u"性別"_qs,
                                  u"生年月日"_qs,
                                  u"年齢"_qs,
                                  u"郵便番号"_qs,
                                  u"住所"_qs,
                                  u"電話局番"_qs,
                                  u"電話"_qs,
                                  u"最終診察日"_qs,
                                  u"意見書作成回数"_qs,
                                  u"他科受診"_qs,
                                  u"他科受診その他"_qs,
                                  u"診断名1"_qs,
                                  u"診断名2"_qs,
                                  u"診断名3"_qs,
                                  u"発症年月日1"_qs,
                                  u"発症年月日2"_qs,
                                  u"発症年月日3"_qs,
                                  u"症状安定性"_qs,
                                  u"不安定"_qs,
                                  u"病状治療状態"_qs,
                                  u"病状治療状態印刷"_qs,
                                  u"薬剤名1"_qs,
                                  u"単位1"_qs,
                                  u"用法1"_qs,
                                  u"薬剤名2"_qs,
                                  u"単位2"_qs,
                                  u"用法2"_qs,
                                  u"薬剤名3"_qs,
                                  u"単位3"_qs,
                                  u"用法3"_qs,
                                  u"薬剤名4"_qs,
                                  u"単位4"_qs,
                                  u"用法4"_qs,
                                  u"薬剤名5"_qs,
                                  u"単位5"_qs,
                                  u"用法5"_qs,
                                  u"薬剤名6"_qs,
                                  u"単位6"_qs,
                                  u"用法6"_qs,
                                  u"点滴管理"_qs,
                                  u"中心静脈栄養"_qs,
                                  u"透析"_qs,
                                  u"人工肛門"_qs,
                                  u"酸素療法"_qs,
                                  u"人工呼吸器"_qs,
                                  u"気管切開処置"_qs,
                                  u"疼痛看護"_qs,
                                  u"経管栄養"_qs,
                                  u"モニター測定"_qs,
                                  u"褥創処置"_qs,
                                  u"カテーテル"_qs,
                                  u"寝たきり度"_qs,
                                  u"認知症状況"_qs,
                                  u"短期記憶"_qs,
                                  u"認知能力"_qs,
                                  u"伝達能力"_qs,
                                  u"幻視幻聴"_qs,
                                  u"妄想"_qs,
                                  u"昼夜逆転"_qs,
                                  u"暴言"_qs,
                                  u"暴行"_qs,
                                  u"抵抗"_qs,
                                  u"徘徊"_qs,
                                  u"不始末"_qs,
                                  u"不潔行為"_qs,
                                  u"異食行動"_qs,
                                  u"性的問題行動"_qs,
                                  u"問題行動他"_qs,
                                  u"問題行動他名"_qs,
                                  u"精神神経疾患"_qs,
                                  u"精神神経疾患名"_qs,
                                  u"専門医"_qs,
                                  u"専門医名"_qs};

const QStringList Page2Columns = {u"利き腕"_qs,
                                  u"身長"_qs,
                                  u"体重"_qs,
                                  u"体重変化"_qs,
                                  u"四肢欠損"_qs,
                                  u"四肢欠損部位"_qs,
                                  u"麻痺"_qs,
                                  u"右上肢麻痺"_qs,
                                  u"右上肢麻痺程度"_qs,
                                  u"右下肢麻痺"_qs,
                                  u"右下肢麻痺程度"_qs,
                                  u"左上肢麻痺"_qs,
                                  u"左上肢麻痺程度"_qs,
                                  u"左下肢麻痺"_qs,
                                  u"左下肢麻痺程度"_qs,
                                  u"その他麻痺"_qs,
                                  u"その他麻痺部位"_qs,
                                  u"その他麻痺程度"_qs,
                                  u"筋力低下"_qs,
                                  u"筋力低下部位"_qs,
                                  u"筋力低下程度"_qs,
                                  u"関節拘縮"_qs,
                                  u"関節拘縮部位"_qs,
                                  u"関節拘縮程度"_qs,
                                  u"関節疼痛"_qs,
                                  u"関節疼痛部位"_qs,
                                  u"関節疼痛程度"_qs,
                                  u"上肢失調右"_qs,
                                  u"上肢失調左"_qs,
                                  u"下肢失調右"_qs,
                                  u"下肢失調左"_qs,
                                  u"体幹失調右"_qs,
                                  u"体幹失調左"_qs,
                                  u"褥瘡"_qs,
                                  u"褥瘡部位"_qs,
                                  u"褥瘡程度"_qs,
                                  u"皮膚疾患"_qs,
                                  u"皮膚疾患部位"_qs,
                                  u"皮膚疾患程度"_qs,
                                  u"屋外歩行"_qs,
                                  u"車椅子"_qs,
                                  u"補助装具"_qs,
                                  u"食事行為"_qs,
                                  u"栄養状態"_qs,
                                  u"栄食留意"_qs,
                                  u"尿失禁"_qs,
                                  u"転倒骨折"_qs,
                                  u"移動能力"_qs,
                                  u"褥瘡可能性"_qs,
                                  u"心肺機能低下"_qs,
                                  u"閉じこもり"_qs,
                                  u"意欲低下"_qs,
                                  u"徘徊可能性"_qs,
                                  u"低栄養"_qs,
                                  u"摂食嚥下"_qs,
                                  u"脱水"_qs,
                                  u"易感染性"_qs,
                                  u"痛み"_qs,
                                  u"病態他"_qs,
                                  u"病態他名"_qs,
                                  u"対処方法"_qs,
                                  u"生活機能"_qs,
                                  u"訪問診療"_qs,
                                  u"訪問診療下線"_qs,
                                  u"訪問看護"_qs,
                                  u"訪問看護下線"_qs,
                                  u"訪問歯科診療"_qs,
                                  u"訪問歯科診療下線"_qs,
                                  u"訪問薬剤管理指導"_qs,
                                  u"訪問薬剤管理指導下線"_qs,
                                  u"訪問ﾘﾊﾋﾞﾘﾃｰｼｮﾝ"_qs,
                                  u"訪問ﾘﾊﾋﾞﾘﾃｰｼｮﾝ下線"_qs,
                                  u"短期入所療養介護"_qs,
                                  u"短期入所療養介護下線"_qs,
                                  u"訪問歯科衛生指導"_qs,
                                  u"訪問歯科衛生指導下線"_qs,
                                  u"訪問栄養食事指導"_qs,
                                  u"訪問栄養食事指導下線"_qs,
                                  u"通所ﾘﾊﾋﾞﾘﾃｰｼｮﾝ"_qs,
                                  u"通所ﾘﾊﾋﾞﾘﾃｰｼｮﾝ下線"_qs,
                                  u"医学的管理他"_qs,
                                  u"医学的管理他下線"_qs,
                                  u"医学的管理他名"_qs,
                                  u"介護血圧"_qs,
                                  u"介護血圧留意事項"_qs,
                                  u"介護移動"_qs,
                                  u"介護移動留意事項"_qs,
                                  u"介護摂食"_qs,
                                  u"介護摂食留意事項"_qs,
                                  u"介護運動"_qs,
                                  u"介護運動留意事項"_qs,
                                  u"介護嚥下"_qs,
                                  u"介護嚥下留意事項"_qs,
                                  u"介護他"_qs,
                                  u"感染症"_qs,
                                  u"感染症名"_qs,
                                  u"意見書特記事項"_qs,
                                  u"意見書特記事項印刷"_qs};

// The letter number as a 32-bit integer; std::nullopt for a text that is not a whole number.
std::optional<qint32> letterNumber(const QString& text)
{
    bool ok = false;
    const qint32 number = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

// Opens one query on the letter's row. Only the columns that the table has are asked for,
// so that a data file lacking a column still gives every other value.
std::unique_ptr<db::Recordset> openLetterQuery(db::Database& database, const QStringList& wanted,
                                               qint32 number, QString* problem)
{
    QStringList present;
    const QStringList stored = database.columns(common::LetterTable);
    QStringList storedFolded;
    for (const QString& name : stored)
        storedFolded.append(name.normalized(QString::NormalizationForm_KC));
    for (const QString& name : wanted) {
        if (storedFolded.contains(name.normalized(QString::NormalizationForm_KC)))
            present.append(name);
    }
    if (present.isEmpty()) {
        if (!database.hasTable(common::LetterTable))
            *problem = u"データファイルに申請者情報の表がありません。"_qs;
        return nullptr;
    }
    const QString sql = u"SELECT "_qs + present.join(u',') + u" FROM "_qs + common::LetterTable +
                        u" WHERE "_qs + common::LetterKey + u" = ?"_qs;
    QString error;
    auto recordset = database.openDynaset(sql, {db::Variant::fromLong(number)}, &error);
    if (!recordset)
        *problem = error;
    return recordset;
}

} // namespace

SheetFillResult SetFormData(SheetModel& model, const QString& databasePath,
                            const QString& letterNoText)
{
    SheetFillResult result;
    model.FormLoaded = true;

    const std::optional<qint32> number = letterNumber(letterNoText);
    std::unique_ptr<db::Database> database;
    if (!number) {
        result.problem = u"作成NO「%1」は番号ではありません。"_qs.arg(letterNoText);
    } else {
        QString error;
        database = db::Database::open(databasePath, db::OpenMode::ReadOnly, &error);
        if (!database)
            result.problem = error;
    }

    std::unique_ptr<db::Recordset> page1;
    if (database)
        page1 = openLetterQuery(*database, Page1Columns, *number, &result.problem);
    if (page1 && page1->eof() && result.problem.isEmpty())
        result.problem = u"作成NO %1 の意見書はありません。"_qs.arg(*number);
    result.letterFound = page1 && !page1->eof();

    if (const auto name = LetterRow(page1.get()).textOrNull(u"患者名"_qs))
        result.patientName = name->value_or(QString());

    model.resetForLetter();
    fillPage1Sections(model, page1.get());
    page1.reset();

    std::unique_ptr<db::Recordset> page2;
    if (database)
        page2 = openLetterQuery(*database, Page2Columns, *number, &result.problem);
    fillPage2Sections(model, page2.get());
    return result;
}

void fillPage1Sections(SheetModel& model, const db::Recordset* page1)
{
    const LetterRow row(page1);
    fillHeading(model, row);
    fillDepartmentsAndDiagnoses(model, row);
    fillCourse(model, row);
    fillIndependence(model, row);
    fillSpecialCare(model, row);
    fillDementia(model, row);
    fillPsychiatric(model, row);
}

void fillPage2Sections(SheetModel& model, const db::Recordset* page2)
{
    const LetterRow row(page2);
    fillPhysique(model, row);
    fillMuscleAndSkin(model, row);
    fillMobility(model, row);
    fillServices(model, row);
    fillRemarks(model, row);
}

} // namespace sheetdata
