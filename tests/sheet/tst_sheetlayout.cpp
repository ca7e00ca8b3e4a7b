#include "common/fontsubstitution.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetpages.h"

#include <QtTest>

using sheet::RecordedOp;
using sheet::RecordingTarget;

namespace {

struct Counts
{
    int frames = 0;
    int rules = 0;
    int checkBoxes = 0;
    int captions = 0;
    int pictures = 0;
};

bool isCheckBox(const RecordedOp& op)
{
    return op.kind == RecordedOp::Box && op.x2 - op.x1 == 120 && op.y2 - op.y1 == 120 &&
           op.state.drawWidth == 1;
}

Counts count(const RecordingTarget& target, int frameWidth)
{
    Counts c;
    for (const RecordedOp& op : target.ops()) {
        switch (op.kind) {
        case RecordedOp::Box:
            if (isCheckBox(op))
                ++c.checkBoxes;
            else if (op.state.drawWidth == frameWidth)
                ++c.frames;
            break;
        case RecordedOp::Line:
            ++c.rules;
            break;
        case RecordedOp::Text:
            ++c.captions;
            break;
        case RecordedOp::Picture:
            ++c.pictures;
            break;
        default:
            break;
        }
    }
    return c;
}

} // namespace

class SheetLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void pageOneCounts();
    void pageTwoCounts();
};

void SheetLayoutTest::pageOneCounts()
{
    RecordingTarget target;
    sheet::DrawPage1(target, 0, 0);
    const Counts c = count(target, 2);
    QCOMPARE(c.frames, 4);
    QCOMPARE(c.rules, 35);
    QCOMPARE(c.checkBoxes, 79);
    QCOMPARE(c.captions, 162);
    QCOMPARE(c.pictures, 1);
}

void SheetLayoutTest::pageTwoCounts()
{
    RecordingTarget target;
    sheet::DrawPage1(target, 0, 0);
    target.clear();
    sheet::DrawPage2(target, 0, 0);
    const Counts c = count(target, 2);
    QCOMPARE(c.frames, 5);
    QCOMPARE(c.rules, 13);
    QCOMPARE(c.checkBoxes, 107);
    QCOMPARE(c.captions, 172);
    QCOMPARE(c.pictures, 0);
}

QTEST_MAIN(SheetLayoutTest)
#include "tst_sheetlayout.moc"
