#include "sheet/marks.h"

#include "sheet/drawtarget.h"
#include "sheetdata/sheetmodel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sheet {

namespace {

// The arc angles of a ring, as the sheet has always used them.
constexpr double Right = 0;
constexpr double Up = 1.57;
constexpr double Left = 3.14;
constexpr double Down = 4.71;

int towards(int from, int to, int r)
{
    return from + (to > from ? r : to < from ? -r : 0);
}

// Half a length, rounded to the nearest whole twip, halves to the even neighbour.
int halfRounded(int length)
{
    return static_cast<int>(std::nearbyint(length / 2.0));
}

void drawCapsule(DrawTarget& obj, int x1, int y1, int x2, int y2, const QColor& c)
{
    const int w = std::abs(x2 - x1);
    const int h = std::abs(y2 - y1);
    if (w > h) {
        const int r = halfRounded(h);
        const bool firstIsLeft = x1 < x2;
        const int ax = firstIsLeft ? x1 : x2, ay = firstIsLeft ? y1 : y2;
        const int bx = firstIsLeft ? x2 : x1, by = firstIsLeft ? y2 : y1;
        const int c1x = towards(ax, bx, r), c1y = towards(ay, by, r);
        const int c2x = towards(bx, ax, r), c2y = towards(by, ay, r);
        obj.circle(c1x, c1y, r, c, Up, Down);
        obj.circle(c2x, c2y, r, c, Down, Up);
        obj.line(c1x, c1y - r, c2x, c2y - r, c);
        obj.line(c1x, c1y + r, c2x, c2y + r, c);
    } else {
        const int r = halfRounded(w);
        const bool firstIsUpper = y1 <= y2;
        const int ax = firstIsUpper ? x1 : x2, ay = firstIsUpper ? y1 : y2;
        const int bx = firstIsUpper ? x2 : x1, by = firstIsUpper ? y2 : y1;
        const int c1x = towards(ax, bx, r), c1y = towards(ay, by, r);
        const int c2x = towards(bx, ax, r), c2y = towards(by, ay, r);
        obj.circle(c1x, c1y, r, c, Right, Left);
        obj.circle(c2x, c2y, r, c, Left, Right);
        obj.line(c1x + r, c1y, c2x + r, c2y, c);
        obj.line(c1x - r, c1y, c2x - r, c2y, c);
    }
}

// Rulings every `step` twips from `from` towards `to`, both included when the steps meet it.
template <typename DrawOne> void drawRulings(int from, int to, int& step, DrawOne drawOne)
{
    if (from > to)
        step = -step;
    if (step == 0)
        return;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step)
        drawOne(v);
}

void drawEllipseInBox(DrawTarget& obj, int x1, int y1, int x2, int y2)
{
    if (x1 == x2)
        return;
    const double w = std::abs(x1 - x2);
    const double h = std::abs(y1 - y2);
    const double radius = w >= h ? w / 2 : h / 2;
    obj.circle((x1 + x2) / 2.0, (y1 + y2) / 2.0, radius, std::nullopt, std::nullopt, std::nullopt,
               h / w);
}

} // namespace

void DrawShape(DrawTarget& obj, int kind, int x1, int y1, int x2, int y2, int style, int color,
               int width, int& step)
{
    using namespace sheetdata;
    const QColor c = paletteColor(color);
    const auto setPen = [&] {
        obj.setDrawWidth(width);
        obj.setDrawStyle(style);
    };
    switch (kind) {
    case ShapeLine:
        setPen();
        obj.line(x1, y1, x2, y2, c);
        break;
    case ShapeCross:
        setPen();
        obj.line(x1, y1, x2, y2, c);
        obj.line(x2, y1, x1, y2, c);
        break;
    case ShapeCapsule:
        setPen();
        drawCapsule(obj, x1, y1, x2, y2, c);
        break;
    case ShapeBox:
        setPen();
        obj.setFillStyle(FillTransparent);
        obj.box(x1, y1, x2, y2, c);
        break;
    case ShapeRuleH:
        obj.setDrawWidth(1);
        obj.setDrawStyle(PenSolid);
        drawRulings(y1, y2, step, [&](int y) { obj.line(x1, y, x2, y, c); });
        break;
    case ShapeRuleV:
        obj.setDrawWidth(1);
        obj.setDrawStyle(PenSolid);
        drawRulings(x1, x2, step, [&](int x) { obj.line(x, y1, x, y2, c); });
        break;
    case ShapeHatchDown:
    case ShapeHatchUp:
        obj.setDrawStyle(PenInvisible);
        obj.setFillStyle(kind == ShapeHatchDown ? FillDownwardDiagonal : FillUpwardDiagonal);
        obj.setFillColor(c);
        drawEllipseInBox(obj, x1, y1, x2, y2);
        break;
    case ShapeFill:
        obj.setFillStyle(FillSolid);
        obj.setFillColor(c);
        obj.setForeColor(c);
        drawEllipseInBox(obj, x1, y1, x2, y2);
        break;
    case ShapeCheck:
        obj.setForeColor(c);
        obj.setDrawStyle(PenSolid);
        obj.setDrawWidth(width);
        obj.setFillStyle(FillTransparent);
        obj.line(x1 + 45, y1 + 75, x1 + 150, y1 - 30);
        obj.line(x1 + 45, y1 + 90, x1 + 90, y1 + 45);
        obj.line(x1 + 0, y1 + 45, x1 + 45, y1 + 90);
        obj.line(x1 + 15, y1 + 45, x1 + 45, y1 + 75);
        break;
    case ShapeSlash:
        obj.setDrawStyle(PenSolid);
        obj.setDrawWidth(width);
        obj.line(x1 + 135, y1 - 15, x1 - 30, y1 + 150);
        obj.line(x1 + 150, y1 - 15, x1 - 15, y1 + 150);
        break;
    default:
        break;
    }
}

std::optional<int> screenMarkWidth(int weight)
{
    switch (weight) {
    case 1:
    case 2:
        return 1;
    case 3:
    case 4:
        return 2;
    case 5:
        return 3;
    case 6:
        return 4;
    default:
        return std::nullopt;
    }
}

std::optional<int> printerMarkWidth(int weight, double screenTwipsPerPixel,
                                    double printerTwipsPerPixel)
{
    static const double screenPixels[] = {0, 1, 1.5, 2, 3, 4};
    if (weight < 1 || weight > 6)
        return std::nullopt;
    if (weight == 1)
        return 1;
    return static_cast<int>(
        std::floor(screenPixels[weight - 1] * screenTwipsPerPixel / printerTwipsPerPixel + 0.5));
}

void DrawMarks(DrawTarget& obj, int x, int y, const sheetdata::SheetModel& model, int first,
               int last)
{
    // A row without a weight class before any row with one is drawn with the thinnest pen.
    int width = 1;
    last = std::min<int>(last, int(model.ShapeData.size()) - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        const sheetdata::ShapeRow& row = model.ShapeData[i];
        const std::optional<int> rowWidth =
            obj.isPreview()
                ? screenMarkWidth(row.Weight)
                : printerMarkWidth(row.Weight, obj.screenTwipsPerPixelX(), obj.twipsPerPixelX());
        if (rowWidth)
            width = *rowWidth;
        int step = 60;
        DrawShape(obj, row.Kind, row.X1 + x, row.Y1 + y, row.X2 + x, row.Y2 + y, row.Style,
                  row.Color, width, step);
    }
}

void AfterForm(DrawTarget& canvas, const sheetdata::SheetModel& model)
{
    DrawMarks(canvas, 0, 0, model, 0, model.ShapeCount - 1);
}

} // namespace sheet
