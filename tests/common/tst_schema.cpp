#include "common/schema.h"
#include "letterfixture.h"
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
        QVERIFY(letterfixture::addLetters(*database, 1, 1));
    }
    auto database = Database::open(m_letters, OpenMode::ReadOnly);
    auto rs = database->openTable(common::LetterTable);
    QVERIFY(rs->setIndex(common::LetterIndex));
    QVERIFY(rs->seek(QStringLiteral("="), Variant::fromLong(1)));
    QCOMPARE(rs->field(common::LetterKey), Variant::fromLong(1));
    int index = 0;
    for (const auto& field : common::letterFields()) {
        const Variant expected = letterfixture::sampleValue(field, 1, index++);
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
        QString error;
        QVERIFY2(letterfixture::addLetters(*database, 1, 3, &error), qPrintable(error));
    }
    auto database = Database::open(m_letters, OpenMode::ReadWrite);
    QString error;
    auto rs = database->openDynaset(letterfixture::listQuery(), {}, &error);
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
    QTest::newRow("page 1") << letterfixture::sheetQuery1() << 83 << u16(u"発症年月日２");
    QTest::newRow("page 2") << letterfixture::sheetQuery2() << 98 << u16(u"訪問ﾘﾊﾋﾞﾘﾃｰｼｮﾝ下線");
}

void SchemaTest::sheetQueries()
{
    QFETCH(QString, query);
    QFETCH(int, columns);
    QFETCH(QString, sample);
    {
        auto database = Database::open(m_letters, OpenMode::ReadWrite);
        QString error;
        QVERIFY2(letterfixture::addLetters(*database, 1, 3, &error), qPrintable(error));
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
            QVERIFY(value.equals(letterfixture::sampleValue(field, 2, i)));
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
