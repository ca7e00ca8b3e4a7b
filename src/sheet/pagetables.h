#pragma once

// Building blocks of the two page layouts: tables of fixed positions drawn at an origin.

#include "sheet/sheetpages.h"

#include <span>

namespace sheet {

class DrawTarget;

struct Segment
{
    int x1, y1, x2, y2;
};

struct Caption
{
    int x, y;
    const char16_t* text;
};

// Rectangle outlines (boxes) and lines at the target's current pen, moved by (x, y).
void drawBoxes(DrawTarget& obj, int x, int y, std::span<const Segment> boxes);
void drawLines(DrawTarget& obj, int x, int y, std::span<const Segment> lines);
// 120 × 120 twip check boxes, width 1, solid.
void drawCheckBoxes(DrawTarget& obj, int x, int y, std::span<const CheckBoxPlace> boxes);
// Single-line captions in the current font, each with its top-left corner at its place.
void drawCaptions(DrawTarget& obj, int x, int y, std::span<const Caption> captions);

} // namespace sheet
