#pragma once

#include <QList>

namespace sheetdata {
class SheetModel;
}

namespace sheet {

class DrawTarget;

// The whole sheet on the preview canvas at origin (0, 0), as the main window shows it: both
// page layouts and, when a letter is on the sheet, its texts and marks; the empty sheet shows
// the onset-date template instead. The canvas must be cleared (white) before. A text that
// would run into the next one or past its frame is set condensed; a value too long even
// then takes a further line, a smaller size, or is cut at its area (see textfit.h).
void DrawSheet(DrawTarget& canvas, const sheetdata::SheetModel& model, bool pageHead);
// The same with every text at its own width, as the layout gives it.
void drawSheetAsLaidOut(DrawTarget& canvas, const sheetdata::SheetModel& model, bool pageHead);

// Which part of the sheet one printed page holds.
enum class PrintedPage {
    WholeSheet, // one A3 landscape sheet
    FirstA4,    // page 1 on an A4 portrait sheet
    SecondA4,   // page 2 on an A4 portrait sheet, moved left by half the sheet
};

// One printed page at the print origin (x, y): the blank form and, when a letter is on the
// sheet, its texts and marks with the printer's pen widths. The onset-date template of the
// empty sheet is not printed.
void DrawPrintedPage(DrawTarget& printer, PrintedPage page, int x, int y,
                     const sheetdata::SheetModel& model, bool pageHead);
// The letter's text slots that no setting holds inside their areas, so that the paper shows
// them cut, ascending; empty when the sheet holds no letter.
QList<int> cutTextSlots(const sheetdata::SheetModel& model, bool pageHead);

void drawPrintedPageAsLaidOut(DrawTarget& printer, PrintedPage page, int x, int y,
                              const sheetdata::SheetModel& model, bool pageHead);

} // namespace sheet
