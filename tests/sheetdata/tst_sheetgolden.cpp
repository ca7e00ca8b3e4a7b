// The whole sheet model of four stored letters, compared with the checked-in dumps in data/.
// Run with RUVIRO_UPDATE_GOLDEN=1 to write the dumps anew (then review them before checking
// them in).
#include "letterfixtures.h"
#include "sheetdump.h"
#include "sheetfixture.h"

#include <QFile>
#include <QTest>

using namespace sheetdata;

class TestSheetGolden : public QObject
{
    Q_OBJECT

private slots:
    void letters_data();
    void letters();
};

void TestSheetGolden::letters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<letterfixtures::Fields>("fields");
    QTest::newRow("nothing answered") << u"unanswered"_qs << letterfixtures::unansweredLetter();
    QTest::newRow("everything answered") << u"full"_qs << letterfixtures::fullyFilledLetter();
    QTest::newRow("imported with Nulls")
        << u"imported"_qs << letterfixtures::importedLetterWithNulls();
    QTest::newRow("edge values") << u"edge"_qs << letterfixtures::edgeValueLetter();
}

void TestSheetGolden::letters()
{
    QFETCH(QString, name);
    QFETCH(letterfixtures::Fields, fields);
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    QVERIFY2(fixture.add(5, fields), qPrintable(fixture.error()));
    SheetModel model;
    QVERIFY(fixture.fill(model, u"5"_qs).letterFound);
    const QString dump = dumpSheetModel(model);

    QFile file(QStringLiteral(RUVIRO_TEST_DATA_DIR "/") + name + u".dump"_qs);
    if (qEnvironmentVariableIntValue("RUVIRO_UPDATE_GOLDEN") == 1) {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(dump.toUtf8());
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList actual = dump.split(u'\n');
    for (qsizetype i = 0; i < qMin(expected.size(), actual.size()); ++i)
        QCOMPARE(actual.at(i), expected.at(i));
    QCOMPARE(actual.size(), expected.size());
}

QTEST_GUILESS_MAIN(TestSheetGolden)
#include "tst_sheetgolden.moc"
