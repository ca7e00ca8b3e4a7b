#pragma once

#include <QString>

#include <span>

namespace sheet {

class DrawTarget;

// The fixed form of page 1 (left half of the sheet) at origin (x, y) in twips: frames, rules,
// 79 check boxes, 162 captions and the arrow. `writingEra` and `examEra` are the era captions
// before the writing date and the last examination date ("" gives "令和").
// Leaves DrawWidth 1, DrawStyle solid, FillStyle transparent, "ＭＳ Ｐ明朝" 9 pt, bold off.
void DrawPage1(DrawTarget& obj, int x, int y, const QString& writingEra = QString(),
               const QString& examEra = QString());

// The fixed form of page 2 (right half of the sheet) at origin (x, y): frames, rules, 107 check
// boxes and 172 captions. Draw it after page 1, whose transparent fill it relies on.
// Leaves DrawWidth 1, DrawStyle dotted, "ＭＳ Ｐ明朝" 8 pt, bold off.
void DrawPage2(DrawTarget& obj, int x, int y);

// Top-left corners of every check box of page 1 (79) and page 2 (107), in drawing order.
struct CheckBoxPlace
{
    int x;
    int y;
};
std::span<const CheckBoxPlace> page1CheckBoxes();
std::span<const CheckBoxPlace> page2CheckBoxes();

} // namespace sheet
