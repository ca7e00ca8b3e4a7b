#include "sheetdata/sheetmodel.h"

#include <QTest>

using namespace sheetdata;

class TestSheetModel : public QObject
{
    Q_OBJECT

private slots:
    void layoutNumbers();
    void storesBySlot_data();
    void storesBySlot();
    void modelWithoutRowsStoresNothing();
    void laterStoreReplacesRow();
    void clearKeepsRowsButHidesThem();
    void resetEmptiesEverything();
    void fixedValuesOfEachKind();
};

void TestSheetModel::layoutNumbers()
{
    QCOMPARE(MarkRowCount, 208);
    QCOMPARE(Page1LastRow + 1, Page2FirstRow);
    QCOMPARE(Page2LastRow, MarkRowCount - 1);
    QCOMPARE(TextSlotCount, LetterTextSlotCount + 2);
    QVERIFY(isPage1TextSlot(WritingEraSlot) && isPage1TextSlot(ExaminationEraSlot));
    QVERIFY(isPage2TextSlot(PageHeadSlot) && !isPage1TextSlot(PageHeadSlot));
    // The right arm's ataxia tick belongs to page 2.
    QVERIFY(UpperLimbAtaxiaRightSlot - 1 >= Page2FirstRow);
}

void TestSheetModel::storesBySlot_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("stored");
    QTest::newRow("first slot") << 1 << true;
    QTest::newRow("last slot of page 1") << 91 << true;
    QTest::newRow("first slot of page 2") << 92 << true;
    QTest::newRow("slot 207") << 207 << true;
    QTest::newRow("ataxia slot 208") << 208 << true;
    QTest::newRow("slot 0") << 0 << false;
    QTest::newRow("slot 209") << 209 << false;
    QTest::newRow("slot -1") << -1 << false;
    QTest::newRow("slot -32768") << -32768 << false;
    QTest::newRow("slot 32767") << 32767 << false;
}

void TestSheetModel::storesBySlot()
{
    QFETCH(int, slot);
    QFETCH(bool, stored);
    SheetModel model;
    model.resetForLetter();
    const auto before = model.ShapeData;
    QCOMPARE(model.ArrengeShape(ShapeCheck, 100, 200, 220, 320, 2, 1, 0, slot), stored);
    if (stored) {
        const ShapeRow expected{ShapeCheck, 100, 200, 220, 320, 2, 1, 0};
        QCOMPARE(model.ShapeData[static_cast<size_t>(slot - 1)], expected);
        QCOMPARE(model.row(slot), expected);
        auto others = model.ShapeData;
        others[static_cast<size_t>(slot - 1)] = {};
        QVERIFY(others == before);
    } else {
        QVERIFY(model.ShapeData == before);
    }
}

void TestSheetModel::modelWithoutRowsStoresNothing()
{
    SheetModel model;
    QVERIFY(!model.ArrengeShape(ShapeCheck, 1, 2, 3, 4, 2, 1, 0, 1));
    QVERIFY(model.ShapeData.empty());
    QCOMPARE(model.row(1), ShapeRow{});
}

void TestSheetModel::laterStoreReplacesRow()
{
    SheetModel model;
    model.resetForLetter();
    QVERIFY(model.ArrengeShape(ShapeCheck, 10, 20, 130, 140, 2, 1, 0, 130));
    QVERIFY(model.ArrengeShape(ShapeLine, 5, 6, 7, 6, 1, 0, 3, 130));
    QCOMPARE(model.row(130), (ShapeRow{ShapeLine, 5, 6, 7, 6, 1, 0, 3}));
}

void TestSheetModel::clearKeepsRowsButHidesThem()
{
    SheetModel model;
    model.FormLoaded = true;
    model.resetForLetter();
    model.FormText[11] = u"佐藤"_qs;
    model.FormText[WritingEraSlot] = u"平成"_qs;
    QVERIFY(storeCheck(model, 5, 3315, 5235));
    model.clear();
    QVERIFY(!model.FormLoaded);
    QCOMPARE(model.ShapeCount, 0);
    for (const QString& text : model.FormText)
        QVERIFY(text.isEmpty());
    QCOMPARE(model.row(5).Kind, ShapeCheck);
}

void TestSheetModel::resetEmptiesEverything()
{
    SheetModel model;
    model.resetForLetter();
    QVERIFY(storeCheck(model, 208, 15735, 4860));
    model.FormText[90] = u"昭和"_qs;
    model.clear();
    model.resetForLetter();
    QCOMPARE(model.ShapeCount, MarkRowCount);
    QCOMPARE(model.ShapeData.size(), size_t(MarkRowCount));
    for (const ShapeRow& row : model.ShapeData)
        QCOMPARE(row, ShapeRow{});
    for (const QString& text : model.FormText)
        QVERIFY(text.isEmpty());
}

void TestSheetModel::fixedValuesOfEachKind()
{
    SheetModel model;
    model.resetForLetter();
    QVERIFY(storeCheck(model, 1, 7260, 3585));
    QVERIFY(storeCapsule(model, 20, 7215, 6645, 7650, 6825));
    QVERIFY(storeLine(model, 185, 12975, 9810, 13955, 9810));
    QCOMPARE(model.row(1), (ShapeRow{9, 7260, 3585, 7380, 3705, 2, 1, 0}));
    QCOMPARE(model.row(20), (ShapeRow{3, 7215, 6645, 7650, 6825, 1, 0, 0}));
    QCOMPARE(model.row(185), (ShapeRow{1, 12975, 9810, 13955, 9810, 1, 0, 0}));
    QVERIFY(!storeCheck(model, 0, 1, 1));
}

QTEST_GUILESS_MAIN(TestSheetModel)
#include "tst_sheetmodel.moc"
