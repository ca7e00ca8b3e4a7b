#include "sheet/sheetdrawing.h"

#include "sheet/drawtarget.h"
#include "sheet/marks.h"
#include "sheet/recordingtarget.h"
#include "sheet/sheetpages.h"
#include "sheet/sheettexts.h"
#include "sheet/textfit.h"
#include "sheetdata/sheetmodel.h"

namespace sheet {

namespace {

void drawPage1Form(DrawTarget& obj, int x, int y, const sheetdata::SheetModel& model)
{
    if (model.FormLoaded)
        DrawPage1(obj, x, y, model.FormText[sheetdata::WritingEraSlot],
                  model.FormText[sheetdata::ExaminationEraSlot]);
    else
        DrawPage1(obj, x, y);
}

} // namespace

void DrawSheet(DrawTarget& canvas, const sheetdata::SheetModel& model, bool pageHead)
{
    drawWithFittedTexts(canvas,
                        [&](DrawTarget& target) { drawSheetAsLaidOut(target, model, pageHead); });
}

void drawSheetAsLaidOut(DrawTarget& canvas, const sheetdata::SheetModel& model, bool pageHead)
{
    drawPage1Form(canvas, 0, 0, model);
    if (!model.FormLoaded)
        DrawOnsetLabels(canvas, 0, 0);
    DrawPage2(canvas, 0, 0);
    if (model.FormLoaded) {
        DrawData1(canvas, 0, 0, model.FormText);
        DrawData2(canvas, 0, 0, model.FormText, pageHead);
        AfterForm(canvas, model);
    }
}

void DrawPrintedPage(DrawTarget& printer, PrintedPage page, int x, int y,
                     const sheetdata::SheetModel& model, bool pageHead)
{
    drawWithFittedTexts(printer, [&](DrawTarget& target) {
        drawPrintedPageAsLaidOut(target, page, x, y, model, pageHead);
    });
}

QList<int> cutTextSlots(const sheetdata::SheetModel& model, bool pageHead)
{
    if (!model.FormLoaded)
        return {};
    RecordingTarget probe(false);
    drawPrintedPageAsLaidOut(probe, PrintedPage::WholeSheet, 0, 0, model, pageHead);
    return textFits(probe.ops()).cutSlots();
}

void drawPrintedPageAsLaidOut(DrawTarget& printer, PrintedPage page, int x, int y,
                              const sheetdata::SheetModel& model, bool pageHead)
{
    using namespace sheetdata;
    const bool first = page != PrintedPage::SecondA4;
    const bool second = page != PrintedPage::FirstA4;
    const int x2 = page == PrintedPage::SecondA4 ? x - Page2Shift : x;
    if (first)
        drawPage1Form(printer, x, y, model);
    if (second)
        DrawPage2(printer, x2, y);
    if (!model.FormLoaded)
        return;
    if (first)
        DrawData1(printer, x, y, model.FormText);
    if (second)
        DrawData2(printer, x2, y, model.FormText, pageHead);
    if (page == PrintedPage::WholeSheet)
        DrawMarks(printer, x, y, model, 0, model.ShapeCount - 1);
    else if (first)
        DrawMarks(printer, x, y, model, Page1FirstRow, Page1LastRow);
    else
        DrawMarks(printer, x2, y, model, Page2FirstRow, Page2LastRow);
}

} // namespace sheet
