#pragma once

#include "platform/variant.h"

#include <QString>

namespace common {
struct LetterField;
}
namespace db {
class Database;
}

// Letters for tests and benchmarks, and the queries through which the program reads them,
// spelled exactly as their readers write them (full-width digits, half-width katakana).
namespace letterfixture {

// The record list: eight columns of every letter, in table order.
QString listQuery();
// The sheet's page-1 and page-2 queries; the letter number is appended unquoted.
QString sheetQuery1();
QString sheetQuery2();

// A value of the field's kind that differs from letter to letter: a text with a line
// break, a Yes/No flag, or an answer code written as a digit string.
db::Variant sampleValue(const common::LetterField& field, int letterNo, int fieldIndex);

// Adds letters first..last (作成NO), every field written, through one table recordset.
// False with the reason on the first failure.
bool addLetters(db::Database& database, int first, int last, QString* error = nullptr);

// A new data file at `path` holding letters 1..count, every field written, in one
// transaction. False with the reason on the first failure.
bool createLetterFile(const QString& path, int count, QString* error = nullptr);

// A data file of `count` such letters made once per run in a temporary folder (the
// benchmarks' large file); "" when it could not be made.
QString sharedLetterFile(int count);

} // namespace letterfixture
