#pragma once

#include "sheetdata/sheetmodel.h"

#include <QString>

// A text picture of the whole sheet model, one line per value: the flag and the count, every
// text slot (CR, LF and backslash written as \r, \n and \\), every mark row as Kind, X1, Y1,
// X2, Y2, Weight, Style, Color. Two models are equal when their dumps are.
QString dumpSheetModel(const sheetdata::SheetModel& model);
