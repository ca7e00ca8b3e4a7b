#include "common/schema.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "sheetdata/setformdata.h"
#include "sheetdump.h"
#include "sheetfixture.h"

#include <QTest>

using namespace sheetdata;
using letterfixtures::Fields;

namespace {

// Field changes written as "name=value|name=value": a value "s:text" is a text, "i:n" an
// Integer, "b:1"/"b:0" a Yes/No value and "null" a Null.
Fields parseFields(const QString& spec)
{
    Fields fields;
    if (spec.isEmpty())
        return fields;
    for (const QString& item : spec.split(u'|')) {
        const qsizetype eq = item.indexOf(u'=');
        const QString name = item.left(eq);
        const QString value = item.mid(eq + 1);
        db::Variant v;
        if (value.startsWith(u"s:"))
            v = db::Variant::fromString(value.mid(2));
        else if (value.startsWith(u"i:"))
            v = db::Variant::fromInteger(static_cast<qint16>(value.mid(2).toInt()));
        else if (value.startsWith(u"b:"))
            v = db::Variant::fromBool(value.mid(2) == u"1");
        else if (value != u"null")
            qFatal("bad field value %s", qPrintable(item));
        fields.append({name, v});
    }
    return fields;
}

// The Slots of non-empty rows between first and last.
QList<int> storedSlots(const SheetModel& model, int first, int last)
{
    QList<int> found;
    for (int slot = first; slot <= last; ++slot) {
        if (model.row(slot).Kind != ShapeNone)
            found.append(slot);
    }
    return found;
}

const QString CrLf = u"\r\n"_qs;

} // namespace

class TestSetFormData : public QObject
{
    Q_OBJECT

private slots:
    void heading_data();
    void heading() { runCase(); }
    void departments_data();
    void departments() { runCase(); }
    void onsetDates_data();
    void onsetDates() { runCase(); }
    void course_data();
    void course() { runCase(); }
    void mind_data();
    void mind() { runCase(); }
    void physique_data();
    void physique() { runCase(); }
    void muscleAndSkin_data();
    void muscleAndSkin() { runCase(); }
    void mobility_data();
    void mobility() { runCase(); }
    void services_data();
    void services() { runCase(); }

    void fixtureCoversEveryField();
    void markPlaces();
    void letterWithoutRow_data();
    void letterWithoutRow();
    void numberIsBoundNotPasted();
    void tableLackingColumns();
    void secondLetterLeavesNoMarkOfFirst();
    void clearThenLoad();

private:
    static void addColumns();
    static void runCase();
};

void TestSetFormData::addColumns()
{
    QTest::addColumn<QString>("fields");    // changes to the unanswered letter
    QTest::addColumn<QStringList>("texts"); // "slot=text" expected
    QTest::addColumn<int>("first");         // the Slot range whose rows are checked
    QTest::addColumn<int>("last");
    QTest::addColumn<QList<int>>("marks"); // the Slots stored in that range
}

void TestSetFormData::runCase()
{
    QFETCH(QString, fields);
    QFETCH(QStringList, texts);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QList<int>, marks);

    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY2(fixture.add(7, letterfixtures::withValues(letterfixtures::unansweredLetter(),
                                                       parseFields(fields))),
             qPrintable(fixture.error()));
    SheetModel model;
    const SheetFillResult result = fixture.fill(model, u"7"_qs);
    QVERIFY(result.letterFound);
    QVERIFY(model.FormLoaded);
    QCOMPARE(model.ShapeCount, MarkRowCount);
    for (const QString& expected : texts) {
        const qsizetype eq = expected.indexOf(u'=');
        const int slot = expected.left(eq).toInt();
        QCOMPARE(model.FormText[slot], expected.mid(eq + 1));
    }
    QCOMPARE(storedSlots(model, first, last), marks);
}

void TestSetFormData::heading_data()
{
    addColumns();
    const QString name = u"患者名=s:佐藤　花子|"_qs;
    QTest::newRow("writing date 04 form")
        << name + u"最新意見書記入日=s:平成18年04月01日"_qs
        << QStringList{u"0=18"_qs, u"1= 4"_qs, u"2= 1"_qs, u"89=平成"_qs,
                       u"88=佐藤　花子　記入日（平成18年 4月 1日）"_qs}
        << 1 << 4 << QList<int>{};
    QTest::newRow("writing date ' 4' form")
        << name + u"最新意見書記入日=s:平成18年 4月 1日"_qs
        << QStringList{u"0=18"_qs, u"1= 4"_qs, u"2= 1"_qs,
                       u"88=佐藤　花子　記入日（平成18年 4月 1日）"_qs}
        << 1 << 4 << QList<int>{};
    QTest::newRow("writing date without zeros")
        << name + u"最新意見書記入日=s:令和7年4月1日"_qs
        << QStringList{u"0= 7"_qs, u"1= 4"_qs, u"2= 1"_qs, u"89=令和"_qs,
                       u"88=佐藤　花子　記入日（令和 7年 4月 1日）"_qs}
        << 1 << 4 << QList<int>{};
    QTest::newRow("writing date empty") << name + u"最新意見書記入日=s:"_qs
                                        << QStringList{u"0="_qs, u"1="_qs, u"2="_qs, u"89=令和"_qs,
                                                       u"88=佐藤　花子　記入日（令和年月日）"_qs}
                                        << 1 << 4 << QList<int>{};
    QTest::newRow("writing date and name null")
        << u"患者名=null|最新意見書記入日=null"_qs
        << QStringList{u"0="_qs, u"11="_qs, u"89=令和"_qs, u"88=　記入日（令和年月日）"_qs} << 1
        << 4 << QList<int>{};
    QTest::newRow("writing date 00 day")
        << name + u"最新意見書記入日=s:平成18年04月00日"_qs
        << QStringList{u"2="_qs, u"88=佐藤　花子　記入日（平成18年 4月日）"_qs} << 1 << 4
        << QList<int>{};
    QTest::newRow("phones") << u"医療機関電話=s:-|医療機関FAX=s:3345|電話=s:12-34-56"_qs
                            << QStringList{u"6="_qs,      u"7="_qs,    u"9="_qs,
                                           u"10=3345"_qs, u"26=12"_qs, u"27=34-56"_qs}
                            << 1 << 4 << QList<int>{};
    QTest::newRow("postal code dash")
        << u"郵便番号=s:-"_qs << QStringList{u"22=-"_qs, u"23=-"_qs} << 1 << 4 << QList<int>{};
    QTest::newRow("postal code cut by length")
        << u"郵便番号=s:164-0001"_qs << QStringList{u"22=164"_qs, u"23=0001"_qs} << 1 << 4
        << QList<int>{};
    QTest::newRow("address of 20 characters")
        << u"住所=s:一二三四五六七八九十一二三四五六七八九十"_qs
        << QStringList{u"24=一二三四五六七八九十一二三四五六七八九十"_qs} << 1 << 4 << QList<int>{};
    QTest::newRow("address of 21 characters")
        << u"住所=s:一二三四五六七八九十一二三四五六七八九十𠮷"_qs
        << QStringList{u"24=一二三四五六七八九十一二三四五六七八九十"_qs + CrLf + u"𠮷"_qs} << 1
        << 4 << QList<int>{};
    QTest::newRow("birth date 平成")
        << u"生年月日=s:平成02年10月05日"_qs
        << QStringList{u"15="_qs, u"16="_qs, u"17="_qs, u"18= 2"_qs, u"19=10"_qs, u"20= 5"_qs} << 1
        << 4 << QList<int>{};
    QTest::newRow("birth date 大正, month without zero")
        << u"生年月日=s:大正09年1月05日"_qs
        << QStringList{u"16=○"_qs, u"17="_qs, u"18= 9"_qs, u"19=1"_qs} << 1 << 4 << QList<int>{};
    QTest::newRow("sex and consent as digit text")
        << u"性別=s:2|医師同意=s:1|意見書作成回数=s:2"_qs << QStringList{u"13="_qs, u"14=○"_qs} << 1
        << 4 << QList<int>{1, 4};
    QTest::newRow("consent 2, first letter")
        << u"医師同意=i:2|意見書作成回数=i:1|性別=i:1"_qs << QStringList{u"13=○"_qs} << 1 << 4
        << QList<int>{2, 3};
    QTest::newRow("codes unanswered")
        << u"医師同意=i:0|意見書作成回数=i:0|性別=i:0"_qs << QStringList{u"13="_qs, u"14="_qs} << 1
        << 4 << QList<int>{};
    QTest::newRow("codes out of range or null")
        << u"医師同意=i:3|意見書作成回数=null|性別=s:x"_qs << QStringList{u"13="_qs, u"14="_qs} << 1
        << 4 << QList<int>{};
    QTest::newRow("last examination")
        << u"最終診察日=s:昭和60年01月02日"_qs
        << QStringList{u"28=60"_qs, u"29= 1"_qs, u"30= 2"_qs, u"90=昭和"_qs} << 1 << 4
        << QList<int>{};
    QTest::newRow("last examination empty")
        << u"最終診察日=s:"_qs << QStringList{u"28="_qs, u"90=令和"_qs} << 1 << 4 << QList<int>{};
}

void TestSetFormData::departments_data()
{
    addColumns();
    QTest::newRow("three codes") << u"他科受診=s:010412|他科受診その他=s:"_qs
                                 << QStringList{u"31="_qs} << 5 << 19 << QList<int>{5, 7, 10, 18};
    QTest::newRow("every code") << u"他科受診=s:010203040506070809101112|他科受診その他=s:"_qs
                                << QStringList{} << 5 << 19
                                << QList<int>{5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    QTest::newRow("other department only")
        << u"他科受診=s:|他科受診その他=s:心臓血管外科"_qs << QStringList{u"31=心臓血管外科"_qs}
        << 5 << 19 << QList<int>{5, 19};
    QTest::newRow("answered 無") << u"他科受診=s:|他科受診その他=s:"_qs << QStringList{} << 5 << 19
                                 << QList<int>{6};
    QTest::newRow("unanswered 00")
        << u"他科受診=s:00|他科受診その他=s:"_qs << QStringList{} << 5 << 19 << QList<int>{};
    QTest::newRow("code 13") << u"他科受診=s:13|他科受診その他=s:"_qs << QStringList{} << 5 << 19
                             << QList<int>{5};
    QTest::newRow("odd length") << u"他科受診=s:0|他科受診その他=s:"_qs << QStringList{} << 5 << 19
                                << QList<int>{5};
    QTest::newRow("odd last character ignored") << u"他科受診=s:01120|他科受診その他=s:"_qs
                                                << QStringList{} << 5 << 19 << QList<int>{5, 7, 18};
    QTest::newRow("full-width digits are no code")
        << u"他科受診=s:０１|他科受診その他=s:"_qs << QStringList{} << 5 << 19 << QList<int>{5};
    // Pairs are taken by characters: a character outside the BMP is one character.
    QTest::newRow("pairs counted in characters") << u"他科受診=s:\U00020BB701|他科受診その他=s:"_qs
                                                 << QStringList{} << 5 << 19 << QList<int>{5};
    QTest::newRow("null answer is unanswered")
        << u"他科受診=null|他科受診その他=s:"_qs << QStringList{} << 5 << 19 << QList<int>{};
    QTest::newRow("both null") << u"他科受診=null|他科受診その他=null"_qs << QStringList{u"31="_qs}
                               << 5 << 19 << QList<int>{};
    QTest::newRow("null other reads as empty")
        << u"他科受診=s:|他科受診その他=null"_qs << QStringList{u"31="_qs} << 5 << 19
        << QList<int>{6};
    QTest::newRow("null other with codes") << u"他科受診=s:02|他科受診その他=null"_qs
                                           << QStringList{u"31="_qs} << 5 << 19 << QList<int>{5, 8};
    QTest::newRow("diagnoses whole")
        << u"診断名1=s:アルツハイマー型認知症（中等度）、高血圧症、脂質異常症|診断名2=null"_qs
        << QStringList{u"32=アルツハイマー型認知症（中等度）、高血圧症、脂質異常症"_qs, u"33="_qs,
                       u"34="_qs}
        << 5 << 19 << QList<int>{};
}

void TestSetFormData::onsetDates_data()
{
    addColumns();
    QTest::newRow("平成 04 form") << u"発症年月日1=s:平成20年04月01日"_qs
                                  << QStringList{u"35=(昭和･平成"_qs, u"36=年"_qs, u"37=月"_qs,
                                                 u"38=日頃 )"_qs,     u"47=20"_qs, u"48= 4"_qs,
                                                 u"49= 1"_qs}
                                  << 20 << 31 << QList<int>{23};
    QTest::newRow("平成 ' 4' form")
        << u"発症年月日2=s:平成20年 4月 1日"_qs
        << QStringList{u"39=(昭和･平成"_qs, u"50=20"_qs, u"51= 4"_qs, u"52= 1"_qs} << 20 << 31
        << QList<int>{27};
    QTest::newRow("昭和 without day")
        << u"発症年月日3=s:昭和63年12月日"_qs
        << QStringList{u"43=(昭和･平成"_qs, u"53=63"_qs, u"54=12"_qs, u"55="_qs} << 20 << 31
        << QList<int>{30};
    QTest::newRow("明治 and 大正")
        << u"発症年月日1=s:明治45年07月30日|発症年月日2=s:大正01年01月01日"_qs
        << QStringList{u"35=(明治･大正"_qs, u"39=(明治･大正"_qs} << 20 << 31 << QList<int>{20, 25};
    QTest::newRow("令和 rings the second name")
        << u"発症年月日1=s:令和03年07月15日"_qs
        << QStringList{u"35=(平成･令和"_qs, u"36=年"_qs, u"37=月"_qs, u"38=日頃 )"_qs,
                       u"47= 3"_qs,         u"48= 7"_qs, u"49=15"_qs}
        << 20 << 31 << QList<int>{23};
    // 元 is the year 1, also padded by the year box; a month or day 元 is no number.
    // Full-width parts read as their numbers and print as stored.
    QTest::newRow("元年 and full-width parts")
        << u"発症年月日1=s:平成元年０４月０１日|発症年月日2=s:平成01年元月元日|"
           u"発症年月日3=s:令和0元年０月05日"_qs
        << QStringList{u"47=元"_qs, u"48=０４"_qs, u"49=０１"_qs, u"50= 1"_qs, u"51="_qs,
                       u"52="_qs,   u"53= 元"_qs,  u"54="_qs,     u"55= 5"_qs}
        << 20 << 31 << QList<int>{23, 27, 31};
    QTest::newRow("不詳") << u"発症年月日1=s:不詳20年月日"_qs
                          << QStringList{u"35=(不詳"_qs, u"36="_qs, u"37="_qs, u"38=　　   )"_qs,
                                         u"47=20"_qs,    u"48="_qs, u"49="_qs}
                          << 20 << 31 << QList<int>{};
    QTest::newRow("no onset date 00")
        << u"発症年月日1=s:00"_qs
        << QStringList{u"35=(昭和･平成"_qs, u"36=年"_qs, u"37=月"_qs, u"38=日頃 )"_qs,
                       u"47="_qs,           u"48="_qs,   u"49="_qs}
        << 20 << 31 << QList<int>{};
    QTest::newRow("markers only") << u"発症年月日1=s:年月日"_qs
                                  << QStringList{u"35="_qs, u"36="_qs, u"37="_qs, u"38="_qs,
                                                 u"47="_qs}
                                  << 20 << 31 << QList<int>{};
    QTest::newRow("empty and null")
        << u"発症年月日1=s:|発症年月日2=null"_qs
        << QStringList{u"35="_qs, u"38="_qs, u"39="_qs, u"42="_qs, u"47="_qs, u"50="_qs} << 20 << 31
        << QList<int>{};
    QTest::newRow("parts cleared unless a number")
        << u"発症年月日1=s:平成00年ab月 0日"_qs << QStringList{u"47="_qs, u"48="_qs, u"49="_qs}
        << 20 << 31 << QList<int>{23};
}

void TestSetFormData::course_data()
{
    addColumns();
    QTest::newRow("stability as digit text")
        << u"症状安定性=s:2"_qs << QStringList{} << 32 << 34 << QList<int>{33};
    QTest::newRow("stability 0 with detail")
        << u"症状安定性=i:0|不安定=s:夜間せん妄"_qs << QStringList{u"56=夜間せん妄"_qs} << 32 << 34
        << QList<int>{};
    QTest::newRow("stability 1 with detail")
        << u"症状安定性=i:1|不安定=s:夜間せん妄"_qs << QStringList{u"56=夜間せん妄"_qs} << 32 << 34
        << QList<int>{32};
    QTest::newRow("stability out of range")
        << u"症状安定性=i:4"_qs << QStringList{} << 32 << 34 << QList<int>{};
    QTest::newRow("course from its print copy")
        << u"病状治療状態=s:plain|病状治療状態印刷=s:一行目\r\n二行目\r\n三行目"_qs
        << QStringList{u"57=一行目\r\n二行目\r\n三行目"_qs} << 32 << 34 << QList<int>{};
    QTest::newRow("empty print copy prints nothing")
        << u"病状治療状態=s:plain|病状治療状態印刷=null"_qs << QStringList{u"57="_qs} << 32 << 34
        << QList<int>{};
    QTest::newRow("medicine lines")
        << u"薬剤名1=s:|単位1=s:|用法1=s:|薬剤名2=null|単位2=s:1錠|用法2=s:朝食後|薬剤名3=s:A|薬剤名4=s:|単位4=s:2錠"_qs
        << QStringList{u"58=  "_qs, u"59= 1錠 朝食後"_qs, u"60=A  "_qs, u"61= 2錠 "_qs} << 32 << 34
        << QList<int>{};
    QTest::newRow("every special care flag")
        << u"点滴管理=b:1|中心静脈栄養=b:1|透析=b:1|人工肛門=b:1|酸素療法=b:1|人工呼吸器=b:1|気管切開処置=b:1|疼痛看護=b:1|経管栄養=b:1|モニター測定=b:1|褥創処置=b:1|カテーテル=b:1"_qs
        << QStringList{} << 52 << 63 << QList<int>{52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63};
    QTest::newRow("null and false flags")
        << u"点滴管理=null|酸素療法=b:1|透析=b:0"_qs << QStringList{} << 52 << 63 << QList<int>{56};
    QTest::newRow("remarks from the print copy")
        << u"意見書特記事項=s:plain|意見書特記事項印刷=s:独居\r\n見守り"_qs
        << QStringList{u"87=独居\r\n見守り"_qs} << 32 << 34 << QList<int>{};
}

void TestSetFormData::mind_data()
{
    addColumns();
    QTest::newRow("independence as digit text")
        << u"寝たきり度=s:6|認知症状況=i:8"_qs << QStringList{} << 35 << 51 << QList<int>{40, 51};
    QTest::newRow("independence unanswered or out of range")
        << u"寝たきり度=i:0|認知症状況=i:9"_qs << QStringList{} << 35 << 51 << QList<int>{};
    QTest::newRow("core findings") << u"短期記憶=i:2|認知能力=i:4|伝達能力=i:5"_qs << QStringList{}
                                   << 64 << 73 << QList<int>{65, 69};
    QTest::newRow("two behaviours") << u"暴言=b:1|徘徊=b:1|問題行動他名=s:"_qs
                                    << QStringList{u"64="_qs} << 74 << 87 << QList<int>{77, 80, 86};
    QTest::newRow("answered 無") << u"問題行動他名=s:"_qs << QStringList{u"64="_qs} << 74 << 87
                                 << QList<int>{87};
    QTest::newRow("unanswered 00 ticks neither")
        << u"問題行動他名=s:00"_qs << QStringList{u"64="_qs} << 74 << 87 << QList<int>{};
    QTest::newRow("only the other text")
        << u"問題行動他名=s:収集癖"_qs << QStringList{u"64=収集癖"_qs} << 74 << 87
        << QList<int>{87};
    QTest::newRow("other ticked without text")
        << u"問題行動他=b:1|問題行動他名=s:"_qs << QStringList{u"64="_qs} << 74 << 87
        << QList<int>{85, 86};
    QTest::newRow("every flag null")
        << u"幻視幻聴=null|妄想=null|昼夜逆転=null|暴言=null|暴行=null|抵抗=null|徘徊=null|不始末=null|不潔行為=null|異食行動=null|性的問題行動=null|問題行動他=null|問題行動他名=null"_qs
        << QStringList{u"64="_qs} << 74 << 87 << QList<int>{87};
}

void TestSetFormData::physique_data()
{
    addColumns();
    QTest::newRow("specialist empty")
        << u"専門医名=s:"_qs << QStringList{u"66=\r\n"_qs} << 88 << 91 << QList<int>{};
    QTest::newRow("specialist null")
        << u"専門医名=null"_qs << QStringList{u"66=\r\n"_qs} << 88 << 91 << QList<int>{};
    QTest::newRow("specialist of 5 characters")
        << u"専門医名=s:精神科医院"_qs << QStringList{u"66=\r\n精神科医院"_qs} << 88 << 91
        << QList<int>{};
    QTest::newRow("specialist of 6 characters")
        << u"専門医名=s:中精神科医院"_qs << QStringList{u"66=中\r\n精神科医院"_qs} << 88 << 91
        << QList<int>{};
    QTest::newRow("specialist of 15 characters")
        << u"専門医名=s:東京都立松沢病院精神神経科外来|専門医=i:1"_qs
        << QStringList{u"66=東京都立松沢病院精神\r\n神経科外来"_qs} << 88 << 91 << QList<int>{90};
    QTest::newRow("psychiatric 0 keeps the name")
        << u"精神神経疾患=i:0|精神神経疾患名=s:うつ状態"_qs << QStringList{u"65=うつ状態"_qs} << 88
        << 91 << QList<int>{};
    QTest::newRow("psychiatric 2 and specialist 2")
        << u"精神神経疾患=s:2|専門医=i:2"_qs << QStringList{} << 88 << 91 << QList<int>{89, 91};
    QTest::newRow("leg without paralysis flag")
        << u"麻痺=b:0|右下肢麻痺=b:1|右下肢麻痺程度=i:2"_qs << QStringList{} << 92 << 118
        << QList<int>{107, 109};
    QTest::newRow("body")
        << u"利き腕=s:2|身長=s:148.5|体重=s:42|体重変化=i:0|四肢欠損=b:1|四肢欠損部位=s:左第５指"_qs
        << QStringList{u"67=148.5"_qs, u"68=42"_qs, u"69=左第５指"_qs} << 92 << 118
        << QList<int>{93, 97};
    QTest::newRow("other site degree alone")
        << u"その他麻痺=b:0|その他麻痺程度=i:3|その他麻痺部位=s:顔面"_qs
        << QStringList{u"70=顔面"_qs} << 92 << 118 << QList<int>{118};
}

void TestSetFormData::muscleAndSkin_data()
{
    addColumns();
    QTest::newRow("contracture with degree 2")
        << u"関節拘縮=b:1|関節拘縮部位=s:右膝|関節拘縮程度=i:2"_qs << QStringList{u"72=右膝"_qs}
        << 119 << 144 << QList<int>{123, 125};
    QTest::newRow("trunk left alone")
        << u"体幹失調左=b:1"_qs << QStringList{} << 119 << 144 << QList<int>{135, 136};
    QTest::newRow("both legs") << u"下肢失調右=b:1|下肢失調左=b:1"_qs << QStringList{} << 119 << 144
                               << QList<int>{132, 133, 136};
    QTest::newRow("group flag alone")
        << u"失調不随=b:1"_qs << QStringList{} << 119 << 144 << QList<int>{};
    QTest::newRow("joint pain 重 and right arm ataxia keep both ticks")
        << u"関節疼痛=b:1|関節疼痛程度=i:3|上肢失調右=b:1"_qs << QStringList{} << 119 << 208
        << QList<int>{127, 130, 136, 208};
    QTest::newRow("degree without flag")
        << u"褥瘡=b:0|褥瘡程度=s:3"_qs << QStringList{} << 119 << 144 << QList<int>{140};
    QTest::newRow("site without flag") << u"皮膚疾患=b:0|皮膚疾患部位=s:背部"_qs
                                       << QStringList{u"75=背部"_qs} << 119 << 144 << QList<int>{};
    QTest::newRow("degree 4") << u"筋力低下程度=i:4"_qs << QStringList{} << 119 << 144
                              << QList<int>{};
}

void TestSetFormData::mobility_data()
{
    addColumns();
    QTest::newRow("both walking aids")
        << u"補助装具=i:4"_qs << QStringList{} << 151 << 153 << QList<int>{152, 153};
    QTest::newRow("no walking aid")
        << u"補助装具=i:1"_qs << QStringList{} << 151 << 153 << QList<int>{151};
    QTest::newRow("walking aid null")
        << u"補助装具=null"_qs << QStringList{} << 151 << 153 << QList<int>{};
    QTest::newRow("outdoor walking as digit text")
        << u"屋外歩行=s:2|車椅子=i:4"_qs << QStringList{} << 145 << 150 << QList<int>{146};
    QTest::newRow("prognosis 3") << u"生活機能=i:3"_qs << QStringList{} << 172 << 174
                                 << QList<int>{174};
    QTest::newRow("two conditions")
        << u"徘徊可能性=b:1|痛み=b:1"_qs << QStringList{} << 158 << 171 << QList<int>{165, 170};
    QTest::newRow("other condition text without flag")
        << u"病態他=b:0|病態他名=s:せん妄"_qs << QStringList{u"77=せん妄"_qs} << 158 << 171
        << QList<int>{};
    QTest::newRow("long nutrition note whole")
        << u"栄食留意=s:一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"_qs
        << QStringList{u"76=一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"_qs}
        << 145 << 174 << QList<int>{};
    QTest::newRow("every field null")
        << u"屋外歩行=null|車椅子=null|補助装具=null|食事行為=null|栄養状態=null|栄食留意=null|病態他名=null|対処方法=null|生活機能=null"_qs
        << QStringList{u"76="_qs, u"77="_qs, u"78="_qs} << 145 << 174 << QList<int>{};
}

void TestSetFormData::services_data()
{
    addColumns();
    QTest::newRow("ticked and underlined") << u"訪問看護=b:1|訪問看護下線=b:1"_qs << QStringList{}
                                           << 175 << 194 << QList<int>{176, 186};
    QTest::newRow("underline alone")
        << u"通所リハビリテーション下線=b:1"_qs << QStringList{} << 175 << 194 << QList<int>{193};
    QTest::newRow("rehabilitation by half-width query names")
        << u"訪問リハビリテーション=b:1|通所リハビリテーション=b:1"_qs << QStringList{} << 175
        << 194 << QList<int>{179, 183};
    QTest::newRow("care note 0 keeps its text")
        << u"介護血圧=i:0|介護血圧留意事項=s:180以上で中止|介護他=s:一行目\r\n二行目"_qs
        << QStringList{u"80=180以上で中止"_qs, u"85=一行目\r\n二行目"_qs} << 195 << 204
        << QList<int>{};
    QTest::newRow("care notes as digit text")
        << u"介護血圧=s:1|介護移動=s:2|介護嚥下=i:3"_qs << QStringList{} << 195 << 204
        << QList<int>{195, 198};
    QTest::newRow("infection 無") << u"感染症=i:2|感染症名=s:"_qs << QStringList{u"86="_qs} << 205
                                  << 207 << QList<int>{205};
    QTest::newRow("infection 0") << u"感染症=i:0"_qs << QStringList{} << 205 << 207 << QList<int>{};
    QTest::newRow("infection 不明")
        << u"感染症=i:3"_qs << QStringList{} << 205 << 207 << QList<int>{207};
}

void TestSetFormData::fixtureCoversEveryField()
{
    // The fully filled letter answers every field of the letter table, each with a value of
    // its kind.
    const Fields full = letterfixtures::fullyFilledLetter();
    QCOMPARE(full.size(), qsizetype(common::LetterFieldCount));
    for (const common::LetterField& field : common::letterFields()) {
        const db::Variant value = letterfixtures::fieldValue(full, field.name);
        QVERIFY2(!value.isNull(), qPrintable(field.name));
        switch (field.kind) {
        case common::FieldKind::Text:
            QVERIFY2(!value.toString().isEmpty(), qPrintable(field.name));
            break;
        case common::FieldKind::YesNo:
            QVERIFY2(value.type() == db::Variant::Type::Boolean && *value.toBool(),
                     qPrintable(field.name));
            break;
        case common::FieldKind::AnswerCode:
            QVERIFY2(value.type() == db::Variant::Type::Integer && *value.toLong() > 0,
                     qPrintable(field.name));
            break;
        }
    }
}

void TestSetFormData::markPlaces()
{
    // A few rows in full, one of each kind.
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY(fixture.add(1, letterfixtures::fullyFilledLetter()));
    SheetModel model;
    fixture.fill(model, u"1"_qs);
    QCOMPARE(model.row(56), (ShapeRow{ShapeCheck, 9435, 11355, 9555, 11475, 2, 1, 0}));
    QCOMPARE(model.row(23), (ShapeRow{ShapeCapsule, 7695, 6645, 8130, 6825, 1, 0, 0}));
    QCOMPARE(model.row(26), (ShapeRow{ShapeCapsule, 7215, 6990, 7650, 7170, 1, 0, 0}));
    QCOMPARE(model.row(185), (ShapeRow{ShapeLine, 12975, 9810, 13955, 9810, 1, 0, 0}));
    QCOMPARE(model.row(130), (ShapeRow{ShapeCheck, 20685, 4590, 20805, 4710, 2, 1, 0}));
    QCOMPARE(model.row(208), (ShapeRow{ShapeCheck, 15735, 4860, 15855, 4980, 2, 1, 0}));
    // Every mark lies on its own page.
    for (int r = 0; r < MarkRowCount; ++r) {
        const ShapeRow row = model.ShapeData[static_cast<size_t>(r)];
        if (row.Kind == ShapeNone)
            continue;
        if (r <= Page1LastRow)
            QVERIFY2(row.X1 < Page2Shift, qPrintable(QString::number(r + 1)));
        else
            QVERIFY2(row.X1 >= Page2Shift, qPrintable(QString::number(r + 1)));
    }
}

void TestSetFormData::letterWithoutRow_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("number without a row") << u"99"_qs;
    QTest::newRow("empty text") << u""_qs;
    QTest::newRow("letters") << u"abc"_qs;
    QTest::newRow("decimal") << u"1.5"_qs;
    QTest::newRow("pasted condition") << u"1 OR 1=1"_qs;
    QTest::newRow("pasted statement") << u"1; DROP TABLE 申請者情報"_qs;
}

void TestSetFormData::letterWithoutRow()
{
    QFETCH(QString, number);
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY(fixture.add(1, letterfixtures::fullyFilledLetter()));
    SheetModel model;
    const SheetFillResult result = fixture.fill(model, number);
    QVERIFY(!result.letterFound);
    QVERIFY(!result.patientName);
    QVERIFY(!result.problem.isEmpty());
    QVERIFY(model.FormLoaded);
    QCOMPARE(model.ShapeCount, MarkRowCount);
    // Nothing of the letter, and no 有 or 無 of the problem behaviour either.
    QCOMPARE(storedSlots(model, 1, MarkRowCount), QList<int>{});
    for (int slot = 0; slot < TextSlotCount; ++slot) {
        QString expected;
        if (slot == 66)
            expected = CrLf;
        else if (slot == WritingEraSlot || slot == ExaminationEraSlot)
            expected = u"令和"_qs;
        QCOMPARE(model.FormText[slot], expected);
    }
    // The letter is still there for the next look.
    SheetModel again;
    QVERIFY(fixture.fill(again, u"1"_qs).letterFound);
}

void TestSetFormData::numberIsBoundNotPasted()
{
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY(fixture.add(12, letterfixtures::fullyFilledLetter()));
    SheetModel model;
    const SheetFillResult result = fixture.fill(model, u" 12 "_qs);
    QVERIFY(result.letterFound);
    QCOMPARE(result.patientName, std::optional<QString>(u"佐藤　花子"_qs));
    QVERIFY(result.problem.isEmpty());

    const SheetFillResult missingFile =
        SetFormData(model, fixture.path() + u".missing"_qs, u"12"_qs);
    QVERIFY(!missingFile.letterFound);
    QVERIFY(!missingFile.problem.isEmpty());
    QVERIFY(model.FormLoaded);
    QCOMPARE(storedSlots(model, 1, MarkRowCount), QList<int>{});
}

void TestSetFormData::tableLackingColumns()
{
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY(fixture.add(3, letterfixtures::fullyFilledLetter()));
    {
        auto database = db::Database::open(fixture.path(), db::OpenMode::ReadWrite);
        QVERIFY(database);
        // Such a table comes from elsewhere, without the list's index over 患者名.
        QVERIFY(database->execute(u"DROP INDEX 一覧項目"_qs));
        for (const QString& column : {u"患者名"_qs, u"他科受診"_qs, u"利き腕"_qs, u"幻視幻聴"_qs})
            QVERIFY(database->execute(u"ALTER TABLE 申請者情報 DROP COLUMN "_qs + column));
    }
    SheetModel model;
    const SheetFillResult result = fixture.fill(model, u"3"_qs);
    QVERIFY(result.letterFound);
    QVERIFY(!result.patientName);
    QCOMPARE(model.FormText[PatientNameSlot], QString());
    QCOMPARE(model.FormText[PageHeadSlot], QString());
    QCOMPARE(model.FormText[12], u"さとう　はなこ"_qs);
    // No department answer, but the other department; no dominant arm, but the weight change.
    QCOMPARE(storedSlots(model, 5, 19), QList<int>{19});
    QCOMPARE(storedSlots(model, 92, 96), QList<int>{96});
    QCOMPARE(storedSlots(model, 74, 87),
             (QList<int>{75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86}));
}

void TestSetFormData::secondLetterLeavesNoMarkOfFirst()
{
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY(fixture.add(1, letterfixtures::fullyFilledLetter()));
    QVERIFY(fixture.add(2, letterfixtures::unansweredLetter()));
    SheetModel fresh;
    fixture.fill(fresh, u"2"_qs);
    SheetModel reused;
    fixture.fill(reused, u"1"_qs);
    QVERIFY(!storedSlots(reused, 1, MarkRowCount).isEmpty());
    fixture.fill(reused, u"2"_qs);
    QCOMPARE(dumpSheetModel(reused), dumpSheetModel(fresh));
}

void TestSetFormData::clearThenLoad()
{
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY(fixture.add(1, letterfixtures::fullyFilledLetter()));
    SheetModel model;
    fixture.fill(model, u"1"_qs);
    const QString loaded = dumpSheetModel(model);
    model.clear();
    QVERIFY(!model.FormLoaded);
    QCOMPARE(model.ShapeCount, 0);
    fixture.fill(model, u"1"_qs);
    QCOMPARE(dumpSheetModel(model), loaded);
}

QTEST_GUILESS_MAIN(TestSetFormData)
#include "tst_setformdata.moc"
