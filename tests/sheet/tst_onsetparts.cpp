// The year, month and day of an onset date on the printed sheet: a part prints only when it
// reads as a number other than 0, as the stored letters' conversions read numbers.

#include "common/fontsubstitution.h"
#include "letterfixtures.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheettexts.h"
#include "sheetdata/sheetmodel.h"
#include "sheetfixture.h"

#include <QtTest>

using sheet::RecordedOp;
using sheet::RecordingTarget;

namespace {

// Every text that page 1 prints for a letter whose first onset date is `onset`, sorted.
QStringList printedTexts(const QString& onset, QString* error)
{
    SheetFixture fixture;
    const letterfixtures::Fields fields = letterfixtures::withValues(
        letterfixtures::unansweredLetter(),
        {{QStringLiteral("発症年月日1"), db::Variant::fromString(onset)}});
    if (!fixture.isValid() || !fixture.add(1, fields)) {
        *error = fixture.error();
        return {};
    }
    sheetdata::SheetModel model;
    if (!fixture.fill(model, QStringLiteral("1")).letterFound) {
        *error = QStringLiteral("the letter is not found");
        return {};
    }
    RecordingTarget target(false);
    sheet::DrawData1(target, 0, 0, model.FormText);
    QStringList texts;
    for (const RecordedOp& op : target.ops(RecordedOp::Text))
        if (!op.text.isEmpty())
            texts.append(op.text);
    texts.sort();
    return texts;
}

} // namespace

class OnsetPartsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }

    // The same text as the year, the month and the day of 平成{part}年{part}月{part}日.
    void partPrintsOnlyAsANumber_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("printed");
        QTest::newRow("nan") << QStringLiteral("nan") << QString();
        QTest::newRow("NaN") << QStringLiteral("NaN") << QString();
        QTest::newRow("inf") << QStringLiteral("inf") << QString();
        QTest::newRow("-inf") << QStringLiteral("-inf") << QString();
        QTest::newRow("infinity") << QStringLiteral("infinity") << QString();
        QTest::newRow("1e1") << QStringLiteral("1e1") << QStringLiteral("1e1");
        // Full-width digits are digits to a Japanese system's conversions, as they are to
        // the entry form's users: printed as stored.
        QTest::newRow("full-width 07") << QStringLiteral("０７") << QStringLiteral("０７");
        QTest::newRow("full-width 0") << QStringLiteral("０") << QString();
        QTest::newRow("blank before") << QStringLiteral(" 7") << QStringLiteral(" 7");
        QTest::newRow("7.0") << QStringLiteral("7.0") << QStringLiteral("7.0");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("letters") << QStringLiteral("ab") << QString();
    }
    void partPrintsOnlyAsANumber()
    {
        QFETCH(QString, part);
        QFETCH(QString, printed);
        QString error;
        const QStringList without = printedTexts(QStringLiteral("平成年月日"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QString onset = QStringLiteral("平成%1年%1月%1日").arg(part);
        const QStringList with = printedTexts(onset, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QStringList expected = without;
        if (!printed.isEmpty())
            expected << printed << printed << printed;
        expected.sort();
        QCOMPARE(with, expected);
    }
};

QTEST_MAIN(OnsetPartsTest)
#include "tst_onsetparts.moc"
