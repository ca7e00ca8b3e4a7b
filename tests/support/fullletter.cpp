#include "fullletter.h"

#include "common/schema.h"
#include "record/wrapforprint.h"
#include "sheetdata/setformdata.h"

#include <QStringList>

namespace fullletter {

namespace {

db::Variant text(const QString& s)
{
    return db::Variant::fromString(s);
}

// `count` characters taken in turn from `pool`.
QString cycle(const char16_t* pool, int count)
{
    const QString chars = QString::fromUtf16(pool);
    QString s;
    s.reserve(count);
    for (int i = 0; i < count; ++i)
        s.append(chars.at(i % chars.size()));
    return s;
}

// Characters a line of the remarks box holds: 44 full-width.
constexpr int RemarksLineChars = 44;

// A line of ASCII words that the remarks box wraps twice: about 200 half-width characters.
const char16_t* const AsciiLine =
    u"BP 158/96 mmHg, HbA1c 8.1%, eGFR 38 mL/min/1.73m2; Donepezil 5mg and Amlodipine 5mg "
    u"continued, home nurse visits WEEKLY to check WEIGHT, SKIN and FALLS; review in 4 weeks "
    u"or EARLIER when WORSE.";

} // namespace

QString kanji(int count)
{
    return cycle(u"髙橋鷹齋藤邊瀧澤龍鑑纏麗鬱", count);
}

QString hiragana(int count)
{
    return cycle(u"むめをぬわゐゑもみ", count);
}

QString wideRemarks(int lines)
{
    QStringList all;
    for (int i = 0; i < lines; ++i) {
        // The line's number in full-width digits, then kanji to the end of the line.
        QString number = QStringLiteral("%1").arg(i + 1, 2, 10, QChar(u'0'));
        for (QChar& c : number)
            c = QChar(c.unicode() - u'0' + u'０');
        all.append(number + kanji(RemarksLineChars - 2));
    }
    return all.join(QStringLiteral("\r\n"));
}

QString asciiRemarks(int paragraphs)
{
    QStringList all;
    for (int i = 0; i < paragraphs; ++i)
        all.append(QString::number(i + 1) + QStringLiteral(". ") + QString::fromUtf16(AsciiLine));
    return all.join(QStringLiteral("\r\n"));
}

letterfixtures::Fields withRemarks(letterfixtures::Fields fields, const QString& remarks)
{
    return letterfixtures::withValues(
        std::move(fields), {{u"意見書特記事項"_qs, text(remarks)},
                            {u"意見書特記事項印刷"_qs, text(record::WrapForPrint(remarks))}});
}

letterfixtures::Fields fields()
{
    // Boxes with a limit are filled to it. A box without one gets as many full-width characters
    // as it shows at its 9 pt (its width / 180 twips), and at least 20; the addresses get 60.
    const QString course = wideRemarks(8);
    const letterfixtures::Fields changes = {
        {u"最新意見書記入日"_qs, text(u"令和07年12月01日"_qs)},
        {u"医師名"_qs, text(kanji(20))},
        {u"医療機関名"_qs, text(kanji(28))},
        {u"医療機関郵便番号"_qs, text(u"160-0023"_qs)},
        {u"医療機関住所"_qs, text(kanji(60))},
        {u"医療機関電話局番"_qs, text(u"012345"_qs)},
        {u"医療機関電話"_qs, text(u"6789-0123"_qs)},
        {u"医療機関FAX局番"_qs, text(u"012345"_qs)},
        {u"医療機関FAX"_qs, text(u"6789-0124"_qs)},
        {u"患者名"_qs, text(kanji(30))},
        {u"患者名かな"_qs, text(hiragana(60))},
        {u"生年月日"_qs, text(u"昭和05年12月25日"_qs)},
        {u"年齢"_qs, text(u"95"_qs)},
        {u"郵便番号"_qs, text(u"164-0001"_qs)},
        {u"住所"_qs, text(kanji(60))},
        {u"電話局番"_qs, text(u"012345"_qs)},
        {u"電話"_qs, text(u"6789-0125"_qs)},
        {u"カルテ番号"_qs, text(u"A-1234567890"_qs)},
        {u"他科受診その他"_qs, text(kanji(20))},
        {u"診断名1"_qs, text(kanji(20))},
        {u"診断名2"_qs, text(kanji(20))},
        {u"診断名3"_qs, text(kanji(20))},
        {u"不安定"_qs, text(kanji(20))},
        {u"病状治療状態"_qs, text(course)},
        {u"病状治療状態印刷"_qs, text(record::WrapForPrint(course))},
        {u"問題行動他名"_qs, text(kanji(20))},
        {u"精神神経疾患名"_qs, text(kanji(20))},
        {u"専門医名"_qs, text(kanji(15))},
        {u"身長"_qs, text(u"158.5"_qs)},
        {u"体重"_qs, text(u"105.5"_qs)},
        {u"四肢欠損部位"_qs, text(kanji(20))},
        {u"その他麻痺部位"_qs, text(kanji(20))},
        {u"筋力低下部位"_qs, text(kanji(20))},
        {u"関節拘縮部位"_qs, text(kanji(20))},
        {u"関節疼痛部位"_qs, text(kanji(20))},
        {u"褥瘡部位"_qs, text(kanji(20))},
        {u"皮膚疾患部位"_qs, text(kanji(20))},
        {u"栄食留意"_qs, text(kanji(40))},
        {u"病態他名"_qs, text(kanji(20))},
        {u"対処方法"_qs, text(kanji(60))},
        {u"医学的管理他名"_qs, text(kanji(38))},
        {u"介護血圧留意事項"_qs, text(kanji(28))},
        {u"介護移動留意事項"_qs, text(kanji(28))},
        {u"介護摂食留意事項"_qs, text(kanji(28))},
        {u"介護運動留意事項"_qs, text(kanji(28))},
        {u"介護嚥下留意事項"_qs, text(kanji(28))},
        {u"介護他"_qs, text(kanji(38))},
        {u"感染症名"_qs, text(kanji(21))},
        {u"医師氏名"_qs, text(kanji(20))},
    };
    letterfixtures::Fields all =
        letterfixtures::withValues(letterfixtures::fullyFilledLetter(), changes);
    // Six medicine rows: name, dose and usage as long as their boxes show (18, 8, 13).
    for (int k = 1; k <= 6; ++k) {
        all = letterfixtures::withValues(all, {{u"薬剤名%1"_qs.arg(k), text(kanji(18))},
                                               {u"単位%1"_qs.arg(k), text(kanji(8))},
                                               {u"用法%1"_qs.arg(k), text(kanji(13))}});
    }
    return withRemarks(all, wideRemarks(20));
}

record::Letter letter(const letterfixtures::Fields& fields)
{
    record::Letter letter;
    letter.setNo(1);
    const auto& schema = common::letterFields();
    for (const auto& [name, value] : fields) {
        for (std::size_t i = 0; i < schema.size(); ++i) {
            if (schema[i].name.normalized(QString::NormalizationForm_KC) ==
                name.normalized(QString::NormalizationForm_KC)) {
                letter.set(static_cast<common::Field>(i), value);
                break;
            }
        }
    }
    return letter;
}

sheetdata::SheetModel sheet(const letterfixtures::Fields& fields)
{
    sheetdata::SheetModel model;
    sheetdata::SetFormData(model, letter(fields));
    return model;
}

} // namespace fullletter
