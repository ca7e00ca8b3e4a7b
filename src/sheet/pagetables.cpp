#include "sheet/pagetables.h"

#include "sheet/drawtarget.h"
#include "sheet/printlines.h"
#include "sheetdata/sheetlayout.h"

namespace sheet {

void drawBoxes(DrawTarget& obj, int x, int y, std::span<const Segment> boxes)
{
    for (const Segment& b : boxes)
        obj.box(x + b.x1, y + b.y1, x + b.x2, y + b.y2);
}

void drawLines(DrawTarget& obj, int x, int y, std::span<const Segment> lines)
{
    for (const Segment& l : lines)
        obj.line(x + l.x1, y + l.y1, x + l.x2, y + l.y2);
}

void drawCheckBoxes(DrawTarget& obj, int x, int y, std::span<const CheckBoxPlace> boxes)
{
    obj.setDrawWidth(1);
    obj.setDrawStyle(PenSolid);
    for (const CheckBoxPlace& b : boxes)
        obj.box(x + b.x, y + b.y, x + b.x + sheetdata::CheckBoxSize,
                y + b.y + sheetdata::CheckBoxSize);
}

void drawCaptions(DrawTarget& obj, int x, int y, std::span<const Caption> captions)
{
    for (const Caption& c : captions)
        PrintLines(obj, QString::fromUtf16(c.text), x + c.x, y + c.y);
}

} // namespace sheet
