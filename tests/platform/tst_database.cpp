#include "platform/database.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <thread>

using db::Database;
using db::OpenMode;
using db::Recordset;
using db::Variant;

Q_DECLARE_METATYPE(db::Variant)

namespace {

QString u16(const char16_t* s)
{
    return QString::fromUtf16(s);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct Row
{
    int no;
    const char16_t* name;
    bool flag;
    int code;
};

// Table order 3, 1, 2; index order 1, 2, 3.
const Row kRows[] = {{3, u"c", true, 2}, {1, u"a", false, 0}, {2, u"b", true, 1}};

} // namespace

class DatabaseTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void openFailures_data();
    void openFailures();
    void createNeverReplaces();

    void tableOrderIsInsertionOrder();
    void seek_data();
    void seek();
    void seekEditUpdate();
    void indexedColumnWrittenWhenItChanges_data();
    void indexedColumnWrittenWhenItChanges();
    void addNewTypesValues();
    void addNewKeepsTheCurrentRow_data();
    void addNewKeepsTheCurrentRow();
    void missingColumnFailsAlone();
    void valueThatDoesNotFitFailsAlone();
    void nullValues();
    void deleteRows();
    void deleteEveryRowInTurn();
    void findFirst_data();
    void findFirst();
    void dynasetWidthFolding();
    void foldKeepsStringLiterals();
    void halfWidthKatakanaColumns();
    void dynasetRenumbering();
    void writesElsewhereAreSeen_data();
    void writesElsewhereAreSeen();
    void vanishedRowCannotBeWritten();
    void valuesFillEveryPlace_data();
    void valuesFillEveryPlace();
    void readOnlyRefusesWrites();
    void rollbackLeavesFileAsItWas();
    void commitKeepsWrites();
    void transactionUndoneByTheEngineTakesNoMoreWrites();
    void recordsetOutlivesDatabase();
    void reopenSeesTheFileAsItIsNow_data();
    void reopenSeesTheFileAsItIsNow();
    void closedFileHoldsNoLock();

private:
    std::unique_ptr<Database> openFixture(OpenMode mode = OpenMode::ReadWrite);

    QTemporaryDir* m_dir = nullptr;
    QString m_path;
};

void DatabaseTest::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("fixture.mdb"));
    QString error;
    auto db = Database::create(m_path, &error);
    QVERIFY2(db, qPrintable(error));
    QVERIFY2(db->execute(u16(u"CREATE TABLE 記録 (作成NO INTEGER, 名前 TEXT, 有無 BOOLEAN, "
                             u"回答 INTEGER, 数値 REAL, リハビリテーション TEXT, ﾃﾞｰﾀ TEXT)"),
                         {}, &error),
             qPrintable(error));
    QVERIFY(db->execute(u16(u"CREATE UNIQUE INDEX 作成NO ON 記録 (作成NO)")));
    for (const Row& r : kRows) {
        QVERIFY(db->execute(u16(u"INSERT INTO 記録 (作成NO, 名前, 有無, 回答) VALUES (?,?,?,?)"),
                            {Variant::fromLong(r.no), Variant::fromString(u16(r.name)),
                             Variant::fromBool(r.flag), Variant::fromLong(r.code)},
                            &error));
    }
}

void DatabaseTest::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
}

std::unique_ptr<Database> DatabaseTest::openFixture(OpenMode mode)
{
    QString error;
    auto db = Database::open(m_path, mode, &error);
    if (!db)
        qWarning() << error;
    return db;
}

void DatabaseTest::openFailures_data()
{
    QTest::addColumn<QByteArray>("content"); // "missing" for no file at all
    QTest::addColumn<int>("mode");
    for (int mode : {int(OpenMode::ReadOnly), int(OpenMode::ReadWrite)}) {
        const char* m = mode == int(OpenMode::ReadOnly) ? " read-only" : " writable";
        QTest::addRow("missing file%s", m) << QByteArray("missing") << mode;
        QTest::addRow("empty file%s", m) << QByteArray() << mode;
        QTest::addRow("text file%s", m) << QByteArray("患者名,年齢\r\n山田,80\r\n") << mode;
        QTest::addRow("damaged database%s", m)
            << (QByteArray("SQLite format 3", 16) + QByteArray(4080, '\xff')) << mode;
    }
}

void DatabaseTest::openFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(int, mode);
    const QString path = m_dir->filePath(QStringLiteral("other.mdb"));
    const bool missing = content == "missing";
    if (!missing)
        QVERIFY(writeBytes(path, content));
    QString error;
    auto db = Database::open(path, OpenMode(mode), &error);
    QVERIFY(!db);
    QVERIFY(!error.isEmpty());
    QVERIFY(error.contains(path));
    if (missing)
        QVERIFY(!QFile::exists(path));
    else
        QCOMPARE(readBytes(path), content);
}

void DatabaseTest::createNeverReplaces()
{
    const QByteArray before = readBytes(m_path);
    QString error;
    QVERIFY(!Database::create(m_path, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(m_path), before);
    // A newly created file opens as a database.
    const QString fresh = m_dir->filePath(QStringLiteral("fresh.mdb"));
    QVERIFY(Database::create(fresh));
    QVERIFY(Database::open(fresh, OpenMode::ReadOnly));
}

void DatabaseTest::tableOrderIsInsertionOrder()
{
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    QVERIFY(rs);
    QCOMPARE(rs->recordCount(), 3);
    QList<int> order;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        order << *rs->field(u16(u"作成NO")).toLong();
    QCOMPARE(order, QList<int>({3, 1, 2}));
    QVERIFY(rs->setIndex(u16(u"作成ＮＯ")));
    order.clear();
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        order << *rs->field(u16(u"作成NO")).toLong();
    QCOMPARE(order, QList<int>({1, 2, 3}));
    QString error;
    QVERIFY(!rs->setIndex(QStringLiteral("PrimaryKey"), &error));
    QVERIFY(!error.isEmpty());
}

void DatabaseTest::seek_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<Variant>("key");
    QTest::addColumn<int>("found"); // 0 = no match
    QTest::newRow("= 2") << "=" << Variant::fromLong(2) << 2;
    QTest::newRow("= digit string") << "=" << Variant::fromString("2") << 2;
    QTest::newRow(">= 2") << ">=" << Variant::fromLong(2) << 2;
    QTest::newRow("> 2") << ">" << Variant::fromLong(2) << 3;
    QTest::newRow("< 2") << "<" << Variant::fromLong(2) << 1;
    QTest::newRow("<= 2") << "<=" << Variant::fromLong(2) << 2;
    QTest::newRow("= missing") << "=" << Variant::fromLong(9) << 0;
    QTest::newRow("> last") << ">" << Variant::fromLong(3) << 0;
    QTest::newRow("unknown operator") << "<>" << Variant::fromLong(2) << 0;
}

void DatabaseTest::seek()
{
    QFETCH(QString, op);
    QFETCH(Variant, key);
    QFETCH(int, found);
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    QVERIFY(rs->setIndex(u16(u"作成NO")));
    QCOMPARE(rs->seek(op, key), found != 0);
    QCOMPARE(rs->noMatch(), found == 0);
    if (found) {
        QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(found));
        // Moving on follows the index.
        rs->moveNext();
        QCOMPARE(rs->eof(), found == 3);
        if (!rs->eof())
            QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(found + 1));
    }
}

void DatabaseTest::seekEditUpdate()
{
    {
        auto db = openFixture();
        auto rs = db->openTable(u16(u"記録"));
        QVERIFY(rs->setIndex(u16(u"作成NO")));
        QVERIFY(rs->seek(QStringLiteral("="), Variant::fromLong(1)));
        QString error;
        QVERIFY2(rs->edit(&error), qPrintable(error));
        QCOMPARE(rs->editMode(), Recordset::EditMode::Edit);
        QVERIFY(rs->setField(u16(u"名前"), Variant::fromString(u16(u"山田　花子"))));
        QVERIFY(rs->setField(u16(u"回答"), Variant::fromString(QStringLiteral("3"))));
        // The edit buffer shows what was written.
        QCOMPARE(rs->field(u16(u"名前")).toString(), u16(u"山田　花子"));
        QVERIFY2(rs->update(&error), qPrintable(error));
        QCOMPARE(rs->editMode(), Recordset::EditMode::None);
        QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(1));
        QCOMPARE(rs->field(u16(u"名前")).toString(), u16(u"山田　花子"));
    }
    auto db = openFixture(OpenMode::ReadOnly);
    auto rs = db->openDynaset(u16(u"SELECT 名前, 回答, 有無 FROM 記録 WHERE 作成NO = ?"),
                              {Variant::fromLong(1)});
    QVERIFY(rs);
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->field(u16(u"名前")), Variant::fromString(u16(u"山田　花子")));
    QCOMPARE(rs->field(u16(u"回答")), Variant::fromLong(3));     // stored as its number
    QCOMPARE(rs->field(u16(u"有無")), Variant::fromBool(false)); // untouched
}

// An edit that gives an indexed column the value it stores, type and bytes alike, leaves the
// file untouched (the index is not rewritten); any other value is written as usual.
void DatabaseTest::indexedColumnWrittenWhenItChanges_data()
{
    QTest::addColumn<QString>("stored"); // SQL run on row 1 beforehand ("" for none)
    QTest::addColumn<QString>("column");
    QTest::addColumn<Variant>("value");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("reads"); // what the row stores afterwards: quote(column)
    const auto text = [](const char16_t* s) { return Variant::fromString(u16(s)); };
    QTest::newRow("the same text") << "" << u16(u"名前") << text(u"a") << false << "'a'";
    QTest::newRow("another text") << "" << u16(u"名前") << text(u"z") << true << "'z'";
    QTest::newRow("the same Yes/No")
        << "" << u16(u"有無") << Variant::fromBool(false) << false << "0";
    QTest::newRow("a Yes/No holding 7 set to Yes")
        << u16(u"UPDATE 記録 SET 有無 = 7 WHERE 作成NO = 1") << u16(u"有無")
        << Variant::fromBool(true) << true << "1";
    QTest::newRow("the same number given as text")
        << "" << u16(u"回答") << Variant::fromString(QStringLiteral("0")) << false << "0";
    QTest::newRow("a number stored as text")
        << u16(u"UPDATE 記録 SET 回答 = CAST('x' AS BLOB) WHERE 作成NO = 1") << u16(u"回答")
        << Variant::fromLong(0) << true << "0";
    QTest::newRow("blanks added where blanks do not count")
        << u16(u"UPDATE 記録 SET 符号 = 'x' WHERE 作成NO = 1") << u16(u"符号") << text(u"x  ")
        << true << "'x  '";
    QTest::newRow("Null kept Null") << "" << u16(u"符号") << Variant() << false << "NULL";
}

void DatabaseTest::indexedColumnWrittenWhenItChanges()
{
    QFETCH(QString, stored);
    QFETCH(QString, column);
    QFETCH(Variant, value);
    QFETCH(bool, written);
    QFETCH(QString, reads);
    {
        auto db = openFixture();
        QVERIFY(db->execute(u16(u"ALTER TABLE 記録 ADD COLUMN 符号 TEXT COLLATE RTRIM")));
        QVERIFY(db->execute(u16(u"CREATE INDEX 一覧 ON 記録 (名前, 有無, 回答, 符号)")));
        if (!stored.isEmpty())
            QVERIFY(db->execute(stored));
    }
    const QByteArray before = readBytes(m_path);
    {
        auto db = openFixture();
        auto rs = db->openTable(u16(u"記録"));
        QVERIFY(rs->setIndex(u16(u"作成NO")));
        QVERIFY(rs->seek(QStringLiteral("="), Variant::fromLong(1)));
        QVERIFY(rs->edit());
        QVERIFY(rs->setField(column, value));
        QString error;
        QVERIFY2(rs->update(&error), qPrintable(error));
    }
    QCOMPARE(readBytes(m_path) != before, written);
    auto db = openFixture(OpenMode::ReadOnly);
    QVERIFY(db->integrityCheck());
    QString now;
    QVERIFY(
        db->forEachRow(QStringLiteral("SELECT quote(%1) FROM 記録 WHERE 作成NO = 1").arg(column),
                       {}, [&](const db::RowView& row) { now = row.text(0); }));
    QCOMPARE(now, reads);
}

void DatabaseTest::addNewTypesValues()
{
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    rs->moveFirst();
    QVERIFY(rs->addNew());
    QVERIFY(rs->setField(u16(u"作成NO"), Variant::fromLong(4)));
    QVERIFY(rs->setField(u16(u"名前"), Variant::fromString(QStringLiteral("d"))));
    QVERIFY(rs->setField(u16(u"有無"), Variant::fromBool(true)));
    QVERIFY(rs->setField(u16(u"回答"), Variant::fromString(QStringLiteral(" 2 "))));
    QVERIFY(rs->setField(u16(u"数値"), Variant::fromString(QStringLiteral("2.5"))));
    QVERIFY(rs->update());
    // The position stays where it was; the new row comes last in table order.
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(3));
    QCOMPARE(rs->recordCount(), 4);
    rs->moveLast();
    QCOMPARE(rs->field(u16(u"作成NO")).type(), Variant::Type::Long);
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(4));
    QCOMPARE(rs->field(u16(u"名前")), Variant::fromString(QStringLiteral("d")));
    QCOMPARE(rs->field(u16(u"有無")), Variant::fromBool(true));
    QCOMPARE(rs->field(u16(u"回答")), Variant::fromLong(2));
    QCOMPARE(rs->field(u16(u"数値")), Variant::fromDouble(2.5));
    QVERIFY(rs->field(u16(u"リハビリテーション")).isNull());

    // A duplicate key fails at Update and leaves the edit buffer for another try.
    QVERIFY(rs->addNew());
    QVERIFY(rs->setField(u16(u"作成NO"), Variant::fromLong(4)));
    QString error;
    QVERIFY(!rs->update(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(rs->editMode(), Recordset::EditMode::AddNew);
    QVERIFY(rs->setField(u16(u"作成NO"), Variant::fromLong(5)));
    QVERIFY(rs->update());
    QCOMPARE(rs->recordCount(), 5);
}

void DatabaseTest::addNewKeepsTheCurrentRow_data()
{
    QTest::addColumn<QString>("source"); // "" = the table in the order of its index
    QTest::newRow("index order") << QString();
    QTest::newRow("dynaset") << u16(u"SELECT * FROM 記録 ORDER BY 作成NO DESC");
}

void DatabaseTest::addNewKeepsTheCurrentRow()
{
    QFETCH(QString, source);
    auto db = openFixture();
    auto rs = source.isEmpty() ? db->openTable(u16(u"記録")) : db->openDynaset(source);
    QVERIFY(rs);
    if (source.isEmpty())
        QVERIFY(rs->setIndex(u16(u"作成NO")));
    QVERIFY(rs->findFirst(u16(u"作成NO = 2")));
    // The new row sorts before the current one.
    QVERIFY(rs->addNew());
    QVERIFY(rs->setField(u16(u"作成NO"), Variant::fromLong(source.isEmpty() ? 0 : 9)));
    QVERIFY(rs->update());
    QCOMPARE(rs->recordCount(), 4);
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(2));
    // What is done next is done to that row.
    QVERIFY(rs->edit());
    QVERIFY(rs->setField(u16(u"名前"), Variant::fromString(QStringLiteral("two"))));
    QVERIFY(rs->update());
    auto check = db->openDynaset(u16(u"SELECT 名前 FROM 記録 WHERE 作成NO = 2"));
    QCOMPARE(check->field(u16(u"名前")).toString(), QStringLiteral("two"));
}

void DatabaseTest::missingColumnFailsAlone()
{
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    QVERIFY(rs->addNew());
    QString error;
    QVERIFY(rs->setField(u16(u"作成NO"), Variant::fromLong(7)));
    QVERIFY(!rs->setField(u16(u"無い列"), Variant::fromString(QStringLiteral("x")), &error));
    QVERIFY(error.contains(u16(u"無い列")));
    QVERIFY(rs->setField(u16(u"名前"), Variant::fromString(QStringLiteral("g"))));
    QVERIFY(rs->update());
    QVERIFY(rs->findFirst(u16(u"作成NO =7")));
    QCOMPARE(rs->field(u16(u"名前")).toString(), QStringLiteral("g"));
    bool ok = true;
    QVERIFY(rs->field(u16(u"無い列"), &ok).isNull());
    QVERIFY(!ok);
    // Writes outside an edit fail too.
    QVERIFY(!rs->setField(u16(u"名前"), Variant::fromString(QStringLiteral("h"))));
}

void DatabaseTest::valueThatDoesNotFitFailsAlone()
{
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    QVERIFY(rs->edit());
    QVERIFY(!rs->setField(u16(u"回答"), Variant::fromString(QStringLiteral("abc"))));
    QVERIFY(!rs->setField(u16(u"回答"), Variant::fromString(QString())));
    QVERIFY(!rs->setField(u16(u"有無"), Variant::fromString(QStringLiteral("maybe"))));
    QVERIFY(rs->setField(u16(u"名前"), Variant::fromLong(12))); // text takes the digits
    QVERIFY(rs->update());
    QCOMPARE(rs->field(u16(u"回答")), Variant::fromLong(2));
    QCOMPARE(rs->field(u16(u"有無")), Variant::fromBool(true));
    QCOMPARE(rs->field(u16(u"名前")), Variant::fromString(QStringLiteral("12")));
}

void DatabaseTest::nullValues()
{
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    QVERIFY(rs->edit());
    for (const char16_t* name : {u"名前", u"有無", u"回答", u"数値"})
        QVERIFY(rs->setField(u16(name), Variant::null()));
    QVERIFY(rs->update());
    for (const char16_t* name : {u"名前", u"有無", u"回答", u"数値"}) {
        bool ok = false;
        const Variant v = rs->field(u16(name), &ok);
        QVERIFY(ok);
        QVERIFY2(v.isNull(), qPrintable(QString::fromUtf16(name)));
        QVERIFY(!v.equals(Variant::null()));
    }
    // Null and "" stay apart.
    QVERIFY(rs->edit());
    QVERIFY(rs->setField(u16(u"名前"), Variant::fromString(QString())));
    QVERIFY(rs->update());
    QCOMPARE(rs->field(u16(u"名前")), Variant::fromString(QString()));
}

void DatabaseTest::deleteRows()
{
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    rs->moveNext(); // 1
    QVERIFY(rs->deleteRow());
    bool ok = true;
    rs->field(u16(u"作成NO"), &ok);
    QVERIFY(!ok); // no current row after a deletion
    rs->moveNext();
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(2));
    QCOMPARE(rs->recordCount(), 2);
    auto other = openFixture();
    QCOMPARE(other->openTable(u16(u"記録"))->recordCount(), 2);
}

void DatabaseTest::deleteEveryRowInTurn()
{
    auto db = openFixture();
    auto rs = db->openDynaset(u16(u"SELECT 作成NO, 名前 FROM 記録"));
    QVERIFY(rs);
    int deleted = 0;
    rs->moveFirst();
    while (!rs->eof()) {
        QVERIFY(rs->deleteRow());
        ++deleted;
        rs->moveNext();
    }
    QCOMPARE(deleted, 3);
    QCOMPARE(db->openTable(u16(u"記録"))->recordCount(), 0);
    QVERIFY(!rs->deleteRow());
}

void DatabaseTest::findFirst_data()
{
    QTest::addColumn<QString>("source"); // "" = the table
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<int>("found"); // 作成NO, 0 = no match
    const QStringList sources = {QString(), u16(u"SELECT * FROM 記録"),
                                 u16(u"SELECT 作成NO, 名前, 回答 + 0 AS 回答 FROM 記録")};
    const char* names[] = {"table", "dynaset", "computed dynaset"};
    for (int i = 0; i < 3; ++i) {
        const QString& s = sources[i];
        QTest::addRow("%s number", names[i]) << s << u16(u"作成NO =2") << 2;
        QTest::addRow("%s width", names[i]) << s << u16(u"作成ＮＯ = 2") << 2;
        QTest::addRow("%s string", names[i]) << s << u16(u"名前 = 'a'") << 1;
        QTest::addRow("%s first in order", names[i]) << s << u16(u"作成NO > 1") << 3;
        QTest::addRow("%s not equal", names[i]) << s << u16(u"回答 <> 2") << 1;
        QTest::addRow("%s digit string", names[i]) << s << u16(u"回答 = '1'") << 2;
        QTest::addRow("%s none", names[i]) << s << u16(u"作成NO =12") << 0;
        QTest::addRow("%s unknown column", names[i]) << s << u16(u"無い =1") << 0;
        QTest::addRow("%s unreadable", names[i]) << s << u16(u"作成NO") << 0;
        if (i < 2) { // True is -1 as a number
            QTest::addRow("%s yes/no as -1", names[i]) << s << u16(u"有無 = -1") << 3;
            QTest::addRow("%s yes/no as True", names[i]) << s << u16(u"有無 = True") << 3;
            QTest::addRow("%s yes/no as 0", names[i]) << s << u16(u"有無 = 0") << 1;
        }
    }
}

void DatabaseTest::findFirst()
{
    QFETCH(QString, source);
    QFETCH(QString, criterion);
    QFETCH(int, found);
    auto db = openFixture();
    auto rs = source.isEmpty() ? db->openTable(u16(u"記録")) : db->openDynaset(source);
    QVERIFY(rs);
    rs->moveLast();
    QCOMPARE(rs->findFirst(criterion), found != 0);
    QCOMPARE(rs->noMatch(), found == 0);
    if (found)
        QCOMPARE(*rs->field(u16(u"作成NO")).toLong(), found);
}

void DatabaseTest::dynasetWidthFolding()
{
    auto db = openFixture(OpenMode::ReadOnly);
    QString error;
    auto rs = db->openDynaset(u16(u"SELECT 作成ＮＯ, [名前], \"回答\" FROM 記録 "
                                  u"WHERE 作成ｎｏ >= ? ORDER BY 作成NO DESC"),
                              {Variant::fromString(QStringLiteral("2"))}, &error);
    QVERIFY2(rs, qPrintable(error));
    QCOMPARE(rs->recordCount(), 2);
    QCOMPARE(rs->fieldNames().size(), 3);
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(3));
    QCOMPARE(rs->field(u16(u"作成ＮＯ")), Variant::fromLong(3));
    rs->moveNext();
    QCOMPARE(rs->field(u16(u"名前")).toString(), QStringLiteral("b"));
    rs->moveNext();
    QVERIFY(rs->eof());
    QVERIFY(!db->openDynaset(QStringLiteral("SELECT nothing FROM nowhere"), {}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!db->openDynaset(u16(u"DELETE FROM 記録"), {}, &error));
    QCOMPARE(db->openTable(u16(u"記録"))->recordCount(), 3);
}

void DatabaseTest::foldKeepsStringLiterals()
{
    auto db = openFixture();
    QVERIFY(db->execute(u16(u"UPDATE 記録 SET 名前 = '作成ＮＯ' WHERE 作成NO = 1")));
    QCOMPARE(db->foldIdentifiers(u16(u"SELECT 作成ＮＯ FROM 記録 WHERE 名前 = '作成ＮＯ'")),
             u16(u"SELECT 作成NO FROM 記録 WHERE 名前 = '作成ＮＯ'"));
    auto rs = db->openDynaset(u16(u"SELECT 作成ＮＯ FROM 記録 WHERE 名前 = '作成ＮＯ'"));
    QVERIFY(rs);
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->field(u16(u"作成NO")), Variant::fromLong(1));
    auto none = db->openDynaset(u16(u"SELECT 作成NO FROM 記録 WHERE 名前 = '作成NO'"));
    QCOMPARE(none->recordCount(), 0);
}

void DatabaseTest::halfWidthKatakanaColumns()
{
    auto db = openFixture();
    // Stored full width, asked half width, and the other way round.
    QVERIFY(db->execute(u16(u"UPDATE 記録 SET ﾘﾊﾋﾞﾘﾃｰｼｮﾝ = 'x', データ = 'y' WHERE 作成NO = 2")));
    auto rs = db->openDynaset(u16(u"SELECT ﾘﾊﾋﾞﾘﾃｰｼｮﾝ, データ FROM 記録 WHERE 作成NO=2"));
    QVERIFY(rs);
    QCOMPARE(rs->field(u16(u"リハビリテーション")).toString(), QStringLiteral("x"));
    QCOMPARE(rs->field(u16(u"ﾘﾊﾋﾞﾘﾃｰｼｮﾝ")).toString(), QStringLiteral("x"));
    QCOMPARE(rs->field(u16(u"ﾃﾞｰﾀ")).toString(), QStringLiteral("y"));
    QCOMPARE(rs->field(u16(u"データ")).toString(), QStringLiteral("y"));
    QVERIFY(rs->hasField(u16(u"ﾘﾊﾋﾞﾘﾃｰｼｮﾝ")));
    QVERIFY(db->hasTable(u16(u"記録")));
    QCOMPARE(db->columns(u16(u"記録")).size(), 7);
}

void DatabaseTest::dynasetRenumbering()
{
    auto db = openFixture();
    auto rs = db->openDynaset(u16(u"SELECT * FROM 記録 ORDER BY 作成NO"));
    QVERIFY(rs);
    QVERIFY(rs->findFirst(u16(u"作成NO =1")));
    QVERIFY(rs->deleteRow());
    // Every later letter moves down by one, in ascending order.
    rs->moveNext();
    while (!rs->eof()) {
        QVERIFY(rs->edit());
        QVERIFY(rs->setField(u16(u"作成NO"),
                             Variant::fromLong(*rs->field(u16(u"作成NO")).toLong() - 1)));
        QString error;
        QVERIFY2(rs->update(&error), qPrintable(error));
        rs->moveNext();
    }
    auto check = db->openDynaset(u16(u"SELECT 作成NO, 名前 FROM 記録 ORDER BY 作成NO"));
    QCOMPARE(check->recordCount(), 2);
    QCOMPARE(check->field(u16(u"名前")).toString(), QStringLiteral("b"));
    QCOMPARE(check->field(u16(u"作成NO")), Variant::fromLong(1));
    check->moveNext();
    QCOMPARE(check->field(u16(u"名前")).toString(), QStringLiteral("c"));
    QCOMPARE(check->field(u16(u"作成NO")), Variant::fromLong(2));
}

void DatabaseTest::writesElsewhereAreSeen_data()
{
    QTest::addColumn<bool>("throughSql"); // else through another recordset
    QTest::addColumn<bool>("deleted");    // else changed
    QTest::newRow("changed by a recordset") << false << false;
    QTest::newRow("changed by SQL") << true << false;
    QTest::newRow("deleted by a recordset") << false << true;
    QTest::newRow("deleted by SQL") << true << true;
}

void DatabaseTest::writesElsewhereAreSeen()
{
    QFETCH(bool, throughSql);
    QFETCH(bool, deleted);
    auto db = openFixture();
    auto reader = db->openTable(u16(u"記録"));
    QVERIFY(reader->setIndex(u16(u"作成NO")));
    QVERIFY(reader->seek(QStringLiteral("="), Variant::fromLong(2)));
    // Two fields of the row: the row is read whole and kept.
    QCOMPARE(reader->field(u16(u"名前")).toString(), QStringLiteral("b"));
    QCOMPARE(reader->field(u16(u"回答")), Variant::fromLong(1));
    if (throughSql) {
        QVERIFY(db->execute(deleted ? u16(u"DELETE FROM 記録 WHERE 作成NO = 2")
                                    : u16(u"UPDATE 記録 SET 名前 = 'new' WHERE 作成NO = 2")));
    } else {
        auto writer = db->openTable(u16(u"記録"));
        QVERIFY(writer->findFirst(u16(u"作成NO = 2")));
        if (deleted) {
            QVERIFY(writer->deleteRow());
        } else {
            QVERIFY(writer->edit());
            QVERIFY(writer->setField(u16(u"名前"), Variant::fromString(QStringLiteral("new"))));
            QVERIFY(writer->update());
        }
    }
    bool ok = false;
    const Variant name = reader->field(u16(u"名前"), &ok);
    QCOMPARE(ok, !deleted);
    QCOMPARE(name.toString(), deleted ? QString() : QStringLiteral("new"));
    QCOMPARE(reader->edit(), !deleted);
}

void DatabaseTest::vanishedRowCannotBeWritten()
{
    auto db = openFixture();
    auto editing = db->openTable(u16(u"記録"));
    auto deleting = db->openTable(u16(u"記録"));
    editing->moveFirst();
    QVERIFY(editing->edit());
    QVERIFY(editing->setField(u16(u"名前"), Variant::fromString(QStringLiteral("lost"))));
    auto other = db->openTable(u16(u"記録"));
    QVERIFY(other->findFirst(u16(u"作成NO = 3")));
    QVERIFY(deleting->findFirst(u16(u"作成NO = 3")));
    QVERIFY(deleting->deleteRow());
    QString error;
    QVERIFY(!editing->update(&error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!other->deleteRow(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(db->openTable(u16(u"記録"))->recordCount(), 2);
}

void DatabaseTest::valuesFillEveryPlace_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("rows"); // rows of the table afterwards
    const QString insertTwo = u16(u"INSERT INTO 記録 (作成NO, 名前) VALUES (?, ?)");
    const QString deleteOne = u16(u"DELETE FROM 記録 WHERE 作成NO = ?");
    QTest::newRow("as many") << deleteOne << QList<int>{1} << true << 2;
    QTest::newRow("one short") << insertTwo << QList<int>{9} << false << 3;
    QTest::newRow("none for a place") << insertTwo << QList<int>{} << false << 3;
    QTest::newRow("one over") << deleteOne << QList<int>{1, 2} << false << 3;
    QTest::newRow("two statements")
        << u16(u"INSERT INTO 記録 (作成NO) VALUES (?); INSERT INTO 記録 (作成NO) VALUES (?);")
        << QList<int>{7, 8} << true << 5;
    QTest::newRow("dynaset one short")
        << u16(u"SELECT * FROM 記録 WHERE 作成NO = ?") << QList<int>{} << false << 3;
    QTest::newRow("read-only dynaset one over")
        << u16(u"SELECT count(*) FROM 記録 WHERE 作成NO > ?") << QList<int>{1, 2} << false << 3;
}

void DatabaseTest::valuesFillEveryPlace()
{
    QFETCH(QString, sql);
    QFETCH(QList<int>, values);
    QFETCH(bool, ok);
    QFETCH(int, rows);
    auto db = openFixture();
    QList<Variant> params;
    for (int v : values)
        params << Variant::fromLong(v);
    QString error;
    if (sql.startsWith(QLatin1String("SELECT")))
        QCOMPARE(db->openDynaset(sql, params, &error) != nullptr, ok);
    else
        QCOMPARE(db->execute(sql, params, &error), ok);
    QCOMPARE(error.isEmpty(), ok);
    QCOMPARE(db->openTable(u16(u"記録"))->recordCount(), rows);
}

void DatabaseTest::readOnlyRefusesWrites()
{
    const QByteArray before = readBytes(m_path);
    {
        auto db = openFixture(OpenMode::ReadOnly);
        QVERIFY(db->isReadOnly());
        auto rs = db->openTable(u16(u"記録"));
        QString error;
        QVERIFY(!rs->addNew(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!rs->edit());
        QVERIFY(!rs->deleteRow());
        QVERIFY(!db->execute(u16(u"DELETE FROM 記録")));
    }
    QCOMPARE(readBytes(m_path), before);
}

void DatabaseTest::rollbackLeavesFileAsItWas()
{
    const QByteArray before = readBytes(m_path);
    {
        auto db = openFixture();
        auto rs = db->openTable(u16(u"記録"));
        QVERIFY(db->beginTrans());
        QVERIFY(db->inTransaction());
        QVERIFY(rs->addNew());
        QVERIFY(rs->setField(u16(u"作成NO"), Variant::fromLong(8)));
        QVERIFY(rs->update());
        QVERIFY(rs->edit());
        QVERIFY(rs->setField(u16(u"名前"), Variant::fromString(QStringLiteral("changed"))));
        QVERIFY(rs->update());
        rs->moveNext();
        QVERIFY(rs->deleteRow());
        QVERIFY(db->execute(u16(u"DELETE FROM 記録 WHERE 作成NO = 2")));
        QCOMPARE(rs->recordCount(), 3);
        db->rollback();
        QVERIFY(!db->inTransaction());
        // The recordset reads the rows as they are again.
        QCOMPARE(rs->recordCount(), 3);
        rs->moveFirst();
        QCOMPARE(rs->field(u16(u"名前")).toString(), QStringLiteral("c"));
        // So does a result that is read in full: it no longer holds rows of the undone work.
        QVERIFY(db->beginTrans());
        QVERIFY(db->execute(u16(u"INSERT INTO 記録 (作成NO) VALUES (9)")));
        auto highest = db->openDynaset(u16(u"SELECT max(作成NO) AS 最大 FROM 記録"));
        QVERIFY(highest);
        QCOMPARE(highest->field(u16(u"最大")), Variant::fromLong(9));
        db->rollback();
        QCOMPARE(highest->recordCount(), 1);
        QCOMPARE(highest->field(u16(u"最大")), Variant::fromLong(3));
        // A database closed inside a transaction rolls it back too.
        QVERIFY(db->beginTrans());
        QVERIFY(!db->beginTrans());
        QVERIFY(db->execute(u16(u"DELETE FROM 記録")));
    }
    QCOMPARE(readBytes(m_path), before);
    QVERIFY(!QFile::exists(m_path + QStringLiteral("-journal")));
}

void DatabaseTest::commitKeepsWrites()
{
    {
        auto db = openFixture();
        QVERIFY(!db->commitTrans());
        QVERIFY(db->beginTrans());
        auto rs = db->openTable(u16(u"記録"));
        for (int no = 4; no <= 6; ++no) {
            QVERIFY(rs->addNew());
            QVERIFY(rs->setField(u16(u"作成NO"), Variant::fromLong(no)));
            QVERIFY(rs->update());
        }
        QVERIFY(db->commitTrans());
    }
    auto db = openFixture();
    QCOMPARE(db->openTable(u16(u"記録"))->recordCount(), 6);
}

void DatabaseTest::transactionUndoneByTheEngineTakesNoMoreWrites()
{
    // The engine itself undoes the whole transaction on some failures (a full disk, an I/O
    // error); a trigger that raises ROLLBACK does the same on demand.
    {
        auto db = openFixture();
        QVERIFY(db->execute(u16(u"CREATE TRIGGER refuse BEFORE INSERT ON 記録 WHEN NEW.作成NO = 99 "
                                u"BEGIN SELECT RAISE(ROLLBACK, 'refused'); END")));
    }
    {
        auto db = openFixture();
        auto rs = db->openTable(u16(u"記録"));
        QVERIFY(db->beginTrans());
        for (int no : {5, 99, 6}) {
            // Each write reports its own failure and the work goes on with the next.
            QString error;
            const bool written = rs->addNew(&error) &&
                                 rs->setField(u16(u"作成NO"), Variant::fromLong(no), &error) &&
                                 rs->update(&error);
            QCOMPARE(written, no == 5);
            QCOMPARE(error.isEmpty(), no == 5);
            rs->cancelUpdate();
        }
        QVERIFY(!db->execute(u16(u"DELETE FROM 記録")));
        QVERIFY(db->inTransaction());
        QString error;
        QVERIFY(!db->commitTrans(&error));
        QVERIFY(!error.isEmpty());
        db->rollback();
        QVERIFY(!db->inTransaction());
        QCOMPARE(rs->recordCount(), 3);
        // Work after the rollback is written as ever.
        QVERIFY(db->execute(u16(u"DELETE FROM 記録 WHERE 作成NO = 3")));
        QVERIFY(
            db->execute(u16(u"INSERT INTO 記録 (作成NO, 名前, 有無, 回答) VALUES (3, 'c', 1, 2)")));
    }
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    QCOMPARE(rs->recordCount(), 3);
    QVERIFY(!rs->findFirst(u16(u"作成NO = 6")));
}

void DatabaseTest::recordsetOutlivesDatabase()
{
    auto db = openFixture();
    auto rs = db->openTable(u16(u"記録"));
    db.reset();
    bool ok = true;
    QVERIFY(rs->field(u16(u"作成NO"), &ok).isNull());
    QVERIFY(!ok);
    QVERIFY(!rs->addNew());
    QVERIFY(!rs->findFirst(u16(u"作成NO =1")));
    rs->moveNext();
    QVERIFY(rs->eof());
}

namespace {

// Runs `work` on a thread of its own: a connection of its own, as another window or program
// would have.
bool onAnotherThread(const std::function<bool()>& work)
{
    bool ok = false;
    std::thread thread([&] { ok = work(); });
    thread.join();
    return ok;
}

int rowCount(Database& db)
{
    std::unique_ptr<Recordset> rows = db.openTable(u16(u"記録"));
    return rows ? rows->recordCount() : -1;
}

// A copy of the fixture's file holding one row, made beside it.
QString otherFile(const QString& beside)
{
    const QString path = beside + QStringLiteral(".other");
    QFile::remove(path);
    if (!QFile::copy(beside, path))
        return {};
    auto db = Database::open(path, OpenMode::ReadWrite);
    if (!db || !db->execute(u16(u"DELETE FROM 記録 WHERE 作成NO <> 2")))
        return {};
    return path;
}

} // namespace

// A file closed and opened again is read as it stands at the second open, whatever was done
// to it in between.
void DatabaseTest::reopenSeesTheFileAsItIsNow_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("rows");       // after the change; -1 when the open must fail
    QTest::addColumn<bool>("newColumn"); // the table has the column 追加 after the change
    for (const bool readOnly : {true, false}) {
        const char* mode = readOnly ? "read-only" : "read-write";
        QTest::addRow("%s: row added by another connection", mode)
            << "insert" << readOnly << 4 << false;
        QTest::addRow("%s: column added by another connection", mode)
            << "column" << readOnly << 3 << true;
        QTest::addRow("%s: replaced by another file", mode) << "rename" << readOnly << 1 << false;
        QTest::addRow("%s: another file copied over it", mode)
            << "overwrite" << readOnly << 1 << false;
        QTest::addRow("%s: removed", mode) << "remove" << readOnly << -1 << false;
        QTest::addRow("%s: made no database", mode) << "garbage" << readOnly << -1 << false;
    }
}

void DatabaseTest::reopenSeesTheFileAsItIsNow()
{
    QFETCH(QString, change);
    QFETCH(bool, readOnly);
    QFETCH(int, rows);
    QFETCH(bool, newColumn);
    const OpenMode mode = readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite;
    {
        auto first = openFixture(mode);
        QVERIFY(first);
        QCOMPARE(rowCount(*first), 3);
        QVERIFY(!first->columns(u16(u"記録")).contains(u16(u"追加")));
    }
    const QString other = otherFile(m_path);
    QVERIFY(!other.isEmpty());
    if (change == u"insert" || change == u"column") {
        const QString sql = change == u"insert"
                                ? u16(u"INSERT INTO 記録 (作成NO, 名前) VALUES (4, 'd')")
                                : u16(u"ALTER TABLE 記録 ADD COLUMN 追加 TEXT");
        QVERIFY(onAnotherThread([&] {
            auto db = Database::open(m_path, OpenMode::ReadWrite);
            return db && db->execute(sql);
        }));
    } else if (change == u"rename") {
        QVERIFY(std::rename(QFile::encodeName(other).constData(),
                            QFile::encodeName(m_path).constData()) == 0);
    } else if (change == u"overwrite") {
        QVERIFY(writeBytes(m_path, readBytes(other)));
    } else if (change == u"remove") {
        QVERIFY(QFile::remove(m_path));
    } else {
        QVERIFY(writeBytes(m_path, QByteArray(4096, 'x')));
    }
    QString error;
    auto again = Database::open(m_path, mode, &error);
    if (rows < 0) {
        QVERIFY(!again);
        QVERIFY(error.contains(m_path));
        return;
    }
    QVERIFY2(again, qPrintable(error));
    QCOMPARE(rowCount(*again), rows);
    QCOMPARE(again->columns(u16(u"記録")).contains(u16(u"追加")), newColumn);
    std::unique_ptr<Recordset> table = again->openTable(u16(u"記録"));
    QVERIFY(table);
    QCOMPARE(table->hasField(u16(u"追加")), newColumn);
    QCOMPARE(again->openDynaset(u16(u"SELECT 追加 FROM 記録")) != nullptr, newColumn);
}

// Once closed, a file is free for every other connection at once: no lock stays behind,
// whether it was read or written.
void DatabaseTest::closedFileHoldsNoLock()
{
    for (const OpenMode mode : {OpenMode::ReadOnly, OpenMode::ReadWrite}) {
        {
            auto db = openFixture(mode);
            QVERIFY(db);
            QCOMPARE(rowCount(*db), 3);
            QVERIFY(db->openDynaset(u16(u"SELECT 名前 FROM 記録 ORDER BY 作成NO")));
        }
        QString error;
        QVERIFY2(onAnotherThread([&] {
                     auto db = Database::open(m_path, OpenMode::ReadWrite, &error);
                     // No waiting: a lock left behind would fail this at once.
                     return db &&
                            db->execute(QStringLiteral("PRAGMA busy_timeout=0"), {}, &error) &&
                            db->execute(QStringLiteral("BEGIN EXCLUSIVE"), {}, &error) &&
                            db->execute(QStringLiteral("COMMIT"), {}, &error);
                 }),
                 qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(DatabaseTest)
#include "tst_database.moc"
