#include "common/schema.h"
#include "platform/database.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using common::FieldKind;
using db::Database;
using db::OpenMode;
using db::Variant;

namespace {

QString u16(const char16_t* s)
{
    return QString::fromUtf16(s);
}

// The record list's query, spelled as the record list has it.
const QString kListQuery = u16(u"SELECT 作成NO,カルテ番号,患者名,患者名かな,性別,") +
                           u16(u"年齢,診断名１,最新意見書記入日 ") + u16(u"FROM 申請者情報");

// The sheet's two queries of one letter, spelled as the sheet filling has them.
const QString kQuery1 =
    u16(u"SELECT 最新意見書記入日,医療機関名,医療機関住所,医療機関電話局番,医療機関電話,"
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
const QString kQuery2 =
    u16(u"SELECT 利き腕,身長,体重,体重変化,四肢欠損,四肢欠損部位,麻痺,右上肢麻痺,右上肢麻痺程度, "
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

// A value of the field's kind that differs from letter to letter.
Variant sampleValue(const common::LetterField& field, int no, int index)
{
    switch (field.kind) {
    case FieldKind::YesNo:
        return Variant::fromBool((no + index) % 2 == 0);
    case FieldKind::AnswerCode:
        return Variant::fromString(QString::number((no + index) % 4)); // a digit string
    case FieldKind::Text:
        break;
    }
    return Variant::fromString(QStringLiteral("%1-%2\r\n２行目").arg(field.name).arg(no));
}

} // namespace

class SchemaTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void fieldIndex();
    void kinds_data();
    void kinds();
    void letterTableColumns();
    void fullLetterReadsBackTyped();
    void recordListQuery();
    void sheetQueries_data();
    void sheetQueries();
    void phraseListsKeepTableOrder();
    void postCodeSeekIgnoresTrailingBlank();

private:
    void addLetter(Database& database, int no);

    QTemporaryDir* m_dir = nullptr;
    QString m_letters;
    QString m_postCodes;
};

void SchemaTest::init()
{
    m_dir = new QTemporaryDir;
    m_letters = m_dir->filePath(QStringLiteral("Ruviro.mdb"));
    m_postCodes = m_dir->filePath(QStringLiteral("PostCode.mdb"));
    QString error;
    auto letters = Database::create(m_letters, &error);
    QVERIFY2(letters && common::createLetterTables(*letters, &error), qPrintable(error));
    auto postCodes = Database::create(m_postCodes, &error);
    QVERIFY2(postCodes && common::createPostCodeTables(*postCodes, &error), qPrintable(error));
}

void SchemaTest::cleanup()
{
    delete m_dir;
}

void SchemaTest::addLetter(Database& database, int no)
{
    auto rs = database.openTable(common::LetterTable);
    QVERIFY(rs);
    QVERIFY(rs->addNew());
    QVERIFY(rs->setField(common::LetterKey, Variant::fromLong(no)));
    int index = 0;
    for (const auto& field : common::letterFields()) {
        QString error;
        QVERIFY2(rs->setField(field.name, sampleValue(field, no, index++), &error),
                 qPrintable(error));
    }
    QString error;
    QVERIFY2(rs->update(&error), qPrintable(error));
}

void SchemaTest::fieldIndex()
{
    const auto& fields = common::letterFields();
    QCOMPARE(int(fields.size()), common::LetterFieldCount);
    QSet<QString> names;
    for (const auto& field : fields) {
        names.insert(field.name);
        // ASCII digits and full-width katakana: the spelling is its own width-folded form.
        QCOMPARE(field.name.normalized(QString::NormalizationForm_KC), field.name);
    }
    QCOMPARE(names.size(), common::LetterFieldCount);
    QCOMPARE(fields.front().name, u16(u"最新意見書記入日"));
    QCOMPARE(fields[24].name, u16(u"診断名1"));
    QCOMPARE(fields[153].name, u16(u"訪問リハビリテーション"));
    QCOMPARE(fields.back().name, u16(u"医師氏名"));
}

void SchemaTest::kinds_data()
{
    QTest::addColumn<int>("number"); // in the field index, from 1
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    const struct
    {
        int number;
        const char16_t* name;
        FieldKind kind;
    } rows[] = {
        {10, u"医師同意", FieldKind::AnswerCode},
        {13, u"性別", FieldKind::AnswerCode},
        {14, u"生年月日", FieldKind::Text},
        {28, u"発症年月日1", FieldKind::Text},
        {53, u"点滴管理", FieldKind::YesNo},
        {64, u"カテーテル", FieldKind::YesNo},
        {65, u"寝たきり度", FieldKind::AnswerCode},
        {81, u"問題行動他", FieldKind::YesNo},
        {82, u"問題行動他名", FieldKind::Text},
        {88, u"身長", FieldKind::Text},
        {93, u"麻痺", FieldKind::YesNo},
        {103, u"その他麻痺程度", FieldKind::AnswerCode},
        {104, u"その他麻痺部位", FieldKind::Text},
        {120, u"失調不随", FieldKind::YesNo},
        {129, u"補助装具", FieldKind::AnswerCode},
        {146, u"病態他", FieldKind::YesNo},
        {147, u"病態他名", FieldKind::Text},
        {169, u"医学的管理他下線", FieldKind::YesNo},
        {170, u"医学的管理他名", FieldKind::Text},
        {175, u"介護嚥下", FieldKind::AnswerCode},
        {182, u"感染症", FieldKind::AnswerCode},
        {185, u"意見書特記事項印刷", FieldKind::Text},
    };
    for (const auto& r : rows)
        QTest::addRow("%d", r.number) << r.number << u16(r.name) << int(r.kind);
}

void SchemaTest::kinds()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(int, kind);
    const auto& field = common::letterFields()[number - 1];
    QCOMPARE(field.name, name);
    QCOMPARE(int(field.kind), kind);
}

void SchemaTest::letterTableColumns()
{
    auto database = Database::open(m_letters, OpenMode::ReadOnly);
    QVERIFY(database);
    QStringList expected{common::LetterKey};
    for (const auto& field : common::letterFields())
        expected << field.name;
    QCOMPARE(database->columns(common::LetterTable), expected);
    QCOMPARE(database->columns(common::ComboTable),
             QStringList({common::ComboCode, common::ComboText}));
    auto postCodes = Database::open(m_postCodes, OpenMode::ReadOnly);
    QCOMPARE(postCodes->columns(common::PostCodeTable),
             QStringList({common::PostCodeCode, common::PostCodeAddress}));
}

void SchemaTest::fullLetterReadsBackTyped()
{
    {
        auto database = Database::open(m_letters, OpenMode::ReadWrite);
        addLetter(*database, 1);
    }
    auto database = Database::open(m_letters, OpenMode::ReadOnly);
    auto rs = database->openTable(common::LetterTable);
    QVERIFY(rs->setIndex(common::LetterIndex));
    QVERIFY(rs->seek(QStringLiteral("="), Variant::fromLong(1)));
    QCOMPARE(rs->field(common::LetterKey), Variant::fromLong(1));
    int index = 0;
    for (const auto& field : common::letterFields()) {
        const Variant expected = sampleValue(field, 1, index++);
        const Variant value = rs->field(field.name);
        switch (field.kind) {
        case FieldKind::YesNo:
            QCOMPARE(value.type(), Variant::Type::Boolean);
            break;
        case FieldKind::AnswerCode:
            QCOMPARE(value.type(), Variant::Type::Long);
            break;
        case FieldKind::Text:
            QCOMPARE(value.type(), Variant::Type::String);
            break;
        }
        QVERIFY2(value.equals(expected), qPrintable(field.name));
    }
}

void SchemaTest::recordListQuery()
{
    {
        auto database = Database::open(m_letters, OpenMode::ReadWrite);
        for (int no = 1; no <= 3; ++no)
            addLetter(*database, no);
    }
    auto database = Database::open(m_letters, OpenMode::ReadWrite);
    QString error;
    auto rs = database->openDynaset(kListQuery, {}, &error);
    QVERIFY2(rs, qPrintable(error));
    QCOMPARE(rs->recordCount(), 3);
    QCOMPARE(rs->fieldNames().size(), 8);
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(1));
    const QString diagnosis = QStringLiteral("%1-1\r\n２行目").arg(u16(u"診断名1"));
    QCOMPARE(rs->field(u16(u"診断名1")).toString(), diagnosis);
    QCOMPARE(rs->field(u16(u"診断名１")).toString(), diagnosis);
    rs->moveNext();
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(2));
}

void SchemaTest::sheetQueries_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("sample"); // a field read by the half- or full-width name
    QTest::newRow("page 1") << kQuery1 << 83 << u16(u"発症年月日２");
    QTest::newRow("page 2") << kQuery2 << 98 << u16(u"訪問ﾘﾊﾋﾞﾘﾃｰｼｮﾝ下線");
}

void SchemaTest::sheetQueries()
{
    QFETCH(QString, query);
    QFETCH(int, columns);
    QFETCH(QString, sample);
    {
        auto database = Database::open(m_letters, OpenMode::ReadWrite);
        for (int no = 1; no <= 3; ++no)
            addLetter(*database, no);
    }
    auto database = Database::open(m_letters, OpenMode::ReadOnly);
    QString error;
    auto rs = database->openDynaset(query + QStringLiteral("2"), {}, &error);
    QVERIFY2(rs, qPrintable(error));
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->fieldNames().size(), columns);
    bool ok = false;
    const Variant value = rs->field(sample, &ok);
    QVERIFY(ok);
    const QString folded = sample.normalized(QString::NormalizationForm_KC);
    for (int i = 0; i < common::LetterFieldCount; ++i) {
        const auto& field = common::letterFields()[i];
        if (field.name == folded)
            QVERIFY(value.equals(sampleValue(field, 2, i)));
    }
}

void SchemaTest::phraseListsKeepTableOrder()
{
    auto database = Database::open(m_letters, OpenMode::ReadWrite);
    auto rs = database->openTable(common::ComboTable);
    const QList<QPair<int, QString>> rows = {
        {2, u16(u"ロキソニン")}, {1, u16(u"脳梗塞")}, {2, QString()}, {23, u16(u"見せない")}};
    for (const auto& [code, text] : rows) {
        QVERIFY(rs->addNew());
        QVERIFY(rs->setField(common::ComboCode, Variant::fromInteger(qint16(code))));
        QVERIFY(rs->setField(common::ComboText, Variant::fromString(text)));
        QVERIFY(rs->update());
    }
    // Replace list 2: its rows go, the new ones come last.
    rs->moveFirst();
    while (!rs->eof()) {
        if (rs->field(common::ComboCode).equals(Variant::fromLong(2)))
            QVERIFY(rs->deleteRow());
        rs->moveNext();
    }
    QVERIFY(rs->addNew());
    QVERIFY(rs->setField(common::ComboCode, Variant::fromLong(2)));
    QVERIFY(rs->setField(common::ComboText, Variant::fromString(u16(u"ムコスタ"))));
    QVERIFY(rs->update());
    auto check = database->openTable(common::ComboTable);
    QStringList texts;
    for (check->moveFirst(); !check->eof(); check->moveNext())
        texts << check->field(common::ComboText).toString();
    QCOMPARE(texts, QStringList({u16(u"脳梗塞"), u16(u"見せない"), u16(u"ムコスタ")}));
}

void SchemaTest::postCodeSeekIgnoresTrailingBlank()
{
    auto database = Database::open(m_postCodes, OpenMode::ReadWrite);
    auto rs = database->openTable(common::PostCodeTable);
    for (const char16_t* code : {u"1000001 ", u"0600000 ", u"1000001 "}) {
        QVERIFY(rs->addNew());
        QVERIFY(rs->setField(common::PostCodeCode, Variant::fromString(u16(code))));
        QVERIFY(rs->setField(common::PostCodeAddress,
                             Variant::fromString(u16(u"東京都千代田区千代田"))));
        QVERIFY(rs->update());
    }
    QVERIFY(rs->setIndex(common::PostCodeIndex));
    QVERIFY(rs->seek(QStringLiteral("="), Variant::fromString(QStringLiteral("1000001"))));
    QCOMPARE(rs->field(common::PostCodeAddress).toString(), u16(u"東京都千代田区千代田"));
    QVERIFY(!rs->seek(QStringLiteral("="), Variant::fromString(QStringLiteral("100000"))));
    QVERIFY(rs->noMatch());
}

QTEST_GUILESS_MAIN(SchemaTest)
#include "tst_schema.moc"
