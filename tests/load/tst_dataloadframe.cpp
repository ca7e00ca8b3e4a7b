// Finding the letter's row, files that cannot be read, tables of other shapes, and the
// doctor defaults.
#include "loadfixture.h"

#include "common/fontsubstitution.h"
#include "common/settingskeys.h"
#include "load/dataload.h"
#include "platform/settings.h"
#include "record/letterstore.h"
#include "testenvironment.h"

#include <QFile>
#include <QtTest>

using namespace loadtest;
using namespace Qt::Literals::StringLiterals;

using Settings = QList<std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Settings)

class DataLoadFrameTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void noRowKeepsTheStartState_data();
    void noRowKeepsTheStartState();
    void unreadableFileKeepsTheStartState_data();
    void unreadableFileKeepsTheStartState();
    void codesAsDigitStrings_data();
    void codesAsDigitStrings();
    void tableLackingAColumn();
    void writesNothingToTheFile();
    void doctorDefaults_data();
    void doctorDefaults();
};

void DataLoadFrameTest::noRowKeepsTheStartState_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("letterNo");
    QTest::addColumn<bool>("indexed"); // false: a table without the key's index
    QTest::newRow("number between two rows") << QList<int>{1, 3} << 2 << true;
    QTest::newRow("number above every row") << QList<int>{1, 2} << 12 << true;
    QTest::newRow("empty table") << QList<int>{} << 1 << true;
    QTest::newRow("negative number") << QList<int>{1} << -1 << true;
    QTest::newRow("no index, number between two rows") << QList<int>{1, 3} << 2 << false;
    QTest::newRow("no index, empty table") << QList<int>{} << 1 << false;
}

void DataLoadFrameTest::noRowKeepsTheStartState()
{
    QFETCH(QList<int>, stored);
    QFETCH(int, letterNo);
    QFETCH(bool, indexed);
    std::unique_ptr<LetterFile> made =
        indexed ? std::make_unique<LetterFile>()
                : std::make_unique<LetterFile>(QStringList{
                      u"患者名"_s, u"他科受診"_s, u"他科受診その他"_s, u"麻痺"_s, u"医師名"_s});
    LetterFile& file = *made;
    for (int no : stored) {
        QVERIFY(file.add(no, {{u"患者名"_s, S(u"他の人%1"_s.arg(no))},
                              {u"他科受診"_s, S(u"0102"_s)},
                              {u"他科受診その他"_s, S(u""_s)},
                              {u"麻痺"_s, T},
                              {u"医師名"_s, S(u"医師"_s)}}));
    }
    auto fresh = startForm();
    auto form = startForm();
    QCOMPARE(load::DataLoad(*form, file.path(), letterNo), load::LoadResult::NoRow);
    QCOMPARE(snapshot(*form), snapshot(*fresh));
}

void DataLoadFrameTest::unreadableFileKeepsTheStartState_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << u"missing"_s;
    QTest::newRow("not a database") << u"text"_s;
    QTest::newRow("no letter table") << u"noTable"_s;
}

void DataLoadFrameTest::unreadableFileKeepsTheStartState()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Ruviro.mdb"_s);
    if (kind == u"text") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a data file\n");
    } else if (kind == u"noTable") {
        auto database = db::Database::create(path);
        QVERIFY(database);
        QVERIFY(database->execute(u"CREATE TABLE other (x INTEGER)"_s));
    }
    auto fresh = startForm();
    auto form = startForm();
    QString error;
    QCOMPARE(load::DataLoad(*form, path, 1, &error), load::LoadResult::OpenFailed);
    QVERIFY(!error.isEmpty());
    QCOMPARE(snapshot(*form), snapshot(*fresh));
    if (kind == u"missing")
        QVERIFY(!QFile::exists(path)); // never creates the file
}

// A letter may hold its codes as texts (a letter file of other column types): the loading
// compares them as the letter's values are compared. Read from such a file for the entry
// form, every one of these letters is refused instead, since a code field holds a text: a
// save would write a code over it.
void DataLoadFrameTest::codesAsDigitStrings_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const Fields& fields, const QStringList& expected) {
        QTest::newRow(name) << fields << expected;
    };
    row("digit strings choose their options",
        {{u"医師同意"_s, S(u"1"_s)},
         {u"性別"_s, S(u"2"_s)},
         {u"寝たきり度"_s, S(u"9"_s)},
         {u"筋力低下程度"_s, S(u"3"_s)},
         {u"感染症"_s, S(u"2"_s)},
         {u"意見書作成回数"_s, S(u"2"_s)}},
        {u"optDoui(1).value=1"_s, u"optFemale.value=1"_s, u"opNeta(9).value=1"_s,
         u"optKintei(3).value=1"_s, u"optKansen(2).value=1"_s, u"opKaisu(1).value=1"_s});
    row("a number compared as a number ignores blanks",
        {{u"症状安定性"_s, S(u" 2"_s)}, {u"屋外歩行"_s, S(u"2.0"_s)}},
        {u"opAntei(2).value=1"_s, u"optHokou(2).value=1"_s});
    row("consent is compared as text", {{u"医師同意"_s, S(u" 1"_s)}},
        {u"optDoui(1).value=0"_s, u"optDoui(2).value=0"_s});
    row("texts that are no number choose nothing",
        {{u"寝たきり度"_s, S(u"C2"_s)}, {u"性別"_s, S(u""_s)}, {u"補助装具"_s, S(u"x"_s)}},
        {u"opNeta(9).value=0"_s, u"optMale.value=0"_s, u"optFemale.value=0"_s,
         u"chkHozyo(1).value=0"_s, u"chkHozyo(2).value=0"_s, u"chkHozyo(3).value=0"_s});
    row("walking aids as texts", {{u"補助装具"_s, S(u"2"_s)}},
        {u"chkHozyo(1).value=0"_s, u"chkHozyo(2).value=1"_s, u"chkHozyo(3).value=0"_s});
    row("walking aids empty", {{u"補助装具"_s, S(u""_s)}},
        {u"chkHozyo(1).value=0"_s, u"chkHozyo(2).value=0"_s, u"chkHozyo(3).value=0"_s});
}

void DataLoadFrameTest::codesAsDigitStrings()
{
    QFETCH(Fields, fields);
    QFETCH(QStringList, expected);
    QStringList columns;
    for (const FieldValue& f : fields)
        columns << f.name;
    // Only the row's own columns exist: every other field cannot be read, and loading
    // still runs to its end.
    LetterFile file(columns);
    QVERIFY(file.add(7, fields));
    auto refused = startForm();
    QString error;
    QCOMPARE(load::DataLoad(*refused, file.path(), 7, &error), load::LoadResult::Unfit);
    QVERIFY2(error.contains(u"意見書 7 番の「"_s), qPrintable(error));
    QCOMPARE(snapshot(*refused), snapshot(*startForm()));

    const record::LetterReadResult read = record::LetterStore(file.path()).read(7);
    QVERIFY(read.read() && read.unfit);
    auto form = startForm();
    load::DataLoad(*form, read.letter);
    expectControls(*form, expected);
}

void DataLoadFrameTest::tableLackingAColumn()
{
    LetterFile file;
    QVERIFY(file.add(1, {{u"患者名"_s, S(u"山田"_s)},
                         {u"意見書特記事項"_s, S(u"特記"_s)},
                         {u"医師名"_s, S(u"鈴木"_s)},
                         {u"医療機関FAX"_s, S(u"12-3456"_s)}}));
    QVERIFY(file.execute(u"ALTER TABLE 申請者情報 DROP COLUMN 意見書特記事項"_s));
    auto form = startForm();
    QCOMPARE(load::DataLoad(*form, file.path(), 1), load::LoadResult::Loaded);
    expectControls(*form, {u"txtname.text=山田"_s, u"txtTokki.text="_s, u"cmbKisaisya.text=鈴木"_s,
                           u"Kisaisya(10).text=3456"_s});
}

void DataLoadFrameTest::writesNothingToTheFile()
{
    LetterFile file;
    QVERIFY(file.add(1, {{u"患者名"_s, S(u"山田"_s)}, {u"麻痺"_s, T}, {u"寝たきり度"_s, N(3)}}));
    const auto contents = [&] {
        QFile f(file.path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = contents();
    QVERIFY(!before.isEmpty());
    auto form = startForm();
    QCOMPARE(load::DataLoad(*form, file.path(), 1), load::LoadResult::Loaded);
    QCOMPARE(contents(), before);
    QVERIFY(!QFile::exists(file.path() + u"-journal"_s));
}

namespace {

const QStringList doctorBoxes = {
    u"Kisaisya(1)"_s, u"txtYubin1Dr"_s, u"txtYubin2Dr"_s, u"txtZushoDr"_s,  u"Kisaisya(5)"_s,
    u"Kisaisya(6)"_s, u"Kisaisya(7)"_s, u"Kisaisya(8)"_s, u"Kisaisya(9)"_s, u"Kisaisya(10)"_s};

// The ten boxes' texts in the order of doctorBoxes.
QStringList boxes(const QStringList& texts)
{
    QStringList list;
    for (int i = 0; i < doctorBoxes.size(); ++i)
        list << doctorBoxes.at(i) + u".text="_s + texts.value(i);
    return list;
}

} // namespace

void DataLoadFrameTest::doctorDefaults_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<bool>("stored"); // false: a new letter
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QStringList>("expected");

    const Settings all = {{u"HospitalName"_s, u"設定医院"_s},
                          {u"Yubin1"_s, u"111"_s},
                          {u"Yubin2"_s, u"2222"_s},
                          {u"Adress"_s, u"設定町1"_s},
                          {u"TEL1"_s, u"03"_s},
                          {u"TEL2"_s, u"1111"_s},
                          {u"TEL3"_s, u"2222"_s},
                          {u"FAX1"_s, u"04"_s},
                          {u"FAX2"_s, u"3333"_s},
                          {u"FAX3"_s, u"4444"_s},
                          {u"DoctorName"_s, u"設定医師"_s}};
    const QStringList fromSettings = {u"設定医院"_s, u"111"_s,  u"2222"_s, u"設定町1"_s, u"03"_s,
                                      u"1111"_s,     u"2222"_s, u"04"_s,   u"3333"_s,    u"4444"_s};
    const Fields institution = {
        {u"医療機関名"_s, S(u"自院"_s)},        {u"医療機関郵便番号"_s, S(u"999-8888"_s)},
        {u"医療機関住所"_s, S(u""_s)},          {u"医療機関電話局番"_s, S(u"06"_s)},
        {u"医療機関電話"_s, S(u"7777-6666"_s)}, {u"医療機関FAX局番"_s, S(u""_s)},
        {u"医療機関FAX"_s, S(u"-"_s)}};
    const QStringList own = {u"自院"_s, u"999"_s,  u"8888"_s, u""_s, u"06"_s,
                             u"7777"_s, u"6666"_s, u""_s,     u""_s, u""_s};

    QTest::newRow("new letter, all keys")
        << all << false << Fields{} << boxes(fromSettings) + QStringList{u"cmbKisaisya.text="_s};
    QTest::newRow("new letter, no settings") << Settings{} << false << Fields{} << boxes({});
    QTest::newRow("new letter, some keys")
        << Settings{{u"HospitalName"_s, u"設定医院"_s}, {u"fax3"_s, u"4444"_s}} << false << Fields{}
        << boxes({u"設定医院"_s, {}, {}, {}, {}, {}, {}, {}, {}, u"4444"_s});
    QTest::newRow("stored letter naming a doctor keeps its own institution")
        << all << true << Fields{{u"医師名"_s, S(u"鈴木"_s)}} + institution
        << boxes(own) + QStringList{u"cmbKisaisya.text=鈴木"_s};
    QTest::newRow("stored letter without a doctor takes the defaults")
        << all << true << Fields{{u"医師名"_s, S(u""_s)}} + institution << boxes(fromSettings);
    QTest::newRow("stored letter with a Null doctor takes the defaults, absent keys empty")
        << Settings{{u"Adress"_s, u"設定町1"_s}} << true
        << Fields{{u"医師名"_s, Null}} + institution
        << boxes({{}, {}, {}, u"設定町1"_s}) + QStringList{u"cmbKisaisya.text="_s};
}

void DataLoadFrameTest::doctorDefaults()
{
    QFETCH(Settings, settings);
    QFETCH(bool, stored);
    QFETCH(Fields, fields);
    QFETCH(QStringList, expected);
    TestEnvironment environment;
    QVERIFY(environment.isValid());
    for (const auto& [key, value] : settings)
        QVERIFY(platform::SaveSetting(u"Dizur"_s, u"Data"_s, key, value));
    LetterFile file;
    QVERIFY(file.add(4, fields));
    auto form = startForm();
    QCOMPARE(load::LoadLetter(*form, file.path(), stored ? 4 : 0), load::LoadResult::Loaded);
    expectControls(*form, expected);
}

QTEST_MAIN(DataLoadFrameTest)
#include "tst_dataloadframe.moc"
