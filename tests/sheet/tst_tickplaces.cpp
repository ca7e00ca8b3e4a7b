// The check boxes of the layout against the ticks the sheet model can hold: every box is the
// place of exactly one tick Slot, and every tick the filling can store lies on a box. The
// filling is run over a letter that gives one value to every field, for a range of values
// wide enough to reach every answer of every question.
#include "common/fontsubstitution.h"
#include "record/letter.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetdrawing.h"
#include "sheet/sheetpages.h"
#include "sheetdata/setformdata.h"
#include "sheetdata/sheetlayout.h"
#include "sheetfixture.h"

#include <QtTest>

#include <map>
#include <set>

namespace {

// A letter whose every field holds the same value.
record::Letter sameValueLetter(const db::Variant& value)
{
    record::Letter letter;
    for (int i = 0; i < common::LetterFieldCount; ++i)
        letter.set(static_cast<common::Field>(i), value);
    return letter;
}

QList<db::Variant> candidateValues()
{
    QList<db::Variant> values{db::Variant::null(), db::Variant::fromBool(true),
                              db::Variant::fromBool(false), db::Variant::fromString(QString())};
    for (int k = 0; k <= 15; ++k) {
        values.append(db::Variant::fromInteger(qint16(k)));
        values.append(db::Variant::fromString(QString::number(k)));
        values.append(db::Variant::fromString(QStringLiteral("%1").arg(k, 2, 10, QChar(u'0'))));
    }
    for (const char16_t* text : {u"有", u"無", u"不詳", u"平成", u"令和", u"その他"})
        values.append(db::Variant::fromString(QString::fromUtf16(text)));
    return values;
}

// Tick place (x, y) → the Slots that tick it, over every candidate value.
std::map<std::pair<int, int>, std::set<int>> tickPlaces()
{
    using namespace sheetdata;
    std::map<std::pair<int, int>, std::set<int>> places;
    for (const db::Variant& value : candidateValues()) {
        SheetModel model;
        SetFormData(model, sameValueLetter(value));
        for (int slot = FirstMarkSlot; slot <= LastMarkSlot; ++slot) {
            const ShapeRow r = model.row(slot);
            if (r.Kind == ShapeCheck)
                places[{r.X1, r.Y1}].insert(slot);
        }
    }
    return places;
}

std::set<std::pair<int, int>> checkBoxes()
{
    sheet::RecordingTarget target;
    sheet::DrawPage1(target, 0, 0);
    sheet::DrawPage2(target, 0, 0);
    std::set<std::pair<int, int>> boxes;
    for (const sheet::RecordedOp& op : target.ops(sheet::RecordedOp::Box))
        if (op.x2 - op.x1 == sheetdata::CheckBoxSize && op.y2 - op.y1 == sheetdata::CheckBoxSize)
            boxes.emplace(int(op.x1), int(op.y1));
    return boxes;
}

} // namespace

class TickPlacesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void everyBoxHoldsExactlyOneTickPlace();
    void storedLettersTickInsideBoxes();
};

void TickPlacesTest::everyBoxHoldsExactlyOneTickPlace()
{
    const auto places = tickPlaces();
    const auto boxes = checkBoxes();
    QCOMPARE(boxes.size(), size_t(79 + 107));

    for (const auto& box : boxes) {
        const auto it = places.find(box);
        const size_t slotCount = it == places.end() ? 0 : it->second.size();
        QVERIFY2(slotCount == 1, qPrintable(QStringLiteral("box (%1, %2): %3 tick Slots")
                                                .arg(box.first)
                                                .arg(box.second)
                                                .arg(slotCount)));
    }
    for (const auto& [place, tickSlots] : places) {
        QVERIFY2(boxes.count(place), qPrintable(QStringLiteral("tick Slot %1 at (%2, %3)")
                                                    .arg(*tickSlots.begin())
                                                    .arg(place.first)
                                                    .arg(place.second)));
        // A tick's row lies on the page of its box.
        const int row = *tickSlots.begin() - 1;
        QCOMPARE(row <= sheetdata::Page1LastRow, place.first < sheetdata::Page2Shift);
    }
}

// Letters read from a data file: the first stroke of every tick drawn on the preview starts
// 45 twips right of and 75 below the top-left corner of a check box.
void TickPlacesTest::storedLettersTickInsideBoxes()
{
    SheetFixture fixture;
    QVERIFY2(fixture.isValid(), qPrintable(fixture.error()));
    using namespace letterfixtures;
    const Fields letters[] = {fullyFilledLetter(), unansweredLetter(), importedLetterWithNulls(),
                              edgeValueLetter()};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(fixture.add(i + 1, letters[i]), qPrintable(fixture.error()));
    const auto boxes = checkBoxes();
    for (int letter = 1; letter <= 4; ++letter) {
        sheetdata::SheetModel model;
        const auto result = fixture.fill(model, QString::number(letter));
        QVERIFY2(result.letterFound, qPrintable(result.problem));
        sheet::RecordingTarget target;
        sheet::DrawSheet(target, model, true);
        int ticks = 0;
        const QList<sheet::RecordedOp> lines = target.ops(sheet::RecordedOp::Line);
        for (const sheet::RecordedOp& op : lines) {
            // The long stroke of a tick: 105 right, 105 up.
            if (op.x2 - op.x1 != 105 || op.y1 - op.y2 != 105)
                continue;
            ++ticks;
            QVERIFY(boxes.count({int(op.x1) - 45, int(op.y1) - 75}));
        }
        int tickRows = 0;
        for (const sheetdata::ShapeRow& row : model.ShapeData)
            tickRows += row.Kind == sheetdata::ShapeCheck;
        if (letter == 1)
            QVERIFY(tickRows > 100);
        QCOMPARE(ticks, tickRows);
    }
}

QTEST_MAIN(TickPlacesTest)
#include "tst_tickplaces.moc"
