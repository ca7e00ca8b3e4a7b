#include "samplesheet.h"

#include "sheet/sheetpages.h"

namespace {

const char16_t* const Texts[sheetdata::TextSlotCount] = {
    u"7",
    u"12",
    u"10",                                 // 0-2 writing date
    u"医療法人社団　青葉内科クリニック",   // 3
    u"東京都杉並区阿佐谷北１丁目２番３号", // 4
    u"03",
    u"3333",
    u"4444",
    u"03",
    u"3333",
    u"4445", // 5-10
    u"山田　太郎",
    u"やまだ　たろう", // 11, 12
    u"○",
    u"",
    u"",
    u"",
    u"○", // 13-17 rings
    u"12",
    u" 4",
    u"15",
    u"93", // 18-21
    u"166",
    u"0001",                                                           // 22, 23
    u"東京都杉並区阿佐谷南三丁目４５番６号\r\n阿佐谷ハイツ１０１号室", // 24
    u"03",
    u"5555",
    u"6666", // 25-27
    u"7",
    u"11",
    u"28",           // 28-30
    u"歯科口腔外科", // 31
    u"脳梗塞後遺症",
    u"高血圧症",
    u"２型糖尿病", // 32-34
    u"(昭和･平成",
    u"年",
    u"月",
    u"日頃 )", // 35-38
    u"(平成･令和",
    u"年",
    u"月",
    u"日頃 )", // 39-42
    u"(明治･大正",
    u"年",
    u"月",
    u"日頃 )", // 43-46
    u"28",
    u" 3",
    u"12",
    u" 2",
    u"10",
    u" 1",
    u"15",
    u" 6",
    u"",                                               // 47-55
    u"血圧の変動が大きく、めまいを訴えることがある。", // 56
    u"平成28年3月脳梗塞を発症し、左片麻痺が残存。回復期リハビリテーション病院を経て\r\n"
    u"自宅に退院。以後当院に通院中。血圧は150/90前後で推移し、降圧剤を調整している。\r\n"
    u"最近６ヶ月で転倒が２回あり、屋内の移動にも見守りを要するようになった。\r\n"
    u"糖尿病はHbA1c 7.2%で経過。食事療法の継続が必要である。\r\n"
    u"認知機能は軽度低下しており、服薬の管理には家族の援助を要している。", // 57
    u"アムロジピン錠5mg 1錠 朝食後",
    u"クロピドグレル錠75mg 1錠 朝食後", // 58, 59
    u"メトホルミン錠250mg 2錠 朝夕食後",
    u"ランソプラゾール錠15mg 1錠 朝食後", // 60, 61
    u"酸化マグネシウム錠330mg 3錠 毎食後",
    u"ブロチゾラム錠0.25mg 1錠 就寝前", // 62, 63
    u"夜間の大声",                      // 64
    u"せん妄",                          // 65
    u"西多摩病院精神科\r\n佐藤　一郎",  // 66
    u"165",
    u"55", // 67, 68
    u"左下腿",
    u"左顔面",
    u"左上下肢",
    u"左肩関節",
    u"両膝関節", // 69-73
    u"仙骨部",
    u"両下腿",                                         // 74, 75
    u"塩分制限（１日６ｇ）と糖質の摂り過ぎに注意",     // 76
    u"便秘",                                           // 77
    u"手すりの設置と歩行時の見守り、水分摂取の声かけ", // 78
    u"訪問リハビリ",                                   // 79
    u"入浴前後の血圧測定",
    u"杖歩行時の見守り", // 80, 81
    u"刻み食",
    u"過度の運動は避ける", // 82, 83
    u"とろみ剤を使用",
    u"低血糖時の対応",   // 84, 85
    u"MRSA（鼻腔保菌）", // 86
    u"ご家族（長女）と同居しているが、日中は独居となる。\r\n"
    u"左片麻痺のため入浴と屋外の移動に介助が必要である。\r\n"
    u"転倒の危険が高く、住宅改修と福祉用具の利用が望ましい。\r\n"
    u"糖尿病の食事療法について、訪問栄養食事指導の利用を勧める。\r\n"
    u"\r\n"
    u"なお、精神科受診中のため、詳細は同院の情報提供書を添付する。", // 87
    u"山田　太郎　記入日（令和7年12月10日）",                        // 88 header
    u"令和",
    u"令和", // 89, 90 eras
};

// Underlines under the ten medical services: the place of the service's box.
const struct
{
    qint16 x, y, end;
} Underlines[] = {
    {12990, 9645, 13955},  {15375, 9645, 16340},  {17580, 9645, 18945}, {20115, 9645, 21855},
    {12990, 9885, 14970},  {15375, 9885, 17115},  {17580, 9885, 19320}, {20115, 9885, 21855},
    {12990, 10125, 14970}, {15375, 10125, 17580},
};

} // namespace

sheetdata::SheetModel sampleFilledSheet()
{
    using namespace sheetdata;
    SheetModel model;
    model.resetForLetter();
    model.FormLoaded = true;
    for (int i = 0; i < TextSlotCount; ++i)
        model.FormText[i] = QString::fromUtf16(Texts[i]);

    int slot = 1;
    for (const auto& box : sheet::page1CheckBoxes())
        storeCheck(model, slot++, qint16(box.x), qint16(box.y));
    // The onset rows ring 平成, 令和 and 明治.
    storeCapsule(model, slot++, 7695, 6645, 8130, 6825);
    storeCapsule(model, slot++, 7695, 6990, 8130, 7170);
    storeCapsule(model, slot++, 7215, 7335, 7650, 7515);
    slot = Page2FirstRow + 1;
    for (const auto& box : sheet::page2CheckBoxes())
        storeCheck(model, slot++, qint16(box.x), qint16(box.y));
    for (const auto& u : Underlines)
        storeLine(model, slot++, qint16(u.x - 15), qint16(u.y + 165), u.end, qint16(u.y + 165));
    return model;
}
