#pragma once

#include "letterfixtures.h"
#include "record/letter.h"
#include "sheetdata/sheetmodel.h"

#include <QString>

// A letter filled to every limit the entry form accepts: each text as long as its box takes it
// (or, for a box without a limit, the longest value a clinic can be expected to type), in the
// widest characters (full-width kanji and kana; long ASCII lines where the text is free), every
// flag on. For the drawing tests as a sheet model, for the print tests as a stored letter.
namespace fullletter {

// The stored letter, field by field; its long texts come with their print copies made as
// saving makes them.
letterfixtures::Fields fields();

// Remarks of `lines` lines of wide characters, each as long as a line of the remarks box.
QString wideRemarks(int lines);
// Remarks of `paragraphs` lines of ASCII words, each wrapping to three lines in the remarks box.
QString asciiRemarks(int paragraphs);
// The letter with other remarks, their print copy made as saving makes it.
letterfixtures::Fields withRemarks(letterfixtures::Fields fields, const QString& remarks);

// `count` characters of wide kanji, of wide hiragana, and of full-width katakana.
QString kanji(int count);
QString hiragana(int count);

// The letter value of the fields (作成NO 1); fields not named stay unset.
record::Letter letter(const letterfixtures::Fields& fields);
// The sheet as the program fills it from the letter.
sheetdata::SheetModel sheet(const letterfixtures::Fields& fields = fullletter::fields());

} // namespace fullletter
