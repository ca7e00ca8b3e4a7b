#pragma once

#include "platform/printer.h"
#include "sheet/drawtarget.h"
#include "sheet/printarea.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QPainter;

namespace sheetdata {
class SheetModel;
}

namespace sheet {

// Twips per millimetre of the print shift.
constexpr double PrintShiftTwipsPerMm = 56.7;
// The farthest a shift moves the sheet, in twips (about 17.6 m): far beyond any paper, and
// small enough that no printed position leaves the 32-bit range.
constexpr qint32 MaxPrintShiftTwips = 1'000'000;

// The print origin: where the sheet's (0, 0) lands, in twips from the top-left corner of the
// printable area.
struct PrintOrigin
{
    qint32 x = 0;
    qint32 y = 0;
    friend bool operator==(const PrintOrigin&, const PrintOrigin&) = default;
};

// The user's shift in millimetres as whole twips, rounded half up: Int(mm × 56.7 + 0.5),
// bounded to ±MaxPrintShiftTwips (a shift that is not a number counts as 0).
qint32 printShiftTwips(float mm);
// The origin for the user's shift (millimetres, positive to the right and downwards) on a
// printer with the unprintable offsets of `area`.
PrintOrigin printOrigin(float userX, float userY, const PrintArea& area);

// What one print job prints: the sheet model, the page-2 header option, the user's shift
// and the printer's printable area.
struct PrintRequest
{
    const sheetdata::SheetModel& model;
    bool pageHead = false;
    float userX = 0;
    float userY = 0;
    PrintArea area;
};

// How a job ended: printed, or the reason it was abandoned, for the user.
struct PrintResult
{
    bool printed = false;
    QString error;
};

// Makes the drawing target of one printed page on the job's painter.
using PageTargetFactory = std::function<std::unique_ptr<DrawTarget>(QPainter&)>;
// The target for paper: the painter in the printer's own dots.
std::unique_ptr<DrawTarget> paperTarget(QPainter& painter);

// The name the print jobs carry in the printer's queue.
QString printJobTitle();

// The whole sheet on one page, with the paper and orientation the printer has now; then the
// printer is put back into A3 landscape.
PrintResult GoPrintA3(platform::Printer& printer, const PrintRequest& request,
                      const PageTargetFactory& makeTarget = paperTarget);
// Page 1 on one page and page 2 on a second one, moved left by half the sheet; then the
// printer is put back into A4 portrait.
PrintResult GoPrintA4(platform::Printer& printer, const PrintRequest& request,
                      const PageTargetFactory& makeTarget = paperTarget);

} // namespace sheet
