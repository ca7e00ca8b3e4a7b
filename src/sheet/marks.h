#pragma once

#include <optional>

namespace sheetdata {
class SheetModel;
}

namespace sheet {

class DrawTarget;

// Draws one mark of `kind` (the sheet model's Shape* kinds; 0 and values outside 1 to 11
// draw nothing and change nothing) with its points already in the target's coordinates.
// `style` is the pen style code, `color` a palette index, `width` the pen width in device
// pixels. `step` is the distance between the rulings of kinds 5 and 6; they turn its sign when
// their range runs backwards. What the mark sets on the target stays there.
void DrawShape(DrawTarget& obj, int kind, int x1, int y1, int x2, int y2, int style, int color,
               int width, int& step);

// Pen width of a mark's weight class (1 to 6) on the screen: 1, 1, 2, 2, 3, 4 pixels.
std::optional<int> screenMarkWidth(int weight);
// Pen width of a weight class on a printer, in printer dots: the thinnest line for 1, and as
// wide as 1, 1.5, 2, 3 and 4 screen pixels for 2 to 6.
std::optional<int> printerMarkWidth(int weight, double screenTwipsPerPixel,
                                    double printerTwipsPerPixel);

// Draws the model's mark rows first to last (inclusive) moved by (x, y). The pen width
// follows each row's weight class, by the screen's rule on the preview and by the printer's
// rule on paper; a row without a weight class keeps the width of the row before it.
void DrawMarks(DrawTarget& obj, int x, int y, const sheetdata::SheetModel& model, int first,
               int last);

// Draws the marks of the letter on the sheet (rows 0 to ShapeCount - 1) on the preview canvas.
void AfterForm(DrawTarget& canvas, const sheetdata::SheetModel& model);

} // namespace sheet
