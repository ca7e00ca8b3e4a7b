#include "sheetdata/sheetmodel.h"

namespace sheetdata {

bool SheetModel::ArrengeShape(qint16 Kind, qint16 X1, qint16 Y1, qint16 X2, qint16 Y2,
                              qint16 Weight, qint16 Style, qint16 Color, int Slot)
{
    const long long index = static_cast<long long>(Slot) - 1;
    if (ShapeData.size() != static_cast<size_t>(MarkRowCount) || index < 0 || index >= MarkRowCount)
        return false;
    ShapeData[static_cast<size_t>(index)] = ShapeRow{Kind, X1, Y1, X2, Y2, Weight, Style, Color};
    return true;
}

void SheetModel::resetForLetter()
{
    ShapeData.assign(MarkRowCount, ShapeRow{});
    ShapeCount = MarkRowCount;
    for (QString& text : FormText)
        text.clear();
}

void SheetModel::clear()
{
    FormLoaded = false;
    ShapeCount = 0;
    for (QString& text : FormText)
        text.clear();
}

ShapeRow SheetModel::row(int slot) const
{
    if (slot < FirstMarkSlot || static_cast<size_t>(slot) > ShapeData.size())
        return {};
    return ShapeData[static_cast<size_t>(slot - 1)];
}

bool storeCheck(SheetModel& model, int slot, qint16 x, qint16 y)
{
    return model.ArrengeShape(ShapeCheck, x, y, static_cast<qint16>(x + CheckBoxSize),
                              static_cast<qint16>(y + CheckBoxSize), 2, 1, 0, slot);
}

bool storeCapsule(SheetModel& model, int slot, qint16 x1, qint16 y1, qint16 x2, qint16 y2)
{
    return model.ArrengeShape(ShapeCapsule, x1, y1, x2, y2, 1, 0, 0, slot);
}

bool storeLine(SheetModel& model, int slot, qint16 x1, qint16 y1, qint16 x2, qint16 y2)
{
    return model.ArrengeShape(ShapeLine, x1, y1, x2, y2, 1, 0, 0, slot);
}

} // namespace sheetdata
