#include "sheetdump.h"

QString dumpSheetModel(const sheetdata::SheetModel& model)
{
    QString out;
    out += u"FormLoaded %1\n"_qs.arg(model.FormLoaded ? u"true"_qs : u"false"_qs);
    out += u"ShapeCount %1\n"_qs.arg(model.ShapeCount);
    for (int slot = 0; slot < sheetdata::TextSlotCount; ++slot) {
        QString text = model.FormText[slot];
        text.replace(u'\\', u"\\\\"_qs).replace(u'\r', u"\\r"_qs).replace(u'\n', u"\\n"_qs);
        out += u"T%1 [%2]\n"_qs.arg(slot, 2, 10, QChar(u'0')).arg(text);
    }
    out += u"Rows %1\n"_qs.arg(model.ShapeData.size());
    for (size_t r = 0; r < model.ShapeData.size(); ++r) {
        const sheetdata::ShapeRow& row = model.ShapeData[r];
        out += u"S%1 %2 %3 %4 %5 %6 %7 %8 %9\n"_qs.arg(r + 1, 3, 10, QChar(u'0'))
                   .arg(row.Kind)
                   .arg(row.X1)
                   .arg(row.Y1)
                   .arg(row.X2)
                   .arg(row.Y2)
                   .arg(row.Weight)
                   .arg(row.Style)
                   .arg(row.Color);
    }
    return out;
}
