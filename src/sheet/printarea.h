#pragma once

#include "platform/printer.h"
#include "sheetdata/sheetlayout.h"

#include <QLine>
#include <QString>
#include <QtGlobal>

#include <array>

namespace sheet {

// The current printer's unprintable left and top offsets and its printable size, in twips.
// Printing subtracts the offsets from every printed position.
struct PrintArea
{
    qint32 PhysOffsetX = 0;
    qint32 PhysOffsetY = 0;
    qint32 PrintableWidth = 0;
    qint32 PrintableHeight = 0;
    friend bool operator==(const PrintArea&, const PrintArea&) = default;
};

// The area of the run, as last measured.
PrintArea& printArea();

// Measures the printer's printable area in twips: Int(twips per pixel × pixels + 0.5).
// A printer that is not installed gives all 0.
PrintArea measurePrintArea(const platform::Printer& printer);

// One of the eight red lines that outline the printable area on the preview canvas (canvas
// twips). Lines 0 to 3 outline page 1 or, on A3, the whole printable area; 4 to 7 page 2.
struct OutlineLine
{
    bool visible = false;
    QLine line;
    friend bool operator==(const OutlineLine&, const OutlineLine&) = default;
};
using Outline = std::array<OutlineLine, 8>;

// The outline for `area` in A3 (`paperA3`) or two-A4 mode. Lines that are hidden keep the
// positions they had in `previous`.
Outline outlineFor(const PrintArea& area, bool paperA3, const Outline& previous = {});

// The paper label of the main window's toolbar for a paper code and the page size in
// twips in the current orientation.
QString paperLabel(int paperCode, double pageWidthTwips, double pageHeightTwips);
// The label when no printer is installed.
QString noPrinterLabel();

// Whoever shows the printer's state (the main window): refreshes the area with its outline,
// and the paper label. The print procedures and the print dialog call these after every
// change of printer, paper or orientation.
class PrinterView
{
public:
    virtual ~PrinterView();
    virtual void GetPrintArea() = 0;
    virtual void ShowPaperSize() = 0;
};
void setPrinterView(PrinterView* view);
PrinterView* printerView();

} // namespace sheet
