#pragma once

#include "sheetdata/sheetlayout.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

namespace sheetdata {

// Mark kinds a row's Kind may hold. The filling stores ShapeCheck, ShapeCapsule and
// ShapeLine only; the drawing knows the others. 0 and any value outside 1 to 11 draw nothing.
inline constexpr qint16 ShapeNone = 0;
inline constexpr qint16 ShapeLine = 1;
inline constexpr qint16 ShapeCross = 2;
inline constexpr qint16 ShapeCapsule = 3;
inline constexpr qint16 ShapeBox = 4;
inline constexpr qint16 ShapeRuleH = 5;
inline constexpr qint16 ShapeRuleV = 6;
inline constexpr qint16 ShapeHatchDown = 7;
inline constexpr qint16 ShapeHatchUp = 8;
inline constexpr qint16 ShapeCheck = 9;
inline constexpr qint16 ShapeSlash = 10;
inline constexpr qint16 ShapeFill = 11;

// One mark row, in sheet twips. Weight is a line-weight class 1 to 6, Style a line style
// (0 = solid), Color an index into the 16-colour palette (0 = black).
struct ShapeRow
{
    qint16 Kind = ShapeNone;
    qint16 X1 = 0;
    qint16 Y1 = 0;
    qint16 X2 = 0;
    qint16 Y2 = 0;
    qint16 Weight = 0;
    qint16 Style = 0;
    qint16 Color = 0;

    bool operator==(const ShapeRow&) const = default;
};

// The sheet model: the in-memory picture of one letter on the printed form, kept between
// loading a letter and printing it. The shell owns the one instance; the filling writes it,
// the clear command empties it, the drawing reads it.
class SheetModel
{
public:
    // The text slots ("" = nothing printed); a slot may hold lines separated by CR LF.
    std::array<QString, TextSlotCount> FormText;
    // The mark rows: no rows until the first letter is loaded, then MarkRowCount rows.
    std::vector<ShapeRow> ShapeData;
    // Rows 0 to ShapeCount - 1 are drawn: MarkRowCount while a letter is loaded, 0 otherwise.
    qint16 ShapeCount = 0;
    // True while a letter is on the sheet; printing prints texts and marks only then.
    bool FormLoaded = false;

    // Stores row Slot - 1. A Slot outside 1 to MarkRowCount, or a model without rows, stores
    // nothing and gives false.
    bool ArrengeShape(qint16 Kind, qint16 X1, qint16 Y1, qint16 X2, qint16 Y2, qint16 Weight,
                      qint16 Style, qint16 Color, int Slot);

    // The start of a load: every row zero (MarkRowCount rows), ShapeCount = MarkRowCount,
    // every text slot "". FormLoaded is the caller's.
    void resetForLetter();

    // The clear command: FormLoaded false, ShapeCount 0, every text slot "". The rows keep
    // their values but are no longer drawn or printed.
    void clear();

    // The row of a Slot (1 to MarkRowCount); an empty row when the model has no such row.
    ShapeRow row(int slot) const;
};

// The common stores of the filling, with the fixed values of each kind.
// A tick in the check box whose top left corner is (x, y).
bool storeCheck(SheetModel& model, int slot, qint16 x, qint16 y);
// A ring around a printed word, box (x1, y1)-(x2, y2).
bool storeCapsule(SheetModel& model, int slot, qint16 x1, qint16 y1, qint16 x2, qint16 y2);
// A straight line, used as an underline.
bool storeLine(SheetModel& model, int slot, qint16 x1, qint16 y1, qint16 x2, qint16 y2);

} // namespace sheetdata
