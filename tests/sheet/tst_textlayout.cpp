#include "common/fontsubstitution.h"
#include "letterfixtures.h"
#include "samplesheet.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetdrawing.h"
#include "sheet/textfit.h"
#include "sheetfixture.h"

#include <QtTest>

#include <optional>

using namespace sheet;

Q_DECLARE_METATYPE(sheetdata::SheetModel)

// The sheet stays legible with the fonts the program prints with: on the drawn sheet no text
// runs into the next text of its line and none crosses the rule that closes its frame,
// measured with the fonts' real advance widths.
class TextLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }

    void noTextRunsIntoTheNext_data()
    {
        QTest::addColumn<sheetdata::SheetModel>("model");
        QTest::newRow("blank sheet") << sheetdata::SheetModel{};
        QTest::newRow("sample sheet") << sampleFilledSheet();
        SheetFixture file;
        QVERIFY2(file.isValid(), qPrintable(file.error()));
        const QList<QPair<const char*, letterfixtures::Fields>> letters = {
            {"fully filled letter", letterfixtures::fullyFilledLetter()},
            {"unanswered letter", letterfixtures::unansweredLetter()},
            {"imported letter", letterfixtures::importedLetterWithNulls()},
            {"edge values", letterfixtures::edgeValueLetter()},
        };
        int number = 0;
        for (const auto& [name, fields] : letters) {
            QVERIFY(file.add(++number, fields));
            sheetdata::SheetModel model;
            QVERIFY(file.fill(model, QString::number(number)).letterFound);
            QTest::newRow(name) << model;
        }
    }
    void noTextRunsIntoTheNext()
    {
        QFETCH(sheetdata::SheetModel, model);
        for (bool pageHead : {false, true}) {
            RecordingTarget target;
            DrawSheet(target, model, pageHead);
            QStringList crossing;
            for (const TextRoom& t : textRooms(target.ops()))
                if (t.x + t.width > t.limit + 1)
                    crossing << QStringLiteral("\"%1\" at %2,%3 ends %4 past %5")
                                    .arg(t.text)
                                    .arg(t.x)
                                    .arg(t.y)
                                    .arg(t.x + t.width - t.limit, 0, 'f', 0)
                                    .arg(t.limit);
            QVERIFY2(crossing.isEmpty(), qPrintable(crossing.join(QLatin1Char('\n'))));
        }
    }

    // A condensed value keeps a millimetre before the next text of its line (the address of
    // the institution before "FAX"), however long: down to half its width, then smaller.
    void valueKeepsAMillimetreBeforeTheNextText_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("stretch");
        QTest::addColumn<bool>("smaller");
        const QString address = QStringLiteral("東京都新宿区西新宿三丁目２番１号　山田ビル２階");
        QCOMPARE(address.size(), 23);
        QTest::newRow("23 characters") << address << 93 << false;
        QTest::newRow("the longest the row takes") << QString(42, u'東') << 51 << false;
        QTest::newRow("one more") << QString(43, u'東') << 0 << true;
        QTest::newRow("more than twice the room") << QString(50, u'東') << 0 << true;
        QTest::newRow("fits as it is") << QStringLiteral("東京都新宿区") << 100 << false;
    }
    void valueKeepsAMillimetreBeforeTheNextText()
    {
        QFETCH(QString, address);
        QFETCH(int, stretch);
        QFETCH(bool, smaller);
        sheetdata::SheetModel model;
        model.resetForLetter();
        model.FormLoaded = true;
        model.FormText[4] = address;
        RecordingTarget target;
        DrawSheet(target, model, false);
        std::optional<RecordedOp> value;
        std::optional<RecordedOp> fax;
        for (const RecordedOp& op : target.ops(RecordedOp::Text)) {
            if (op.text == address)
                value = op;
            else if (op.text == QStringLiteral("FAX") && op.y1 == 4245)
                fax = op;
        }
        QVERIFY(value && fax);
        QCOMPARE(value->x1, 2730.0);
        QCOMPARE(value->y1, 4245.0);
        if (smaller) {
            QVERIFY(value->state.fontSize < 9.75);
            QVERIFY(value->state.stretch >= MinimumTextStretch);
        } else {
            QCOMPARE(value->state.fontSize, 9.75);
            QCOMPARE(value->state.stretch, stretch);
        }
        const double end = value->x1 + RecordingTarget::printedWidth(*value);
        QVERIFY(fax->x1 - end >= 56.7);
    }

    // A text is condensed from its own start place and never cut.
    void condensedTextsKeepStartAndWholeText()
    {
        const sheetdata::SheetModel model = sampleFilledSheet();
        RecordingTarget laidOut;
        drawSheetAsLaidOut(laidOut, model, true);
        RecordingTarget fitted;
        DrawSheet(fitted, model, true);
        const QList<RecordedOp> before = laidOut.ops(RecordedOp::Text);
        const QList<RecordedOp> after = fitted.ops(RecordedOp::Text);
        QCOMPARE(after.size(), before.size());
        int condensed = 0;
        for (qsizetype i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].text, before[i].text);
            QCOMPARE(after[i].x1, before[i].x1);
            QCOMPARE(after[i].y1, before[i].y1);
            QVERIFY(after[i].state.stretch >= MinimumTextStretch);
            condensed += after[i].state.stretch < 100;
        }
        QVERIFY(condensed > 0);
    }
};

QTEST_MAIN(TextLayoutTest)
#include "tst_textlayout.moc"
